// The common source frame: aligned coordinates, the intersection of the two
// aligned views, the manual frame, the ratio constraint and the crop ratios.
#include "output/sourceframe.h"

#include "outputfixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

namespace {

// The aligned position worked out with complex numbers: the offset from the
// centre turned by -rot, then the shift.
QPointF Aligned(const timg& v, double x, double y) {
    const std::complex<double> c(v.CentreX(), v.CentreY());
    const std::complex<double> q = c + (std::complex<double>(x, y) - c) * std::polar(1.0, -v.rot) +
                                   std::complex<double>(v.posx, v.posy);
    return {q.real(), q.imag()};
}

} // namespace

TEST(ViewToFrame, QuarterTurnAboutTheCentreThenShift) {
    timg v;
    MakeView(v, 40, 40, 0xFFFFFFFF);
    v.PlacePoint(PtStereo0, 10, 20);
    v.rot = M_PI / 2;
    v.posx = 3;
    v.posy = 4;
    // (1, 0) from the centre turns to (0, -1), then the shift.
    const QPointF q = ViewToFrame(v, 11, 20);
    EXPECT_NEAR(q.x(), 13, 1e-9);
    EXPECT_NEAR(q.y(), 23, 1e-9);
    v.rot = 0.3;
    for (const QPointF p : {QPointF(0, 0), QPointF(39, 0), QPointF(7.5, 33.25)}) {
        const QPointF a = Aligned(v, p.x(), p.y());
        const QPointF b = ViewToFrame(v, p.x(), p.y());
        EXPECT_NEAR(a.x(), b.x(), 1e-9);
        EXPECT_NEAR(a.y(), b.y(), 1e-9);
    }
}

TEST(SourceFrame, IntersectionOfShiftedViews) {
    timg l, r;
    MakeView(l, 100, 80, 0xFFFF0000);
    MakeView(r, 100, 80, 0xFF00FF00);
    r.posx = 10;
    r.posy = -5;
    const tcommonframe f = ComputeSourceFrame(&l, &r, false, 0, 0);
    ASSERT_TRUE(f.Usable());
    // x from 10 to 99, y from 0 to 74.
    EXPECT_EQ(f.width, 90);
    EXPECT_EQ(f.height, 75);
    EXPECT_EQ(f.left, QPointF(10, 0));
    EXPECT_EQ(f.right, f.left);
}

TEST(SourceFrame, TurnedViewCutsTheInnerCorners) {
    timg l, r;
    MakeView(l, 200, 100, 0xFFFF0000);
    MakeView(r, 200, 100, 0xFF00FF00);
    r.rot = 0.05;
    const tcommonframe f = ComputeSourceFrame(&l, &r, false, 0, 0);
    const QPointF tl = Aligned(r, 0, 0), tr = Aligned(r, 199, 0);
    const QPointF bl = Aligned(r, 0, 99), br = Aligned(r, 199, 99);
    const double minX = std::max({0.0, tl.x(), bl.x()});
    const double maxX = std::min({199.0, tr.x(), br.x()});
    const double minY = std::max({0.0, tl.y(), tr.y()});
    const double maxY = std::min({99.0, bl.y(), br.y()});
    EXPECT_EQ(f.width, std::trunc(maxX - minX + 1));
    EXPECT_EQ(f.height, std::trunc(maxY - minY + 1));
    EXPECT_NEAR(f.left.x(), minX, 1e-9);
    EXPECT_NEAR(f.left.y(), minY, 1e-9);
}

TEST(SourceFrame, MissingLeftIsInvalidMissingRightIsTheLeft) {
    timg l;
    MakeView(l, 64, 48, 0xFF808080);
    l.posx = 2.5;
    EXPECT_FALSE(ComputeSourceFrame(nullptr, &l, false, 0, 0).valid);
    const tcommonframe f = ComputeSourceFrame(&l, nullptr, false, 0, 0);
    EXPECT_EQ(f.width, 64);
    EXPECT_EQ(f.height, 48);
    EXPECT_EQ(f.left, QPointF(2.5, 0));
}

