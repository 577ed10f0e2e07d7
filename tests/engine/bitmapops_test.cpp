// Quarter turns, mirrors, masks, copies and grey conversion on small pictures
// in both row orders.
#include "engine/bitmapops.h"

#include "engine_test_util.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Pixel value n at (x, y) = y * w + x + 1, so every position is recognisable.
RefPic Numbered(int w, int h) {
    RefPic p = UniformPic(w, h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) p.at(x, y) = 0xAB000000u | std::uint32_t(y * w + x + 1);
    return p;
}

EngineBitmap Owned(const RefPic& p) {
    EngineBitmap b(p.w, p.h);
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x) b.SetPixel(x, y, p.at(x, y));
    return b;
}

TEST(QuarterTurns, ClockwiseTurnPutsTheBottomLeftPixelTopLeft) {
    EngineBitmap b = Owned(Numbered(3, 2));
    TurnBitmapCW(b);
    ASSERT_EQ(b.Width(), 2);
    ASSERT_EQ(b.Height(), 3);
    // Source rows 1 2 3 / 4 5 6 become 4 1 / 5 2 / 6 3.
    const std::uint32_t want[3][2] = {{4, 1}, {5, 2}, {6, 3}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x) EXPECT_EQ(b.Pixel(x, y) & 0xFFFFFF, want[y][x]);
}

TEST(QuarterTurns, CounterClockwiseTurnPutsTheTopRightPixelTopLeft) {
    EngineBitmap b = Owned(Numbered(3, 2));
    TurnBitmapCCW(b);
    ASSERT_EQ(b.Width(), 2);
    ASSERT_EQ(b.Height(), 3);
    const std::uint32_t want[3][2] = {{3, 6}, {2, 5}, {1, 4}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x) EXPECT_EQ(b.Pixel(x, y) & 0xFFFFFF, want[y][x]);
}

TEST(QuarterTurns, LargePicturesFollowTheTurnFormulasEverywhere) {
    std::mt19937 rng(3);
    const RefPic pic = RandomPic(rng, 70, 45);
    Canvas src(pic, true);
    EngineBitmap cw, ccw;
    TurnBitmapCWInto(src.View(), cw);
    TurnBitmapCCWInto(src.View(), ccw);
    ASSERT_EQ(cw.Width(), 45);
    ASSERT_EQ(cw.Height(), 70);
    for (int y = 0; y < 70; ++y)
        for (int x = 0; x < 45; ++x) {
            ASSERT_EQ(cw.Pixel(x, y), pic.at(y, 44 - x)) << x << "," << y;
            ASSERT_EQ(ccw.Pixel(x, y), pic.at(69 - y, x)) << x << "," << y;
        }
}

TEST(QuarterTurns, FourClockwiseTurnsGiveThePictureBack) {
    std::mt19937 rng(1);
    const RefPic pic = RandomPic(rng, 7, 4);
    EngineBitmap b = Owned(pic);
    for (int i = 0; i < 4; ++i) TurnBitmapCW(b);
    EXPECT_EQ(ReadBack(b.View()).px, pic.px);
}

TEST(QuarterTurns, HalfTurnEqualsTwoQuarterTurnsForOddAndEvenHeights) {
    std::mt19937 rng(2);
    for (int h : {1, 2, 3, 5}) {
        const RefPic pic = RandomPic(rng, 5, h);
        EngineBitmap twice = Owned(pic);
        TurnBitmapCW(twice);
        TurnBitmapCW(twice);
        Canvas half(pic, true); // bottom-up rows
        TurnBitmap180(half.View());
        EXPECT_EQ(ReadBack(half.View()).px, ReadBack(twice.View()).px) << "height " << h;
    }
}

TEST(QuarterTurns, IntoAViewNeedsTheTurnedSize) {
    const RefPic pic = Numbered(3, 2);
    Canvas src(pic, true);
    Canvas wrong(UniformPic(3, 2, 0), false);
    EXPECT_FALSE(TurnBitmapCWInto(src.View(), wrong.View()));
    EXPECT_EQ(ReadBack(wrong.View()).px, UniformPic(3, 2, 0).px);
    Canvas right(UniformPic(2, 3, 0), true);
    ASSERT_TRUE(TurnBitmapCCWInto(src.View(), right.View()));
    EXPECT_EQ(ReadBack(right.View()).at(0, 0) & 0xFFFFFF, 3u);
}

TEST(QuarterTurns, TurningAnOwnedBitmapFromItsOwnViewIsSafe) {
    EngineBitmap b = Owned(Numbered(4, 3));
    TurnBitmapCWInto(b.View(), b);
    ASSERT_EQ(b.Width(), 3);
    EXPECT_EQ(b.Pixel(0, 0) & 0xFFFFFF, 9u);
}

