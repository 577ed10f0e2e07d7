// The preview's arithmetic: fit and wheel limits, the clicked point kept in
// place, the halves of a side-by-side picture, the presentation a picture
// brings, the render of the visible part and the read-outs.
#include "aids/previewview.h"

#include "core/previewlink.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

QImage Picture(int w, int h) {
    QImage p(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) p.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x + y) & 0xFF));
    return p;
}

// An area 800 x 400 from (5, 30).
tpreviewarea Area800x400() {
    tpreviewarea a;
    a.Left = 5;
    a.Top = 30;
    a.Right = 805;
    a.Bottom = 430;
    return a;
}

TEST(PreviewZoom, FitTakesTheSmallerRatioAndShowsIt) {
    tpreviewview v;
    v.Layout(Area800x400());
    v.ShowPicture(Picture(2000, 700), 0);
    v.ScrollX = 37;
    v.FitZoom();
    EXPECT_DOUBLE_EQ(v.PreviewZoom, 0.4); // min(800 / 2000, 400 / 700)
    EXPECT_EQ(v.ZoomText(), QStringLiteral("Zoom = 040"));
    EXPECT_EQ(v.ScrollX, 0);
    EXPECT_EQ(v.ScrollY, 0);
}

TEST(PreviewZoom, FitOfAnEmptyPictureIsOne) {
    tpreviewview v;
    v.Layout(Area800x400());
    v.PreviewZoom = 3;
    v.FitZoom();
    EXPECT_EQ(v.PreviewZoom, 1);
}

struct twheelcase {
    double from;
    bool up;
    double to;
    bool changed;
};

class PreviewWheel : public ::testing::TestWithParam<twheelcase> {};

