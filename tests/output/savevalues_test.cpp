// The save dialog's values: size presets and adapt modes, view and composite
// fields, typed sizes, defaults, storing into the settings and the fallbacks
// of fields that hold no size.
#include "output/savevalues.h"

#include "core/settings.h"
#include "core/viewpair.h"
#include "outputfixtures.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace {

// A pair of 1200 x 800 views: the automatic frame is 1200 x 800, ratio 1.5.
struct SaveValues : ::testing::Test {
    void SetUp() override {
        MakeView(pair.ImgLeft, 1200, 800, qRgb(200, 0, 0));
        MakeView(pair.ImgRight, 1200, 800, qRgb(0, 200, 0));
        src.pair = &pair;
    }
    // The fields after choosing `preset` with the other choices given.
    tsavevalues Sized(int preset, int adapt, int couple, bool coupleSize, int separ) {
        tsavevalues v;
        v.SizePreset = preset;
        v.Adapt = adapt;
        v.Couple = couple;
        v.CoupleSize = coupleSize;
        v.EditSepar = QString::number(separ);
        SizeComboChange(v, src, settings);
        return v;
    }
    static int N(const QString& field) { return field.trimmed().toInt(); }

    tviewpair pair;
    tsizesource src;
    tsettings settings;
};

TEST(SizeFields, NumbersAreRightAlignedInSevenWithTwoDigits) {
    EXPECT_EQ(SizeText(5), "     05");
    EXPECT_EQ(SizeText(1024), "   1024");
    EXPECT_EQ(SizeText(0), "     00");
}

TEST(SizeFields, OnlyWholeNonNegativeNumbersAreSizes) {
    struct tcase {
        const char* text;
        bool ok;
        int value;
    };
    const tcase cases[] = {{"   640", true, 640}, {"0", true, 0},   {"12a", false, 0},
                           {"", false, 0},        {"-5", false, 0}, {"1.5", false, 0}};
    for (const tcase& c : cases) {
        int v = -1;
        EXPECT_EQ(ReadSizeField(QString::fromUtf8(c.text), v), c.ok) << c.text;
        if (c.ok) EXPECT_EQ(v, c.value) << c.text;
    }
}

// Every preset and adapt mode, "Vue" selected, layout XP, band 10.
// Expected sizes by hand: ratio 1200 / 800 = 1.5; mode 1 keeps the width
// (h = trunc(w / 1.5)), mode 2 keeps the height (w = trunc(h * 1.5)).
TEST_F(SaveValues, PresetsAndAdaptModesGiveTheViewAndCompositeSizes) {
    struct tcase {
        int preset;
        int adapt;
        int w, h;
    };
    const tcase cases[] = {
        {PresetReal, 0, 1200, 800}, {PresetReal, 1, 1200, 800}, {PresetReal, 2, 1200, 800},
        {2, 0, 320, 240},           {2, 1, 320, 213},           {2, 2, 360, 240},
        {3, 0, 640, 480},           {3, 1, 640, 426},           {3, 2, 720, 480},
        {4, 0, 800, 600},           {4, 1, 800, 533},           {4, 2, 900, 600},
        {5, 0, 1024, 768},          {5, 1, 1024, 682},          {5, 2, 1152, 768},
        {6, 0, 1152, 864},          {6, 1, 1152, 768},          {6, 2, 1296, 864},
        {7, 0, 1280, 1024},         {7, 1, 1280, 853},          {7, 2, 1536, 1024},
    };
    for (const tcase& c : cases) {
        const tsavevalues v = Sized(c.preset, c.adapt, CoupleXP, false, 10);
        EXPECT_EQ(N(v.EditW), c.w) << c.preset << " " << c.adapt;
        EXPECT_EQ(N(v.EditH), c.h) << c.preset << " " << c.adapt;
        EXPECT_EQ(N(v.EditWt), 2 * c.w + 10) << c.preset << " " << c.adapt;
        EXPECT_EQ(N(v.EditHt), c.h) << c.preset << " " << c.adapt;
        EXPECT_DOUBLE_EQ(v.FrameRatio, 1.5);
    }
}

