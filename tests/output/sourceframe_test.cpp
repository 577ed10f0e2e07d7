// The common source frame: aligned coordinates, the intersection of the two
// aligned views, the manual frame, the ratio constraint and the crop ratios.
#include "output/sourceframe.h"

#include "outputfixtures.h"

#include <gtest/gtest.h>

#include <cmath>

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
    // A turn whose cosine is 0.8 and sine 0.6: an offset (x, y) from the
    // centre (10, 20) becomes (0.8 x + 0.6 y, -0.6 x + 0.8 y), then + (3, 4).
    v.rot = std::atan2(0.6, 0.8);
    const struct {
        double x, y, wantX, wantY;
    } cases[] = {
        // (-10, -20) -> (-8 - 12, 6 - 16) = (-20, -10) -> (-7, 14)
        {0, 0, -7, 14},
        // (29, -20) -> (23.2 - 12, -17.4 - 16) = (11.2, -33.4) -> (24.2, -9.4)
        {39, 0, 24.2, -9.4},
        // (-2.5, 13.25) -> (-2 + 7.95, 1.5 + 10.6) = (5.95, 12.1) -> (18.95, 36.1)
        {7.5, 33.25, 18.95, 36.1},
    };
    for (const auto& c : cases) {
        const QPointF b = ViewToFrame(v, c.x, c.y);
        EXPECT_NEAR(b.x(), c.wantX, 1e-9) << c.x << ", " << c.y;
        EXPECT_NEAR(b.y(), c.wantY, 1e-9) << c.x << ", " << c.y;
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
    // cos 0.96, sin 0.28 about the centre (99.5, 49.5); the right view's
    // corners, from their offsets (+-99.5, +-49.5):
    //   TL (-95.52 - 13.86, 27.86 - 47.52) -> (-9.88, 29.84)
    //   TR ( 95.52 - 13.86, -27.86 - 47.52) -> (181.16, -25.88)
    //   BL (-95.52 + 13.86, 27.86 + 47.52) -> (17.84, 124.88)
    //   BR ( 95.52 + 13.86, -27.86 + 47.52) -> (208.88, 69.16)
    // x from max(0, -9.88, 17.84) = 17.84 to min(199, 181.16, 208.88) =
    // 181.16: 164.32 wide; y from max(0, 29.84, -25.88) = 29.84 to
    // min(99, 124.88, 69.16) = 69.16: 40.32 high. Turned the other way (sin
    // -0.28) the corners trade places, TL (17.84, -25.88), TR (208.88, 29.84),
    // BL (-9.88, 69.16), BR (181.16, 124.88), and give the same frame: each
    // corner bounds the frame on one side in one of the two turns.
    for (const double sine : {0.28, -0.28}) {
        r.rot = std::atan2(sine, 0.96);
        const tcommonframe f = ComputeSourceFrame(&l, &r, false, 0, 0);
        EXPECT_EQ(f.width, 164) << sine;
        EXPECT_EQ(f.height, 40) << sine;
        EXPECT_NEAR(f.left.x(), 17.84, 1e-9) << sine;
        EXPECT_NEAR(f.left.y(), 29.84, 1e-9) << sine;
    }
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
