// JPEG decoding into a 32-bit view against libjpeg-turbo's own djpeg on the
// same 6000 x 4000 file; bench/jpeg_vs_djpeg.sh turns the two into a ratio.
#include "core/jpegdefaults.h"
#include "input/jpegdecode.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

// A photograph-like picture: smooth light with fine texture, so that the
// entropy decoder has real work (a flat picture would flatter both sides).
bool WriteTestJpeg(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    jpeg_stdio_dest(&c, f);
    c.image_width = kWidth;
    c.image_height = kHeight;
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 90, TRUE);
    jpeg_start_compress(&c, TRUE);
    std::vector<JSAMPLE> row(std::size_t(kWidth) * 3);
    std::uint32_t seed = 12345;
    while (c.next_scanline < c.image_height) {
        const int y = int(c.next_scanline);
        for (int x = 0; x < kWidth; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = int(seed >> 28) - 8;
            const int base = (x * 255 / kWidth + y * 255 / kHeight) / 2;
            row[x * 3] = JSAMPLE(std::clamp(base + noise, 0, 255));
            row[x * 3 + 1] = JSAMPLE(std::clamp((x / 7 + y / 5) % 256 + noise, 0, 255));
            row[x * 3 + 2] = JSAMPLE(std::clamp(255 - base + noise, 0, 255));
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::fclose(f);
    return true;
}

// The file both sides decode: ORVANEL_BENCH_JPEG when given, else generated once.
const std::string& TestJpeg() {
    static const std::string path = [] {
        if (const char* given = std::getenv("ORVANEL_BENCH_JPEG")) return std::string(given);
        std::string p = QDir::tempPath().toStdString() + "/orvanel_bench_6000x4000.jpg";
        if (!QFile::exists(QString::fromStdString(p))) WriteTestJpeg(p);
        return p;
    }();
    return path;
}

void BM_DecodeJpegIntoView(benchmark::State& state) {
    const QString path = QString::fromStdString(TestJpeg());
    tjpegoptions options; // start values: full size, best quality, 24-bit
    for (auto _ : state) {
        tjpegpicture picture;
        QString error;
        if (!DecodeJpegFile(path, options, picture, error)) {
            state.SkipWithError(error.toStdString().c_str());
            break;
        }
        benchmark::DoNotOptimize(picture.image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(kWidth) * kHeight);
}
BENCHMARK(BM_DecodeJpegIntoView)->Unit(benchmark::kMillisecond)->UseRealTime();

// djpeg writing a BMP to nowhere: its decode plus its own row conversion.
void BM_DjpegBmp(benchmark::State& state) {
    const std::string cmd = "djpeg -bmp -outfile /dev/null '" + TestJpeg() + "'";
    if (std::system("command -v djpeg >/dev/null 2>&1") != 0) {
        state.SkipWithError("djpeg not installed (package libjpeg-turbo-progs)");
        return;
    }
    for (auto _ : state) {
        if (std::system(cmd.c_str()) != 0) {
            state.SkipWithError("djpeg failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(kWidth) * kHeight);
}
BENCHMARK(BM_DjpegBmp)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