TEST_F(SaveValues, CompositeFieldsFollowTheLayout) {
    struct tcase {
        int couple;
        int wt, ht;
    };
    // 640 * 480 with a band of 10.
    const tcase cases[] = {{CoupleXP, 1290, 480}, {CoupleBi, 1940, 480}, {CoupleV, 640, 970}};
    for (const tcase& c : cases) {
        const tsavevalues v = Sized(3, 0, c.couple, false, 10);
        EXPECT_EQ(N(v.EditWt), c.wt) << c.couple;
        EXPECT_EQ(N(v.EditHt), c.ht) << c.couple;
    }
}

TEST_F(SaveValues, CoupleSizeDerivesTheViewAndRealSizeDisablesIt) {
    // 800 * 600 as the whole composite, band 10: XP (800 - 10) div 2 = 395,
    // Bi (800 - 20) div 3 = 260, V (600 - 10) div 2 = 295.
    tsavevalues xp = Sized(4, 0, CoupleXP, true, 10);
    EXPECT_EQ(N(xp.EditWt), 800);
    EXPECT_EQ(N(xp.EditW), 395);
    EXPECT_EQ(N(Sized(4, 0, CoupleBi, true, 10).EditW), 260);
    EXPECT_EQ(N(Sized(4, 0, CoupleV, true, 10).EditH), 295);

    // A composite narrower than the band leaves no view.
    xp.EditWt = "5";
    SizeFieldTyped(xp, FieldWt, settings);
    EXPECT_EQ(N(xp.EditW), 0);
    EXPECT_EQ(xp.SizePreset, PresetCustom);

    const tsavevalues real = Sized(PresetReal, 0, CoupleXP, true, 10);
    EXPECT_FALSE(real.CoupleEnabled);
    EXPECT_FALSE(real.CoupleSize);
    EXPECT_EQ(N(real.EditW), 1200);
}

TEST_F(SaveValues, TypedSizesFollowTheFrameRatio) {
    struct tcase {
        tsizefield field;
        const char* typed;
        int w, h, wt, ht;
    };
    // Ratio 1.5, layout XP, band 10.
    const tcase cases[] = {
        {FieldW, "900", 900, 600, 1810, 1206},   // 1810 / 1.5 = 1206.67
        {FieldH, "600", 900, 600, 900, 600},     // the composite is 600 high: 900 wide
        {FieldWt, "1810", 900, 600, 1810, 1206}, // (1810 - 10) div 2
        {FieldHt, "400", 600, 400, 600, 400},
    };
    for (const tcase& c : cases) {
        tsavevalues v = Sized(4, 0, CoupleXP, false, 10);
        QString* fields[] = {&v.EditW, &v.EditH, &v.EditWt, &v.EditHt};
        *fields[c.field] = QString::fromUtf8(c.typed);
        SizeFieldTyped(v, c.field, settings);
        EXPECT_EQ(N(v.EditW), c.w) << c.typed;
        EXPECT_EQ(N(v.EditH), c.h) << c.typed;
        EXPECT_EQ(N(v.EditWt), c.wt) << c.typed;
        EXPECT_EQ(N(v.EditHt), c.ht) << c.typed;
        EXPECT_EQ(settings.SaveWUser, c.w) << c.typed;
        EXPECT_EQ(settings.SaveHUser, c.h) << c.typed;
    }
}

TEST_F(SaveValues, TypedValueThatIsNoSizeChangesNothing) {
    tsavevalues v = Sized(3, 0, CoupleXP, false, 0);
    const tsavevalues before = v;
    v.EditW = "12a";
    SizeFieldTyped(v, FieldW, settings);
    EXPECT_EQ(v.EditH, before.EditH);
    EXPECT_EQ(v.EditWt, before.EditWt);
    EXPECT_EQ(v.SizePreset, 3);
    v.EditW = "-40";
    SizeFieldTyped(v, FieldW, settings);
    EXPECT_EQ(v.EditH, before.EditH);
}

TEST_F(SaveValues, ManualSourceUsesTheCurrentCropNormalisedInBothViews) {
    for (timg* view : {&pair.ImgLeft, &pair.ImgRight}) {
        view->mancropd = true;
        view->mancropl = 700;
        view->mancropt = 500;
        view->mancropw = -600.7;
        view->mancroph = -300.2;
    }
    const QSize s = SourceFrameSize(src, 1);
    EXPECT_EQ(s, QSize(600, 300));
    for (const timg* view : {&pair.ImgLeft, &pair.ImgRight}) {
        EXPECT_DOUBLE_EQ(view->mancropl, 700 - 600.7);
        EXPECT_DOUBLE_EQ(view->mancropt, 500 - 300.2);
        EXPECT_DOUBLE_EQ(view->mancropw, 600.7);
        EXPECT_DOUBLE_EQ(view->mancroph, 300.2);
    }
    pair.ImgLeft.mancropd = false;
    EXPECT_EQ(SourceFrameSize(src, 1), QSize(0, 0));
    EXPECT_EQ(ExportFrameSize(src, true), QSize(1200, 800));
}

