// Manual moves and rotations, quick rotations with their orientation codes,
// and the cancellation commands.
#include "montage/manualmoves.h"

#include "alignhost.h"
#include "core/runflags.h"
#include "core/settings.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const double kPi = 3.14159265358979323846;

class ManualMoves : public ::testing::Test {
protected:
    void SetUp() override {
        MakeBlankPair(pair, 40, 30);
        gBusy = false;
    }
    tviewpair pair;
    trecordinghost host{pair};
    timg& L() { return pair.ImgLeft; }
    timg& R() { return pair.ImgRight; }
};

} // namespace

TEST_F(ManualMoves, StepFollowsZoomAndPrecision) {
    struct {
        double zoom; // picture pixels per screen pixel
        bool precision;
        double step;
    } cases[] = {{1, false, 5}, {1, true, 1}, {0.5, false, 1}, {0.5, true, 0.25}, {4, false, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "zoom " << c.zoom << " precision " << c.precision);
        L().SetPos(10, 20);
        host.ZoomValue = c.zoom;
        host.Precision = c.precision;
        ManualMove(host, MoveUp);
        EXPECT_EQ(L().posy, 10 - c.step);
        EXPECT_EQ(L().posx, 20);
    }
}

TEST_F(ManualMoves, EachDirectionMovesOnlyTheCurrentView) {
    host.LeftCurrent = false;
    ManualMove(host, MoveDown);
    ManualMove(host, MoveRight);
    ManualMove(host, MoveRight);
    ManualMove(host, MoveLeft);
    EXPECT_EQ(R().posy, 5);
    EXPECT_EQ(R().posx, 5);
    EXPECT_EQ(L().posx, 0);
    EXPECT_EQ(L().posy, 0);
    EXPECT_GE(host.composes, 4); // every move shows
}

TEST_F(ManualMoves, ManualRotationFollowsRotationItem) {
    ManualRotate(host, -1, true); // no item chosen
    EXPECT_EQ(L().rot, 0);
    ManualRotate(host, 0, true);
    EXPECT_NEAR(L().rot, 2 * kPi - kPi / 180, 1e-12);
    EXPECT_EQ(R().rot, 0);
    ManualRotate(host, 1, false);
    EXPECT_NEAR(L().rot, 0, 1e-12);
    EXPECT_NEAR(R().rot, kPi / 180, 1e-12);
}

TEST_F(ManualMoves, OrientationCodesFollowTurnsAndMirrors) {
    Settings.DefRotationsIndex = 0;
    RunQuickRotation(host, QuickView90);
    EXPECT_EQ(host.codes[0], "90");
    EXPECT_EQ(host.codes[1], "0");
    EXPECT_EQ(Settings.DefRotationsIndex, QuickView90);
    RunQuickRotation(host, QuickMirrorRows);
    EXPECT_EQ(host.codes[0], "90H");
    RunQuickRotation(host, QuickMirrorRows);
    EXPECT_EQ(host.codes[0], "90");
    RunQuickRotation(host, QuickViewCancel);
    EXPECT_EQ(host.codes[0], "0");
    EXPECT_EQ(L().autorot, 0);
    RunQuickRotation(host, QuickMirrorRows);
    RunQuickRotation(host, QuickMirrorColumns);
    EXPECT_EQ(host.codes[0], "180");
    RunQuickRotation(host, QuickMirrorColumns);
    EXPECT_EQ(host.codes[0], "180V");
}

TEST_F(ManualMoves, PairTurnsAndTheirCancel) {
    L().PlacePoint(PtStereo1, 10, 20);
    RunQuickRotation(host, QuickCouple90);
    EXPECT_EQ(host.codes[0], "90");
    EXPECT_EQ(host.codes[1], "90");
    EXPECT_EQ(L().Width(), 30);
    // (x, y) -> (H - y, x) with H = 30.
    EXPECT_EQ(L().pt[PtStereo1].x, 10);
    EXPECT_EQ(L().pt[PtStereo1].y, 10);
    RunQuickRotation(host, QuickCouple270);
    EXPECT_EQ(host.codes[0], "0");
    RunQuickRotation(host, QuickCouple180);
    RunQuickRotation(host, QuickCoupleCancel);
    EXPECT_EQ(host.codes[0], "0");
    EXPECT_EQ(host.codes[1], "0");
    EXPECT_EQ(L().autorot, 0);
    EXPECT_EQ(L().pt[PtStereo1].x, 10);
    EXPECT_EQ(L().pt[PtStereo1].y, 20);
    // The cancels are not remembered as the item to repeat.
    EXPECT_EQ(Settings.DefRotationsIndex, QuickCouple180);
}

TEST_F(ManualMoves, CancellingCurrentViewKeepsOtherViewsCode) {
    RunQuickRotation(host, QuickCouple180);
    host.LeftCurrent = false;
    RunQuickRotation(host, QuickViewCancel);
    EXPECT_EQ(host.codes[0], "180");
    EXPECT_EQ(host.codes[1], "0");
    EXPECT_EQ(R().autorot, 0);
    EXPECT_EQ(L().autorot, 180);
}

TEST_F(ManualMoves, RememberedQuickRotationIsBroughtIntoSubmenu) {
    EXPECT_EQ(QuickRotationIndex(12), 12);
    EXPECT_EQ(QuickRotationIndex(6), 6);
    EXPECT_EQ(QuickRotationIndex(13), 0);
    EXPECT_EQ(QuickRotationIndex(-4), 0);
}

TEST_F(ManualMoves, ClearingCurrentPointKeepsOtherViewsPoint) {
    L().PlacePoint(PtStereo1, 5, 6);
    R().PlacePoint(PtStereo1, 7, 8);
    CurPoint = PtStereo1;
    host.LeftCurrent = false;
    ClearCurrentPoint(host);
    EXPECT_FALSE(R().pt[PtStereo1].d);
    EXPECT_TRUE(L().pt[PtStereo1].d);
}

TEST_F(ManualMoves, CancellingRotationsKeepsShiftsAndCancellingLevellingKeepsRotations) {
    L().SetRot(1);
    R().SetRot(2);
    L().SetPos(3, 4);
    R().SetPos(-5, 6);
    gBusy = true;
    RazRotation(host);
    EXPECT_FALSE(gBusy);
    EXPECT_EQ(L().rot, 0);
    EXPECT_EQ(R().rot, 0);
    EXPECT_EQ(L().posx, 4);
    EXPECT_EQ(R().posy, -5);
    R().SetRot(2);
    CancelLevelling(host);
    EXPECT_EQ(L().posx, 0);
    EXPECT_EQ(L().posy, 0);
    EXPECT_EQ(R().posx, 0);
    EXPECT_EQ(R().posy, 0);
    EXPECT_EQ(R().rot, 2);
}

TEST_F(ManualMoves, ResettingParametersKeepsPictures) {
    L().PlacePoint(PtStereo1, 5, 6);
    R().SetRot(1);
    L().filename = "l.jpg";
    CurPoint = 3;
    PointsLocked = true;
    Settings.GridIndex = 2;
    ResetParameters(host);
    EXPECT_FALSE(L().pt[PtStereo1].d);
    EXPECT_EQ(R().rot, 0);
    EXPECT_EQ(L().filename, "l.jpg");
    EXPECT_EQ(L().Width(), 40);
    EXPECT_EQ(CurPoint, 0);
    EXPECT_FALSE(PointsLocked);
    EXPECT_EQ(Settings.GridIndex, 0);
}
