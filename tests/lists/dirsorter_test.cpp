// The pair sorter's lists: stepping, moves, copies, greying, deletion, the
// exchange of both sides, drops across, filling from a folder.
#include "lists/dirsorter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

tsortside Side(const char* names, int selected) {
    tsortside s;
    for (const QString& n : QString::fromUtf8(names).split(' ', Qt::SkipEmptyParts))
        s.Entries.append({n, QStringLiteral("/d/")});
    s.Selected = selected;
    return s;
}

QString Names(const tsortside& s) {
    QStringList n;
    for (const tsortentry& e : s.Entries) n << e.name;
    return n.join(' ');
}

struct OpCase {
    const char* name;
    const char* entries;
    int selected;
    void (tsortside::*op)();
    const char* after;
    int selectedAfter;
};

class SideOps : public ::testing::TestWithParam<OpCase> {};

TEST_P(SideOps, ChangeTheListAndTheSelectionAsExpected) {
    const OpCase& c = GetParam();
    tsortside s = Side(c.entries, c.selected);
    (s.*c.op)();
    EXPECT_EQ(Names(s), QString::fromUtf8(c.after)) << c.name;
    EXPECT_EQ(s.Selected, c.selectedAfter) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SideOps,
    ::testing::Values(
        OpCase{"next", "a b c", 1, &tsortside::Next, "a b c", 2},
        OpCase{"next on the last keeps it", "a b c", 2, &tsortside::Next, "a b c", 2},
        OpCase{"previous on the first keeps it", "a b c", 0, &tsortside::Previous, "a b c", 0},
        OpCase{"up: the selection stays in place", "a b c", 2, &tsortside::MoveUp, "a c b", 2},
        OpCase{"up on the first", "a b c", 0, &tsortside::MoveUp, "a b c", 0},
        OpCase{"down", "a b c", 0, &tsortside::MoveDown, "b a c", 0},
        OpCase{"down on the last", "a b c", 2, &tsortside::MoveDown, "a b c", 2},
        OpCase{"duplicate selects the copy", "a b c", 1, &tsortside::Duplicate, "a b b c", 2},
        OpCase{"duplicate without selection", "a b", -1, &tsortside::Duplicate, "a b", -1},
        OpCase{"delete in the middle", "a b c", 1, &tsortside::DeleteSelected, "a c", 1},
        OpCase{"delete the last selects the new last", "a b c", 2, &tsortside::DeleteSelected,
               "a b", 1},
        OpCase{"delete the only entry", "a", 0, &tsortside::DeleteSelected, "", -1}));

TEST(SortSide, DuplicateCopiesFolderMarkAndGreying) {
    tsortside s = Side("a b", 0);
    s.Entries[0].checked = true;
    s.ToggleEnabled();
    s.Duplicate();
    ASSERT_EQ(s.Count(), 3);
    EXPECT_EQ(s.Entries[1].folder, "/d/");
    EXPECT_TRUE(s.Entries[1].checked);
    EXPECT_FALSE(s.Entries[1].enabled);
    s.ToggleEnabled();
    EXPECT_TRUE(s.Entries[1].enabled);
    EXPECT_FALSE(s.Entries[0].enabled);
}

struct EnableCase {
    const char* entries;
    int selected;
    bool prev, next, up, down, edit;
};

class Buttons : public ::testing::TestWithParam<EnableCase> {};

TEST_P(Buttons, FollowTheSelection) {
    const EnableCase& c = GetParam();
    const tsortside s = Side(c.entries, c.selected);
    EXPECT_EQ(s.CanPrevious(), c.prev);
    EXPECT_EQ(s.CanNext(), c.next);
    EXPECT_EQ(s.CanUp(), c.up);
    EXPECT_EQ(s.CanDown(), c.down);
    EXPECT_EQ(s.CanEdit(), c.edit);
}

