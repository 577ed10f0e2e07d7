// Levelling, "Caler en Rotation", the rotation steps, the homologue rotation
// and its demo loop, checked on the montage plane.
#include "montage/alignment.h"

#include "alignhost.h"
#include "core/runflags.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const double kPi = 3.14159265358979323846;
const double kDeg = kPi / 180;

class Alignment : public ::testing::Test {
protected:
    void SetUp() override {
        MakeBlankPair(pair);
        gBusy = false;
        CurPoint = 1;
    }
    timg& L() { return pair.ImgLeft; }
    timg& R() { return pair.ImgRight; }
    // Places C and A1 of a view, A1 given relative to C (y downwards).
    void PlaceCA(timg& v, double cx, double cy, double ax, double ay) {
        v.PlacePoint(PtStereo0, cx, cy);
        v.PlacePoint(PtStereo1, cx + ax, cy + ay);
    }
    QPointF M(timg& v, int i) { return MontagePosition(v, i); }

    tviewpair pair;
    trecordinghost host{pair};
};

} // namespace

TEST_F(Alignment, MontagePositionTurnsCounterClockwiseAboutCentreThenShifts) {
    L().PlacePoint(PtStereo0, 100, 100);
    L().SetRot(kPi / 2);
    L().SetPos(3, 7);
    // A point 10 px right of the centre ends 10 px above it on the screen.
    const QPointF m = MontagePosition(L(), 110, 100);
    EXPECT_NEAR(m.x(), 107, 1e-12);
    EXPECT_NEAR(m.y(), 93, 1e-12);
}

TEST_F(Alignment, LevellingPutsRightCentreOnLeftCentre) {
    L().PlacePoint(PtStereo0, 100, 100);
    R().PlacePoint(PtStereo0, 110, 95);
    LevelOnCentre(host);
    EXPECT_EQ(L().posx, 0);
    EXPECT_EQ(L().posy, 0);
    EXPECT_EQ(R().posx, -10);
    EXPECT_EQ(R().posy, 5);
    EXPECT_GE(host.composes, 1); // the levelled pair is shown
}

TEST_F(Alignment, LevellingRemovesRotationsAndKeepsCurrentPointStillOnScreen) {
    L().PlacePoint(PtStereo0, 100, 100);
    R().PlacePoint(PtStereo0, 110, 95);
    L().PlacePoint(PtStereo1, 300, 50);
    L().SetRot(0.3);
    L().SetPos(12, -8);
    R().SetRot(5.9);
    host.ZoomValue = 2;
    host.Scroll[0] = 30;
    host.Scroll[1] = -40;
    CurPoint = PtStereo1;
    // Screen offset of A1 before: (M + scroll) / zoom.
    const QPointF before = (M(L(), PtStereo1) + QPointF(30, -40)) / 2;
    LevelOnCentre(host);
    EXPECT_EQ(L().rot, 0);
    EXPECT_EQ(R().rot, 0);
    const QPointF after = (M(L(), PtStereo1) + QPointF(host.Scroll[0], host.Scroll[1])) / 2;
    EXPECT_NEAR(after.x(), before.x(), 1e-9);
    EXPECT_NEAR(after.y(), before.y(), 1e-9);
    // The two C points fall together.
    EXPECT_NEAR(M(L(), PtStereo0).x(), M(R(), PtStereo0).x(), 1e-12);
    EXPECT_NEAR(M(L(), PtStereo0).y(), M(R(), PtStereo0).y(), 1e-12);
}

TEST_F(Alignment, LevellingWithoutCentrePairDoesNothing) {
    L().PlacePoint(PtStereo0, 100, 100);
    R().SetPos(4, 5);
    R().SetRot(1);
    gBusy = true;
    LevelOnCentre(host);
    EXPECT_FALSE(gBusy);
    EXPECT_EQ(R().posx, 5);
    EXPECT_EQ(R().rot, 1);
    EXPECT_EQ(host.composes, 0);
}

TEST_F(Alignment, RotationTurnsLongerVectorWhicheverViewIsCurrent) {
    // Left A1 100 right and 10 above, right A1 100 right and 20 above.
    const double expected =
        2 * kPi + std::asin(10 / std::sqrt(100.0 * 100 + 20 * 20)) - std::atan(20.0 / 100);
    for (bool leftCurrent : {true, false}) {
        SCOPED_TRACE(leftCurrent ? "left current" : "right current");
        MakeBlankPair(pair);
        PlaceCA(L(), 150, 120, 100, -10);
        PlaceCA(R(), 160, 110, 100, -20);
        host.LeftCurrent = leftCurrent;
        AlignRotation(host);
        EXPECT_TRUE(host.LeftCurrent); // the shorter vector's view
        EXPECT_EQ(L().rot, 0);
        EXPECT_NEAR(R().rot, expected, 1e-12);
        EXPECT_NEAR(R().rot / kDeg, 354.32, 0.005);
        // Right A1 now 10 px above C, like the left one; parallax kept on the right.
        EXPECT_NEAR(M(R(), PtStereo1).y(), M(L(), PtStereo1).y(), 1e-9);
        EXPECT_GT(M(R(), PtStereo1).x(), M(R(), PtStereo0).x());
    }
}

