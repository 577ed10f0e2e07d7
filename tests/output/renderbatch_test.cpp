// `render --list` and `pair-dirs`: progress and counting lines, the jobs the
// memory allows, a list with a missing picture and a bad line, the same
// files with two jobs as with one, and two folders paired by name.
#include "output/folderpairs.h"
#include "output/renderbatch.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

struct tprogresscase {
    const char* name;
    int exitCode;
    const char* out;
    const char* err;
    double seconds;
    const char* line;
};

const tprogresscase kProgress[] = {
    {"AllWritten", 0,
     "/o/x.jpg\tOk - 12 Ko\n/o/a.jpg\tOk - 3 Ko\n/o/l.jpg\tOk - 1 Ko\n/o/r\tOk - 0 Ko\n", "", 1.26,
     "[12/240] l.jpg: 4 outputs, 1.3 s"},
    {"OneOutput", 0, "/o/x.jpg\tOk - 12 Ko\n", "", 0.04, "[12/240] l.jpg: 1 output, 0.0 s"},
    {"PictureMissing", 1, "", "orvanel-cli render: picture '/p/r.jpg' not found\n", 0.2,
     "[12/240] l.jpg: failed, 0.2 s: picture '/p/r.jpg' not found"},
    {"OneOfTwoKept", 1, "/o/x.jpg\tOk - 12 Ko\n/o/a.jpg\tUser Abort!!! - File not Save\n",
     "orvanel-cli render: /o/a.jpg: exists; use --overwrite to replace it\n", 0.5,
     "[12/240] l.jpg: 1 written, 1 failed, 0.5 s: /o/a.jpg: exists; use --overwrite to "
     "replace it"},
    {"NothingSaid", 3, "", "", 0, "[12/240] l.jpg: failed, 0.0 s: no output written"},
};

class BatchProgress : public ::testing::TestWithParam<tprogresscase> {};

TEST_P(BatchProgress, LineSaysOutputsTimeAndCause) {
    const tprogresscase& c = GetParam();
    tentryresult r = ReadEntryResult(c.exitCode, c.out, c.err);
    r.seconds = c.seconds;
    EXPECT_EQ(ProgressLine(12, 240, "l.jpg", r), QString(c.line));
    EXPECT_EQ(r.out, QByteArray(c.out));
}

INSTANTIATE_TEST_SUITE_P(Lines, BatchProgress, ::testing::ValuesIn(kProgress),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BatchSummary, CountingLineCountsBoth) {
    EXPECT_EQ(CountingLine(7, 1), "8 entries: 7 written, 1 failed");
    EXPECT_EQ(CountingLine(1, 0), "1 entry: 1 written, 0 failed");
    EXPECT_EQ(CountingLine(0, 0), "0 entries: 0 written, 0 failed");
}

