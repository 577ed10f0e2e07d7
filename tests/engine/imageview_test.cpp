// Owned bitmaps and views: sizes, row order and pixel words.
#include "engine/imageview.h"

#include <gtest/gtest.h>

namespace {

TEST(EngineBitmaps, NewBitmapsAreClearedTopDownAndTight) {
    EngineBitmap b(3, 2);
    const ImageView v = b.View();
    EXPECT_EQ(v.stride, 12);
    EXPECT_EQ(v.Row(1), v.data + 12);
    EXPECT_EQ(b.Pixel(2, 1), 0u);
    EngineBitmap b24(5, 1, PixelFormat::Bgr24);
    EXPECT_EQ(b24.Stride(), 15);
}

TEST(EngineBitmaps, NegativeOrZeroSizesGiveAnEmptyBitmap) {
    EngineBitmap b(-4, 10);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Width(), 0);
    EXPECT_TRUE(b.View().Empty());
    b.Resize(2, 0);
    EXPECT_TRUE(b.View().Empty());
}

TEST(EngineViews, BottomUpRowsAreAddressedTopRowFirst) {
    std::uint8_t mem[2 * 8] = {};
    ImageView v;
    v.width = 2;
    v.height = 2;
    v.stride = -8;
    v.data = mem + 8; // the top row lies last in memory
    v.SetPixel(1, 0, 0xAABBCCDDu);
    EXPECT_EQ(mem[12], 0xDD); // blue byte first
    EXPECT_EQ(mem[15], 0xAA);
    v.SetPixel(0, 1, 0x01020304u);
    EXPECT_EQ(mem[0], 0x04);
    EXPECT_EQ(v.Pixel(0, 1), 0x01020304u);
}

} // namespace
