// Line orientation: parallel, halfway, vertical and horizontal lines, and the
// levelling every orientation command starts with.
#include "montage/orientation.h"

#include "alignhost.h"
#include "engine/transform.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const double kPi = 3.14159265358979323846;
const double kDeg = kPi / 180;

class Orientation : public ::testing::Test {
protected:
    void SetUp() override { MakeBlankPair(pair); }
    void Line(timg& v, double x1, double y1, double x2, double y2) {
        v.PlacePoint(PtOrient1, x1, y1);
        v.PlacePoint(PtOrient2, x2, y2);
    }
    // The direction of a view's line as the screen shows it.
    double Shown(const timg& v) {
        const QPointF p = MontagePosition(v, PtOrient1);
        const QPointF q = MontagePosition(v, PtOrient2);
        return LineAngle(p.x(), p.y(), q.x(), q.y());
    }
    tviewpair pair;
    trecordinghost host{pair};
    timg& L() { return pair.ImgLeft; }
    timg& R() { return pair.ImgRight; }
};

} // namespace

TEST_F(Orientation, RightFollowsLeftAndHalfwayMeetsInTheMiddle) {
    Line(L(), 100, 100, 200, 100); // direction 0
    Line(R(), 100, 100, 200, 110); // about -5.71 degrees
    const double a = std::atan(0.1);

    CalOrient(host, OrientRightOnLeft);
    EXPECT_EQ(L().rot, 0);
    EXPECT_NEAR(R().rot, a, 1e-12);
    EXPECT_NEAR(R().rot / kDeg, 5.71, 0.005);
    EXPECT_NEAR(Shown(R()), Shown(L()), 1e-9);

    CalOrient(host, OrientHalfway);
    EXPECT_NEAR(L().rot, 2 * kPi - a / 2, 1e-12);
    EXPECT_NEAR(L().rot / kDeg, 357.14, 0.005);
    EXPECT_NEAR(R().rot, a / 2, 1e-12);
    EXPECT_NEAR(Shown(L()), -a / 2, 1e-9);
    EXPECT_NEAR(Shown(R()), -a / 2, 1e-9);

    CalOrient(host, OrientLeftOnRight);
    EXPECT_NEAR(L().rot, 2 * kPi - a, 1e-12);
    EXPECT_EQ(R().rot, 0);
    EXPECT_NEAR(Shown(L()), Shown(R()), 1e-9);
}

TEST_F(Orientation, HorizontalTurnsTenDegreeLineTo350) {
    Line(L(), 100, 100, 100 + 100 * std::cos(10 * kDeg), 100 - 100 * std::sin(10 * kDeg));
    Line(R(), 50, 80, 150, 80);
    CalOrient(host, OrientHorizontal);
    EXPECT_NEAR(L().rot, 350 * kDeg, 1e-12);
    EXPECT_EQ(R().rot, 0);
}

TEST_F(Orientation, VerticalTurnsUpwardLineUpsideDown) {
    Line(L(), 100, 200, 100, 100); // drawn upwards: 90 degrees
    Line(R(), 120, 100, 130, 200); // nearly downwards
    CalOrient(host, OrientVertical);
    EXPECT_NEAR(L().rot, kPi, 1e-12);
    for (timg* v : {&L(), &R()}) {
        const QPointF p = MontagePosition(*v, PtOrient1);
        const QPointF q = MontagePosition(*v, PtOrient2);
        EXPECT_NEAR(q.x(), p.x(), 1e-9);
        EXPECT_GT(q.y(), p.y());
    }
}

TEST_F(Orientation, EveryModeFirstLevelsOnLeftCentre) {
    L().PlacePoint(PtStereo0, 100, 90);
    R().PlacePoint(PtStereo0, 130, 70);
    L().SetPos(6, -4);
    R().SetPos(1, 2);
    L().SetRot(1);
    Line(L(), 10, 10, 20, 10);
    Line(R(), 10, 10, 20, 10);
    CalOrient(host, 7); // not a mode: levelling only
    EXPECT_EQ(L().posx, 0);
    EXPECT_EQ(L().posy, 0);
    EXPECT_EQ(R().posx, -30);
    EXPECT_EQ(R().posy, 20);
    EXPECT_EQ(L().rot, 0);
    EXPECT_EQ(host.events, 1);
}

TEST_F(Orientation, UndrawnLineHasDirectionZero) {
    EXPECT_EQ(LineDirection(L()), 0);
    CalOrient(host, OrientHorizontal);
    EXPECT_EQ(L().rot, 0);
    EXPECT_EQ(R().rot, 0);
}
