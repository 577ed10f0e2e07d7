// Time from "Previsu" to a picture for the preview window: two 6000 x 4000
// views composed in each presentation at the save dialog's default size
// ("Taille Réelle", the frame's own), as a bitmap name and as a JPEG name.
#include "core/jpegdefaults.h"
#include "core/qimageview.h"
#include "core/viewpair.h"
#include "engine/transform.h"
#include "output/savepass.h"
#include "output/sourceframe.h"

#include "bigpair.h"

#include <benchmark/benchmark.h>

#include <QImage>

#include <cmath>

namespace {

const char* KindName(int kind) {
    switch (kind) {
    case KindCrossed:
        return "X";
    case KindParallel:
        return "P";
    case KindOverUnder:
        return "V";
    default:
        return "A";
    }
}

// Arguments: output kind, JPEG name, engine threads.
void Preview(benchmark::State& state) {
    const int kind = int(state.range(0));
    const bool jpeg = state.range(1) != 0;
    ResetJpegOptions(JpegDefaults, true, true);
    const tviewpair& pair = BigPair();
    // "Taille Réelle": one view of the output is the automatic frame's size.
    const tcommonframe frame = ComputeSourceFrame(&pair.ImgLeft, &pair.ImgRight, false, 0, 0);
    const int w = int(std::trunc(frame.width)), h = int(std::trunc(frame.height));
    const QString name = jpeg ? QStringLiteral("3d.jpg") : QStringLiteral("3d.bmp");
    SetEngineThreads(int(state.range(2)));
    QImage picture;
    for (auto _ : state) {
        picture = QImage();
        if (!RenderKindPreview(pair, name, kind, 0, 0, h, w, picture)) {
            state.SkipWithError("no preview");
            break;
        }
        benchmark::DoNotOptimize(picture.constBits());
    }
    SetEngineThreads(1);
    state.SetLabel(QStringLiteral("%1 %2, view %3 x %4, preview %5 x %6, %7 thread(s)")
                       .arg(QLatin1String(KindName(kind)), jpeg ? "jpg" : "bmp")
                       .arg(w)
                       .arg(h)
                       .arg(picture.width())
                       .arg(picture.height())
                       .arg(state.range(2))
                       .toStdString());
}

// What the preview cost when it composed the whole output: the crossed pair
// at its own size, for comparison.
void FullSizeCrossed(benchmark::State& state) {
    const tviewpair& pair = BigPair();
    const tcommonframe frame = ComputeSourceFrame(&pair.ImgLeft, &pair.ImgRight, false, 0, 0);
    const int w = int(std::trunc(frame.width)), h = int(std::trunc(frame.height));
    SetEngineThreads(int(state.range(0)));
    for (auto _ : state) {
        EngineBitmap bitmap;
        if (!RenderKindBitmap(pair, KindCrossed, 0, 0, h, w, false, bitmap)) {
            state.SkipWithError("no picture");
            break;
        }
        QImage picture = ToQImage(bitmap);
        benchmark::DoNotOptimize(picture.constBits());
    }
    SetEngineThreads(1);
    state.SetLabel(
        QStringLiteral("X bmp at full size, %1 thread(s)").arg(state.range(0)).toStdString());
}

} // namespace

BENCHMARK(FullSizeCrossed)->Arg(1)->Arg(2)->Iterations(2)->Unit(benchmark::kMillisecond);

BENCHMARK(Preview)
    ->ArgsProduct({{KindParallel, KindCrossed, KindOverUnder, KindAnaglyph}, {0, 1}, {1, 2}})
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
