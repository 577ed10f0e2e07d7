// The ratio constraint box, the automatic window label, the size fields and
// the four crop modes over a display without a window and recorded controls.
#include "display/displayfixture.h"
#include "montage/cropmodes.h"
#include "output/sourceframe.h"

#include <cmath>
#include <vector>

namespace {

class fakecontrols : public tcropcontrols {
public:
    tdisplaystate* display = nullptr;
    QString label = QStringLiteral("3 -Taille de la fenêtre auto: 0 * 0");
    QString width = QStringLiteral("0000"), height = QStringLiteral("0000");
    bool frameButton = false;
    int markerToggles = 0, composes = 0;
    std::vector<int> pairs;

    tdisplaystate* Display() override { return display; }
    void ShowAutoWindowText(const QString& text) override { label = text; }
    void ShowFrameSizeFields(const QString& w, const QString& h) override {
        width = w;
        height = h;
    }
    QString FrameWidthField() const override { return width; }
    QString FrameHeightField() const override { return height; }
    void ShowFrameButton(bool down) override { frameButton = down; }
    void ToggleMarkers() override { ++markerToggles; }
    void SelectPair(int index) override { pairs.push_back(index); }
    void Compose() override { ++composes; }
};

class CropModes : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        Settings.VisionMode = VisionCrossed;
        Surface(d, 1000, 600);
        c.display = &d;
    }
    void Pictures(int w, int h) {
        Install(pair.ImgLeft, FlatPicture(w, h, 0xFF102030));
        Install(pair.ImgRight, FlatPicture(w, h, 0xFF102030));
        d.UpdateLayout();
    }
    tdisplaystate d{pair};
    fakecontrols c;
};

struct tratiorow {
    int index;
    int ratioW, ratioH, shown;
    bool computes;
};

TEST(RatioBox, EachItemSetsItsTermsAndTheEmptyItemTakesTheLeftPicture) {
    const tratiorow rows[] = {
        {0, 0, 0, 0, true}, {1, 4, 3, 1, true},        {2, 3, 2, 2, true},  {3, 3, 4, 3, true},
        {4, 2, 3, 4, true}, {5, 3000, 2000, 1, false}, {-1, 0, 0, 0, true}, // a cleared box
        {6, 0, 0, 0, true},
    };
    for (const tratiorow& r : rows) {
        const tratiochoice ch = RatioChoice(r.index, 3000, 2000);
        EXPECT_EQ(ch.ratioW, r.ratioW) << r.index;
        EXPECT_EQ(ch.ratioH, r.ratioH) << r.index;
        EXPECT_EQ(ch.shownIndex, r.shown) << r.index;
        EXPECT_EQ(ch.computes, r.computes) << r.index;
    }
}

TEST(SizeFields, WrittenFourWideAndReadAsIntegersOrZero) {
    EXPECT_EQ(FrameSizeField(750.9), QStringLiteral(" 750"));
    EXPECT_EQ(FrameSizeField(12345), QStringLiteral("12345"));
    EXPECT_EQ(FrameSizeField(-3.7), QStringLiteral("  -3"));
    EXPECT_EQ(FrameSizeField(std::nan("")), QStringLiteral("   0"));
    const std::pair<const char*, int> fields[] = {
        {" 750", 750}, {"0000", 0}, {"-4", -4}, {"abc", 0}, {"", 0}, {"12.5", 0}, {"7x", 0}};
    for (const auto& [text, value] : fields)
        EXPECT_EQ(FrameSizeFromField(QString::fromLatin1(text)), value) << text;
}

TEST_F(CropModes, ALandscapeFilmRatioShowsTheConstrainedWindowWithFourDigits) {
    // 1125 x 800 at 3:2: keeping the width (1125 x 750) strays 50, keeping
    // the height (1200 x 800) strays 75.
    Pictures(1125, 800);
    EXPECT_EQ(ChooseRatio(c, 2), 2);
    EXPECT_EQ(WinRatioW, 3);
    EXPECT_EQ(WinRatioH, 2);
    EXPECT_EQ(c.label, QString::fromUtf8("Fenêtre Auto: 1125 * 0750"));
    EXPECT_EQ(c.composes, 1);
}

