// The JPEG quality field: what typing leaves and what "+" and "-" make of it.
#include "output/jpegquality.h"

#include <gtest/gtest.h>

namespace {

struct tcleancase {
    const char* typed;
    const char* left;
};

class QualityTyping : public ::testing::TestWithParam<tcleancase> {};

TEST_P(QualityTyping, LeavesAWholeNumberWithinFiveToAHundred) {
    EXPECT_EQ(CleanJpegQualityText(QString::fromUtf8(GetParam().typed)),
              QString::fromUtf8(GetParam().left));
}

INSTANTIATE_TEST_SUITE_P(Texts, QualityTyping,
                         ::testing::Values(tcleancase{"7a", "7"}, tcleancase{"", "5"},
                                           tcleancase{"150", "100"}, tcleancase{"90", "90"},
                                           tcleancase{"5", "5"}, tcleancase{"100", "100"},
                                           tcleancase{"4", "5"}, tcleancase{"a7", "5"},
                                           tcleancase{"-", "5"}, tcleancase{"-20", "5"},
                                           tcleancase{"85x9", "85"}, tcleancase{"1a50", "5"},
                                           tcleancase{"99999999999999999999", "100"}));

struct tstepcase {
    const char* field;
    int step;
    const char* after;
};

class QualityButtons : public ::testing::TestWithParam<tstepcase> {};

TEST_P(QualityButtons, StepByTenWithinTheLimits) {
    EXPECT_EQ(StepJpegQualityText(QString::fromUtf8(GetParam().field), GetParam().step),
              QString::fromUtf8(GetParam().after));
}

INSTANTIATE_TEST_SUITE_P(Steps, QualityButtons,
                         ::testing::Values(tstepcase{"95", 10, "100"}, tstepcase{"90", 10, "100"},
                                           tstepcase{"89", 10, "99"}, tstepcase{"12", -10, "5"},
                                           tstepcase{"5", -10, "5"}, tstepcase{"16", -10, "6"},
                                           tstepcase{"15", -10, "5"}, tstepcase{"7a", 10, "7"},
                                           tstepcase{"60x", -10, "60"}));

TEST(QualityValue, IsTheCleanFieldsNumber) {
    EXPECT_EQ(JpegQualityOf(QStringLiteral("75")), 75);
    EXPECT_EQ(JpegQualityOf(QStringLiteral("")), 5);
    EXPECT_EQ(JpegQualityOf(QStringLiteral("300")), 100);
}

} // namespace
