// The stereo window: the reference pair's fallbacks, the offsets of the
// calculation modes, the cancel command and the slider.
#include "montage/stereowindow.h"

#include "alignhost.h"
#include "core/runflags.h"
#include "core/settings.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const double kPi = 3.14159265358979323846;

// Records what the window placement asks of the crop modes and the slider.
class twindowhost : public trecordinghost {
public:
    using trecordinghost::trecordinghost;
    std::vector<int> slider;
    int cropReruns = 0;
    int autoCrops = 0;
    bool cropShown = false;
    void RerunCropMode() override { ++cropReruns; }
    void SetAutomaticCrop() override { ++autoCrops; }
    bool CropShown() const override { return cropShown; }
    void ShowWindowSlider(int position) override { slider.push_back(position); }
};

class StereoWindow : public ::testing::Test {
protected:
    void SetUp() override {
        MakeBlankPair(pair);
        InfinityFraction = 0.0417;
        WinRatioW = WinRatioH = 0;
        Settings.AutoCrop = true;
        Settings.DefCalcIndex = 0;
    }
    timg& L() { return pair.ImgLeft; }
    timg& R() { return pair.ImgRight; }
    void Both(int index, double xl, double yl, double xr, double yr) {
        L().PlacePoint(index, xl, yl);
        R().PlacePoint(index, xr, yr);
    }

    tviewpair pair;
    twindowhost host{pair};
};

} // namespace