TEST_F(CropModes, TheEmptyItemShowsTheFirstRatioWhileTheTermsAreThePictureSize) {
    Pictures(3000, 2000);
    EXPECT_EQ(ChooseRatio(c, 5), 1);
    EXPECT_EQ(WinRatioW, 3000);
    EXPECT_EQ(WinRatioH, 2000);
    EXPECT_EQ(c.label, QString::fromUtf8("Fenêtre Auto: 3000 * 2000"));
}

TEST_F(CropModes, WithoutALeftPictureOnlyTheTermsChange) {
    ComputeAutoWindow(c, 3.9, 4.2);
    EXPECT_EQ(WinRatioW, 4);
    EXPECT_EQ(WinRatioH, 3);
    EXPECT_EQ(c.label, QString::fromUtf8("3 -Taille de la fenêtre auto: 0 * 0"));
    FrameFromAutoWindow(c);
    EXPECT_FALSE(pair.ImgLeft.mancropd);
    EXPECT_TRUE(c.pairs.empty());
}

TEST_F(CropModes, ManualCropWithoutAFrameStartsFromTheAutomaticWindow) {
    Pictures(400, 300);
    pair.ImgLeft.posx = 10;
    pair.ImgRight.posx = -6;
    pair.ImgRight.posy = 3;
    d.Zoom = 2;
    d.ScrollX = 4;
    d.ScrollY = -2;
    d.UpdateLayout();
    ApplyCropMode(c, CropManual);

    const tcommonframe automatic =
        ComputeSourceFrame(&pair.ImgLeft, &pair.ImgRight, false, WinRatioH, WinRatioW);
    const tcommonframe manual =
        ComputeSourceFrame(&pair.ImgLeft, &pair.ImgRight, true, WinRatioH, WinRatioW);
    ASSERT_TRUE(pair.ImgLeft.mancropd && pair.ImgRight.mancropd);
    EXPECT_DOUBLE_EQ(manual.width, 384);
    EXPECT_DOUBLE_EQ(manual.height, 297);
    for (const QPointF& corner : {manual.left, manual.right}) {
        EXPECT_NEAR(corner.x(), automatic.left.x(), 1e-9);
        EXPECT_NEAR(corner.y(), automatic.left.y(), 1e-9);
    }
    EXPECT_EQ(c.width, QStringLiteral(" 384"));
    EXPECT_EQ(c.height, QStringLiteral(" 297"));
    EXPECT_TRUE(c.frameButton);
    EXPECT_EQ(c.pairs, std::vector<int>{11});
    EXPECT_EQ(c.markerToggles, 1);
    EXPECT_FALSE(Settings.AutoCrop);
    EXPECT_TRUE(d.CropOn);

    // With both frames in place the mode keeps them.
    pair.ImgLeft.mancropw = 10;
    ApplyCropMode(c, CropManual);
    EXPECT_DOUBLE_EQ(pair.ImgLeft.mancropw, 10);
}

TEST_F(CropModes, ScreenLimitsMakeTheDisplayedPageTheFrame) {
    Pictures(400, 300);
    d.Zoom = 2;
    ApplyCropMode(c, CropScreen);
    EXPECT_EQ(c.width, QStringLiteral(" 990"));
    EXPECT_EQ(c.height, QStringLiteral("1180"));
    for (const timg* v : {&pair.ImgLeft, &pair.ImgRight}) {
        EXPECT_DOUBLE_EQ(v->mancropw, 990);
        EXPECT_DOUBLE_EQ(v->mancroph, 1180);
        EXPECT_DOUBLE_EQ(v->mancropl, 0);
        EXPECT_DOUBLE_EQ(v->mancropt, 0);
    }
    EXPECT_FALSE(c.frameButton) << "the frame tool is not chosen";
    EXPECT_FALSE(Settings.AutoCrop);
    EXPECT_EQ(c.markerToggles, 1);
}

} // namespace
