// The stereo-window calculators: numbers typed with a comma or a point, the
// rear-windowing field rules and the expert MAOFD computations.
#include "montage/windowcalculators.h"

#include <gtest/gtest.h>

TEST(ReadDecimal, ReadsACommaOrAPointAndFailsOnAnythingElse) {
    const struct {
        const char* text;
        bool ok;
        double value;
    } cases[] = {
        {"1,5", true, 1.5},     {"1.5", true, 1.5}, {"-3", true, -3},  {"1e3", true, 1000},
        {"0,042", true, 0.042}, {"", false, 0},     {"12a", false, 0}, {"1,5,0", false, 0},
        {"abc", false, 0},      {"inf", false, 0},  {"nan", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        bool ok = !c.ok;
        const double v = ReadDecimal(QString::fromUtf8(c.text), ok);
        EXPECT_EQ(ok, c.ok);
        EXPECT_DOUBLE_EQ(v, c.value);
    }
}

namespace {

twindowsources Sources() {
    twindowsources s;
    s.autoWidth = 1000;
    s.autoHeight = 750.4;
    s.pictureWidth = 2000;
    s.pictureHeight = 1500;
    return s;
}

} // namespace

TEST(RearWindowing, DefaultsShowTheAutomaticWindowAndA1024PixelDistance) {
    trearwindowing d;
    d.Defaults(Sources());
    EXPECT_EQ(d.width, "1000");
    EXPECT_EQ(d.heightLabel, "Hauteur Image: 750");
    EXPECT_EQ(d.ratio, "0.042");
    EXPECT_EQ(d.distance, "43.008000"); // 1024 x 0.042
}

TEST(RearWindowing, RecalculationRules) {
    const struct {
        const char* what;
        int size;
        bool infinity;
        bool manual;
        const char* typedWidth;
        const char* typedRatio;
        const char *width, *height, *ratio, *distance;
    } cases[] = {
        // A typed ratio is undone at once: the distance is width x 0.042 or 0.
        {"auto, typed ratio undone", trearwindowing::SizeAuto, true, false, "5", "0.1", "1000",
         "Hauteur Image: 750", "0.042", "42.000000"},
        {"points at the window", trearwindowing::SizeAuto, false, false, "5", "0.1", "1000",
         "Hauteur Image: 750", "0.0", "0.000000"},
        {"manual frame undefined", trearwindowing::SizeManual, true, false, "5", "", "0",
         "Hauteur Image: 0", "0.042", "0.000000"},
        // 640.5 rounds to even.
        {"manual frame", trearwindowing::SizeManual, true, true, "5", "", "640",
         "Hauteur Image: 480", "0.042", "26.880000"},
        {"picture size", trearwindowing::SizeImage, true, false, "5", "", "2000",
         "Hauteur Image: 1500", "0.042", "84.000000"},
        {"typed with a comma", trearwindowing::SizeTyped, true, false, "1500,5", "", "1500,5",
         "old", "0.042", "63.021000"},
        // Unreadable: the picture width, written back.
        {"typed nonsense", trearwindowing::SizeTyped, true, false, "12px", "", "2000.000000", "old",
         "0.042", "84.000000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        twindowsources s = Sources();
        s.manualDefined = c.manual;
        s.manualWidth = 640.5;
        s.manualHeight = 480;
        trearwindowing d;
        d.sizeIndex = c.size;
        d.atInfinity = c.infinity;
        d.width = QString::fromUtf8(c.typedWidth);
        d.heightLabel = "old";
        d.ratio = QString::fromUtf8(c.typedRatio);
        d.Recalculate(s);
        EXPECT_EQ(d.width, QString::fromUtf8(c.width));
        EXPECT_EQ(d.heightLabel, QString::fromUtf8(c.height));
        EXPECT_EQ(d.ratio, QString::fromUtf8(c.ratio));
        EXPECT_EQ(d.distance, QString::fromUtf8(c.distance));
    }
}

TEST(RearWindowing, AppliedDistanceFallsBackToThePictureWidth) {
    trearwindowing d;
    d.distance = "12,5";
    EXPECT_DOUBLE_EQ(d.DistanceToApply(2000), 12.5);
    d.distance = "douze";
    EXPECT_DOUBLE_EQ(d.DistanceToApply(2000), 84.0);
    EXPECT_EQ(d.distance, "84.000000");
    EXPECT_DOUBLE_EQ(d.AppliedDistance, 84.0);
}

TEST(RearWinExpert, DefaultsOnA2000PixelPicture) {
    trearwinexpert e;
    e.Defaults(2000);
    EXPECT_EQ(e.focal, "50.000000");
    EXPECT_EQ(e.base, "64.500000");
    EXPECT_EQ(e.distance, "2200.000000");
    EXPECT_EQ(e.infinity, "1.500000");
    EXPECT_EQ(e.sensorWidth, "36.000000");
    EXPECT_EQ(e.imageSize, "2000");
    EXPECT_EQ(e.pixels, "83.333333"); // 1.5 / 36 x 2000
    EXPECT_EQ(e.ratio, "0.0417");
    EXPECT_EQ(e.result, "83.333333 Pixels soit 4.166667 °/o de la largeur de l'image");
    EXPECT_DOUBLE_EQ(e.MaofdRatio, 1.0 / 24);
}

// Defaults made at start-up without a picture take their size from the first
// picture shown: 1.5 / 36 x 2000 = 83.333333 pixels, a ratio of 1/24, not 0.
TEST(RearWinExpert, DefaultsMadeWithoutAPictureFollowTheFirstPicture) {
    trearwinexpert e;
    e.Defaults(0);
    EXPECT_EQ(e.pixels, "0.000000");
    e.ShowCurrentSize(2000);
    EXPECT_EQ(e.pixels, "83.333333");
    e.Compute(2000);
    EXPECT_EQ(e.ratio, "0.0417");
    EXPECT_NEAR(e.MaofdRatio, 1.0 / 24, 1e-9);
    // A distance the user typed is kept.
    e.pixels = "120";
    e.ShowCurrentSize(1600);
    EXPECT_EQ(e.pixels, "120");
}

TEST(RearWinExpert, ShootingDataRelationGivesEachUnknown) {
    const struct {
        int unknown;
        const char *f, *b, *d, *e;
        const char* expected; // the unknown's field afterwards
    } cases[] = {
        // E = 64.5 x 50 / (2200 - 50) = 1.5.
        {trearwinexpert::UnknownE, "50", "64,5", "2200", "9", "1.500000"},
        // F = 1.5 x 2200 / (64.5 + 1.5) = 50.
        {trearwinexpert::UnknownF, "9", "64.5", "2200", "1.5", "50.000000"},
        // B = 1.5 x (2200 - 50) / 50 = 64.5.
        {trearwinexpert::UnknownB, "50", "9", "2200", "1.5", "64.500000"},
        // D = (64.5 + 1.5) x 50 / 1.5 = 2200.
        {trearwinexpert::UnknownD, "50", "64.5", "9", "1.5", "2200.000000"},
        // D = F: no distance, E falls back to 1.5.
        {trearwinexpert::UnknownE, "50", "64.5", "50", "9", "1.500000"},
        // An unreadable focal takes its default 50 back.
        {trearwinexpert::UnknownE, "f", "64.5", "2200", "9", "1.500000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.unknown);
        trearwinexpert e;
        e.Defaults(2000);
        e.choice = trearwinexpert::ChoiceRatio;
        e.unknown = c.unknown;
        e.focal = c.f;
        e.base = c.b;
        e.distance = c.d;
        e.infinity = c.e;
        ASSERT_TRUE(e.ComputeShooting(2000));
        const QString* field[] = {&e.focal, &e.base, &e.distance, &e.infinity};
        EXPECT_EQ(*field[c.unknown], c.expected);
        EXPECT_EQ(e.choice, trearwinexpert::ChoiceShooting);
        EXPECT_NEAR(e.MaofdRatio, 1.5 / 36, 1e-12);
    }
}

TEST(RearWinExpert, ComputationByChoice) {
    const struct {
        const char* what;
        int choice;
        int resolution;
        const char *pixels, *ratio, *sensor;
        double maofd;
        const char *outPixels, *outRatio, *outSensor, *outSize;
    } cases[] = {
        {"pixels over the picture width", trearwinexpert::ChoicePixels, 0, "100", "x", "36", 0.05,
         "100", "0.0500", "36", "2000"},
        {"ratio on a 1024 resolution", trearwinexpert::ChoiceRatio, 3, "x", "0,05", "36", 0.05,
         "51.2000", "0,05", "36", "1024"},
        // An unreadable or zero ratio is 0.0417.
        {"unreadable ratio", trearwinexpert::ChoiceRatio, 1, "x", "0", "36", 0.0417, "26.6880", "0",
         "36", "640"},
        // A zero sensor width takes 36 back: 1.5 / 36.
        {"shooting data", trearwinexpert::ChoiceShooting, 0, "x", "x", "0", 1.5 / 36, "83.333333",
         "0.0417", "36.000000", "2000"},
        {"no choice", -1, 0, "x", "x", "36", 0.0417, "x", "x", "36", "2000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        trearwinexpert e;
        e.Defaults(2000);
        e.choice = c.choice;
        e.pixels = c.pixels;
        e.ratio = c.ratio;
        e.sensorWidth = c.sensor;
        e.ChooseResolution(c.resolution, 2000);
        EXPECT_NEAR(e.MaofdRatio, c.maofd, 1e-12);
        EXPECT_EQ(e.pixels, c.outPixels);
        EXPECT_EQ(e.ratio, c.outRatio);
        EXPECT_EQ(e.sensorWidth, c.outSensor);
        EXPECT_EQ(e.imageSize, c.outSize);
    }
}

TEST(RearWinExpert, UnreadableImageSizeCountsAsNoWidthAndShows1024) {
    trearwinexpert e;
    e.Defaults(2000);
    e.resolutionIndex = 2;
    e.imageSize = "large";
    e.pixels = "512";
    e.Compute(2000);
    EXPECT_EQ(e.imageSize, "1024");
    EXPECT_DOUBLE_EQ(e.MaofdRatio, 0.5); // 512 / 1024
    EXPECT_EQ(e.result, "0.000000 Pixels soit 50.000000 °/o de la largeur de l'image");
}