TEST(SourceFrame, EmptyViewCountsAsPointsAtTheOrigin) {
    timg l, r;
    MakeView(l, 64, 48, 0xFF808080);
    const tcommonframe f = ComputeSourceFrame(&l, &r, false, 0, 0);
    // Right and bottom edges come from the empty view's (0, 0): one pixel.
    EXPECT_EQ(f.width, 1);
    EXPECT_EQ(f.height, 1);
    EXPECT_TRUE(f.Usable());
}

TEST(SourceFrame, ViewsThatDoNotMeetGiveNoUsableFrame) {
    timg l, r;
    MakeView(l, 50, 50, 0xFF808080);
    MakeView(r, 50, 50, 0xFF808080);
    r.posx = 80;
    EXPECT_FALSE(ComputeSourceFrame(&l, &r, false, 0, 0).Usable());
}

TEST(SourceFrame, ManualFrameTakesTheLeftCropSizeAndEachViewsCorner) {
    timg l, r;
    MakeView(l, 100, 80, 0xFF808080);
    MakeView(r, 100, 80, 0xFF808080);
    l.mancropd = r.mancropd = true;
    l.mancropl = 10, l.mancropt = 5, l.mancropw = 40, l.mancroph = 30;
    r.mancropl = 14, r.mancropt = 7, r.mancropw = 99, r.mancroph = 99;
    r.posx = 1;
    const tcommonframe f = ComputeSourceFrame(&l, &r, true, 3, 4);
    EXPECT_EQ(f.width, 40); // no ratio on a manual frame
    EXPECT_EQ(f.height, 30);
    EXPECT_EQ(f.left, QPointF(10, 5));
    EXPECT_EQ(f.right, QPointF(15, 7));
    // Without a crop in the right view the automatic frame is used.
    r.mancropd = false;
    EXPECT_EQ(ComputeSourceFrame(&l, &r, true, 0, 0).width, 99);
}

TEST(SourceFrame, RatioKeepsTheCandidateThatStraysLess) {
    timg l;
    MakeView(l, 1000, 700, 0xFF808080);
    // A: 933 x 699 (deviation 68); B: 1000 x 750 (deviation 50).
    tcommonframe f = ComputeSourceFrame(&l, nullptr, false, 3, 4);
    EXPECT_EQ(f.width, 1000);
    EXPECT_EQ(f.height, 750);
    EXPECT_EQ(f.left, QPointF(0, 0));
    // Ratio 1:2 on a square: A gives 500 x 1000 (500), B 1000 x 2000 (1000).
    MakeView(l, 1000, 1000, 0xFF808080);
    f = ComputeSourceFrame(&l, nullptr, false, 2, 1);
    EXPECT_EQ(f.width, 500);
    EXPECT_EQ(f.height, 1000);
    // One term 0 is no constraint.
    f = ComputeSourceFrame(&l, nullptr, false, 0, 4);
    EXPECT_EQ(f.width, 1000);
}

TEST(CropRatio, FitFollowsTheSignSnapKeepsTheSmallerChange) {
    double w = 0, h = 300;
    FitToRatio(4, 3, -1, w, h);
    EXPECT_EQ(w, 400);
    w = 401;
    FitToRatio(4, 3, 1, w, h);
    EXPECT_EQ(h, 300); // trunc(3 * 100.25)
    w = 123, h = 45;
    FitToRatio(4, 3, 0, w, h);
    FitToRatio(0, 3, 1, w, h);
    EXPECT_EQ(w, 123);
    EXPECT_EQ(h, 45);

    w = 410, h = 300; // height kept: 7 < 10
    SnapToRatio(4, 3, w, h);
    EXPECT_EQ(w, 400);
    EXPECT_EQ(h, 300);
    w = 300, h = 200; // a tie keeps the width
    SnapToRatio(1, 1, w, h);
    EXPECT_EQ(w, 300);
    EXPECT_EQ(h, 300);
    SnapToRatio(4, 0, w, h);
    EXPECT_EQ(w, 300);
}