TEST(BatchMemory, JobsAreLoweredUntilTheLargestEntriesFit) {
    constexpr std::int64_t MiB = std::int64_t(1) << 20;
    const struct {
        int jobs;
        std::int64_t entry;
        std::int64_t budget;
        int want;
    } cases[] = {
        {4, 400 * MiB, 1900 * MiB, 4},  {8, 400 * MiB, 1900 * MiB, 4},
        {2, 1000 * MiB, 1900 * MiB, 1}, {3, 3000 * MiB, 1900 * MiB, 1},
        {6, 0, 1900 * MiB, 6},          {1, 3000 * MiB, 1900 * MiB, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JobsWithinBudget(c.jobs, c.entry, c.budget), c.want)
            << c.jobs << " jobs of " << (c.entry / MiB) << " MiB";
    // A 6000 x 4000 pair drawn on two threads: 4 bytes a pixel for two views
    // (48 M pixels) and three views of output (72 M pixels), and 64 MiB.
    const std::int64_t view = 6000 * 4000;
    EXPECT_EQ(EntryPeakBytes(2 * view, view, 2), 64 * MiB + 4 * (5 * view));
    EXPECT_EQ(JobsWithinBudget(2, EntryPeakBytes(2 * view, view, 2)), 2);
}

TEST(BatchCores, JobsKeepTheirCountOfCoresBusy) {
    const struct {
        int asked, threads, entries, cores;
        int jobs, perJob;
    } cases[] = {
        {1, 0, 8, 2, 1, 1},  // one entry at a time, on one core
        {2, 0, 8, 2, 2, 1},  // two at a time, one core each
        {0, 0, 8, 2, 2, 1},  // the default: every core
        {0, 0, 1, 2, 1, 2},  // a list of one gets them all
        {4, 0, 2, 16, 2, 2}, // four cores for two entries
        {1, 3, 8, 2, 1, 3},  // --threads says
        {0, 0, 0, 0, 1, 1},  // nothing known
    };
    for (const auto& c : cases) {
        int jobs = 0, perJob = 0;
        ShareOutCores(c.asked, c.threads, c.entries, c.cores, jobs, perJob);
        EXPECT_EQ(jobs, c.jobs) << c.asked << " " << c.entries << " " << c.cores;
        EXPECT_EQ(perJob, c.perJob) << c.asked << " " << c.entries << " " << c.cores;
    }
}

TEST(BatchEntries, EachKindGetsItsSourceAndOnlyPicturesTheParameterFile) {
    const QStringList common = {"--kinds", "X"};
    trenderentry prm{trenderentry::tkind::Params, 1, "/a.prm", "", -1};
    trenderentry pair{trenderentry::tkind::Pair, 2, "/l.jpg", "/r.jpg", -1};
    trenderentry comp{trenderentry::tkind::Composite, 3, "/c.jpg", "", 6};
    EXPECT_EQ(EntryArguments(prm, common, "/p.prm"),
              QStringList({"--kinds", "X", "--prm", "/a.prm"}));
    EXPECT_EQ(EntryArguments(pair, common, "/p.prm"),
              QStringList(
                  {"--kinds", "X", "--left", "/l.jpg", "--right", "/r.jpg", "--params", "/p.prm"}));
    EXPECT_EQ(EntryArguments(comp, common, ""),
              QStringList({"--kinds", "X", "--composite", "6", "/c.jpg"}));
}

TEST(FolderPairing, IthLeftGoesWithIthRightAndTheRestIsNamed) {
    const tfolderpairing p = PairFolderPictures({"/l/a.jpg", "/l/b.jpg", "/l/c.jpg"},
                                                {"/r/1.jpg", "/r/2\t.jpg", "/r/3.jpg"});
    EXPECT_EQ(p.text, "/l/a.jpg\t/r/1.jpg\n/l/b.jpg\t/r/3.jpg\n");
    EXPECT_EQ(p.pairs, 2);
    ASSERT_EQ(p.unpaired.size(), 2);
    EXPECT_TRUE(p.unpaired[0].startsWith("right: /r/2\t.jpg"));
    EXPECT_EQ(p.unpaired[1], "left: /l/c.jpg");
}

struct tclirun {
    int exitCode = -1;
    QString out;
    QStringList err; // lines
};

tclirun Cli(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(ORVANEL_BIN_DIR "/orvanel-cli"), args);
    p.waitForFinished(120000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError()).split('\n', Qt::SkipEmptyParts)};
}

// A small picture whose content depends on `seed`, so outputs differ.
void WritePicture(const QString& path, int seed) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage img(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y,
                         qRgb((x * 5 + seed * 31) & 255, (y * 7 + seed) & 255, (x ^ y) * 3 & 255));
    ASSERT_TRUE(img.save(path));
}

void WriteText(const QString& path, const QByteArray& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

// Every file under `folder`, by its path inside it, with its bytes.
QMap<QString, QByteArray> Files(const QString& folder) {
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (f.open(QIODevice::ReadOnly)) files[QDir(folder).relativeFilePath(path)] = f.readAll();
    }
    return files;
}

TEST(RenderListCommand, MissingPictureAndBadLineFailAloneTheOthersAreWritten) {
    QTemporaryDir dir;
    WritePicture(dir.filePath("l/a.jpg"), 1);
    WritePicture(dir.filePath("r/a.jpg"), 2);
    WritePicture(dir.filePath("l/b.jpg"), 3);
    WritePicture(dir.filePath("c.bmp"), 4);
    WriteText(dir.filePath("list.txt"), "# three entries and a bad line\n"
                                        "l/a.jpg\tr/a.jpg\n"
                                        "l/b.jpg\tr/missing.jpg\n"
                                        "lonely.jpg\n"
                                        "P\tc.bmp\n");
    const QString out = dir.filePath("out");
    const tclirun r = Cli({"render", "--noini", "--list", dir.filePath("list.txt"), "--kinds", "X",
                           "--out", out, "--jobs", "2"});
    EXPECT_EQ(r.exitCode, 1);
    ASSERT_FALSE(r.err.isEmpty());
    EXPECT_EQ(r.err.last(), "4 entries: 2 written, 2 failed");
    EXPECT_TRUE(r.err.filter(QRegularExpression("line 4: 'lonely.jpg' is not a .prm")).size() == 1)
        << r.err.join('\n').toStdString();
    EXPECT_EQ(
        r.err.filter(QRegularExpression("^\\[\\d/4\\] b.jpg: failed, .*missing.jpg' not found"))
            .size(),
        1)
        << r.err.join('\n').toStdString();
    EXPECT_EQ(r.err.filter(QRegularExpression("^\\[\\d/4\\] a.jpg: 1 output, ")).size(), 1);
    EXPECT_TRUE(QFile::exists(out + "/x/a_a_X.bmp")) << r.out.toStdString();
    EXPECT_EQ(Files(out).size(), 2) << r.out.toStdString();

    // --quiet keeps the failures and the counting line only.
    const tclirun q = Cli({"render", "--noini", "--list", dir.filePath("list.txt"), "--kinds", "X",
                           "--out", dir.filePath("out2"), "--quiet"});
    EXPECT_EQ(q.exitCode, 1);
    EXPECT_EQ(q.err.filter(QRegularExpression("^\\[")).size(), 1) << q.err.join('\n').toStdString();
    EXPECT_EQ(q.err.last(), "4 entries: 2 written, 2 failed");
}

