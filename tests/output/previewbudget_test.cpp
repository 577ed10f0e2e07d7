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
    int askW, askH;    // one view of the output, as asked
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
    ASSERT_TRUE(RenderKindPreview(pair, "a.bmp", c.kind, 0, c.separation, c.askH, c.askW, picture));
    EXPECT_EQ(picture.size(), QSize(c.width, c.height));
    EXPECT_EQ(std::lround(picture.width() / picture.devicePixelRatio()), c.outW);
    EXPECT_NEAR(picture.height() / picture.devicePixelRatio(), c.outH, 1);
    if (c.outW != c.width)
        EXPECT_EQ(picture.text(QString::fromLatin1(PreviewOutputSizeKey)),
                  QStringLiteral("%1x%2").arg(c.outW).arg(c.outH));
    // About 2.5 megapixels: the rounding of the sides may pass it a little.
    EXPECT_LE(double(picture.width()) * picture.height(), 2.51e6);
}

// Over 2.5 megapixels the view width is divided by sqrt(pixels / 2.5e6),
// rounded, and height and band follow at the same step (2000 / new width):
// crossed 4000 x 1500: 2000 / 1.5492 = 1291, 1500 / 1.5492 = 968;
// parallel with a 100 band, 4100 x 1500: 2000 / 1.5684 = 1275, 956, band 64;
// over-under 2000 x 3000 as crossed; an anaglyph of 1600 x 1200 fits.
INSTANTIATE_TEST_SUITE_P(
    Kinds, PreviewBudget,
    ::testing::Values(
        tbudgetcase{"Crossed", KindCrossed, 0, 2000, 1500, 2582, 968, 4000, 1500},
        tbudgetcase{"ParallelWithBand", KindParallel, 100, 2000, 1500, 2614, 956, 4100, 1500},
        tbudgetcase{"OverUnder", KindOverUnder, 0, 2000, 1500, 1291, 1936, 2000, 3000},
        tbudgetcase{"AnaglyphFitsAsItIs", KindAnaglyph, 0, 1600, 1200, 1600, 1200, 1600, 1200}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PreviewBudget, SmallerPictureKeepsTheLayout) {
    QImage picture;
    ASSERT_TRUE(RenderKindPreview(pair, "a.bmp", KindParallel, 0, 100, 1500, 2000, picture));
    // Left view in the first cell, black band, right view in the second.
    EXPECT_EQ(Rgb(picture, 600, 450), 0x0000FFu);
    EXPECT_EQ(Rgb(picture, 1275 + 30, 450), 0u);
    EXPECT_EQ(Rgb(picture, 1275 + 64 + 600, 450), 0xFF0000u);
}

} // namespace
