// Time of one display composition: two 6000 x 4000 views into a 1920 x 1080
// drawing surface at the fitted zoom, with and without smoothing.
#include "core/settings.h"
#include "core/viewpair.h"
#include "display/displaystate.h"
#include "engine/transform.h"

#include <benchmark/benchmark.h>

#include <QImage>

namespace {

QImage Textured(int w, int h, unsigned salt) {
    QImage img = NewViewBitmap(w, h);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<unsigned*>(img.scanLine(y));
        for (int x = 0; x < w; ++x)
            row[x] = 0xFF000000u | ((x * 3 + y + salt) & 0xFF) << 16 | ((x ^ y) & 0xFF) << 8 |
                     ((y * 5 + salt) & 0xFF);
    }
    return img;
}

// The pair is made once: filling 2 x 96 MB takes longer than the composition.
tviewpair& Pair() {
    static tviewpair pair = [] {
        tviewpair p;
        p.ImgLeft.bitmap = Textured(6000, 4000, 0);
        p.ImgLeft.Reset();
        p.ImgRight.bitmap = Textured(6000, 4000, 77);
        p.ImgRight.Reset();
        p.ImgRight.SetRotation(0.01, 2000, 3000); // a levelled pair is slightly turned
        p.ImgRight.SetPos(4, -25);
        return p;
    }();
    return pair;
}

void Compose(benchmark::State& state) {
    Settings = tsettings();
    Settings.VisuCurrent = true;
    Settings.VisionMode = int(state.range(0));
    Settings.Smoothing = state.range(1) != 0;
    tdisplaystate d(Pair());
    d.SetClientSize(1920 + 7, 1080 + 7 + 20); // a 1920 x 1080 drawing surface
    d.UpdateLayout();
    d.FitZoom(true);
    d.Compose();
    SetEngineThreads(int(state.range(2)));
    for (auto _ : state) {
        d.Compose();
        benchmark::DoNotOptimize(d.BmpWork.constBits());
    }
    state.SetLabel(QStringLiteral("%1, %2, zoom %3 %%4")
                       .arg(VisionModeNames[Settings.VisionMode], Settings.Smoothing
                                                                      ? QStringLiteral("smoothed")
                                                                      : QStringLiteral("nearest"))
                       .arg(d.ZoomPercent, 0, 'f', 1)
                       .arg(state.range(2) > 1 ? QStringLiteral(", %1 threads").arg(state.range(2))
                                               : QString())
                       .toStdString());
}

} // namespace

// Arguments: vision mode, smoothing, engine threads.
BENCHMARK(Compose)
    ->Args({VisionParallel, 0, 1})
    ->Args({VisionParallel, 1, 1})
    ->Args({VisionAnaglyph, 0, 1})
    ->Args({VisionAnaglyph, 1, 1})
    ->Args({VisionParallel, 1, 2})
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
