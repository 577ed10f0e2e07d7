// The list file of `render --list`: each kind of line, comments and blank
// lines, paths from the list's folder, and bad lines named by their number.
#include "core/stereokinds.h"
#include "output/renderlist.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

using tkind = trenderentry::tkind;

struct tlinecase {
    const char* name;
    const char* text;
    // The one entry expected, or none when `bad` names the cause.
    tkind kind;
    const char* first;
    const char* second;
    int compositeKind;
    const char* bad; // a part of the bad line's message; nullptr for an entry
};

const tlinecase kLines[] = {
    {"ParamFileRelative", "day1/a.prm", tkind::Params, "/lists/day1/a.prm", "", -1, nullptr},
    {"ParamFileAnyCase", "/abs/B.PRM", tkind::Params, "/abs/B.PRM", "", -1, nullptr},
    {"ParamFileDotDot", "../up.prm", tkind::Params, "/up.prm", "", -1, nullptr},
    {"Pair", "l/a.jpg\tr/a.jpg", tkind::Pair, "/lists/l/a.jpg", "/lists/r/a.jpg", -1, nullptr},
    {"PairAbsolute", "/p/l.bmp\t/q/r.bmp", tkind::Pair, "/p/l.bmp", "/q/r.bmp", -1, nullptr},
    {"PairWithSpacesInNames", "my l.jpg\tmy r.jpg", tkind::Pair, "/lists/my l.jpg",
     "/lists/my r.jpg", -1, nullptr},
    {"CompositeLetter", "X\tc.jpg", tkind::Composite, "/lists/c.jpg", "", KindCrossed, nullptr},
    {"CompositeLowerCase", "bi\tc.jpg", tkind::Composite, "/lists/c.jpg", "", KindDouble, nullptr},
    {"CompositeCode", "5\tc.jpg", tkind::Composite, "/lists/c.jpg", "", 5, nullptr},
    {"CrLf", "a.prm\r", tkind::Params, "/lists/a.prm", "", -1, nullptr},
    {"LonePicture", "a.jpg", tkind::Params, "", "", -1, "line 1: 'a.jpg' is not a .prm file"},
    {"ThreeFields", "a\tb\tc", tkind::Params, "", "", -1, "line 1: 3 fields"},
    {"EmptyLeft", "\tr.jpg", tkind::Params, "", "", -1, "line 1: an empty field"},
    {"EmptyComposite", "X\t  ", tkind::Params, "", "", -1, "line 1: an empty field"},
    {"ParamFileWithBlanksAround", "  x.prm \t", tkind::Params, "", "", -1,
     "line 1: an empty field"},
    {"ParamFileTrailingBlanks", "  x.prm  ", tkind::Params, "/lists/x.prm", "", -1, nullptr},
};

class RenderListLine : public ::testing::TestWithParam<tlinecase> {};

TEST_P(RenderListLine, IsReadAsItsKindOrReportedWithItsNumber) {
    const tlinecase& c = GetParam();
    const trenderlist list = ParseRenderList(QString::fromUtf8(c.text), "/lists");
    if (c.bad) {
        EXPECT_TRUE(list.entries.empty());
        ASSERT_EQ(list.badLines.size(), 1);
        EXPECT_TRUE(list.badLines[0].startsWith(QString::fromUtf8(c.bad)))
            << list.badLines[0].toStdString();
        return;
    }
    ASSERT_TRUE(list.badLines.isEmpty()) << list.badLines.join('\n').toStdString();
    ASSERT_EQ(list.entries.size(), 1u);
    const trenderentry& e = list.entries[0];
    EXPECT_EQ(e.kind, c.kind);
    EXPECT_EQ(e.line, 1);
    EXPECT_EQ(e.first, QString::fromUtf8(c.first));
    EXPECT_EQ(e.second, QString::fromUtf8(c.second));
    EXPECT_EQ(e.compositeKind, c.compositeKind);
}

INSTANTIATE_TEST_SUITE_P(Lines, RenderListLine, ::testing::ValuesIn(kLines),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RenderList, CommentsAndBlankLinesAreSkippedAndNumbersCountEveryLine) {
    const QString text = "# trip to the coast\n"
                         "\n"
                         "a.prm\n"
                         "   \t \n"
                         "  # indented comment\n"
                         "lonely.jpg\n"
                         "l.jpg\tr.jpg\n"
                         "a\tb\tc\n"
                         "\n";
    const trenderlist list = ParseRenderList(text, "/f");
    ASSERT_EQ(list.entries.size(), 2u);
    EXPECT_EQ(list.entries[0].line, 3);
    EXPECT_EQ(list.entries[1].line, 7);
    EXPECT_EQ(list.entries[1].Name(), "l.jpg");
    ASSERT_EQ(list.badLines.size(), 2);
    EXPECT_TRUE(list.badLines[0].startsWith("line 6: "));
    EXPECT_TRUE(list.badLines[1].startsWith("line 8: "));
}

TEST(RenderList, ByteOrderMarkIsNoPartOfTheFirstPath) {
    const trenderlist list = ParseRenderList(QString::fromUtf8("\xEF\xBB\xBF"
                                                               "a.prm\n"),
                                             "/f");
    ASSERT_EQ(list.entries.size(), 1u);
    EXPECT_EQ(list.entries[0].first, "/f/a.prm");
}

TEST(RenderList, FileIsReadFromItsOwnFolderAndRefusedWhenNotAFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("list.txt");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("sub/a.prm\n");
    f.close();
    trenderlist list;
    QString error;
    ASSERT_TRUE(ReadRenderList(path, list, error));
    ASSERT_EQ(list.entries.size(), 1u);
    EXPECT_EQ(list.entries[0].first, QDir(dir.path()).filePath("sub/a.prm"));

    EXPECT_FALSE(ReadRenderList(dir.filePath("none.txt"), list, error));
    EXPECT_TRUE(error.contains("none.txt") && error.contains("missing")) << error.toStdString();
    EXPECT_FALSE(ReadRenderList(dir.path(), list, error));
    EXPECT_TRUE(error.contains("not a regular file")) << error.toStdString();
}

} // namespace
