// Time of the clipboard paths on one core: pasting a 24-megapixel picture
// into the views, and composing a pair of that size as the parallel picture
// that a copy puts on the clipboard.
#include "core/qimageview.h"
#include "core/settings.h"
#include "core/stereokinds.h"
#include "core/timg.h"
#include "core/viewpair.h"
#include "engine/transform.h"
#include "input/pictureexchange.h"
#include "output/savepass.h"

#include <benchmark/benchmark.h>

#include <QImage>

namespace {

QImage Textured(int w, int h, unsigned salt, QImage::Format format) {
    QImage img(w, h, format);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<unsigned*>(img.scanLine(y));
        for (int x = 0; x < w; ++x)
            row[x] = 0xFF000000u | ((x * 3 + y + salt) & 0xFF) << 16 | ((x ^ y) & 0xFF) << 8 |
                     ((y * 5 + salt) & 0xFF);
    }
    return img;
}

// The display host of a paste, without a window: only the pair is kept.
class tbenchhost : public tdisplayhost {
public:
    tviewpair pair;
    tviewpair& Pair() override { return pair; }
    void ShowMessage(const QString&) override {}
    void SetColorMask(quint32) override {}
    void SetTransp1(int) override {}
    void ResetSlot(const timg&) override {}
    void MakeCurrent(const timg&) override {}
    void SetScrollRanges(int, int) override {}
    QSize DisplayArea(const timg&) const override { return QSize(1920, 1080); }
    void CentreOnArea(const timg&) override {}
    void SetDisplayCentre(const timg&, double, double) override {}
    void Redraw() override {}
    void Recompose() override {}
    void RefreshCaption() override {}
    void RefreshSaveSizes() override {}
    void ShowFirstMontageTab() override {}
    QStringList AskOpenPictures(const QString&, const QString&, const QString&, bool) override {
        return {};
    }
    void ReduceView(timg&, double) override {}
    void ReadParameterFile() override {}
};

// A clipboard picture usually arrives without alpha (RGB32) and is made a
// view bitmap on the way in.
void PasteStereo24MP(benchmark::State& state) {
    Settings = tsettings();
    SetEngineThreads(1);
    texchangecontent content;
    content.picture = Textured(6000, 4000, 3, QImage::Format_RGB32);
    for (auto _ : state) {
        tbenchhost host;
        tviewloader loader(host);
        tpictureexchange x(loader, host);
        x.PasteStereo(content, host.pair.ImgLeft);
        benchmark::DoNotOptimize(host.pair.ImgLeft.bitmap.constBits());
    }
}
BENCHMARK(PasteStereo24MP)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void CopyStereo24MP(benchmark::State& state) {
    Settings = tsettings();
    SetEngineThreads(1);
    static tviewpair pair = [] {
        tviewpair p;
        p.StereoType = KindPair;
        p.ImgLeft.bitmap = Textured(6000, 4000, 0, QImage::Format_ARGB32);
        p.ImgLeft.Reset();
        p.ImgRight.bitmap = Textured(6000, 4000, 77, QImage::Format_ARGB32);
        p.ImgRight.Reset();
        p.ImgRight.SetRotation(0.01, 2000, 3000);
        return p;
    }();
    for (auto _ : state) {
        EngineBitmap out;
        RenderKindBitmap(pair, KindParallel, 0, 0, 4000, 6000, false, out);
        const QImage picture = ToQImage(out);
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(CopyStereo24MP)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
