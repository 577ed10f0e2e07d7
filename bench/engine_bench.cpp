// Speed of the resampling routines and bitmap operations on a 6000 x 4000
// picture drawn into a full-size destination, turned 1 degree, at scale 1
// (same size) and 0.25 (enlarged four times); OpenCV's warpAffine on the
// same picture and transform as a yardstick when it is available.
#include "engine/bitmapops.h"
#include "engine/transform.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <random>

#if ORVANEL_HAVE_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

namespace {

constexpr int kW = 6000;
constexpr int kH = 4000;
constexpr double kAngle = 3.14159265358979323846 / 180;
constexpr double kCentreX = kW / 2.0;
constexpr double kCentreY = kH / 2.0;

// A photo-like source: smooth gradients with a little noise, so the picture
// is neither flat nor pure noise.
const EngineBitmap& Source() {
    static const EngineBitmap pic = [] {
        EngineBitmap b(kW, kH);
        std::mt19937 rng(1);
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) {
                const std::uint32_t n = rng() & 0x0F0F0F;
                const std::uint32_t r = (x * 255 / kW) & 0xF0, g = (y * 255 / kH) & 0xF0,
                                    bl = ((x + y) / 40) & 0xF0;
                b.View().SetPixel(x, y, 0xFF000000u | ((r << 16 | g << 8 | bl) + n));
            }
        return b;
    }();
    return pic;
}

EngineBitmap& Dest32() {
    static EngineBitmap b(kW, kH);
    return b;
}

double ScaleOf(const benchmark::State& state) {
    return state.range(0) / 100.0;
}

void Report(benchmark::State& state, double pixels) {
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * pixels));
    state.counters["MP/s"] =
        benchmark::Counter(pixels / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

const EngineRect kFull{0, 0, kW - 1, kH - 1};

void BM_BmpTransformSmooth32(benchmark::State& state) {
    const ImageView src = Source().View();
    const ImageView dst = Dest32().View();
    for (auto _ : state) {
        BmpTransformSmooth32(src, dst, kFull, kFull, kCentreX, kCentreY, 0, 0, 0, 0, kAngle,
                             ScaleOf(state), 0, 0xFFFFFF, 0xFFFFFF);
        benchmark::ClobberMemory();
    }
    Report(state, double(kW) * kH);
}

void BM_BmpTransformSmooth32_2Threads(benchmark::State& state) {
    SetEngineThreads(2);
    BM_BmpTransformSmooth32(state);
    SetEngineThreads(1);
}

void BM_BmpTransformSmooth(benchmark::State& state) {
    const ImageView src = Source().View();
    const ImageView dst = Dest32().View();
    for (auto _ : state) {
        BmpTransformSmooth(src, dst, kFull, kFull, kCentreX, kCentreY, 0, 0, 0, 0, kAngle,
                           ScaleOf(state), 0, 0xFFFFFF, 0);
        benchmark::ClobberMemory();
    }
    Report(state, double(kW) * kH);
}

void BM_BmpTransformSmooth24(benchmark::State& state) {
    static EngineBitmap dst24(kW, kH, PixelFormat::Bgr24);
    const ImageView src = Source().View();
    const ImageView dst = dst24.View();
    for (auto _ : state) {
        BmpTransformSmooth24(src, dst, kFull, kFull, kCentreX, kCentreY, 0, 0, 0, 0, kAngle,
                             ScaleOf(state), 0, 0xFFFFFF, 0xFFFFFF);
        benchmark::ClobberMemory();
    }
    Report(state, double(kW) * kH);
}

void BM_BmpTransformBlend(benchmark::State& state) {
    const ImageView src = Source().View();
    const ImageView dst = Dest32().View();
    BlendOp op;
    SelectBlendOp(0, 1, op);
    for (auto _ : state) {
        BmpTransformBlend(src, dst, kFull, kFull, kCentreX, kCentreY, 0, 0, 0, 0, kAngle,
                          ScaleOf(state), 0, 0xFFFFFF, 0, 128, 128, op);
        benchmark::ClobberMemory();
    }
    Report(state, double(kW) * kH);
}

void BM_BmpScaleBilinear(benchmark::State& state) {
    const ImageView src = Source().View();
    const ImageView dst = Dest32().View();
    for (auto _ : state) {
        BmpScaleBilinear(src, dst, kFull, kFull, 0, 0, -10, -10, 0, 0, 0, ScaleOf(state), 0,
                         0xFFFFFF, 0xFFFFFF, 0, 8);
        benchmark::ClobberMemory();
    }
    Report(state, double(kW) * kH);
}

void BM_TurnBitmapCW(benchmark::State& state) {
    EngineBitmap bmp;
    CopyBitmap(Source().View(), bmp);
    for (auto _ : state) {
        TurnBitmapCW(bmp);
        benchmark::ClobberMemory();
    }
    Report(state, double(kW) * kH);
}

void BM_GreyBitmap(benchmark::State& state) {
    const ImageView src = Source().View();
    const ImageView dst = Dest32().View();
    for (auto _ : state) {
        GreyBitmap(src, dst, 0xFFFFFF);
        benchmark::ClobberMemory();
    }
    Report(state, double(kW) * kH);
}

BENCHMARK(BM_BmpTransformSmooth32)
    ->ArgName("scale_pct")
    ->Arg(100)
    ->Arg(25)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BmpTransformSmooth32_2Threads)
    ->ArgName("scale_pct")
    ->Arg(100)
    ->Arg(25)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_BmpTransformSmooth)
    ->ArgName("scale_pct")
    ->Arg(100)
    ->Arg(25)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BmpTransformSmooth24)
    ->ArgName("scale_pct")
    ->Arg(100)
    ->Arg(25)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BmpTransformBlend)
    ->ArgName("scale_pct")
    ->Arg(100)
    ->Arg(25)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BmpScaleBilinear)
    ->ArgName("scale_pct")
    ->Arg(100)
    ->Arg(25)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TurnBitmapCW)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GreyBitmap)->Unit(benchmark::kMillisecond);