TEST(QuarterTurns, EmptyOrTwentyFourBitSourcesAreLeftAlone) {
    EngineBitmap empty;
    TurnBitmapCW(empty);
    EXPECT_TRUE(empty.Empty());
    EngineBitmap b24(3, 2, PixelFormat::Bgr24);
    TurnBitmapCW(b24);
    EXPECT_EQ(b24.Width(), 3);
}

TEST(Mirrors, ColumnsAndRowsReverseInPlace) {
    Canvas c(Numbered(3, 3), true);
    MirrorBitmapH(c.View());
    EXPECT_EQ(ReadBack(c.View()).at(0, 0) & 0xFFFFFF, 3u);
    EXPECT_EQ(ReadBack(c.View()).at(1, 1) & 0xFFFFFF, 5u);
    FlipBitmapV(c.View());
    EXPECT_EQ(ReadBack(c.View()).at(0, 0) & 0xFFFFFF, 9u);
    EXPECT_EQ(ReadBack(c.View()).at(2, 2) & 0xFFFFFF, 1u);
}

TEST(Mirrors, OnePixelWideMirrorChangesNothing) {
    const RefPic pic = Numbered(1, 4);
    Canvas c(pic, false);
    MirrorBitmapH(c.View());
    EXPECT_EQ(ReadBack(c.View()).px, pic.px);
}

TEST(Masks, RedMaskClearsAlphaGreenAndBlue) {
    const RefPic pic = UniformPic(2, 2, 0x80123456);
    Canvas src(pic, false);
    EngineBitmap out;
    MaskBitmap(src.View(), out, 0xFF0000);
    ASSERT_EQ(out.Width(), 2);
    EXPECT_EQ(out.Pixel(1, 1), 0x00120000u);
}

TEST(Copies, CopyPixelsAndCopyBitmapReproduceTheSource) {
    std::mt19937 rng(4);
    const RefPic pic = RandomPic(rng, 5, 3);
    Canvas src(pic, true);
    EngineBitmap a, b;
    CopyPixels(src.View(), a);
    CopyBitmap(src.View(), b);
    EXPECT_EQ(ReadBack(a.View()).px, pic.px);
    EXPECT_EQ(ReadBack(b.View()).px, pic.px);
    // Copying a bitmap onto itself changes nothing.
    CopyBitmap(b.View(), b);
    EXPECT_EQ(ReadBack(b.View()).px, pic.px);
    // An empty source gives an empty copy.
    CopyBitmap(ImageView{}, b);
    EXPECT_TRUE(b.Empty());
}

TEST(Copies, CopyBitmapKeepsTwentyFourBitFormat) {
    std::mt19937 rng(5);
    const RefPic pic = RandomPic(rng, 3, 2, true);
    Canvas src(pic, false);
    EngineBitmap b;
    CopyBitmap(src.View(), b);
    EXPECT_EQ(b.Format(), PixelFormat::Bgr24);
    EXPECT_EQ(ReadBack(b.View()).px, pic.px);
}

TEST(Grey, LuminanceOfWhiteIsWhiteAndAnaglyphWeightsPickTheirChannels) {
    Canvas white(UniformPic(3, 2, 0x12FFFFFF), false);
    GreyBitmap(white.View(), white.View(), 0xFFFFFF);
    for (std::uint32_t v : ReadBack(white.View()).px) EXPECT_EQ(v, 0x12FFFFFFu);

    Canvas red(UniformPic(3, 2, 0x00FF0000), true);
    GreyBitmap(red.View(), red.View(), 0x00FFFF);
    for (std::uint32_t v : ReadBack(red.View()).px) EXPECT_EQ(v, 0u);

    // (128 * 100 + 128 * 51) / 256 = 75.
    Canvas cyan(UniformPic(2, 2, 0x00006433), false);
    Canvas out(UniformPic(2, 2, 0x7F000000), false);
    GreyBitmap(cyan.View(), out.View(), 0x00FFFF);
    EXPECT_EQ(ReadBack(out.View()).at(1, 1), 0x7F4B4B4Bu);
}

TEST(Grey, LastRowAndColumnAreConverted) {
    RefPic pic = UniformPic(4, 3, 0);
    pic.at(3, 2) = 0x00FF0000;
    Canvas c(pic, true);
    GreyBitmap(c.View(), c.View(), 0xFF0000);
    EXPECT_EQ(ReadBack(c.View()).at(3, 2), 0x00FFFFFFu);
}

} // namespace
