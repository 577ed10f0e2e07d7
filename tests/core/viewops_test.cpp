// Turns, mirrors and reduction of a view: picture and points together.
#include "core/viewops.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// A picture whose pixel (x, y) is 0xFF000000 | y << 12 | x, so any misplaced
// pixel shows.
QImage Numbered(int w, int h) {
    QImage img = NewViewBitmap(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, 0xFF000000u | uint(y) << 12 | uint(x));
    return img;
}

uint At(int x, int y) {
    return 0xFF000000u | uint(y) << 12 | uint(x);
}

timg ViewOf(int w, int h) {
    timg v;
    v.bitmap = Numbered(w, h);
    v.Reset();
    return v;
}

TEST(ViewTurns, ClockwiseTurnMovesPlacedPointsAndThePicture) {
    timg v = ViewOf(400, 300);
    v.PlacePoint(PtStereo1, 10, 20);
    v.pt[PtStereo2] = {10, 20, false, v.pt[PtStereo2].c};
    TurnCurrent(v, TurnQuarterCW);
    EXPECT_EQ(v.bitmap.width(), 300);
    EXPECT_EQ(v.bitmap.height(), 400);
    EXPECT_EQ(v.bitmap.pixel(0, 0), At(0, 299)); // the bottom-left pixel comes to the top left
    EXPECT_EQ(v.bitmap.pixel(299, 399), At(399, 0));
    EXPECT_DOUBLE_EQ(v.pt[PtStereo1].x, 280);
    EXPECT_DOUBLE_EQ(v.pt[PtStereo1].y, 10);
    EXPECT_DOUBLE_EQ(v.pt[PtStereo2].x, 10); // unplaced: left where it was
    EXPECT_DOUBLE_EQ(v.pt[PtStereo2].y, 20);
    EXPECT_EQ(v.autorot, 90);
}

TEST(ViewTurns, ThreeQuarterAndHalfTurnsMovePointsByTheirFormulas) {
    timg v = ViewOf(40, 30);
    v.PlacePoint(PtCurrent, 10, 5);
    TurnCurrent(v, TurnQuarterCCW);
    EXPECT_EQ(v.bitmap.width(), 30);
    EXPECT_EQ(v.bitmap.pixel(0, 0), At(39, 0)); // turned counter-clockwise
    EXPECT_DOUBLE_EQ(v.pt[PtCurrent].x, 5);     // (y, W - x)
    EXPECT_DOUBLE_EQ(v.pt[PtCurrent].y, 30);
    EXPECT_EQ(v.autorot, 270);
    timg h = ViewOf(40, 30);
    h.PlacePoint(PtCurrent, 10, 5);
    TurnCurrent(h, TurnHalf);
    EXPECT_EQ(h.bitmap.pixel(0, 0), At(39, 29));
    EXPECT_DOUBLE_EQ(h.pt[PtCurrent].x, 30); // (W - x, H - y)
    EXPECT_DOUBLE_EQ(h.pt[PtCurrent].y, 25);
}

TEST(ViewTurns, SpareLastPointNeverMoves) {
    timg v = ViewOf(40, 30);
    v.PlacePoint(PtReserve13, 3, 4);
    v.PlacePoint(PtCadre2, 3, 4);
    TurnCurrent(v, TurnQuarterCW);
    EXPECT_DOUBLE_EQ(v.pt[PtReserve13].x, 3);
    EXPECT_DOUBLE_EQ(v.pt[PtCadre2].x, 26);
}

TEST(ViewTurns, FourPairTurnsBringBothViewsBack) {
    timg l = ViewOf(7, 5), r = ViewOf(6, 9);
    l.PlacePoint(PtStereo0, 1.5, 2);
    const QImage l0 = l.bitmap, r0 = r.bitmap;
    for (int i = 0; i < 4; ++i) TurnPair(l, r, TurnQuarterCW);
    EXPECT_EQ(l.autorot, 0);
    EXPECT_EQ(r.autorot, 0);
    EXPECT_EQ(l.bitmap, l0);
    EXPECT_EQ(r.bitmap, r0);
    EXPECT_DOUBLE_EQ(l.pt[PtStereo0].x, 1.5);
    EXPECT_DOUBLE_EQ(l.pt[PtStereo0].y, 2);
}