TEST_F(StereoWindow, ReferencePairFallsBackFromW1ToCToThePictureCentres) {
    const struct {
        const char* what;
        bool w1Left, w1Right, centre;
        int rightWidth;
        double offset;
        double posx, posy; // the right view's shift afterwards
    } cases[] = {
        // W1 400 / 380, C at equal heights: 400 - 380.
        {"W1 in the window plane", true, true, true, 400, 0, 20, 0},
        {"W1 with an offset", true, true, true, 400, 10, 30, 0},
        // C (100, 100) / (110, 95): x 100 - 110, the C points at one height.
        {"W1 in one view only: C", true, false, true, 400, 0, -10, 5},
        {"no W1: C", false, false, true, 400, 0, -10, 5},
        // Centres 200 / 202 (404 div 2); the vertical shift difference kept: 3 - 7.
        {"no W1, no C: centres", false, false, false, 404, 0, -2, -4},
        {"centres with an offset", false, false, false, 404, 7.5, 5.5, -4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        L().bitmap = NewViewBitmap(400, 300);
        R().bitmap = NewViewBitmap(c.rightWidth, 300);
        L().Reset();
        R().Reset();
        L().posx = 11;
        L().posy = 3;
        R().posx = -50;
        R().posy = 7;
        if (c.w1Left) L().PlacePoint(PtWin1, 400, 120);
        if (c.w1Right) R().PlacePoint(PtWin1, 380, 140);
        if (c.centre) {
            if (c.w1Left && c.w1Right)
                Both(PtStereo0, 100, 100, 110, 100);
            else
                Both(PtStereo0, 100, 100, 110, 95);
        }
        PlaceStereoWindow(host, c.offset);
        EXPECT_DOUBLE_EQ(L().posx, 0);
        EXPECT_DOUBLE_EQ(L().posy, 0);
        EXPECT_DOUBLE_EQ(R().posx, c.posx);
        EXPECT_DOUBLE_EQ(R().posy, c.posy);
    }
}

TEST_F(StereoWindow, RotatedViewKeepsItsTurnAndIsShiftedOnTheMontagePlane) {
    Both(PtStereo0, 100, 100, 100, 100);
    Both(PtWin1, 300, 100, 200, 100);
    R().SetRot(kPi / 2);
    PlaceStereoWindow(host, 0);
    // The right W1 turned a quarter about C lands at (100, 0): 300 - 100.
    EXPECT_NEAR(R().posx, 200, 1e-9);
    EXPECT_NEAR(R().rot, kPi / 2, 1e-12);
    EXPECT_NEAR(MontagePosition(R(), PtWin1).x(), MontagePosition(L(), PtWin1).x(), 1e-9);
}

TEST_F(StereoWindow, PlacingRerunsTheCropModeRedrawsAndMovesTheSlider) {
    PlaceStereoWindow(host, 83.5);
    EXPECT_EQ(host.cropReruns, 1);
    EXPECT_GE(host.composes, 1);
    ASSERT_EQ(host.slider.size(), 1u);
    EXPECT_EQ(host.slider.back(), 84); // ties go to even
}

TEST_F(StereoWindow, RightFrameOriginFollowsTheDisplayFrame) {
    R().mancropd = true;
    R().mancropw = 100;
    R().mancroph = 80;
    host.frame = {30, 20, 50, 40};
    host.ZoomValue = 2;
    Both(PtWin1, 200, 100, 150, 100);
    PlaceStereoWindow(host, 0);
    // Right posx 50: the screen point (30, 20) at zoom 2 is picture (60 - 50, 40).
    EXPECT_DOUBLE_EQ(R().mancropl, 10);
    EXPECT_DOUBLE_EQ(R().mancropt, 40);
}

TEST_F(StereoWindow, ModeOffsetsFollowTheWindowTheyMeasure) {
    // 1200 x 900 pictures, the right one shifted 200: a 1000 x 900 window.
    L().bitmap = NewViewBitmap(1200, 900);
    R().bitmap = NewViewBitmap(1200, 900);
    L().Reset();
    R().Reset();
    R().posx = 200;
    const struct {
        const char* what;
        bool autoCrop;
        int ratioW, ratioH;
        bool frame;
        double user, film, digital, image;
    } cases[] = {
        // 1000 x 0.0417, 1.5 x 900 x 0.0417, 900 x 4/3 x 0.0417, 1200 x 0.0417.
        {"automatic window", true, 0, 0, false, 41.7, 56.295, 50.04, 50.04},
        // 4:3 cuts 1000 x 900 to 1000 x 750.
        {"automatic window 4:3", true, 4, 3, false, 41.7, 46.9125, 41.7, 50.04},
        // The left manual frame 800 x 600.
        {"manual frame", false, 0, 0, true, 33.36, 37.53, 33.36, 50.04},
        {"no frame", false, 0, 0, false, 0, 0, 0, 50.04},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Settings.AutoCrop = c.autoCrop;
        WinRatioW = c.ratioW;
        WinRatioH = c.ratioH;
        L().mancropd = c.frame;
        L().mancropw = 800;
        L().mancroph = 600;
        EXPECT_NEAR(WindowModeOffset(pair, CalcAtWindow), 0, 1e-12);
        EXPECT_NEAR(WindowModeOffset(pair, CalcUserWidth), c.user, 1e-9);
        EXPECT_NEAR(WindowModeOffset(pair, CalcFilmHeight), c.film, 1e-9);
        EXPECT_NEAR(WindowModeOffset(pair, CalcDigitalHeight), c.digital, 1e-9);
        EXPECT_NEAR(WindowModeOffset(pair, CalcImageWidth), c.image, 1e-9);
        EXPECT_NEAR(WindowModeOffset(pair, CalcCancel), 0, 1e-12);
    }
    // No picture: nothing to measure.
    tviewpair empty;
    Settings.AutoCrop = true;
    EXPECT_EQ(WindowModeOffset(empty, CalcUserWidth), 0);
    EXPECT_EQ(WindowModeOffset(empty, CalcImageWidth), 0);
}

TEST_F(StereoWindow, ImageWidthModeOnA2000PixelPicture) {
    L().bitmap = NewViewBitmap(2000, 1500);
    R().bitmap = NewViewBitmap(2000, 1500);
    L().Reset();
    R().Reset();
    RunWindowMode(host, CalcImageWidth);
    // 2000 x 0.0417; the slider first at 0, then at the rounded offset.
    EXPECT_NEAR(R().posx, 83.4, 1e-9);
    EXPECT_EQ(host.slider, (std::vector<int>{0, 83}));
    EXPECT_EQ(Settings.DefCalcIndex, CalcImageWidth);
}

TEST_F(StereoWindow, CancelCentresTheWindowWithoutChangingTheRememberedMode) {
    Both(PtWin1, 400, 120, 380, 140);
    R().posx = 20;
    Settings.DefCalcIndex = CalcFilmHeight;
    RunWindowMode(host, CalcCancel);
    EXPECT_DOUBLE_EQ(L().posx, 0);
    EXPECT_DOUBLE_EQ(R().posx, 0);
    EXPECT_EQ(Settings.DefCalcIndex, CalcFilmHeight);
    for (timg* v : {&L(), &R()}) {
        EXPECT_TRUE(v->pt[PtWin2].d);
        EXPECT_DOUBLE_EQ(v->pt[PtWin2].x, 200);
        EXPECT_DOUBLE_EQ(v->pt[PtWin2].y, 150);
    }
    // W1 is the reference pair again afterwards.
    PlaceStereoWindow(host, 0);
    EXPECT_DOUBLE_EQ(R().posx, 20);
}

TEST_F(StereoWindow, SliderMovesTheLeftViewAndItsArrowsSwitchOnTheCrop) {
    host.LeftCurrent = false;
    SlideWindow(host, 3, 10);
    EXPECT_TRUE(host.LeftCurrent);
    EXPECT_DOUBLE_EQ(L().posx, 7);
    EXPECT_DOUBLE_EQ(R().posx, 0);

    // The manual step at 100 %: 5 pixels; the crop switched on only once shown.
    SlideWindowStep(host, false);
    EXPECT_EQ(host.autoCrops, 1);
    EXPECT_DOUBLE_EQ(L().posx, 2);
    host.cropShown = true;
    SlideWindowStep(host, true);
    EXPECT_EQ(host.autoCrops, 1);
    EXPECT_DOUBLE_EQ(L().posx, 7);
}