TEST_F(Alignment, RotationTurnsLeftViewWhenItsVectorIsLonger) {
    PlaceCA(L(), 150, 120, 100, -20);
    PlaceCA(R(), 150, 120, 100, -10);
    host.LeftCurrent = true;
    AlignRotation(host);
    EXPECT_FALSE(host.LeftCurrent);
    EXPECT_EQ(R().rot, 0);
    EXPECT_NEAR(L().rot, 2 * kPi + std::asin(10 / std::sqrt(10400.0)) - std::atan(0.2), 1e-12);
}

// Vectors of equal length (both sqrt(10400)): the current view stays current
// and keeps its orientation; the other one turns to bring its A1 to the same
// height.
TEST_F(Alignment, EqualVectorsKeepTheCurrentViewAndTurnTheOther) {
    for (bool leftCurrent : {true, false}) {
        SCOPED_TRACE(leftCurrent ? "left current" : "right current");
        MakeBlankPair(pair);
        PlaceCA(L(), 150, 120, 100, -20);
        PlaceCA(R(), 160, 110, 100, 20);
        host.LeftCurrent = leftCurrent;
        AlignRotation(host);
        EXPECT_EQ(host.LeftCurrent, leftCurrent);
        EXPECT_EQ((leftCurrent ? L() : R()).rot, 0);
        EXPECT_NE((leftCurrent ? R() : L()).rot, 0);
        EXPECT_NEAR(M(R(), PtStereo1).y(), M(L(), PtStereo1).y(), 1e-9);
    }
}

// Turning the driver's A1 across the vertical (100 degrees from nearly
// horizontal) leaves the follower's A1 on its own side of C, at the same
// height as the driver's.
TEST_F(Alignment, HomologueFollowerKeepsItsSideWhenTheDriverCrossesTheVertical) {
    PlaceCA(L(), 200, 150, 100, -10); // the shorter vector: the left view drives
    PlaceCA(R(), 200, 150, 102, -20);
    AlignRotation(host);
    for (double delta : {100 * kDeg, -100 * kDeg, 170 * kDeg}) {
        SCOPED_TRACE(delta / kDeg);
        RotateHomologue(host, delta);
        EXPECT_LT(M(L(), PtStereo1).x(), M(L(), PtStereo0).x()); // the driver crossed
        EXPECT_GT(M(R(), PtStereo1).x(), M(R(), PtStereo0).x()); // the follower did not
        EXPECT_NEAR(M(L(), PtStereo1).y(), M(R(), PtStereo1).y(), 1e-9);
        RotateHomologue(host, -delta);
    }
}

TEST_F(Alignment, VectorPointingLeftKeepsPointingLeft) {
    PlaceCA(L(), 200, 150, -100, -10);
    PlaceCA(R(), 200, 150, -100, -20);
    AlignRotation(host);
    EXPECT_LT(M(R(), PtStereo1).x(), M(R(), PtStereo0).x());
    EXPECT_NEAR(M(R(), PtStereo1).y(), M(L(), PtStereo1).y(), 1e-9);
    // Turned the short way, about +5.68 degrees.
    EXPECT_NEAR(R().rot, std::atan(0.2) - std::asin(10 / std::sqrt(10400.0)), 1e-12);
}

TEST_F(Alignment, RotationWithoutA1OnlyLevels) {
    L().PlacePoint(PtStereo0, 100, 100);
    R().PlacePoint(PtStereo0, 110, 95);
    L().PlacePoint(PtStereo1, 200, 90);
    R().SetRot(0.5);
    AlignRotation(host);
    EXPECT_EQ(R().rot, 0);
    EXPECT_EQ(R().posx, -10);
    EXPECT_EQ(R().posy, 5);
}

TEST_F(Alignment, OneClockwiseStepFromZeroReads359Degrees) {
    Rotate(host, RotateCurrent, 0);
    EXPECT_DOUBLE_EQ(L().rot, 2 * kPi - kPi / 180);
    EXPECT_EQ(QString::asprintf("%6.2f", L().rot * 180 / kPi), "359.00");
    EXPECT_EQ(R().rot, 0);
}

