// Composite pictures: the geometry table, the band measure, the band-width
// choice and splitting back what was composed.
#include "input/composite.h"

#include "core/settings.h"
#include "core/stereokinds.h"

#include "inputfixtures.h"

namespace {

struct tgeomcase {
    const char* what;
    int kind, W, H, s;
    QRect left, right;
};

class Geometry : public ::testing::TestWithParam<tgeomcase> {};

TEST_P(Geometry, PartsLieWhereTheTableSays) {
    const tgeomcase& c = GetParam();
    const tcompositegeometry g = CompositeGeometry(c.kind, c.W, c.H, c.s);
    EXPECT_EQ(g.left, c.left) << c.what;
    EXPECT_EQ(g.right, c.right) << c.what;
}

// Rectangles worked out by hand from the half-open ranges of the table.
INSTANTIATE_TEST_SUITE_P(Table, Geometry,
                         ::testing::Values(
                             // w = (2001 - 0) div 2 = 1000; the last column is dropped.
                             tgeomcase{"crossed odd width", KindCrossed, 2001, 10, 0,
                                       QRect(1000, 0, 1000, 10), QRect(0, 0, 1000, 10)},
                             // w = (2000 - 20) div 2 = 990; right from 1010.
                             tgeomcase{"parallel with band", KindParallel, 2000, 600, 20,
                                       QRect(0, 0, 990, 600), QRect(1010, 0, 990, 600)},
                             // h = (101 - 1) div 2 = 50; right rows [51, 101).
                             tgeomcase{"over-under", KindOverUnder, 50, 101, 1, QRect(0, 0, 50, 50),
                                       QRect(0, 51, 50, 50)},
                             // w = (3000 - 60) div 3 = 980; right [1010, 1990).
                             tgeomcase{"double", KindDouble, 3000, 10, 30, QRect(0, 0, 980, 10),
                                       QRect(1010, 0, 980, 10)},
                             // A negative width typed by hand still fits: w = 55, parts overlap.
                             tgeomcase{"negative band that fits", KindParallel, 100, 10, -10,
                                       QRect(0, 0, 55, 10), QRect(45, 0, 55, 10)},
                             // Would give w = -50 or w = 550: split as if there were no band.
                             tgeomcase{"band wider than picture", KindParallel, 100, 10, 200,
                                       QRect(0, 0, 50, 10), QRect(50, 0, 50, 10)},
                             tgeomcase{"band far below zero", KindCrossed, 100, 10, -1000,
                                       QRect(50, 0, 50, 10), QRect(0, 0, 50, 10)},
                             tgeomcase{"double band too wide", KindDouble, 90, 10, 45,
                                       QRect(0, 0, 30, 10), QRect(30, 0, 30, 10)},
                             tgeomcase{"anaglyph whole picture", KindAnaglyph, 30, 20, 4,
                                       QRect(0, 0, 30, 20), QRect(0, 0, 30, 20)}));

// Halves with texture everywhere (neighbouring pixels differ by far more
// than 5 grey levels), a plain band where asked.
QImage Textured(int w, int h, int seed) {
    QImage img(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int v = ((x * 37 + y * 91 + seed * 13) * 2654435761u >> 24) & 255;
            img.setPixel(x, y, qRgb(v, (v * 3) & 255, 255 - v));
        }
    return img;
}

void FillColumns(QImage& img, int from, int to, QRgb colour) {
    for (int y = 0; y < img.height(); ++y)
        for (int x = from; x < to; ++x) img.setPixel(x, y, colour);
}

class Separation : public ::testing::Test {
protected:
    tsettings saved = Settings;
    void TearDown() override {
        Settings = saved;
        SetSeparationDialog(nullptr);
    }
};

TEST_F(Separation, TwentyPixelBandOfAParallelCompositeIsMeasuredAndSkipped) {
    QImage pic = Textured(2000, 600, 1);
    FillColumns(pic, 990, 1010, qRgb(0, 0, 0));
    EXPECT_EQ(AutoSeparation(pic, KindParallel), 20);
    Settings.ExtractOption = 3;
    const int s = DetectSeparation(pic, KindParallel);
    EXPECT_EQ(s, 20);
    QImage left, right;
    CutComposite(pic, KindParallel, s, left, right);
    ASSERT_EQ(left.size(), QSize(990, 600));
    ASSERT_EQ(right.size(), QSize(990, 600));
    EXPECT_EQ(left, pic.copy(0, 0, 990, 600));
    EXPECT_EQ(right.pixel(0, 0), pic.pixel(1010, 0));
    EXPECT_EQ(right, pic.copy(1010, 0, 990, 600));
}

TEST_F(Separation, PictureWithoutBandMeasuresZero) {
    EXPECT_EQ(AutoSeparation(Textured(640, 480, 2), KindCrossed), 0);
    EXPECT_EQ(AutoSeparation(Textured(640, 480, 3), KindOverUnder), 0);
}

TEST_F(Separation, BandColourRunningOnIntoOneProbedRowKeepsTheBandWidth) {
    QImage pic = Textured(800, 320, 4);
    FillColumns(pic, 390, 410, qRgb(255, 255, 255));
    // Probed rows: 160 and 160 +- 20, +- 40. On row 180 the white goes on
    // for 100 more pixels.
    for (int x = 410; x < 510; ++x) pic.setPixel(x, 180, qRgb(255, 255, 255));
    EXPECT_EQ(AutoSeparation(pic, KindCrossed), 20);
}

// The band holds every pixel within 4 grey levels of the one at the centre;
// 5 levels off ends it. On a band of grey 100 from x 390 to 409 (the centre
// x is 400), the last five columns at 96 or 104 stay in the band (2 x 10);
// at 95 or 105 the band ends at x 405 (2 x 5).
TEST_F(Separation, BandToleranceIsFourGreyLevelsEitherWay) {
    const struct {
        int tail;
        int width;
    } cases[] = {{104, 20}, {96, 20}, {105, 10}, {95, 10}};
    for (const auto& c : cases) {
        QImage pic = Textured(800, 320, 6);
        FillColumns(pic, 390, 405, qRgb(100, 100, 100));
        FillColumns(pic, 405, 410, qRgb(c.tail, c.tail, c.tail));
        EXPECT_EQ(AutoSeparation(pic, KindCrossed), c.width) << "tail grey " << c.tail;
    }
}

TEST_F(Separation, OverUnderBandIsMeasuredDownColumns) {
    QImage pic = Textured(300, 410, 5);
    for (int y = 200; y < 210; ++y)
        for (int x = 0; x < 300; ++x) pic.setPixel(x, y, qRgb(40, 40, 40));
    // From row 205 down to 209: five rows, doubled.
    EXPECT_EQ(AutoSeparation(pic, KindOverUnder), 10);
}

TEST_F(Separation, DoubleCompositeIsMeasuredFromTheFirstThird) {
    // Panels of 100, bands of 30: W = 360, xc = 120 lies inside the first
    // band [100, 130), ten pixels before its end: the measure is 20.
    QImage pic = Textured(360, 90, 6);
    FillColumns(pic, 100, 130, qRgb(0, 0, 0));
    FillColumns(pic, 230, 260, qRgb(0, 0, 0));
    EXPECT_EQ(AutoSeparation(pic, KindDouble), 20);
}

TEST_F(Separation, MeasureNeverExceedsHalfThePicture) {
    QImage plain(64, 8, QImage::Format_ARGB32);
    plain.fill(qRgb(9, 9, 9));
    EXPECT_EQ(AutoSeparation(plain, KindParallel), 32);
    EXPECT_EQ(AutoSeparation(plain, KindOverUnder), 4);
    EXPECT_EQ(AutoSeparation(QImage(), KindParallel), 0);
    // Tiny pictures: at least one pixel is compared.
    QImage one(1, 1, QImage::Format_ARGB32);
    one.fill(0);
    EXPECT_EQ(AutoSeparation(one, KindCrossed), 2);
}

TEST_F(Separation, ManualWidthIsStoredEvenAndNeverNegative) {
    const int cases[][2] = {{-3, 0}, {0, 0}, {1, 0}, {7, 6}, {8, 8}};
    for (const auto& c : cases) {
        SetManualSeparation(c[0]);
        EXPECT_EQ(Settings.OpenSepar, c[1]) << c[0];
    }
    EXPECT_EQ(SeparationFieldValue("12"), 12);
    EXPECT_EQ(SeparationFieldValue(" 12 "), 12);
    EXPECT_EQ(SeparationFieldValue("12a"), 0);
    EXPECT_EQ(SeparationFieldValue(""), 0);
}

// The dialog as DetectSeparation sees it, with scripted answers.
class tfakedialog : public tseparationdialog {
public:
    QString autoText = "0", manualText = "0";
    bool answerOk = true;
    int choice = 0;
    bool manual = false;
    int shown = 0;
    QString AutoText() const override { return autoText; }
    void SetAutoText(const QString& t) override { autoText = t; }
    QString ManualText() const override { return manualText; }
    void SetManualText(const QString& t) override { manualText = t; }
    bool AskForSplit() override {
        ++shown;
        return answerOk;
    }
    int AskChoice() const override { return choice; }
    bool ManualChosen() const override { return manual; }
};

TEST_F(Separation, ExtractOptionDecidesWhetherToMeasureOrAsk) {
    QImage pic = Textured(200, 100, 7);
    FillColumns(pic, 95, 105, qRgb(0, 0, 0));
    tfakedialog dialog;
    SetSeparationDialog(&dialog);
    Settings.OpenSepar = 14;

    Settings.ExtractOption = 1;
    EXPECT_EQ(DetectSeparation(pic, KindCrossed), 0);
    EXPECT_EQ(dialog.autoText, "0"); // nothing measured

    Settings.ExtractOption = 2;
    dialog.manualText = "8";
    EXPECT_EQ(DetectSeparation(pic, KindCrossed), 8);
    dialog.manualText = "huit";
    EXPECT_EQ(DetectSeparation(pic, KindCrossed), 0);

    Settings.ExtractOption = 3;
    EXPECT_EQ(DetectSeparation(pic, KindCrossed), 10);
    EXPECT_EQ(dialog.autoText, "10");
    EXPECT_EQ(dialog.manualText, "14");
    EXPECT_EQ(dialog.shown, 0);
}

TEST_F(Separation, DialogAnswersChooseTheWidthAndTheNextBehaviour) {
    QImage pic = Textured(200, 100, 8);
    FillColumns(pic, 95, 105, qRgb(0, 0, 0));
    tfakedialog dialog;
    SetSeparationDialog(&dialog);
    Settings.OpenSepar = 6;

    // Ignore: width 0, settings untouched.
    Settings.ExtractOption = 0;
    dialog.answerOk = false;
    dialog.choice = 3;
    EXPECT_EQ(DetectSeparation(pic, KindParallel), 0);
    EXPECT_EQ(Settings.ExtractOption, 0);
    EXPECT_EQ(Settings.OpenSepar, 6);

    // OK with the automatic width.
    dialog.answerOk = true;
    EXPECT_EQ(DetectSeparation(pic, KindParallel), 10);
    EXPECT_EQ(Settings.ExtractOption, 3);

    // OK with the manual width, and a text that is no integer.
    Settings.ExtractOption = 0;
    dialog.choice = 2;
    dialog.manual = true;
    EXPECT_EQ(DetectSeparation(pic, KindParallel), 6);
    EXPECT_EQ(Settings.ExtractOption, 2);
    EXPECT_EQ(dialog.shown, 3);

    Settings.ExtractOption = 0;
    QImage empty;
    EXPECT_EQ(DetectSeparation(empty, KindParallel), 0);
    EXPECT_EQ(dialog.shown, 3);
}

TEST_F(Separation, WithoutAWindowTheStoredManualWidthIsUsed) {
    Settings.ExtractOption = 2;
    Settings.OpenSepar = 12;
    EXPECT_EQ(DetectSeparation(Textured(100, 50, 9), KindCrossed), 12);
}

TEST(Split, CrossedOddWidthDropsTheLastColumnAndSwapsHalves) {
    const QImage pic = Textured(2001, 40, 10);
    QImage left, right;
    CutComposite(pic, KindCrossed, 0, left, right);
    EXPECT_EQ(left, pic.copy(1000, 0, 1000, 40));
    EXPECT_EQ(right, pic.copy(0, 0, 1000, 40));
}

TEST(Split, DoubleCompositeSplitsBackIntoItsViews) {
    const QImage l = Textured(120, 50, 11), r = Textured(120, 50, 12);
    QImage composite(360, 50, QImage::Format_ARGB32);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 120; ++x) {
            composite.setPixel(x, y, l.pixel(x, y));
            composite.setPixel(120 + x, y, r.pixel(x, y));
            composite.setPixel(240 + x, y, l.pixel(x, y));
        }
    QImage left, right;
    CutComposite(composite, KindDouble, 0, left, right);
    EXPECT_EQ(left, l);
    EXPECT_EQ(right, r);
}

