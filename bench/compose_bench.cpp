// Time of one display composition: two 6000 x 4000 views into a 1920 x 1080
// drawing surface at the fitted zoom, with and without smoothing; and one step
// of the stereo window's slider (move, crop, compose).
#include "core/settings.h"
#include "core/viewpair.h"
#include "display/displaystate.h"
#include "engine/transform.h"
#include "montage/alignment.h"
#include "montage/stereowindow.h"

#include "bigpair.h"

#include <benchmark/benchmark.h>

#include <QImage>

namespace {

void Compose(benchmark::State& state) {
    Settings = tsettings();
    Settings.VisuCurrent = true;
    Settings.VisionMode = int(state.range(0));
    Settings.Smoothing = state.range(1) != 0;
    tdisplaystate d(BigPair());
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

// The slider's host: the display recomposes on every step.
class tsliderhost : public tplaindisplay {
public:
    tsliderhost(tviewpair& pair, tdisplaystate& display) : tplaindisplay(pair), d_(display) {}
    void Compose() override { d_.Compose(); }

private:
    tdisplaystate& d_;
};

// One thumb step: the left view moves a pixel, the automatic crop follows,
// the display is composed (smoothed, as the automatic crop sets it).
void SliderStep(benchmark::State& state) {
    Settings = tsettings();
    Settings.VisuCurrent = true;
    Settings.VisionMode = VisionParallel;
    Settings.Smoothing = true;
    Settings.CropIndex = 1;
    tviewpair& pair = BigPair();
    tdisplaystate d(pair);
    d.CropOn = true;
    d.SetClientSize(1920 + 7, 1080 + 7 + 20);
    d.UpdateLayout();
    d.FitZoom(true);
    tsliderhost host(pair, d);
    SetEngineThreads(int(state.range(0)));
    const double start = pair.ImgLeft.posx;
    int position = 0;
    for (auto _ : state) {
        // Back and forth over a few pixels, so the views stay where they were.
        const int next = position == 8 ? 0 : position + 1;
        SlideWindow(host, position, next);
        position = next;
        benchmark::DoNotOptimize(d.BmpWork.constBits());
    }
    pair.ImgLeft.posx = start;
    state.SetLabel(
        QStringLiteral("slider step, zoom %1 %").arg(d.ZoomPercent, 0, 'f', 1).toStdString());
}

} // namespace

BENCHMARK(SliderStep)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// Arguments: vision mode, smoothing, engine threads.
BENCHMARK(Compose)
    ->Args({VisionParallel, 0, 1})
    ->Args({VisionParallel, 1, 1})
    ->Args({VisionAnaglyph, 0, 1})
    ->Args({VisionAnaglyph, 1, 1})
    ->Args({VisionParallel, 1, 2})
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