TEST_F(Alignment, RotationStepsBySizeDirectionAndPrecision) {
    host.LeftCurrent = false;
    Rotate(host, RotateCurrent, 3); // five degrees counter-clockwise
    EXPECT_NEAR(R().rot, 5 * kDeg, 1e-15);
    Rotate(host, RotateCurrent, 1);
    EXPECT_NEAR(R().rot, 0, 1e-15);
    host.Precision = true;
    Rotate(host, RotateBoth, 2);
    EXPECT_NEAR(L().rot, 0.1 * kDeg, 1e-15);
    EXPECT_NEAR(R().rot, 0.1 * kDeg, 1e-15);
    Rotate(host, RotateBoth, 7); // no such step: no turn
    EXPECT_NEAR(L().rot, 0.1 * kDeg, 1e-15);
    RotateBy(host, 5, 1.0); // no such mode
    EXPECT_NEAR(L().rot, 0.1 * kDeg, 1e-15);
}

TEST_F(Alignment, HomologueRotationKeepsA1AtSameHeightForEitherDriver) {
    // lenL >= lenR: the right view drives; otherwise the left one.
    struct tcase {
        double lx, ly, rx, ry;
    } cases[] = {{120, -30, 100, -10}, {100, -10, 120, -30}, {-90, 25, -110, 5}, {80, 0, 80, 0}};
    const double deltas[] = {-kDeg, kDeg, 5 * kDeg, -25 * kDeg, 100 * kDeg, -170 * kDeg};
    for (const tcase& c : cases) {
        for (double delta : deltas) {
            SCOPED_TRACE(testing::Message() << c.lx << "," << c.ly << " delta " << delta);
            MakeBlankPair(pair);
            PlaceCA(L(), 200, 150, c.lx, c.ly);
            PlaceCA(R(), 190, 160, c.rx, c.ry);
            LevelOnCentre(host);
            const bool rightDrives = std::hypot(c.lx, c.ly) >= std::hypot(c.rx, c.ry);
            RotateHomologue(host, delta);
            timg& driver = rightDrives ? R() : L();
            double want = std::fmod(delta + 2 * kPi, 2 * kPi);
            EXPECT_NEAR(driver.rot, want, 1e-12);
            EXPECT_NEAR(M(L(), PtStereo1).y(), M(R(), PtStereo1).y(), 1e-9);
        }
    }
}

TEST_F(Alignment, HomologueStepsKeepHeightsEqualThroughWholeTurn) {
    PlaceCA(L(), 200, 150, 100, -10);
    PlaceCA(R(), 200, 150, 102, -20);
    AlignRotation(host);
    for (int i = 0; i < 400; ++i) {
        Rotate(host, RotateHomologous, 0);
        ASSERT_NEAR(M(L(), PtStereo1).y(), M(R(), PtStereo1).y(), 1e-9) << "step " << i;
    }
}

TEST_F(Alignment, DemoStopsAfterAtMostOneMoreStep) {
    PlaceCA(L(), 200, 150, 100, -10);
    PlaceCA(R(), 200, 150, 100, -20);
    int composesAtStop = -1;
    host.onEvents = [&](int n) {
        if (n == 5) {
            gBusy = false; // "Stop"
            composesAtStop = host.composes;
        }
    };
    gBusy = true; // an earlier sequence still marked as running
    RunRotationDemo(host);
    EXPECT_FALSE(gBusy);
    EXPECT_LE(host.composes, composesAtStop + 1);
    EXPECT_EQ(composesAtStop, 4); // one step between each two event passes
}

TEST_F(Alignment, DemoEndsWhenAnAlignmentCommandRunsFromTheEvents) {
    PlaceCA(L(), 200, 150, 100, -10);
    PlaceCA(R(), 200, 150, 100, -20);
    host.onEvents = [&](int n) {
        if (n == 3) LevelOnCentre(host);
    };
    RunRotationDemo(host);
    EXPECT_EQ(host.events, 3);
    EXPECT_EQ(L().rot, 0);
    EXPECT_EQ(R().rot, 0);
}

TEST_F(Alignment, SettersRefreshManualFrameOnlyWhenThereIsOne) {
    R().mancropw = 320;
    R().mancroph = 200;
    SetViewPos(host, R(), 4, 5);
    SetViewRotation(host, R(), 1, 10, 20);
    EXPECT_TRUE(host.frameCalls.empty());
    EXPECT_EQ(R().posx, 5);
    EXPECT_EQ(R().CentreX(), 20);
    host.frame = {11, 22, 300, 180};
    SetViewRotation(host, R(), -1, 10, 20);
    ASSERT_EQ(host.frameCalls.size(), 1u);
    EXPECT_EQ(host.frameCalls[0].view, &R());
    EXPECT_EQ(host.frameCalls[0].height, 200);
    EXPECT_EQ(host.frameCalls[0].width, 320);
    EXPECT_EQ(host.frameCalls[0].left, 11);
    EXPECT_EQ(host.frameCalls[0].top, 22);
    EXPECT_NEAR(R().rot, 2 * kPi - 1, 1e-15);
}