INSTANTIATE_TEST_SUITE_P(Cases, Buttons,
                         ::testing::Values(EnableCase{"a b c", 0, false, true, false, true, true},
                                           EnableCase{"a b c", 1, true, true, true, true, true},
                                           EnableCase{"a b c", 2, true, false, true, false, true},
                                           EnableCase{"a", 0, false, false, false, false, true},
                                           EnableCase{"", -1, false, false, false, false, false}));

TEST(SortSide, PressBelowTheListSelectsTheLast) {
    tsortside s = Side("a b c", 0);
    s.SelectAt(-1);
    EXPECT_EQ(s.Selected, 2);
    s.SelectAt(1);
    EXPECT_EQ(s.Selected, 1);
    tsortside empty;
    empty.SelectAt(-1);
    EXPECT_EQ(empty.Selected, -1);
}

TEST(SortSide, SwapExchangesListsAndSelections) {
    tsortside l = Side("a b c", 2);
    tsortside r = Side("x", 0);
    l.Entries[0].checked = true;
    l.Folder = "/left/";
    SwapSides(l, r);
    EXPECT_EQ(Names(l), "x");
    EXPECT_EQ(l.Selected, 0);
    EXPECT_EQ(Names(r), "a b c");
    EXPECT_EQ(r.Selected, 2);
    EXPECT_TRUE(r.Entries[0].checked);
    EXPECT_EQ(l.Folder, "/left/"); // each side keeps its own folder
}

TEST(SortSide, MoveAcrossInsertsSelectsAndRemoves) {
    tsortside from = Side("a b c", 2);
    tsortside to = Side("x y", 0);
    ASSERT_TRUE(MoveAcross(from, to, 1));
    EXPECT_EQ(Names(to), "x c y");
    EXPECT_EQ(to.Selected, 1);
    EXPECT_EQ(Names(from), "a b");
    EXPECT_EQ(from.Selected, 1); // the new last
    ASSERT_TRUE(MoveAcross(from, to, -1));
    EXPECT_EQ(Names(to), "x c y b");
    EXPECT_EQ(to.Selected, 3);
    tsortside empty;
    EXPECT_FALSE(MoveAcross(empty, to, 0));
    EXPECT_EQ(to.Count(), 4);
}

TEST(SortSide, FillSelectsTheChosenFileOrTheFirst) {
    tsortside s;
    s.Fill("/p", {"a.jpg", "b.jpg", "c.bmp"}, "b.jpg", "/cwd");
    EXPECT_EQ(s.Folder, "/p/");
    EXPECT_EQ(s.Selected, 1);
    EXPECT_EQ(s.Entries[2].FullPath(), "/p/c.bmp");
    s.Fill("/p", {"a.jpg", "b.jpg"}, "Images", "/cwd");
    EXPECT_EQ(s.Selected, 0);
    s.Fill("/empty", {}, "Images", "/cwd");
    EXPECT_EQ(s.Folder, "/cwd");
    EXPECT_EQ(s.StatusFolder(), "/cwd"); // nothing selected: the side's own folder
    EXPECT_EQ(s.Selected, -1);
    EXPECT_EQ(s.StatusPosition(), "0/0");
}

TEST(PictureFiles, ListsPicturesByExtensionThenNameAndSkipsTheRest) {
    QTemporaryDir dir;
    for (const char* n : {"b.jpg", "a.JPG", "c.bmp", "notes.txt", "z.jpeg"}) {
        QFile f(dir.filePath(n));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub.jpg"));
    const QStringList files = PictureFilesIn(dir.path());
    EXPECT_FALSE(files.contains("notes.txt"));
    EXPECT_FALSE(files.contains("sub.jpg"));
    EXPECT_EQ(files.size(), 4);
    // Each extension's files come together, in name order.
    EXPECT_EQ(files.indexOf("b.jpg"), files.indexOf("a.JPG") + 1);
    EXPECT_TRUE(PictureFilesIn(dir.filePath("missing")).isEmpty());
}

} // namespace
