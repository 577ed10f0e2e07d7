// The alignment commands over the display state: current view, scroll, zoom
// steps and the Montage window's hooks.
#include "montage/alignmenthost.h"

#include "app/runflags.h"
#include "app/settings.h"
#include "display/displaystate.h"
#include "montage/manualmoves.h"

#include <gtest/gtest.h>

namespace {

class DisplayHost : public ::testing::Test {
protected:
    void SetUp() override {
        Settings = tsettings();
        Settings.VisionMode = 1; // parallel: the left view in the first slot
        CurPoint = 0;
        for (timg* v : {&pair.ImgLeft, &pair.ImgRight}) {
            v->bitmap = NewViewBitmap(200, 100);
            v->Reset();
        }
        display.SetClientSize(607, 427);
        display.UpdateLayout();
        host.Hooks.AngleInfo = [this] { ++angleTexts; };
    }
    void TearDown() override { Settings = tsettings(); }

    tviewpair pair;
    tdisplaystate display{pair};
    tdisplayalignhost host{display};
    int angleTexts = 0;
};

} // namespace

TEST_F(DisplayHost, CurrentViewFollowsTheDisplaySlots) {
    EXPECT_TRUE(host.LeftIsCurrent());
    host.MakeCurrent(false);
    EXPECT_EQ(display.GetCurrent().img, &pair.ImgRight);
    EXPECT_FALSE(host.LeftIsCurrent());
    host.MakeCurrent(true);
    EXPECT_TRUE(host.LeftIsCurrent());
}

TEST_F(DisplayHost, LevellingMovesTheDisplayScrollToKeepThePointStill) {
    pair.ImgLeft.PlacePoint(PtStereo0, 100, 50);
    pair.ImgRight.PlacePoint(PtStereo0, 90, 60);
    pair.ImgLeft.SetPos(7, -3); // the left picture shifted by (-3, 7)
    display.SetScroll(20, 10);
    CurPoint = PtStereo0;
    LevelOnCentre(host);
    EXPECT_EQ(display.ScrollX, 10 - 3);
    EXPECT_EQ(display.ScrollY, 20 + 7);
    EXPECT_EQ(pair.ImgRight.posx, 10);
    EXPECT_EQ(pair.ImgRight.posy, -10);
}

TEST_F(DisplayHost, ManualStepsFollowTheDisplayZoomAndPrecisionHook) {
    display.SetZoomCentred(0.5);
    display.ZoomPercent = 200;
    ManualMove(host, MoveUp);
    EXPECT_EQ(pair.ImgLeft.posy, -1);
    host.Hooks.PrecisionMode = [] { return true; };
    ManualMove(host, MoveUp);
    EXPECT_EQ(pair.ImgLeft.posy, -1.25);
}

TEST_F(DisplayHost, RotationsRewriteTheAngleText) {
    Rotate(host, RotateBoth, 0);
    EXPECT_EQ(angleTexts, 2);
}