TEST_P(PreviewWheel, StaysWithinTheLimits) {
    tpreviewview v;
    v.PreviewZoom = GetParam().from;
    EXPECT_EQ(GetParam().up ? v.WheelUp() : v.WheelDown(), GetParam().changed);
    EXPECT_DOUBLE_EQ(v.PreviewZoom, GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, PreviewWheel,
    ::testing::Values(twheelcase{7.5, true, 8, true}, twheelcase{8, true, 8, false},
                      twheelcase{0.05, false, 0.05, false}, twheelcase{0.054, false, 0.05, true},
                      twheelcase{1, true, 1.1, true}, twheelcase{1.1, false, 1, true}));

TEST(PreviewZoom, SetZoomClampsAndKeepsTheClickedPointOnScreen) {
    for (double z : {0.01, 0.3, 2.0, 4.0, 20.0, -3.0}) {
        tpreviewview v;
        v.Layout(Area800x400());
        v.ShowPicture(Picture(300, 200), 0);
        v.ScrollX = -12;
        v.ScrollY = 7;
        v.Click(300, 200);
        double bx, by, ax, ay;
        v.PictureToWindow(v.ClickX, v.ClickY, bx, by);
        v.SetZoom(z);
        v.PictureToWindow(v.ClickX, v.ClickY, ax, ay);
        EXPECT_NEAR(ax, bx, 1e-9) << z;
        EXPECT_NEAR(ay, by, 1e-9) << z;
        EXPECT_GE(v.PreviewZoom, 0.05);
        EXPECT_LE(v.PreviewZoom, 8);
    }
}

TEST(PreviewHalves, SpaceJumpsToTheSameDetailOfTheOtherHalf) {
    tpreviewview v;
    v.Layout(Area800x400());
    v.ShowPicture(Picture(1000, 300), 2);
    v.SetZoom(0.5);
    v.Click(105, 80); // picture x (105 - 5) / 0.5 = 200, left half
    ASSERT_EQ(v.ClickHalf, 0);
    double bx, by;
    v.PictureToWindow(v.ClickX, v.ClickY, bx, by);
    v.SwapHalves();
    EXPECT_EQ(v.ClickHalf, 1);
    EXPECT_DOUBLE_EQ(v.ClickX, 700);
    double ax, ay;
    v.PictureToWindow(v.ClickX, v.ClickY, ax, ay);
    EXPECT_DOUBLE_EQ(ax, bx);
    EXPECT_DOUBLE_EQ(ay, by);
    v.SwapHalves();
    EXPECT_EQ(v.ClickHalf, 0);
    EXPECT_DOUBLE_EQ(v.ClickX, 200);
}

TEST(PreviewHalves, AClickOutsideTheAreaSwapsNothing) {
    tpreviewview v;
    v.Layout(Area800x400());
    v.ShowPicture(Picture(1000, 300), 2);
    EXPECT_EQ(v.HalfAt(4, 100), tpreviewview::HalfOutside);
    EXPECT_EQ(v.HalfAt(806, 100), tpreviewview::HalfOutside);
    EXPECT_EQ(v.HalfAt(805, 430), 1); // the edges belong to the area
    v.Click(100, 20);
    ASSERT_EQ(v.ClickHalf, tpreviewview::HalfOutside);
    const double x = v.ClickX, sx = v.ScrollX;
    v.SwapHalves();
    EXPECT_EQ(v.ClickX, x);
    EXPECT_EQ(v.ScrollX, sx);
}

struct tmodecase {
    int before, given, after;
};

class PreviewMode : public ::testing::TestWithParam<tmodecase> {};

TEST_P(PreviewMode, APictureBringsItsPresentation) {
    tpreviewview v;
    v.PreviewMode = GetParam().before;
    v.ShowPicture(Picture(10, 10), GetParam().given);
    EXPECT_EQ(v.PreviewMode, GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Modes, PreviewMode,
                         ::testing::Values(tmodecase{2, 3, 0}, tmodecase{4, 9, 4},
                                           tmodecase{8, -1, 8}, tmodecase{0, 8, 8},
                                           tmodecase{8, 2, 2}, tmodecase{2, 0, 0},
                                           tmodecase{4, 7, 0}));

TEST(PreviewShow, ANewPictureResetsTheClickAndTheMeasureButKeepsTheZoom) {
    tpreviewview v;
    v.Layout(Area800x400());
    v.PreviewZoom = 2;
    v.ClickX = 40;
    v.ClickHalf = 1;
    v.Measure.MouseDown(10, 10);
    v.ShowPicture(Picture(640, 480), 0);
    EXPECT_EQ(v.PreviewZoom, 2);
    EXPECT_EQ(v.ClickX, 0);
    EXPECT_EQ(v.ClickHalf, 0);
    EXPECT_FALSE(v.Measure.Active);
    EXPECT_EQ(v.Caption(), QStringLiteral("View - 640 * 480 "));
}

TEST(PreviewRender, DrawsThePictureOneToOneFromTheAreaCorner) {
    tpreviewview v;
    const QImage p = Picture(300, 200);
    v.ShowPicture(p, 0);
    v.Layout(Area800x400());
    EXPECT_EQ(v.Block, QRect(5, 30, 300, 200));
    for (int y : {0, 77, 199})
        for (int x : {0, 150, 299})
            EXPECT_EQ(v.PreviewRender.pixel(x, y), p.pixel(x, y)) << x << "," << y;
}

TEST(PreviewRender, ScrolledAndZoomedReadsTheShiftedSource) {
    tpreviewview v;
    const QImage p = Picture(300, 200);
    v.ShowPicture(p, 0);
    v.PreviewZoom = 2;
    v.ScrollX = -10;
    v.ScrollY = -5;
    v.Layout(Area800x400());
    // (300 - 10) * 2 = 580 wide, (200 - 5) * 2 = 390 high, from the corner.
    EXPECT_EQ(v.Block, QRect(5, 30, 580, 390));
    for (int k : {0, 3, 100, 280})
        for (int j : {0, 2, 150, 190})
            EXPECT_EQ(v.PreviewRender.pixel(2 * k, 2 * j), p.pixel(k + 10, j + 5)) << k << "," << j;
}

TEST(PreviewRender, PictureScrolledRightStartsInsideTheAreaAndIsCut) {
    tpreviewview v;
    v.ShowPicture(Picture(1000, 100), 0);
    v.ScrollX = 300; // starts 300 pixels in; 801 - 300 = 501 pixels fit
    v.Layout(Area800x400());
    EXPECT_EQ(v.Block, QRect(305, 30, 501, 100));
}

TEST(PreviewRender, ASmallerPictureCountsInOutputPixels) {
    // A 600 x 200 output composed at half size: pixel ratio 0.5.
    QImage half = Picture(300, 100);
    half.setDevicePixelRatio(0.5);
    tpreviewview exact;
    half.setText(QString::fromLatin1(PreviewOutputSizeKey), QStringLiteral("601x199"));
    exact.ShowPicture(half, 2);
    EXPECT_EQ(exact.Caption(), QStringLiteral("View - 601 * 199 "));
    half.setText(QString::fromLatin1(PreviewOutputSizeKey), QString());
    tpreviewview v;
    v.ShowPicture(half, 2);
    v.Layout(Area800x400());
    EXPECT_EQ(v.Caption(), QStringLiteral("View - 600 * 200 "));
    EXPECT_EQ(v.Block, QRect(5, 30, 600, 200));
    // Output pixel (2k, 2j) is picture pixel (k, j).
    EXPECT_EQ(v.PreviewRender.pixel(200, 60), half.pixel(100, 30));
    EXPECT_EQ(v.ColourAt(5 + 201, 30 + 61), half.pixel(100, 30));
    EXPECT_EQ(v.PositionText(5 + 201, 30 + 61), QStringLiteral("X=  00201 / Y= 00061"));
    v.FitZoom();
    EXPECT_DOUBLE_EQ(v.PreviewZoom, 800.0 / 600);
}

TEST(PreviewReadOut, OutsideThePictureReadsAllBitsSet) {
    tpreviewview v;
    v.Layout(Area800x400());
    v.ShowPicture(Picture(100, 100), 0);
    EXPECT_EQ(v.ColourAt(5 + 150, 40), 0xFFFFFFFFu);
    EXPECT_EQ(v.ColourAt(4, 40), 0xFFFFFFFFu);
    EXPECT_EQ(tpreviewview::ColourText(v.ColourAt(5 + 20, 30 + 3)),
              QStringLiteral("RVB = 020-003-023"));
    EXPECT_EQ(v.PositionText(0, 10), QStringLiteral("X= -00005 / Y=-00020"));
    v.ScrollX = -3.7;
    EXPECT_EQ(v.ScrollText(), QStringLiteral("ScrollX = -00003 - ScrollY =  00000"));
}

} // namespace