TEST(RenderListCommand, TwoJobsWriteTheSameFilesAsOne) {
    QTemporaryDir dir;
    QByteArray list;
    for (int i = 0; i < 4; ++i) {
        const QString n = QString("p%1.jpg").arg(i);
        WritePicture(dir.filePath("l/" + n), 10 + i);
        WritePicture(dir.filePath("r/" + n), 20 + i);
        list += "l/" + n.toUtf8() + "\tr/" + n.toUtf8() + "\n";
    }
    WriteText(dir.filePath("list.txt"), list);
    QMap<QString, QByteArray> files[2];
    QString outs[2];
    for (int jobs : {1, 2}) {
        const QString out = dir.filePath(QString("out%1").arg(jobs));
        const tclirun r =
            Cli({"render", "--noini", "--list", dir.filePath("list.txt"), "--kinds", "L,R,X,A",
                 "--format", "jpg", "--out", out, "--jobs", QString::number(jobs)});
        ASSERT_EQ(r.exitCode, 0) << r.err.join('\n').toStdString();
        EXPECT_EQ(r.err.last(), "4 entries: 4 written, 0 failed");
        files[jobs - 1] = Files(out);
        outs[jobs - 1] = QString(r.out).replace(out, "OUT");
    }
    EXPECT_EQ(files[0].size(), 16);
    EXPECT_TRUE(files[0] == files[1]);
    // The output lines in the list's order whatever finished first.
    EXPECT_EQ(outs[0], outs[1]);
}

// The same pair twice in a list: with two jobs the second still finds the
// first one's file and keeps it, as with one job, whatever the timing.
TEST(RenderListCommand, EntriesWritingTheSameNamesRunOneAfterTheOther) {
    QTemporaryDir dir;
    WritePicture(dir.filePath("l/a.jpg"), 1);
    WritePicture(dir.filePath("r/a.jpg"), 2);
    WritePicture(dir.filePath("l/b.jpg"), 3);
    WritePicture(dir.filePath("r/b.jpg"), 4);
    WriteText(dir.filePath("list.txt"), "l/a.jpg\tr/a.jpg\nl/b.jpg\tr/b.jpg\nl/a.jpg\tr/a.jpg\n");
    for (int round = 0; round < 3; ++round) {
        const QString out = dir.filePath(QString("out%1").arg(round));
        const tclirun r = Cli({"render", "--noini", "--list", dir.filePath("list.txt"), "--kinds",
                               "X", "--out", out, "--jobs", "3"});
        EXPECT_EQ(r.exitCode, 1);
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 3) << r.out.toStdString();
        EXPECT_TRUE(lines[0].endsWith(
            "\tOk - " + QString::number(QFileInfo(out + "/x/a_a_X.bmp").size() / 1024) + " Ko"))
            << lines[0].toStdString();
        EXPECT_TRUE(lines[2].endsWith("\tUser Abort!!! - File not Save")) << lines[2].toStdString();
        EXPECT_EQ(r.err.last(), "3 entries: 2 written, 1 failed");
    }
}

// A FIFO named as a picture fails its entry at once; nothing waits for a
// writer, neither the list nor the entry's render.
TEST(RenderListCommand, FifoNamedAsAPictureFailsItsEntryWithoutWaiting) {
    QTemporaryDir dir;
    WritePicture(dir.filePath("r.jpg"), 1);
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("f.jpg")).constData(), 0600), 0);
    WriteText(dir.filePath("list.txt"), "f.jpg\tr.jpg\n");
    const tclirun r = Cli({"render", "--noini", "--list", dir.filePath("list.txt"), "--kinds", "X",
                           "--out", dir.filePath("out")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.filter("not a regular file").size(), 1) << r.err.join('\n').toStdString();
    EXPECT_EQ(r.err.last(), "1 entry: 0 written, 1 failed");
}

