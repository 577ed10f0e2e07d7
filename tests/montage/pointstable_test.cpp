// The points table's cells: formats and reading rules, filling from the
// views, applying, the backup, and rows dragged onto rows.
#include "montage/pointstable.h"

#include <gtest/gtest.h>

namespace {

TEST(PointCells, CoordinatesAreWrittenFiveWideWithTwoDecimals) {
    const std::pair<double, const char*> rows[] = {
        {123.456, "123.46"}, {1.5, " 1.50"}, {-1, "-1.00"}, {0, " 0.00"}, {12345.678, "12345.68"}};
    for (const auto& [v, text] : rows) EXPECT_EQ(PointCoordText(v), QLatin1String(text)) << v;
    EXPECT_EQ(PointFlagText(true), QStringLiteral("T"));
    EXPECT_EQ(PointFlagText(false), QStringLiteral("F"));
}

TEST(PointCells, CellsAreReadWithThePointAndAnythingElseCountsAsZero) {
    const std::pair<const char*, double> coords[] = {
        {" 1.50", 1.5}, {"-1.00 ", -1}, {"abc", 0}, {"", 0}, {"1,5", 0}, {"nan", 0}, {"1e400", 0}};
    for (const auto& [text, v] : coords)
        EXPECT_DOUBLE_EQ(ReadPointCoord(QString::fromLatin1(text)), v) << text;
    const std::pair<const char*, bool> flags[] = {{"T", true},  {"t", true}, {"True", true},
                                                  {"F", false}, {"", false}, {" T", false}};
    for (const auto& [text, placed] : flags)
        EXPECT_EQ(ReadPointFlag(QString::fromLatin1(text)), placed) << text;
    EXPECT_EQ(PairForIndexCell(QStringLiteral("7")), 7);
    EXPECT_EQ(PairForIndexCell(QStringLiteral("Index")), 1) << "the header row selects pair 1";
}

class PointsTable : public ::testing::Test {
protected:
    void SetUp() override {
        pair.ImgLeft.PlacePoint(1, 512.25, 384.5);
        pair.ImgRight.PlacePoint(1, 500, 380.126);
        pair.ImgLeft.PlacePoint(2, 10, 20);
        pair.ImgRight.PlacePoint(2, 11, 21);
        pair.ImgLeft.PlacePoint(3, 30, 40);
        table.Fill(pair);
    }
    tviewpair pair;
    tpointstable table;
};

TEST_F(PointsTable, ARowShowsBothViewsPointUnderItsCaption) {
    const tpointrow expected = {"stereo0", "1", "T", "512.25", "384.50", "T", "500.00", "380.13"};
    EXPECT_EQ(table.Rows[1], expected);
    const tpointrow unset = {"win1", "9", "F", "-1.00", "-1.00", "F", "-1.00", "-1.00"};
    EXPECT_EQ(table.Rows[9], unset);
}

TEST_F(PointsTable, DroppedRowsMoveTheirValuesButNeverTheirCaptions) {
    const tpointrow a1 = table.Rows[2];
    table.Drop(2, 3, false);
    EXPECT_EQ(table.Rows[2][ColName], QStringLiteral("stereo1"));
    EXPECT_EQ(table.Rows[3][ColIndex], QStringLiteral("3"));
    EXPECT_EQ(table.Rows[3][ColRightY], a1[ColRightY]);

    table.Apply(pair);
    EXPECT_EQ(pair.ImgLeft.pt[3].c, QStringLiteral("stereo2")) << "views keep their captions";

    const tpointrow before = table.Rows[4];
    table.Drop(4, 13, false);
    table.Drop(-1, 4, false);
    EXPECT_EQ(table.Rows[4], before) << "rows outside the table change nothing";
}

TEST_F(PointsTable, UnreadableCellsApplyAsZeroAndNotPlaced) {
    table.Rows[1][ColLeftX] = QStringLiteral("abc");
    table.Rows[1][ColRightFlag] = QString();
    table.Apply(pair);
    EXPECT_DOUBLE_EQ(pair.ImgLeft.pt[1].x, 0);
    EXPECT_DOUBLE_EQ(pair.ImgLeft.pt[1].y, 384.5);
    EXPECT_FALSE(pair.ImgRight.pt[1].d);
}

TEST_F(PointsTable, RestoreReturnsToTheLastFillingEvenAfterAnApply) {
    table.Drop(1, 2, false);
    table.Rows[3][ColLeftY] = QStringLiteral("999");
    table.Apply(pair);
    table.Restore();
    table.Apply(pair);
    EXPECT_DOUBLE_EQ(pair.ImgLeft.pt[1].x, 512.25);
    EXPECT_DOUBLE_EQ(pair.ImgLeft.pt[3].y, 40);
    // The backup holds what the cells showed: two decimals.
    EXPECT_DOUBLE_EQ(pair.ImgRight.pt[1].y, 380.13);
    EXPECT_EQ(table.Rows[2][ColName], QStringLiteral("stereo1"));
}

} // namespace
