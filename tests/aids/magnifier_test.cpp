// The magnifier's picture: where the followed point and the cross-hair land,
// the centre pixel's colour for both marker colours, the black outside the
// view, the size steps and the turn of a turned view.
#include "aids/magnifier.h"

#include "aids/precisbitmaps.h"
#include "core/timg.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <cstdint>

namespace {

constexpr unsigned kTeal = 0x808000;
constexpr unsigned kRed = 0x0000FF;
constexpr std::uint32_t kGround = 0xFF204060; // the view's plain colour
constexpr std::uint32_t kSpot = 0xFFE0C010;   // a 3 x 3 spot around one point

std::uint32_t Rgb(const QImage& img, int x, int y) {
    return img.pixel(x, y) & 0xFFFFFFu;
}

// A plain view with a 3 x 3 spot centred on pixel (sx, sy).
QImage SpotPicture(int w, int h, int sx, int sy) {
    QImage img = NewViewBitmap(w, h);
    img.fill(kGround);
    for (int y = sy - 1; y <= sy + 1; ++y)
        for (int x = sx - 1; x <= sx + 1; ++x)
            if (x >= 0 && y >= 0 && x < w && y < h) img.setPixel(x, y, kSpot);
    return img;
}

class MagnifierTest : public ::testing::Test {
protected:
    void SetUp() override {
        LoadPrecisBitmaps();
        view.bitmap = SpotPicture(200, 160, 100, 80);
        view.Reset();
        slot.img = &view;
    }
    timg view;
    tviewslot slot;
    tmagnifier zoom;
};

TEST_F(MagnifierTest, Size150PutsThePointAt72AndTheCentreAt75) {
    zoom.Resize(150);
    EXPECT_EQ(zoom.ZoomBitmap.width(), 150);
    EXPECT_EQ(zoom.ZoomBitmap.height(), 150);
    EXPECT_EQ(zoom.Centre, QPoint(75, 75));
    EXPECT_EQ(zoom.Offset, QPoint(18, 18));
    EXPECT_EQ(zoom.FollowedPixel(), QPoint(72, 72));
    EXPECT_EQ(zoom.CrossHairOrigin(), QPoint(60, 59));
    // 201: c = 100, a = trunc(25) = 25; 252: c = 126, a = trunc(31.5) = 31.
    zoom.Resize(201);
    EXPECT_EQ(zoom.Centre, QPoint(100, 100));
    EXPECT_EQ(zoom.Offset, QPoint(25, 25));
    zoom.Resize(252);
    EXPECT_EQ(zoom.Offset, QPoint(31, 31));
    EXPECT_EQ(zoom.FollowedPixel(), QPoint(124, 124));
}

TEST_F(MagnifierTest, SizeButtonsWrapRound) {
    EXPECT_EQ(ZoomSizeUp(150), 201);
    EXPECT_EQ(ZoomSizeUp(201), 252);
    EXPECT_EQ(ZoomSizeUp(252), 300);
    EXPECT_EQ(ZoomSizeUp(300), 150);
    EXPECT_EQ(ZoomSizeUp(77), 150);
    EXPECT_EQ(ZoomSizeDown(150), 300);
    EXPECT_EQ(ZoomSizeDown(300), 252);
    EXPECT_EQ(ZoomSizeDown(252), 201);
    EXPECT_EQ(ZoomSizeDown(201), 150);
    EXPECT_EQ(ZoomSizeDown(77), 300);
}

TEST_F(MagnifierTest, AbsurdSizesStayWithinTheSettingsBounds) {
    zoom.Resize(-5);
    EXPECT_EQ(zoom.Size, 16);
    zoom.Resize(1 << 20);
    EXPECT_EQ(zoom.Size, 4096);
}

TEST_F(MagnifierTest, FollowedPointShowsItsSpotFourTimesEnlarged) {
    zoom.Resize(150);
    ASSERT_TRUE(zoom.ZoomAt(slot, 100, 80, kTeal));
    // The spot covers source x 99..101, so about magnified 72 +- 4 on either side.
    EXPECT_EQ(Rgb(zoom.ZoomBitmap, 72, 72), kSpot & 0xFFFFFFu);
    EXPECT_EQ(Rgb(zoom.ZoomBitmap, 70, 74), kSpot & 0xFFFFFFu);
    // Ten source pixels away is plain ground.
    EXPECT_EQ(Rgb(zoom.ZoomBitmap, 72 + 40, 72), kGround & 0xFFFFFFu);
    EXPECT_EQ(Rgb(zoom.ZoomBitmap, 72, 72 - 40), kGround & 0xFFFFFFu);
    EXPECT_EQ(zoom.X, 100);
    EXPECT_EQ(zoom.Y, 80);
    EXPECT_EQ(zoom.Slot.img, &view);
}

TEST_F(MagnifierTest, FollowingAnotherPointMovesTheSpot) {
    zoom.Resize(150);
    // The spot at (100, 80) seen from (90, 80) is ten source pixels right.
    ASSERT_TRUE(zoom.ZoomAt(slot, 90, 80, kTeal));
    EXPECT_EQ(Rgb(zoom.ZoomBitmap, 72 + 40, 72), kSpot & 0xFFFFFFu);
    EXPECT_EQ(Rgb(zoom.ZoomBitmap, 72, 72), kGround & 0xFFFFFFu);
}

TEST_F(MagnifierTest, TealMarkerDrawsWhiteCrossHairAndTealCentre) {
    zoom.Resize(150);
    ASSERT_TRUE(zoom.ZoomAt(slot, 100, 80, kTeal));
    const QImage& z = zoom.ZoomBitmap;
    EXPECT_EQ(Rgb(z, 75, 75), 0x008080u); // teal, as a pixel word
    // Frame corner (6, 7) and a tick (15, 8) of the 32 x 32 picture at (60, 59).
    EXPECT_EQ(Rgb(z, 66, 66), 0xFFFFFFu);
    EXPECT_EQ(Rgb(z, 84, 86), 0xFFFFFFu);
    EXPECT_EQ(Rgb(z, 75, 67), 0xFFFFFFu);
    EXPECT_EQ(Rgb(z, 67, 77), 0xFFFFFFu);
    EXPECT_EQ(Rgb(z, 20, 20), kGround & 0xFFFFFFu);
    // OR with black leaves the picture under the gaps between the ticks alone.
    ASSERT_TRUE(zoom.ZoomAt(slot, 30, 30, kTeal));
    EXPECT_EQ(Rgb(zoom.ZoomBitmap, 75, 68), kGround & 0xFFFFFFu);
    EXPECT_EQ(Rgb(zoom.ZoomBitmap, 70, 77), kGround & 0xFFFFFFu);
}

TEST_F(MagnifierTest, RedMarkerDrawsBlackCrossHairAndRedCentre) {
    zoom.Resize(150);
    ASSERT_TRUE(zoom.ZoomAt(slot, 100, 80, kRed));
    const QImage& z = zoom.ZoomBitmap;
    EXPECT_EQ(Rgb(z, 75, 75), 0xFF0000u); // red, as a pixel word
    EXPECT_EQ(Rgb(z, 66, 66), 0u);
    EXPECT_EQ(Rgb(z, 84, 86), 0u);
    EXPECT_EQ(Rgb(z, 75, 67), 0u);
    EXPECT_EQ(Rgb(z, 83, 77), 0u);
    EXPECT_EQ(Rgb(z, 20, 20), kGround & 0xFFFFFFu);
}

TEST_F(MagnifierTest, OutsideThePictureIsBlack) {
    zoom.Resize(150);
    // The point on the left edge: the left half shows nothing of the view.
    ASSERT_TRUE(zoom.ZoomAt(slot, 0, 80, kTeal));
    EXPECT_EQ(Rgb(zoom.ZoomBitmap, 10, 72), 0u);
    EXPECT_EQ(Rgb(zoom.ZoomBitmap, 140, 72), kGround & 0xFFFFFFu);
    // Far outside: everything but the cross-hair is black.
    ASSERT_TRUE(zoom.ZoomAt(slot, -500, -500, kTeal));
    EXPECT_EQ(Rgb(zoom.ZoomBitmap, 10, 10), 0u);
    EXPECT_EQ(Rgb(zoom.ZoomBitmap, 140, 140), 0u);
    EXPECT_EQ(Rgb(zoom.ZoomBitmap, 75, 75), 0x008080u);
}

TEST_F(MagnifierTest, EmptyViewDrawsNothing) {
    zoom.Resize(150);
    ASSERT_TRUE(zoom.ZoomAt(slot, 100, 80, kTeal));
    const QImage before = zoom.ZoomBitmap.copy();
    timg empty;
    tviewslot none;
    none.img = &empty;
    EXPECT_FALSE(zoom.ZoomAt(none, 10, 10, kTeal));
    EXPECT_EQ(zoom.ZoomBitmap, before);
    tviewslot noView;
    EXPECT_FALSE(zoom.ZoomAt(noView, 10, 10, kTeal));
}

TEST_F(MagnifierTest, TurnedViewIsTurnedInTheMagnifier) {
    // Magnified (140, 72) is 17 source pixels right of the point before the
    // turn; turned by 0.1 it shows (100 + 17 cos 0.1, 80 + 17 sin 0.1) =
    // (116.92, 81.70), where a second spot sits.
    const double rot = 0.1;
    QImage img = SpotPicture(200, 160, 100, 80);
    const int sx = static_cast<int>(std::floor(100 + 17 * std::cos(rot)));
    const int sy = static_cast<int>(std::floor(80 + 17 * std::sin(rot)));
    for (int y = sy; y <= sy + 1; ++y)
        for (int x = sx - 1; x <= sx + 2; ++x) img.setPixel(x, y, kSpot);
    view.bitmap = img;
    view.rot = rot;
    zoom.Resize(150);
    ASSERT_TRUE(zoom.ZoomAt(slot, 100, 80, kTeal));
    EXPECT_EQ(Rgb(zoom.ZoomBitmap, 140, 72), kSpot & 0xFFFFFFu);
    // Unturned, the same magnified pixel shows (117, 80), next to the spot's
    // edge: ground, give or take the smoothing's ringing, far from the spot's red.
    view.rot = 0;
    ASSERT_TRUE(zoom.ZoomAt(slot, 100, 80, kTeal));
    EXPECT_LT(qRed(zoom.ZoomBitmap.pixel(140, 72)), 0x40);
}

TEST(MagnifierLabel, NamesTheViewInItsColour) {
    EXPECT_EQ(ZoomLabelText(true), QStringLiteral("Vue Gauche"));
    EXPECT_EQ(ZoomLabelText(false), QStringLiteral("Vue Droite"));
    EXPECT_EQ(ZoomLabelColor(true), 0x0000FFu);
    EXPECT_EQ(ZoomLabelColor(false), 0x808000u);
}

} // namespace
