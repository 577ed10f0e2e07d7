// The list window's edits on the two columns: split, duplicate, exchange,
// delete, drops between and within the boxes, files from the desktop.
#include "lists/tdiaporama.h"

#include <gtest/gtest.h>

namespace {

QStringList Words(const char* text) {
    return QString::fromUtf8(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

struct SplitCase {
    const char* left;
    const char* right;
    bool changed;
    const char* leftAfter;
    const char* rightAfter;
};

class SplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, MovesEveryOtherEntryToTheOtherColumn) {
    const SplitCase& c = GetParam();
    tdiaporama d;
    d.ListL = Words(c.left);
    d.ListR = Words(c.right);
    EXPECT_EQ(d.Split(), c.changed);
    EXPECT_EQ(d.ListL, Words(c.leftAfter));
    EXPECT_EQ(d.ListR, Words(c.rightAfter));
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitTest,
                         ::testing::Values(
                             // Pairs taken in turn.
                             SplitCase{"A0 B0 A1 B1 A2 B2", "", true, "A0 A1 A2", "B0 B1 B2"},
                             // An odd count: the source keeps A C.
                             SplitCase{"A B C", "", true, "A C", "B"},
                             // The target is emptied first.
                             SplitCase{"A B C D", "x y z", true, "A C", "B D"},
                             // The left column is empty: the right one is split into it.
                             SplitCase{"", "A B C D", true, "B D", "A C"},
                             // Fewer than two entries in the source: nothing happens.
                             SplitCase{"A", "x y", false, "A", "x y"},
                             SplitCase{"", "x", false, "", "x"}, SplitCase{"", "", false, "", ""}));

struct EditCase {
    const char* name;
    const char* list;
    QList<int> selected;
    int drop;
    bool changed;
    const char* after;
};

class DuplicateTest : public ::testing::TestWithParam<EditCase> {};

TEST_P(DuplicateTest, CopiesFollowTheLastSelectedEntry) {
    const EditCase& c = GetParam();
    tdiaporama d;
    d.ListR = Words(c.list);
    EXPECT_EQ(d.Duplicate(tcolumn::Right, c.selected), c.changed) << c.name;
    EXPECT_EQ(d.ListR, Words(c.after)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DuplicateTest,
    ::testing::Values(
        EditCase{"entries 1 and 3 of five", "a b c d e", {1, 3}, 0, true, "a b c d b d e"},
        EditCase{"selection given out of order", "a b c d e", {3, 1}, 0, true, "a b c d b d e"},
        EditCase{"last entry", "a b c", {2}, 0, true, "a b c c"},
        EditCase{"all", "a b", {0, 1}, 0, true, "a b a b"},
        EditCase{"nothing selected", "a b", {}, 0, false, "a b"},
        EditCase{"index outside the list", "a b", {5}, 0, false, "a b"}));

class DropOnSameTest : public ::testing::TestWithParam<EditCase> {};

TEST_P(DropOnSameTest, InsertsCopiesAtTheDropPosition) {
    const EditCase& c = GetParam();
    tdiaporama d;
    d.ListL = Words(c.list);
    EXPECT_EQ(d.DropOnSame(tcolumn::Left, c.selected, c.drop), c.changed) << c.name;
    EXPECT_EQ(d.ListL, Words(c.after)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DropOnSameTest,
    ::testing::Values(EditCase{"on the first entry", "a b c", {1, 2}, 0, true, "b c a b c"},
                      EditCase{"on empty space below", "a b c", {0}, -1, true, "a b c a"},
                      EditCase{"past the end", "a b c", {0, 2}, 9, true, "a b c a c"},
                      EditCase{"nothing selected", "a b c", {}, 0, false, "a b c"}));

TEST(DropOnOther, MovesTheSelectionIntoTheOtherColumnInOrder) {
    tdiaporama d;
    d.ListL = Words("a b c d");
    d.ListR = Words("x y");
    EXPECT_TRUE(d.DropOnOther(tcolumn::Left, {3, 1}, 1));
    EXPECT_EQ(d.ListL, Words("a c"));
    EXPECT_EQ(d.ListR, Words("x b d y"));
    // Below the last entry: appended.
    EXPECT_TRUE(d.DropOnOther(tcolumn::Right, {0}, -1));
    EXPECT_EQ(d.ListR, Words("b d y"));
    EXPECT_EQ(d.ListL, Words("a c x"));
}

TEST(Exchange, TradesTheSelectedPairsPresentInBothColumns) {
    tdiaporama d;
    d.ListL = Words("L0 L1 L2 L3");
    d.ListR = Words("R0 R1");
    // Index 3 has no partner and is left alone.
    EXPECT_TRUE(d.Exchange({1, 3}, {}));
    EXPECT_EQ(d.ListL, Words("L0 R1 L2 L3"));
    EXPECT_EQ(d.ListR, Words("R0 L1"));
    // The right box's selection is used when the left one has none.
    EXPECT_TRUE(d.Exchange({}, {0}));
    EXPECT_EQ(d.ListL, Words("R0 R1 L2 L3"));
    // The left box's selection wins over the right one's.
    EXPECT_FALSE(d.Exchange({2}, {0}));
    EXPECT_EQ(d.ListR, Words("L0 L1"));
}

TEST(Exchange, DoesNothingWhenThePartnerColumnIsEmpty) {
    tdiaporama d;
    d.ListL = Words("a b");
    EXPECT_FALSE(d.Exchange({0, 1}, {}));
    EXPECT_EQ(d.ListL, Words("a b"));
}

TEST(Delete, RemovesEverySelectedEntryAndRestartsTheWalk) {
    tdiaporama d;
    d.ListL = Words("a b c d e");
    d.IndexL = 3;
    d.IndexR = 2;
    EXPECT_TRUE(d.Delete(tcolumn::Left, {4, 0, 2}));
    EXPECT_EQ(d.ListL, Words("b d"));
    EXPECT_EQ(d.IndexL, 0);
    EXPECT_EQ(d.IndexR, 0);
}

struct FilesCase {
    int x;
    int width;
    bool right;
};

class DropFilesTest : public ::testing::TestWithParam<FilesCase> {};

TEST_P(DropFilesTest, TheHalfOfTheWindowChoosesTheColumn) {
    const FilesCase& c = GetParam();
    tdiaporama d;
    d.ListKind = 10;
    d.DropFiles({"/p/1.jpg", "/p/2.jpg"}, c.x, c.width);
    EXPECT_EQ(d.ListR.size(), c.right ? 2 : 0);
    EXPECT_EQ(d.ListL.size(), c.right ? 0 : 2);
    EXPECT_EQ(d.ListKind, 10); // the kind does not change
}

INSTANTIATE_TEST_SUITE_P(Cases, DropFilesTest,
                         ::testing::Values(FilesCase{10, 400, false}, FilesCase{200, 400, false},
                                           FilesCase{201, 400, true}, FilesCase{201, 401, true},
                                           FilesCase{200, 401, false}));

TEST(ClearLists, EmptiesAndUnreadiesButKeepsTheOptions) {
    tdiaporama d;
    d.Ready = true;
    d.Interval = 250;
    d.Loop = true;
    d.ListKind = 3;
    d.ListL = Words("a b");
    d.ListR = Words("c");
    d.IndexL = d.IndexR = d.IndexPrm = 1;
    d.ParamsFile = "/p/x.prm";
    d.ClearLists();
    EXPECT_FALSE(d.Ready);
    EXPECT_TRUE(d.ListL.isEmpty());
    EXPECT_TRUE(d.ListR.isEmpty());
    EXPECT_EQ(d.IndexL + d.IndexR + d.IndexPrm, 0);
    EXPECT_TRUE(d.ParamsFile.isEmpty());
    EXPECT_EQ(d.Interval, 250);
    EXPECT_TRUE(d.Loop);
    EXPECT_EQ(d.ListKind, 3);
    EXPECT_EQ(&d.ListPrm(), &d.ListL);
}

} // namespace