TEST(ViewMirrors, RowMirrorTwiceRestoresAndBothMirrorsMakeAHalfTurn) {
    timg v = ViewOf(5, 4);
    const QImage start = v.bitmap;
    v.PlacePoint(PtOrient1, 1, 1);
    TurnCurrent(v, MirrorRows);
    EXPECT_EQ(v.mirror, 4);
    EXPECT_EQ(v.bitmap.pixel(0, 0), At(0, 3));
    EXPECT_DOUBLE_EQ(v.pt[PtOrient1].y, 3);
    TurnCurrent(v, MirrorRows);
    EXPECT_EQ(v.mirror, 0);
    EXPECT_EQ(v.bitmap, start);

    TurnCurrent(v, MirrorRows);
    TurnCurrent(v, MirrorColumns);
    EXPECT_EQ(v.mirror, 0);
    EXPECT_EQ(v.autorot, 180);
    EXPECT_EQ(v.bitmap.pixel(0, 0), At(4, 3));
    EXPECT_DOUBLE_EQ(v.pt[PtOrient1].x, 4);
    EXPECT_DOUBLE_EQ(v.pt[PtOrient1].y, 3);
}

TEST(ViewOrientation, RestoringUndoesAnySequenceOfTurnsAndMirrors) {
    std::mt19937 rng(9);
    const int codes[] = {1, 2, 3, 4, 8};
    for (int round = 0; round < 20; ++round) {
        timg v = ViewOf(6, 4);
        v.PlacePoint(PtStereo1, 2, 1);
        v.PlacePoint(PtWin1, 5.5, 0.5);
        const QImage start = v.bitmap;
        const int steps = std::uniform_int_distribution<int>(1, 6)(rng);
        for (int s = 0; s < steps; ++s)
            TurnCurrent(v, codes[std::uniform_int_distribution<int>(0, 4)(rng)]);
        TurnCurrent(v, 0); // any other code restores
        EXPECT_EQ(v.mirror, 0);
        EXPECT_EQ(v.autorot, 0);
        EXPECT_EQ(v.bitmap, start) << "round " << round;
        EXPECT_DOUBLE_EQ(v.pt[PtStereo1].x, 2);
        EXPECT_DOUBLE_EQ(v.pt[PtStereo1].y, 1);
        EXPECT_DOUBLE_EQ(v.pt[PtWin1].x, 5.5);
        EXPECT_DOUBLE_EQ(v.pt[PtWin1].y, 0.5);
    }
}

TEST(ViewOrientation, TurningAMirroredPictureKeepsItsCodesTrue) {
    // Rows reversed then a quarter turn is the quarter turn with columns
    // reversed: the codes must say so, or restoring would leave a half turn.
    timg v = ViewOf(5, 3);
    const QImage start = v.bitmap;
    TurnCurrent(v, MirrorRows);
    TurnCurrent(v, TurnQuarterCW);
    EXPECT_EQ(v.mirror, 8);
    EXPECT_EQ(v.autorot, 90);
    RestoreOrientation(v);
    EXPECT_EQ(v.bitmap, start);
}

TEST(ViewOrientation, PairRestoreWithAnotherCodeRestoresBothViews) {
    timg l = ViewOf(5, 3), r = ViewOf(4, 4);
    const QImage l0 = l.bitmap;
    TurnPair(l, r, TurnHalf);
    TurnCurrent(r, MirrorColumns);
    TurnPair(l, r, 0);
    EXPECT_EQ(l.bitmap, l0);
    EXPECT_EQ(l.autorot + r.autorot + r.mirror, 0);
}

TEST(ViewTurns, EmptyPictureMovesPointsByZeroSize) {
    timg v;
    v.PlacePoint(PtStereo1, 10, 20);
    TurnCurrent(v, TurnQuarterCW);
    EXPECT_TRUE(v.bitmap.isNull());
    EXPECT_DOUBLE_EQ(v.pt[PtStereo1].x, -20);
    EXPECT_DOUBLE_EQ(v.pt[PtStereo1].y, 10);
    EXPECT_EQ(v.autorot, 90);
}