#if ORVANEL_HAVE_OPENCV

// The engine's mapping as an inverse affine matrix: destination (x, y) reads
// source (k cos a x - k sin a y + tx, k sin a x + k cos a y + ty).
cv::Mat EngineMatrix(double k) {
    const double c = std::cos(kAngle), s = std::sin(kAngle);
    const double tx = kCentreX - kCentreX * c + kCentreY * s;
    const double ty = kCentreY - kCentreX * s - kCentreY * c;
    return (cv::Mat_<double>(2, 3) << k * c, -k * s, tx, k * s, k * c, ty);
}

void WarpAffine(benchmark::State& state, int interpolation) {
    cv::setNumThreads(1);
    const ImageView src = Source().View();
    const ImageView dst = Dest32().View();
    cv::Mat in(kH, kW, CV_8UC4, src.data, size_t(src.stride));
    cv::Mat out(kH, kW, CV_8UC4, dst.data, size_t(dst.stride));
    const cv::Mat m = EngineMatrix(ScaleOf(state));
    for (auto _ : state) {
        cv::warpAffine(in, out, m, out.size(), interpolation | cv::WARP_INVERSE_MAP,
                       cv::BORDER_CONSTANT);
        benchmark::ClobberMemory();
    }
    Report(state, double(kW) * kH);
}

void BM_OpenCV_warpAffine_Linear(benchmark::State& state) {
    WarpAffine(state, cv::INTER_LINEAR);
}
void BM_OpenCV_warpAffine_Nearest(benchmark::State& state) {
    WarpAffine(state, cv::INTER_NEAREST);
}

BENCHMARK(BM_OpenCV_warpAffine_Linear)
    ->ArgName("scale_pct")
    ->Arg(100)
    ->Arg(25)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenCV_warpAffine_Nearest)
    ->ArgName("scale_pct")
    ->Arg(100)
    ->Arg(25)
    ->Unit(benchmark::kMillisecond);

#endif

} // namespace

BENCHMARK_MAIN();
