// Large previews are composed smaller in the same proportions and say by how
// much; small ones stay at their own size.
#include "core/previewlink.h"
#include "core/viewpair.h"
#include "output/outputfixtures.h"
#include "output/savepass.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct tbudgetcase {
    const char* name;
    int kind, separation;
    int width, height; // the picture composed
    int outW, outH;    // the output it stands for
};

class PreviewBudget : public ::testing::TestWithParam<tbudgetcase> {
protected:
    static void SetUpTestSuite() {
        // Left view blue, right view red, 2000 x 1500 each.
        MakeView(pair.ImgLeft, 2000, 1500, qRgb(0, 0, 255));
        MakeView(pair.ImgRight, 2000, 1500, qRgb(255, 0, 0));
    }
    static tviewpair pair;
};

tviewpair PreviewBudget::pair;

TEST_P(PreviewBudget, ComposesWithinTheBudgetAndKeepsTheOutputSize) {
    const tbudgetcase& c = GetParam();
    QImage picture;
    ASSERT_TRUE(RenderKindPreview(pair, "a.bmp", c.kind, 0, c.separation, 1500, 2000, picture));
    EXPECT_EQ(picture.size(), QSize(c.width, c.height));
    EXPECT_EQ(std::lround(picture.width() / picture.devicePixelRatio()), c.outW);
    EXPECT_NEAR(picture.height() / picture.devicePixelRatio(), c.outH, 1);
    if (c.outW != c.width)
        EXPECT_EQ(picture.text(QString::fromLatin1(PreviewOutputSizeKey)),
                  QStringLiteral("%1x%2").arg(c.outW).arg(c.outH));
    // About four megapixels: the rounding of the sides may pass it a little.
    EXPECT_LE(double(picture.width()) * picture.height(), 4.01e6);
}

// Over four megapixels the view width is divided by sqrt(pixels / 4e6),
// rounded, and height and band follow at the same step (2000 / new width):
// crossed 4000 x 1500: 2000 / 1.2247 = 1633, 1500 / 1.2247 = 1225;
// parallel with a 100 band, 4100 x 1500: 2000 / 1.2400 = 1613, 1210, band 81.
INSTANTIATE_TEST_SUITE_P(
    Kinds, PreviewBudget,
    ::testing::Values(tbudgetcase{"Crossed", KindCrossed, 0, 3266, 1225, 4000, 1500},
                      tbudgetcase{"ParallelWithBand", KindParallel, 100, 3307, 1210, 4100, 1500},
                      tbudgetcase{"OverUnder", KindOverUnder, 0, 1633, 2450, 2000, 3000},
                      tbudgetcase{"AnaglyphFitsAsItIs", KindAnaglyph, 0, 2000, 1500, 2000, 1500}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PreviewBudget, SmallerPictureKeepsTheLayout) {
    QImage picture;
    ASSERT_TRUE(RenderKindPreview(pair, "a.bmp", KindParallel, 0, 100, 1500, 2000, picture));
    // Left view in the first cell, black band, right view in the second.
    EXPECT_EQ(Rgb(picture, 800, 600), 0x0000FFu);
    EXPECT_EQ(Rgb(picture, 1613 + 40, 600), 0u);
    EXPECT_EQ(Rgb(picture, 1613 + 81 + 800, 600), 0xFF0000u);
}

} // namespace
