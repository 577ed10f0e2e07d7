// The measuring rubber band: the 4:3 rule with hand-worked values, the lines
// it leaves on the canvas, its texts, and the edges a shown rectangle offers.
#include "aids/toolcursor.h"

#include <gtest/gtest.h>

#include <QLine>
#include <QVector>

#include <algorithm>

namespace {

// What the inverting pen leaves: a line drawn twice is gone.
class tparitycanvas : public txorlines {
public:
    QVector<QLine>& lines = Lines;
    bool Has(const QLine& l) const { return Lines.contains(l); }
};

struct tdragcase {
    const char* name;
    double downX, downY;
    std::vector<std::pair<double, double>> moves;
    double w, h; // expected signed width and height
    const char* text;
};

class MeasureDrag : public ::testing::TestWithParam<tdragcase> {};

TEST_P(MeasureDrag, HoldsFourToThreeWithTheLeadingAxisSign) {
    const tdragcase& c = GetParam();
    tparitycanvas canvas;
    ttoolcursor t(&canvas);
    t.MouseDown(c.downX, c.downY);
    for (const auto& m : c.moves) t.MouseMove(m.first, m.second);
    EXPECT_DOUBLE_EQ(t.Width(), c.w);
    EXPECT_DOUBLE_EQ(t.Height(), c.h);
    EXPECT_EQ(t.Text(), QString::fromUtf8(c.text));
    // The first corner stays where the drag started.
    EXPECT_EQ(t.X1, c.downX);
    EXPECT_EQ(t.Y1, c.downY);
}

// First move after a reset compares with (0, 0): |160| >= |150|, the height
// leads: round(50 / 3) * 3 = 51, 51 * 4 div 3 = 68, diagonal 85.
// Then |161 - 160| < |170 - 150|: the width leads: round(61 / 4) * 4 = 60,
// 60 * 3 div 4 = 45, diagonal 75.
// Up and to the left from (100, 100) to (40, 90): |40| < |90|, the width
// leads: round(-60 / 4) * 4 = -60, -60 * 3 div 4 = -45.
// To (100, 130) from (100, 100): |100| >= |130|? no, width leads: round(0/4)
// = 0, height 0.
INSTANTIATE_TEST_SUITE_P(
    Cases, MeasureDrag,
    ::testing::Values(
        tdragcase{
            "HeightLeads", 100, 100, {{160, 150}}, 68, 51, " W=  00068 / H=  00051 / D=    85.00"},
        tdragcase{"ThenWidthLeads",
                  100,
                  100,
                  {{160, 150}, {161, 170}},
                  60,
                  45,
                  " W=  00060 / H=  00045 / D=    75.00"},
        tdragcase{"NegativeSidesKeepFiveDigits",
                  100,
                  100,
                  {{40, 90}},
                  -60,
                  -45,
                  " W= -00060 / H= -00045 / D=    75.00"},
        tdragcase{"StraightDownHasNoWidthToFollow",
                  100,
                  100,
                  {{100, 130}},
                  0,
                  0,
                  " W=  00000 / H=  00000 / D=     0.00"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MeasuringCursor, DrawsFourLinesAcrossTheCanvasAndErasesThemAtRelease) {
    tparitycanvas canvas;
    ttoolcursor t(&canvas);
    t.MouseDown(100, 100);
    t.MouseMove(160, 150);
    ASSERT_EQ(canvas.lines.size(), 4);
    EXPECT_TRUE(canvas.Has(QLine(0, 100, 32767, 100)));
    EXPECT_TRUE(canvas.Has(QLine(0, 151, 32767, 151)));
    EXPECT_TRUE(canvas.Has(QLine(100, 0, 100, 32767)));
    EXPECT_TRUE(canvas.Has(QLine(168, 0, 168, 32767)));
    t.MouseMove(161, 170);
    EXPECT_EQ(canvas.lines.size(), 4);
    EXPECT_TRUE(canvas.Has(QLine(160, 0, 160, 32767)));
    t.MouseUp(161, 170);
    EXPECT_TRUE(canvas.lines.isEmpty());
    EXPECT_TRUE(t.Text().isEmpty());
    EXPECT_FALSE(t.Active);
    EXPECT_FALSE(t.Shown);
    // Reset: the next drag compares its first move with (0, 0) again.
    EXPECT_EQ(t.LastX, 0);
    EXPECT_EQ(t.LastY, 0);
}

TEST(MeasuringCursor, DiagonalUsesTheLocaleSeparator) {
    ttoolcursor t;
    t.MouseDown(0, 0);
    t.MouseMove(160, 150);
    EXPECT_TRUE(t.Text(QLatin1Char(',')).endsWith(QStringLiteral("250,00")));
}

TEST(MeasuringCursor, CoordinatesGoThroughTheConversions) {
    tparitycanvas canvas;
    ttoolcursor t(&canvas);
    // Window pixels are half a tool unit; drawing doubles them back.
    t.OnFromWindow = [](double& x, double& y) {
        x /= 2;
        y /= 2;
    };
    t.OnToWindow = [](int, double& x, double& y) {
        x *= 2;
        y *= 2;
    };
    t.MouseDown(200, 200);
    t.MouseMove(320, 300); // tool (160, 150), from (100, 100)
    EXPECT_DOUBLE_EQ(t.Width(), 68);
    EXPECT_TRUE(canvas.Has(QLine(0, 302, 32767, 302)));
    EXPECT_TRUE(canvas.Has(QLine(336, 0, 336, 32767)));
}

// A plain tool keeps its rectangle after release, corners in order.
ttool ShownRectangle(tparitycanvas* canvas) {
    ttool t(canvas);
    t.MouseDown(140, 130);
    t.MouseMove(60, 70); // |60| >= |70|? no: width leads, -80 wide, -60 high
    t.MouseUp(60, 70);
    return t;
}

TEST(MeasuringTool, ReleaseOrdersTheCornersAndKeepsTheFrame) {
    tparitycanvas canvas;
    ttool t = ShownRectangle(&canvas);
    EXPECT_EQ(t.X1, 60);
    EXPECT_EQ(t.X2, 140);
    EXPECT_EQ(t.Y1, 70);
    EXPECT_EQ(t.Y2, 130);
    EXPECT_TRUE(t.Shown);
    EXPECT_EQ(canvas.lines.size(), 4);
    EXPECT_EQ(t.Text(), QStringLiteral(" D=  00100"));
}

struct thitcase {
    double x, y;
    int hit;
    ttoolshape shape;
};

class MeasuringToolHit : public ::testing::TestWithParam<thitcase> {};

TEST_P(MeasuringToolHit, FindsTheEdgeWithinTolerance) {
    ttool t = ShownRectangle(nullptr); // 60..140 by 70..130, tolerance 10
    EXPECT_EQ(t.HitTest(GetParam().x, GetParam().y), GetParam().hit);
    EXPECT_EQ(t.CursorAt(GetParam().x, GetParam().y), GetParam().shape);
}

INSTANTIATE_TEST_SUITE_P(
    Parts, MeasuringToolHit,
    ::testing::Values(thitcase{100, 100, HitInside, ttoolshape::Move},
                      thitcase{55, 100, HitLeft, ttoolshape::SizeHorizontal},
                      thitcase{150, 100, HitRight, ttoolshape::SizeHorizontal},
                      thitcase{100, 61, HitTop, ttoolshape::SizeVertical},
                      thitcase{100, 139, HitBottom, ttoolshape::SizeVertical},
                      thitcase{62, 72, HitLeft | HitTop, ttoolshape::SizeFDiag},
                      thitcase{138, 72, HitRight | HitTop, ttoolshape::SizeBDiag},
                      thitcase{151, 100, HitNone, ttoolshape::Default},
                      thitcase{100, 141, HitNone, ttoolshape::Default}));

TEST(MeasuringTool, GrabbedEdgeFollowsThePointer) {
    ttool t = ShownRectangle(nullptr);
    t.MouseDown(141, 100); // right edge
    EXPECT_EQ(t.HitFlags, HitRight);
    t.MouseMove(170, 90);
    t.MouseUp(170, 90);
    EXPECT_EQ(t.X1, 60);
    EXPECT_EQ(t.X2, 170);
    EXPECT_EQ(t.Y1, 70);
    EXPECT_EQ(t.Y2, 130);
}

TEST(MeasuringTool, GrabbedInsideMovesOnlyAlongAllowedAxes) {
    ttool t = ShownRectangle(nullptr);
    t.MoveAxes = 1; // horizontal only
    t.MouseDown(100, 100);
    t.MouseMove(110, 120);
    t.MouseMove(115, 90);
    t.MouseUp(115, 90);
    EXPECT_EQ(t.X1, 75);
    EXPECT_EQ(t.X2, 155);
    EXPECT_EQ(t.Y1, 70);
    EXPECT_EQ(t.Y2, 130);
}

TEST(MeasuringTool, SidesAndDiagonalCanBeSet) {
    ttool t;
    t.X1 = 10;
    t.Y1 = 20;
    t.X2 = 40;
    t.Y2 = 60; // 30 x 40, diagonal 50
    t.SetDiagonal(100);
    EXPECT_DOUBLE_EQ(t.Width(), 60);
    EXPECT_DOUBLE_EQ(t.Height(), 80);
    t.SetWidth(-6);
    EXPECT_DOUBLE_EQ(t.X2, 4);
    EXPECT_DOUBLE_EQ(t.Height(), 80);
    ttool u;
    u.Assign(t, HitLeft | HitBottom, 5, 7);
    EXPECT_DOUBLE_EQ(u.X1, 15);
    EXPECT_DOUBLE_EQ(u.X2, 4);
    EXPECT_DOUBLE_EQ(u.Y1, 20);
    EXPECT_DOUBLE_EQ(u.Y2, 107);
}

} // namespace