TEST_F(SaveValues, DefaultsTickCrossedAnaglyphAndParameterFile) {
    tsavevalues v;
    settings.SaveJpeg = true;
    ShowDefaultValues(v, settings, "/opt/orvanel", pair);
    for (int kind = 0; kind < kStereoKindCount; ++kind)
        EXPECT_EQ(v.naming.Ticked[kind],
                  kind == KindCrossed || kind == KindAnaglyph || kind == KindParams)
            << kind;
    EXPECT_EQ(v.naming.Folder[KindAnaglyph], ".\\ana");
    EXPECT_EQ(v.naming.Suffix[KindDouble], "_Bi");
    EXPECT_EQ(v.naming.Suffix[KindParams], "");
    EXPECT_EQ(v.naming.FileName, "3d");
    EXPECT_EQ(v.EditW, "1024");
    EXPECT_EQ(v.EditH, "768");
    EXPECT_EQ(v.EditSepar, "0");
    EXPECT_EQ(v.SizePreset, PresetReal);
    EXPECT_TRUE(v.Centre);
    EXPECT_TRUE(v.KeepRatio);
    EXPECT_TRUE(v.naming.Jpeg);
    EXPECT_EQ(v.Adapt, 0);
}

TEST_F(SaveValues, StoringRewritesFieldsThatHoldNoSize) {
    tsavevalues v = Sized(PresetCustom, 0, CoupleXP, false, 0);
    settings.SaveWUser = 700;
    v.EditW = "abc";
    v.EditH = "-3";
    v.EditSepar = "4";
    StoreDialogValues(v, settings);
    EXPECT_EQ(v.EditW, "    700");
    EXPECT_EQ(settings.SaveWUser, 700);
    EXPECT_EQ(v.EditH, SizeText(settings.SaveHUser));
    EXPECT_EQ(settings.SaveSUser, 4);

    v.SizePreset = 3;
    v.EditW = "x";
    StoreDialogValues(v, settings);
    EXPECT_EQ(settings.SaveW, 1024);
    EXPECT_EQ(v.EditW, "   1024");
}

TEST_F(SaveValues, PassOptionsFallBackOnTheUserSizes) {
    settings.SaveWUser = 640;
    settings.SaveHUser = 480;
    settings.SaveSUser = 6;
    settings.Save24bit = true;
    tsavevalues v;
    v.EditW = "twelve";
    v.EditH = "-480";
    v.EditSepar = " 8 ";
    v.Source = 1;
    v.Adapt = 2;
    const tsaveoptions o = SaveOptionsFromValues(v, settings, 4, 3);
    EXPECT_EQ(o.W, 640);
    EXPECT_EQ(o.H, 480);
    EXPECT_EQ(o.S, 8);
    EXPECT_TRUE(o.manual);
    EXPECT_EQ(o.adapt, 2);
    EXPECT_TRUE(o.bits24);
    EXPECT_EQ(o.ratioW, 4);
    EXPECT_EQ(o.ratioH, 3);
}

TEST(SaveFields, RelativeNamesAndBaseAreAnchoredToTheCurrentFolder) {
    const QString saved = QDir::currentPath();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDir::setCurrent(dir.path());
    const QString here = QDir::currentPath();
    tnamingfields f;
    f.LeftFile = "sample/left.jpg";
    f.RightFile = "";
    f.RepBase = "out";
    AnchorRelativePaths(f);
    EXPECT_EQ(f.LeftFile, here + "/sample/left.jpg");
    EXPECT_EQ(f.RightFile, "");
    EXPECT_EQ(f.RepBase, here + "/out");
    // A dotted base means the left picture's folder: it stays as typed.
    f.RepBase = ".";
    AnchorRelativePaths(f);
    EXPECT_EQ(f.RepBase, ".");
    f.RepBase = "/abs/out";
    AnchorRelativePaths(f);
    EXPECT_EQ(f.RepBase, "/abs/out");
    QDir::setCurrent(saved);
}

} // namespace