TEST(ViewReduction, HalvingShrinksThePictureAndEveryPoint) {
    timg v;
    v.bitmap = NewViewBitmap(1001, 501);
    v.bitmap.fill(0xFF336699u);
    v.Reset();
    v.PlacePoint(PtStereo1, 100, 50);
    ASSERT_TRUE(ReduceView(v, 2));
    EXPECT_EQ(v.bitmap.width(), 500);
    EXPECT_EQ(v.bitmap.height(), 250);
    EXPECT_DOUBLE_EQ(v.pt[PtStereo1].x, 50);
    EXPECT_DOUBLE_EQ(v.pt[PtStereo1].y, 25);
    EXPECT_DOUBLE_EQ(v.pt[PtStereo2].x, -0.5); // unset points too
    EXPECT_DOUBLE_EQ(v.pt[PtStereo2].y, -0.5);
    EXPECT_DOUBLE_EQ(v.pt[PtStereo0].x, 250.25); // the centre, unplaced, at 500.5 before
    // A uniform picture stays uniform and opaque.
    EXPECT_EQ(v.bitmap.pixel(0, 0), 0xFF336699u);
    EXPECT_EQ(v.bitmap.pixel(250, 125), 0xFF336699u);
    EXPECT_EQ(v.bitmap.pixel(499, 249), 0xFF336699u);
}

// A picture of 2 x 2 blocks, each block its own colour (neighbours differ by
// 7 levels in red, 9 in green): halved, every output pixel is centred on its
// own block, so it keeps that block's colour up to the smoothing kernel's
// touch of its neighbours (a few levels). Cropping at scale 1 instead would
// show the blocks twice as large, tens of levels off.
TEST(ViewReduction, HalvingATexturedPictureKeepsOneBlockPerPixel) {
    timg v;
    v.bitmap = NewViewBitmap(64, 48);
    const auto block = [](int bx, int by) { return qRgb(bx * 7, by * 9, (bx + by) * 4); };
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) v.bitmap.setPixel(x, y, block(x / 2, y / 2));
    v.Reset();
    ASSERT_TRUE(ReduceView(v, 2));
    ASSERT_EQ(v.bitmap.size(), QSize(32, 24));
    int wrong = 0;
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 31; ++x) {
            const QRgb got = v.bitmap.pixel(x, y), want = block(x, y);
            if (std::abs(qRed(got) - qRed(want)) > 3 || std::abs(qGreen(got) - qGreen(want)) > 3 ||
                std::abs(qBlue(got) - qBlue(want)) > 3)
                ++wrong;
        }
    EXPECT_EQ(wrong, 0);
}

TEST(ViewReduction, FactorBelowOneEnlarges) {
    timg v = ViewOf(10, 6);
    v.PlacePoint(PtDz1, 3, 2);
    ASSERT_TRUE(ReduceView(v, 0.5));
    EXPECT_EQ(v.bitmap.width(), 20);
    EXPECT_EQ(v.bitmap.height(), 12);
    EXPECT_DOUBLE_EQ(v.pt[PtDz1].x, 6);
    EXPECT_EQ(v.bitmap.pixel(0, 0), At(0, 0)); // the first row and column are copied
}

TEST(ViewReduction, MeaninglessFactorsChangeNothing) {
    timg v = ViewOf(10, 6);
    v.PlacePoint(PtDz1, 3, 2);
    const QImage start = v.bitmap;
    for (double f : {0.0, -2.0, std::nan(""), double(INFINITY)}) {
        EXPECT_FALSE(ReduceView(v, f));
        EXPECT_EQ(v.bitmap, start);
        EXPECT_DOUBLE_EQ(v.pt[PtDz1].x, 3);
    }
}

} // namespace

namespace {

TEST(PictureTurns, PicturesInOtherFormatsAreTurnedAsThirtyTwoBit) {
    QImage rgb(3, 2, QImage::Format_RGB888);
    rgb.fill(Qt::black);
    rgb.setPixel(0, 1, qRgb(10, 20, 30));
    ASSERT_TRUE(TurnPicture(rgb, TurnQuarterCW));
    EXPECT_EQ(rgb.format(), QImage::Format_ARGB32);
    EXPECT_EQ(rgb.size(), QSize(2, 3));
    EXPECT_EQ(rgb.pixel(0, 0), qRgb(10, 20, 30));
    ASSERT_TRUE(MirrorPicture(rgb, MirrorColumns));
    EXPECT_EQ(rgb.pixel(1, 0), qRgb(10, 20, 30));
    QImage null;
    EXPECT_TRUE(TurnPicture(null, TurnQuarterCW));
    EXPECT_TRUE(null.isNull());
}

} // namespace