// One parameter file applied to every pair of the list aligns each as the
// same file naming that pair's pictures does.
TEST(RenderListCommand, ParamsFileAlignsEveryPairAsItsOwnFileWould) {
    QTemporaryDir dir;
    WritePicture(dir.filePath("l.jpg"), 7);
    WritePicture(dir.filePath("r.jpg"), 8);
    const QByteArray align = "[Stereo]\ntype=1\n[separator]\ndecimal=.\nthousand=,\n"
                             "[Left]\nfilename=" +
                             dir.filePath("l.jpg").toUtf8() +
                             "\nrot=0\n[Right]\nfilename=" + dir.filePath("r.jpg").toUtf8() +
                             "\nrot=0.03\nposx=-5\nposy=2\n";
    WriteText(dir.filePath("own.prm"), align);
    // The shared file names other pictures: only its alignment counts.
    WriteText(
        dir.filePath("shared.prm"),
        QByteArray(align).replace("l.jpg", "elsewhere-l.jpg").replace("r.jpg", "elsewhere-r.jpg"));
    WriteText(dir.filePath("list.txt"), "l.jpg\tr.jpg\n");
    const tclirun own = Cli({"render", "--noini", "--prm", dir.filePath("own.prm"), "--kinds", "X",
                             "--out", dir.filePath("a")});
    ASSERT_EQ(own.exitCode, 0) << own.err.join('\n').toStdString();
    const tclirun shared =
        Cli({"render", "--noini", "--list", dir.filePath("list.txt"), "--params",
             dir.filePath("shared.prm"), "--kinds", "X", "--out", dir.filePath("b")});
    ASSERT_EQ(shared.exitCode, 0) << shared.err.join('\n').toStdString();
    const QMap<QString, QByteArray> a = Files(dir.filePath("a")), b = Files(dir.filePath("b"));
    ASSERT_EQ(a.size(), 1);
    EXPECT_TRUE(a == b);
    // Without the file the pair is drawn unaligned: other bytes.
    const tclirun plain = Cli({"render", "--noini", "--list", dir.filePath("list.txt"), "--kinds",
                               "X", "--out", dir.filePath("c")});
    ASSERT_EQ(plain.exitCode, 0);
    EXPECT_FALSE(Files(dir.filePath("c")) == a);
    // With --prm the file is the entry itself: refused as a usage error.
    EXPECT_EQ(
        Cli({"render", "--prm", dir.filePath("own.prm"), "--params", dir.filePath("shared.prm")})
            .exitCode,
        2);
}

TEST(PairDirsCommand, FoldersArePairedInNameOrderIntoARenderableList) {
    QTemporaryDir dir;
    WritePicture(dir.filePath("L/b.jpg"), 1);
    WritePicture(dir.filePath("L/A.JPG"), 2);
    WritePicture(dir.filePath("L/c.bmp"), 3);
    WriteText(dir.filePath("L/notes.txt"), "not a picture");
    WritePicture(dir.filePath("R/2.jpg"), 4);
    WritePicture(dir.filePath("R/1.jpg"), 5);
    const tclirun p = Cli({"pair-dirs", dir.filePath("L"), dir.filePath("R")});
    ASSERT_EQ(p.exitCode, 0);
    const QString l = QDir(dir.filePath("L")).absolutePath(),
                  r = QDir(dir.filePath("R")).absolutePath();
    EXPECT_EQ(p.out, l + "/A.JPG\t" + r + "/1.jpg\n" + l + "/b.jpg\t" + r + "/2.jpg\n");
    EXPECT_EQ(p.err.filter("unpaired left: " + l + "/c.bmp").size(), 1)
        << p.err.join('\n').toStdString();

    WriteText(dir.filePath("pairs.txt"), p.out.toUtf8());
    const tclirun run = Cli({"render", "--noini", "--list", dir.filePath("pairs.txt"), "--kinds",
                             "A", "--out", dir.filePath("out")});
    EXPECT_EQ(run.exitCode, 0) << run.err.join('\n').toStdString();
    EXPECT_EQ(Files(dir.filePath("out")).size(), 2);

    EXPECT_EQ(Cli({"pair-dirs", dir.filePath("L")}).exitCode, 2);
    EXPECT_EQ(Cli({"pair-dirs", dir.filePath("L"), dir.filePath("none")}).exitCode, 1);
}

} // namespace
