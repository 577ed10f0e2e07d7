// The anaglyph methods against values worked out by hand, and the halving
// of columns and rows.
#include "engine/anaglyphmix.h"
#include "engine/halfsize.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

namespace {

struct tmixcase {
    const char* name;
    AnaglyphMethod method;
    std::array<int, 3> left, right, expected; // R, G, B
};

class AnaglyphMethods : public ::testing::TestWithParam<tmixcase> {};

TEST_P(AnaglyphMethods, PixelMatchesTheHandWorkedValue) {
    const tmixcase& c = GetParam();
    int out[3];
    AnaglyphPixel(c.method, c.left.data(), c.right.data(), out);
    EXPECT_EQ((std::array<int, 3>{out[0], out[1], out[2]}), c.expected);

    // The same pixel through the row mixer, in memory order B, G, R, A.
    std::uint8_t l[4] = {std::uint8_t(c.left[2]), std::uint8_t(c.left[1]), std::uint8_t(c.left[0]),
                         0x7F};
    std::uint8_t r[4] = {std::uint8_t(c.right[2]), std::uint8_t(c.right[1]),
                         std::uint8_t(c.right[0]), 0xFF};
    const ImageView lv{l, 1, 1, 4, PixelFormat::Bgra32};
    const ImageView rv{r, 1, 1, 4, PixelFormat::Bgra32};
    ASSERT_TRUE(MixAnaglyph(lv, rv, lv, c.method));
    EXPECT_EQ(l[2], c.expected[0]);
    EXPECT_EQ(l[1], c.expected[1]);
    EXPECT_EQ(l[0], c.expected[2]);
    EXPECT_EQ(l[3], 0x7F); // alpha of the left picture
}

// L = (200, 100, 50), R = (10, 150, 250):
//   Y(L) = 59.8 + 58.7 + 5.7 = 124.2 -> 124; Y(R) = 2.99 + 88.05 + 28.5 = 119.54 -> 120
//   least squares: red 91.2 + 50 + 8.8 - 0.43 - 13.2 - 0.5 = 135.87 -> 136,
//   green -8 - 3.8 - 0.8 + 3.78 + 110.1 - 4.5 = 96.78 -> 97,
//   blue -3 - 2.1 - 0.25 - 0.72 - 16.95 + 306.5 = 283.48 -> 255.
// L black, R white: red -0.133 * 255 -> 0, green 1.094 * 255 -> 255, blue 1.041 * 255 -> 255.
// L = (0, 0, 250): Y = 28.5, a tie, -> 28 (to even). L = (100, 0, 0), R = (0, 0, 0):
//   least squares 45.6 -> 46, -4 -> 0, -1.5 -> 0.
INSTANTIATE_TEST_SUITE_P(
    HandWorked, AnaglyphMethods,
    ::testing::Values(
        tmixcase{"Colour", AnaglyphMethod::Colour, {200, 100, 50}, {10, 150, 250}, {200, 150, 250}},
        tmixcase{"Half", AnaglyphMethod::Half, {200, 100, 50}, {10, 150, 250}, {124, 150, 250}},
        tmixcase{"Grey", AnaglyphMethod::Grey, {200, 100, 50}, {10, 150, 250}, {124, 120, 120}},
        tmixcase{"Dubois", AnaglyphMethod::Dubois, {200, 100, 50}, {10, 150, 250}, {136, 97, 255}},
        tmixcase{
            "DuboisBlackWhite", AnaglyphMethod::Dubois, {0, 0, 0}, {255, 255, 255}, {0, 255, 255}},
        tmixcase{
            "GreyWhite", AnaglyphMethod::Grey, {255, 255, 255}, {255, 255, 255}, {255, 255, 255}},
        tmixcase{"HalfTieToEven", AnaglyphMethod::Half, {0, 0, 250}, {1, 2, 3}, {28, 2, 3}},
        tmixcase{"DuboisRedOnly", AnaglyphMethod::Dubois, {100, 0, 0}, {0, 0, 0}, {46, 0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

// The row mixers, four pixels at a time and one by one, against the pixel
// formula: every red/green pair with varied blue, for both row layouts.
class AnaglyphRows : public ::testing::TestWithParam<AnaglyphMethod> {};

TEST_P(AnaglyphRows, EveryPixelMatchesThePixelFormula) {
    const AnaglyphMethod method = GetParam();
    const int n = 256 * 256 + 3; // not a multiple of four: the tail goes one by one
    std::vector<std::uint8_t> left(std::size_t(n) * 4), right(std::size_t(n) * 4);
    std::uint32_t seed = 12345;
    for (int i = 0; i < n; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const int a = i & 0xFF, b = (i >> 8) & 0xFF;
        // Left B, G, R, A, then right; the left blue walks the luma ties.
        const std::uint8_t l[4] = {std::uint8_t(a * 5 + b), std::uint8_t(b), std::uint8_t(a),
                                   std::uint8_t(seed >> 24)};
        const std::uint8_t r[4] = {std::uint8_t(seed >> 8), std::uint8_t(seed >> 16),
                                   std::uint8_t(255 - a), std::uint8_t(seed)};
        std::copy(l, l + 4, left.begin() + 4 * i);
        std::copy(r, r + 4, right.begin() + 4 * i);
    }
    std::vector<std::uint8_t> row32 = left, row24(std::size_t(n) * 3), right24(row24);
    for (int i = 0; i < n; ++i) {
        std::copy_n(left.begin() + 4 * i, 3, row24.begin() + 3 * i);
        std::copy_n(right.begin() + 4 * i, 3, right24.begin() + 3 * i);
    }
    // One row each, mixed in place over the left row.
    const auto row = [n](std::vector<std::uint8_t>& v, PixelFormat f) {
        return ImageView{v.data(), n, 1, std::ptrdiff_t(v.size()), f};
    };
    ASSERT_TRUE(MixAnaglyph(row(row32, PixelFormat::Bgra32), row(right, PixelFormat::Bgra32),
                            row(row32, PixelFormat::Bgra32), method));
    ASSERT_TRUE(MixAnaglyph(row(row24, PixelFormat::Bgr24), row(right24, PixelFormat::Bgr24),
                            row(row24, PixelFormat::Bgr24), method));
    for (int i = 0; i < n; ++i) {
        const std::uint8_t* l = &left[4 * std::size_t(i)];
        const std::uint8_t* r = &right[4 * std::size_t(i)];
        const int lr[3] = {l[2], l[1], l[0]}, rr[3] = {r[2], r[1], r[0]};
        int want[3];
        AnaglyphPixel(method, lr, rr, want);
        const std::uint8_t* g = &row32[4 * std::size_t(i)];
        const std::uint8_t* h = &row24[3 * std::size_t(i)];
        ASSERT_EQ((std::array<int, 4>{g[2], g[1], g[0], g[3]}),
                  (std::array<int, 4>{want[0], want[1], want[2], l[3]}))
            << i;
        ASSERT_EQ((std::array<int, 3>{h[2], h[1], h[0]}),
                  (std::array<int, 3>{want[0], want[1], want[2]}))
            << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Methods, AnaglyphRows,
                         ::testing::Values(AnaglyphMethod::Colour, AnaglyphMethod::Half,
                                           AnaglyphMethod::Grey, AnaglyphMethod::Dubois));

TEST(AnaglyphMix, RefusesPicturesOfDifferentSizes) {
    EngineBitmap a(2, 2), b(3, 2);
    EXPECT_FALSE(MixAnaglyph(a.View(), b.View(), a.View(), AnaglyphMethod::Grey));
}

TEST(HalfSize, ColumnsAverageInPairsRoundingHalvesUp) {
    // One row of five 24-bit pixels; the fifth column is dropped.
    EngineBitmap src(5, 1, PixelFormat::Bgr24);
    const std::uint8_t bytes[15] = {10, 0, 255, 13, 1, 254, 7, 7, 7, 8, 8, 8, 99, 99, 99};
    std::memcpy(src.View().Row(0), bytes, sizeof bytes);
    EngineBitmap dst(4, 1, PixelFormat::Bgr24);
    ASSERT_TRUE(HalveColumnsInto(src.View(), dst.View(), 1));
    const std::uint8_t* d = dst.View().Row(0);
    // Column 0 untouched; (10+13)/2 = 11.5 -> 12, (0+1)/2 -> 1, (255+254)/2 -> 255;
    // 7.5 -> 8; column 3 untouched.
    const std::uint8_t want[12] = {0, 0, 0, 12, 1, 255, 8, 8, 8, 0, 0, 0};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(d[i], want[i]) << i;
}

TEST(HalfSize, RowsAverageInPairsIntoTheirPlace) {
    EngineBitmap src(1, 3), dst(1, 4);
    src.SetPixel(0, 0, 0x01020304);
    src.SetPixel(0, 1, 0x02030405);
    src.SetPixel(0, 2, 0xFFFFFFFF); // odd last row: dropped
    ASSERT_TRUE(HalveRowsInto(src.View(), dst.View(), 2));
    EXPECT_EQ(dst.Pixel(0, 1), 0u);
    EXPECT_EQ(dst.Pixel(0, 2), 0x02030405u); // 1.5 -> 2, 2.5 -> 3, ...
    EXPECT_EQ(dst.Pixel(0, 3), 0u);
    EngineBitmap other(1, 4, PixelFormat::Bgr24);
    EXPECT_FALSE(HalveRowsInto(src.View(), other.View(), 0));
}

} // namespace
