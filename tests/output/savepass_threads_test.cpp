// The save pass drawing several kinds at once: the same questions in the
// same order, the same log and the same bytes as one kind at a time, for
// every way the overwrite questions can go.
#include "output/savepass.h"

#include "core/paramfile.h"
#include "core/settings.h"
#include "core/viewpair.h"
#include "output/naming.h"
#include "outputfixtures.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>

#include <algorithm>
#include <deque>

namespace {

class tscripted : public tsavequestions {
public:
    std::deque<toverwriteanswer> answers;
    QString root;
    QStringList asked; // paths from the root
    toverwriteanswer AskOverwrite(const QString& path) override {
        asked << QDir(root).relativeFilePath(path);
        const toverwriteanswer a = answers.empty() ? toverwriteanswer::Cancel : answers.front();
        if (!answers.empty()) answers.pop_front();
        return a;
    }
    bool AskOtherName(int, QString&) override { return false; }
};

class tparams : public tparamhost {
public:
    bool AskSaveParamName(QString&) override { return true; }
    QString AskOpenParamName(const QString&, const QString&) override { return {}; }
    void AskRedirectFolders(const QString&, const QString&) override {}
    void ReloadViews(int) override {}
    void ShowMessage(const QString&) override {}
};

struct tscenario {
    const char* name;
    bool jpeg;
    std::vector<const char*> existing; // files there before the pass
    std::vector<toverwriteanswer> answers;
    bool sameFolderForLAndR; // L and R share folder and suffix: one name
    int questions;           // overwrite questions the pass asks
    bool tall = false;       // views tall enough for JPEG outputs made in bands
};

struct tpassresult {
    QStringList asked, log;
    std::vector<bool> ok;
    QMap<QString, QByteArray> files;
    int progressCalls = 0;
};

tpassresult RunPass(const tscenario& s, int threads, bool watch = false) {
    QTemporaryDir dir;
    tviewpair pair;
    const int height = s.tall ? 1700 : 40;
    MakePatternView(pair.ImgLeft, 60, height, 3);
    MakePatternView(pair.ImgRight, 60, height, 4);
    pair.ImgRight.posx = -3;
    pair.ImgRight.rot = s.tall ? 0.01 : 0.05; // the tall views still overlap
    pair.ImgLeft.filename = dir.filePath("a1.jpg");
    pair.ImgRight.filename = dir.filePath("a2.jpg");
    pair.StereoType = KindPair;
    tnamingfields fields;
    fields.LeftFile = pair.ImgLeft.filename;
    fields.RightFile = pair.ImgRight.filename;
    fields.RepBase = dir.path();
    fields.Jpeg = s.jpeg;
    for (int k : {KindLeft, KindRight, KindCrossed, KindParallel, KindOverUnder, KindAnaglyph,
                  KindDouble, KindParams}) {
        fields.Folder[k] = KindDefaultFolder(k);
        fields.Suffix[k] = KindDefaultSuffix(k);
        fields.Ticked[k] = true;
    }
    if (s.sameFolderForLAndR) {
        fields.Folder[KindRight] = fields.Folder[KindLeft];
        fields.Suffix[KindRight] = fields.Suffix[KindLeft];
    }
    for (const char* e : s.existing) {
        QDir().mkpath(QFileInfo(dir.filePath(e)).absolutePath());
        QFile f(dir.filePath(e));
        f.open(QIODevice::WriteOnly);
        f.write("before");
    }
    tsaveoptions o;
    o.W = 56;
    o.H = height;
    o.askBeforeCreateDir = false;
    o.threads = threads;
    tsettings settings;
    tfixedfolderanswers folders(true);
    tscripted questions;
    questions.root = dir.path();
    questions.answers.assign(s.answers.begin(), s.answers.end());
    tparams params;
    tpassresult out;
    // A watcher sees the log grow, never shrink or change what it saw.
    QStringList seen;
    const tsaveprogress progress = [&](const tsavereport& r) {
        EXPECT_GE(r.log.size(), seen.size());
        EXPECT_EQ(r.log.mid(0, seen.size()), seen);
        seen = r.log;
        ++out.progressCalls;
    };
    const tsavereport r = SaveSelectedKinds(pair, fields, o, settings, folders, questions, params,
                                            watch ? progress : tsaveprogress());
    if (watch) EXPECT_EQ(seen, r.log);
    out.asked = questions.asked;
    for (const QString& l : r.log) out.log << QString(l).replace(dir.path(), "DIR");
    for (const tsaveoutput& o2 : r.outputs) out.ok.push_back(o2.ok);
    QDirIterator it(dir.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (f.open(QIODevice::ReadOnly)) {
            QByteArray bytes = f.readAll();
            // The parameter file names the pictures in their folder.
            if (path.endsWith(".prm")) bytes.replace(dir.path().toUtf8(), "DIR");
            out.files[QDir(dir.path()).relativeFilePath(path)] = bytes;
        }
    }
    return out;
}

using A = toverwriteanswer;

const tscenario kScenarios[] = {
    {"FreshBmp", false, {}, {}, false, 0},
    {"FreshJpeg", true, {}, {}, false, 0},
    {"YesToAllAtTheSecond",
     false,
     {"l/a1_a2_L.bmp", "x/a1_a2_X.bmp", "ana/a1_a2_A.bmp"},
     {A::Yes, A::YesToAll},
     false,
     2},
    {"CancelThenAbort",
     true,
     {"r/a1_a2_R.jpg", "p/a1_a2_P.jpg", "bi/a1_a2_Bi.jpg"},
     {A::Cancel, A::Abort},
     false,
     2},
    {"NoKeepsTheFile", false, {"v/a1_a2_V.bmp"}, {A::No}, false, 1},
    // The right view's output takes the left one's name: asked about the
    // file the left one has just written.
    {"TwoKindsOneName", false, {}, {A::Yes}, true, 1},
    {"TwoKindsOneNameKept", true, {}, {A::No}, true, 1},
    {"TallJpegInBands", true, {}, {}, false, 0, true},
    {"TallJpegCancelThenAbort",
     true,
     {"r/a1_a2_R.jpg", "p/a1_a2_P.jpg", "bi/a1_a2_Bi.jpg"},
     {A::Cancel, A::Abort},
     false,
     2,
     true},
};

class SaveThreads : public ::testing::TestWithParam<tscenario> {};

TEST_P(SaveThreads, SeveralKindsAtOnceAskWriteAndLogAsOneAtATime) {
    const tpassresult one = RunPass(GetParam(), 1);
    const tpassresult three = RunPass(GetParam(), 3);
    EXPECT_EQ(one.asked.size(), GetParam().questions) << one.asked.join(' ').toStdString();
    EXPECT_EQ(three.asked, one.asked);
    EXPECT_EQ(three.log, one.log);
    EXPECT_EQ(three.ok, one.ok);
    EXPECT_EQ(three.files.keys(), one.files.keys());
    EXPECT_TRUE(three.files == one.files);
    // Watched, as the save dialog watches: the same pass, its log shown as it grows.
    const tpassresult watched = RunPass(GetParam(), 3, true);
    EXPECT_EQ(watched.log, one.log);
    EXPECT_TRUE(watched.files == one.files);
    EXPECT_GT(watched.progressCalls, 0);
    // Every kind has its line: 7 pictures and the parameter file.
    EXPECT_EQ(one.ok.size(), 8u);
    if (GetParam().existing.empty() && !GetParam().sameFolderForLAndR)
        EXPECT_EQ(std::count(one.ok.begin(), one.ok.end(), true), 8);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, SaveThreads, ::testing::ValuesIn(kScenarios),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
