// The camera formats' costs against their yardsticks: reading an MPO against
// reading its two pictures as JPEG files, writing one against writing two
// JPEG files, and each anaglyph method against the colour anaglyph's
// composition (the same views, frame and output size).
#include "core/timg.h"
#include "input/jpegdecode.h"
#include "input/mpofile.h"
#include "output/camerawrite.h"
#include "output/extrakinds.h"
#include "output/imagewrite.h"
#include "output/mpowrite.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cstdint>

namespace {

constexpr int kWidth = 3000;
constexpr int kHeight = 2000;

// Photograph-like light with fine texture, different in each view.
QImage View(int seedShift) {
    QImage img(kWidth, kHeight, QImage::Format_ARGB32);
    std::uint32_t seed = 12345u + std::uint32_t(seedShift);
    for (int y = 0; y < kHeight; ++y) {
        auto* row = reinterpret_cast<quint32*>(img.scanLine(y));
        for (int x = 0; x < kWidth; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = int(seed >> 28);
            const int base = ((x + seedShift) * 255 / kWidth + y * 255 / kHeight) / 2;
            row[x] = qRgb(base + noise, (x / 7 + y / 5) % 240 + noise, 255 - base - noise);
        }
    }
    return img;
}

struct tfiles {
    QTemporaryDir dir;
    QString left, right, mpo, out;
    QImage l, r;
    tfiles() : l(View(0)), r(View(37)) {
        left = dir.filePath("l.jpg");
        right = dir.filePath("r.jpg");
        mpo = dir.filePath("pair.mpo");
        out = dir.filePath("out");
        WriteJpegFile(ReadView(l), left, tjpegoptions());
        WriteJpegFile(ReadView(r), right, tjpegoptions());
        WriteMpoFile(ReadView(l), ReadView(r), mpo, tjpegoptions(), nullptr);
    }
    static ImageView ReadView(const QImage& img) {
        return {const_cast<std::uint8_t*>(img.constBits()), img.width(), img.height(),
                img.bytesPerLine(), PixelFormat::Bgra32};
    }
};

tfiles& Files() {
    static tfiles files;
    return files;
}

void BM_ReadTwoJpegFiles(benchmark::State& state) {
    tfiles& f = Files();
    for (auto _ : state) {
        tjpegpicture a, b;
        QString error;
        DecodeJpegFile(f.left, tjpegoptions(), a, error);
        DecodeJpegFile(f.right, tjpegoptions(), b, error);
        benchmark::DoNotOptimize(b.image.constBits());
    }
}
BENCHMARK(BM_ReadTwoJpegFiles)->Unit(benchmark::kMillisecond);

void BM_ReadMpoPair(benchmark::State& state) {
    tfiles& f = Files();
    for (auto _ : state) {
        tjpegpicture a, b;
        QString error;
        DecodeMpoPicture(f.mpo, 0, tjpegoptions(), a, error);
        DecodeMpoPicture(f.mpo, 1, tjpegoptions(), b, error);
        benchmark::DoNotOptimize(b.image.constBits());
    }
}
BENCHMARK(BM_ReadMpoPair)->Unit(benchmark::kMillisecond);

void BM_WriteTwoJpegFiles(benchmark::State& state) {
    tfiles& f = Files();
    for (auto _ : state) {
        WriteJpegFile(tfiles::ReadView(f.l), f.out + "_l.jpg", tjpegoptions());
        WriteJpegFile(tfiles::ReadView(f.r), f.out + "_r.jpg", tjpegoptions());
    }
}
BENCHMARK(BM_WriteTwoJpegFiles)->Unit(benchmark::kMillisecond);

void BM_WriteMpoFile(benchmark::State& state) {
    tfiles& f = Files();
    for (auto _ : state)
        WriteMpoFile(tfiles::ReadView(f.l), tfiles::ReadView(f.r), f.out + ".mpo", tjpegoptions(),
                     nullptr);
}
BENCHMARK(BM_WriteMpoFile)->Unit(benchmark::kMillisecond);

// The two views turned a little against each other, drawn at 1920 x 1280.
struct tanaglyph {
    timg l, r;
    tcommonframe frame;
    tcomposition c;
    tanaglyph() {
        l.bitmap = Files().l;
        r.bitmap = Files().r;
        l.PlacePoint(PtStereo0, kWidth / 2.0, kHeight / 2.0);
        r.PlacePoint(PtStereo0, kWidth / 2.0, kHeight / 2.0);
        r.rot = 0.01;
        frame = ComputeSourceFrame(&l, &r, false, 0, 0);
        c.kind = 4;
        c.W = 1920;
        c.H = 1280;
        c.m = AdaptScale(frame.width, frame.height, c.W, c.H, 0);
    }
};

tanaglyph& Anaglyph() {
    static tanaglyph a;
    return a;
}

// The anaglyph method by method; 0 is the colour masks of the plain
// composition, the yardstick.
void BM_AnaglyphMethod(benchmark::State& state) {
    tanaglyph& a = Anaglyph();
    const AnaglyphMethod method = AnaglyphMethodOf(int(state.range(0)));
    for (auto _ : state) {
        EngineBitmap out;
        ComposeOutputKind(a.l, a.r, a.frame, a.c, method, out);
        benchmark::DoNotOptimize(out.View().data);
    }
}
BENCHMARK(BM_AnaglyphMethod)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

// Its parts: the two single views, and the mix alone.
void BM_TwoSingleViews(benchmark::State& state) {
    tanaglyph& a = Anaglyph();
    for (auto _ : state) {
        EngineBitmap l, r;
        ComposeViewPair(a.l, a.r, a.frame, a.c, l, r);
        benchmark::DoNotOptimize(r.View().data);
    }
}
BENCHMARK(BM_TwoSingleViews)->Unit(benchmark::kMillisecond);

void BM_MixOnly(benchmark::State& state) {
    tanaglyph& a = Anaglyph();
    EngineBitmap l, r;
    ComposeViewPair(a.l, a.r, a.frame, a.c, l, r);
    const AnaglyphMethod method = AnaglyphMethodOf(int(state.range(0)));
    for (auto _ : state) MixAnaglyph(l.View(), r.View(), l.View(), method);
}
BENCHMARK(BM_MixOnly)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