TEST(Split, OverUnderTakesTheTopAsTheLeftView) {
    const QImage pic = Textured(64, 81, 13);
    QImage left, right;
    CutComposite(pic, KindOverUnder, 1, left, right);
    EXPECT_EQ(left, pic.copy(0, 0, 64, 40));
    EXPECT_EQ(right, pic.copy(0, 41, 64, 40));
}

TEST(Split, AnaglyphKeepsRedLeftAndGreenBlueRightWithAlphaZero) {
    QImage pic(2, 1, QImage::Format_ARGB32);
    pic.setPixel(0, 0, 0xFF123456u);
    pic.setPixel(1, 0, 0xFFABCDEFu);
    QImage left, right;
    CutComposite(pic, KindAnaglyph, 50, left, right);
    ASSERT_EQ(left.size(), QSize(2, 1));
    EXPECT_EQ(left.pixel(0, 0), 0x00120000u);
    EXPECT_EQ(left.pixel(1, 0), 0x00AB0000u);
    EXPECT_EQ(right.pixel(0, 0), 0x00003456u);
    EXPECT_EQ(right.pixel(1, 0), 0x0000CDEFu);
}

TEST(Split, TinyPicturesGiveEmptyViewsWithoutCrashing) {
    QImage one(1, 1, QImage::Format_ARGB32);
    one.fill(0xFF000000u);
    QImage left, right;
    CutComposite(one, KindParallel, 0, left, right);
    EXPECT_TRUE(left.isNull());
    EXPECT_TRUE(right.isNull());
    CutComposite(QImage(), KindDouble, 0, left, right);
    EXPECT_TRUE(left.isNull());
}

} // namespace
