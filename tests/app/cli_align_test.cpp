// `orvanel-cli align`: usage errors, unreadable pictures, the steps on
// synthetic pairs checked through the parameter file it writes, the lines it
// prints, its refusals and the files it will not replace.
#include "app/cli_align.h"

#include "core/inifile.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

const double kPi = 3.14159265358979323846;

class AlignCommand : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        left = dir.filePath("left.bmp");
        right = dir.filePath("right.bmp");
        out = dir.filePath("out.prm");
        QImage blank(400, 300, QImage::Format_RGB32);
        blank.fill(Qt::gray);
        ASSERT_TRUE(blank.save(left));
        ASSERT_TRUE(blank.save(right));
    }
    int Run(QStringList args) { return RunAlignCommand(args); }
    // The user's settings never reach the tests.
    QStringList Pair() { return {"--noini", "--left", left, "--right", right, "--write-prm", out}; }
    double Read(const char* section, const char* key) {
        tinifile file;
        file.Load(out);
        return file.ReadFloat(section, key, -12345);
    }

    // Runs the program on each case from a clean output: a run that succeeds
    // prints exactly `text`, one that refuses says `text` and writes nothing.
    struct tclicase {
        QStringList args;
        int exitCode;
        const char* text;
    };
    template <size_t N> void ExpectRuns(const tclicase (&cases)[N]);

    QTemporaryDir dir;
    QString left, right, out;
};

struct CliRun {
    int exitCode = -1;
    QString out, err;
};

CliRun RunProgram(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(ORVANEL_BIN_DIR "/orvanel-cli"), QStringList{"align"} + args);
    p.waitForFinished(30000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QByteArray Content(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

template <size_t N> void AlignCommand::ExpectRuns(const tclicase (&cases)[N]) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        QFile::remove(out);
        const CliRun run = RunProgram(Pair() + c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        if (c.exitCode == 0) {
            EXPECT_EQ(run.out, QString::fromUtf8(c.text));
        } else {
            EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.text))) << run.err.toStdString();
            EXPECT_FALSE(QFileInfo::exists(out));
        }
    }
}

TEST_F(AlignCommand, PrintsOneLinePerStepOrRefusesTheStep) {
    const tclicase cases[] = {
        {{"--point", "C", "100,100,110,95", "--do", "level"},
         0,
         "level: right view posx -10.00 posy 5.00\n"},
        {{"--point", "C", "150,120,160,110", "--point", "A1", "250,110,260,90", "--current",
          "right", "--do", "level", "--do", "rotate"},
         0,
         "level: left view posx 10.00 posy -10.00\nrotate: right view -5.68°\n"},
        {{"--point", "orient1", "100,100,100,100", "--point", "orient2", "200,100,200,110", "--do",
          "orient-right", "--do", "orient-horizontal"},
         0,
         "orient-right: right view 5.71°\norient-horizontal: left view 0.00°, right view 5.71°\n"},
        {{"--point", "d1", "100,10,120,15", "--point", "d2", "100,260,120,255", "--do", "magnify"},
         0,
         "magnify: left view dz 1.0417\n"},
        {{"--point", "C", "100,100,400,95"}, 2, "point C (400, 95) lies outside the right picture"},
        {{"--point", "A2", "-1,0,5,5"}, 2, "point A2 (-1, 0) lies outside the left picture"},
        {{"--point", "C", "100,100,110,95", "--point", "A1", "200,100,111,96", "--do", "rotate"},
         2,
         "A1 lies closer than 2 px to C in the right view"},
        {{"--point", "d1", "100,10,120,15", "--do", "magnify"}, 2, "'magnify' needs d2 in both"},
        {{"--do", "magnify"}, 2, "'magnify' needs d1 and d2 in both views"},
        {{"--point", "C", "1,1,1,1", "--do", "rotate"}, 2, "'rotate' needs A1 in both views"},
        {{"--do", "level"}, 2, "'level' needs C in both views"},
        {{"--point", "orient1", "1,1,1,1", "--do", "orient-left"}, 2, "needs orient2 in both"},
    };
    ExpectRuns(cases);
}

TEST_F(AlignCommand, ParameterFileReplacesOnlyARegularFileAndOnlyWhenAllowed) {
    const QString victim = dir.filePath("victim.txt");
    QFile f(victim);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("keep me");
    f.close();
    ASSERT_TRUE(QFile::link(victim, dir.filePath("link.prm")));
    ASSERT_TRUE(QFile::link(dir.filePath("nowhere"), dir.filePath("dangling.prm")));
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    const QByteArray photo = Content(left);
    const struct {
        QString target;
        bool overwrite;
        int exitCode;
    } cases[] = {
        {left, false, 2},                        // the input picture
        {dir.filePath("link.prm"), true, 2},     // a link, even to a regular file
        {dir.filePath("dangling.prm"), true, 2}, // a link to nothing
        {"/dev/null", true, 2},                  // a device
        {dir.filePath("sub"), true, 2},          // a folder
        {dir.filePath("new") + "/", true, 2},    // a path ending in a delimiter
        {dir.filePath("new.prm"), false, 0},     // a new file
        {dir.filePath("new.prm"), false, 2},     // now it exists
        {dir.filePath("new.prm"), true, 0},      // replaced on request
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target.toStdString());
        QStringList args = {"--noini", "--left", left, "--right", right, "--write-prm", c.target};
        if (c.overwrite) args << "--overwrite";
        EXPECT_EQ(RunProgram(args).exitCode, c.exitCode);
    }
    EXPECT_EQ(Content(left), photo);
    EXPECT_EQ(Content(victim), QByteArray("keep me"));
    EXPECT_TRUE(QFileInfo(dir.filePath("link.prm")).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("nowhere")));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("new")));
    EXPECT_TRUE(Content(dir.filePath("new.prm")).contains("[Left]"));
}

TEST_F(AlignCommand, UsageErrorsExitWithTwoAndWriteNothing) {
    EXPECT_EQ(Run({"--write-prm", out}), 2);                 // no pair
    EXPECT_EQ(Run({"--left", left, "--write-prm", out}), 2); // half a pair
    EXPECT_EQ(Run({"--left", left, "--right", right}), 2);   // no output
    EXPECT_EQ(Run(Pair() << "--point"
                         << "B7"
                         << "1,2,3,4"),
              2); // no such point
    EXPECT_EQ(Run(Pair() << "--point"
                         << "C"
                         << "1,2,3"),
              2); // three numbers
    EXPECT_EQ(Run(Pair() << "--point"
                         << "C"
                         << "1,2,nan,4"),
              2); // not finite
    EXPECT_EQ(Run(Pair() << "--current"
                         << "middle"),
              2);
    EXPECT_EQ(Run(Pair() << "--do"
                         << "spin"),
              2);
    EXPECT_EQ(Run(Pair() << "--window-mode"
                         << "far"),
              2);
    EXPECT_EQ(Run(Pair() << "--composite"
                         << "Q" << left),
              2);
    EXPECT_EQ(Run(Pair() << "--prm" << out), 2); // two sources
    EXPECT_EQ(Run(Pair() << "--band"
                         << "-1"),
              2);
    EXPECT_EQ(Run(Pair() << "--settings" << left), 2); // and --noini
    EXPECT_FALSE(QFileInfo::exists(out));
}

TEST_F(AlignCommand, UnreadablePictureFailsWithOne) {
    QFile bad(dir.filePath("bad.bmp"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("BM this is not a picture");
    bad.close();
    EXPECT_EQ(Run({"--left", bad.fileName(), "--right", right, "--write-prm", out}), 1);
    EXPECT_EQ(Run({"--left", dir.filePath("none.bmp"), "--right", right, "--write-prm", out}), 1);
    EXPECT_EQ(Run({"--prm", dir.filePath("none.prm"), "--write-prm", out}), 1);
    EXPECT_FALSE(QFileInfo::exists(out));
}

TEST_F(AlignCommand, LevelShiftsRightViewOntoLeftCentre) {
    ASSERT_EQ(Run(Pair() << "--point"
                         << "C"
                         << "100,100,110,95"
                         << "--do"
                         << "level"),
              0);
    EXPECT_EQ(Read("Left", "posx"), 0);
    EXPECT_EQ(Read("Right", "posx"), -10);
    EXPECT_EQ(Read("Right", "posy"), 5);
    EXPECT_EQ(Read("Right", "pt[1].x"), 110);
    EXPECT_EQ(Read("Right", "pt[1].d"), 1);
}

TEST_F(AlignCommand, LevelKeepsTheCurrentViewUnshifted) {
    ASSERT_EQ(Run(Pair() << "--point"
                         << "C"
                         << "100,100,110,95"
                         << "--current"
                         << "right"
                         << "--do"
                         << "level"),
              0);
    EXPECT_EQ(Read("Right", "posx"), 0);
    EXPECT_EQ(Read("Left", "posx"), 10);
    EXPECT_EQ(Read("Left", "posy"), -5);
}

TEST_F(AlignCommand, CompositeIsSplitAndRecordedWithItsKind) {
    // Crossed: the right half is the left view.
    QImage composite(400, 150, QImage::Format_RGB32);
    composite.fill(Qt::white);
    const QString file = dir.filePath("pair_x.bmp");
    ASSERT_TRUE(composite.save(file));
    ASSERT_EQ(Run({"--noini", "--composite", "X", file, "--point", "C", "50,50,60,40", "--do",
                   "level", "--write-prm", out}),
              0);
    tinifile prm;
    prm.Load(out);
    EXPECT_EQ(prm.ReadInteger("Stereo", "type", 0), 2);
    EXPECT_EQ(prm.ReadString("Left", "filename", ""), QFileInfo(file).absoluteFilePath());
    EXPECT_EQ(prm.ReadFloat("Right", "posx", 0), -10);
    EXPECT_EQ(prm.ReadFloat("Right", "posy", 0), 10);
    EXPECT_EQ(Run({"--noini", "--composite", "2", file, "--write-prm", out, "--overwrite"}), 0);
}

TEST_F(AlignCommand, RotateTurnsTheLongerVector) {
    ASSERT_EQ(Run(Pair() << "--point"
                         << "C"
                         << "150,120,160,110"
                         << "--point"
                         << "A1"
                         << "250,110,260,90"
                         << "--current"
                         << "right"
                         << "--do"
                         << "rotate"),
              0);
    EXPECT_EQ(Read("Left", "rot"), 0);
    EXPECT_NEAR(Read("Right", "rot"), 2 * kPi + std::asin(10 / std::sqrt(10400.0)) - std::atan(0.2),
                1e-12);
}

TEST_F(AlignCommand, OrientationStepsRunInOrder) {
    ASSERT_EQ(Run(Pair() << "--point"
                         << "orient1"
                         << "100,100,100,100"
                         << "--point"
                         << "orient2"
                         << "200,100,200,110"
                         << "--do"
                         << "orient-right"),
              0);
    EXPECT_NEAR(Read("Right", "rot"), std::atan(0.1), 1e-12);
    // The last step wins: both lines horizontal.
    ASSERT_EQ(Run(Pair() << "--point"
                         << "orient1"
                         << "100,100,100,100"
                         << "--point"
                         << "orient2"
                         << "200,100,200,110"
                         << "--overwrite"
                         << "--do"
                         << "orient-both"
                         << "--do"
                         << "orient-horizontal"),
              0);
    EXPECT_EQ(Read("Left", "rot"), 0);
    EXPECT_NEAR(Read("Right", "rot"), std::atan(0.1), 1e-12);
}

TEST_F(AlignCommand, MagnifyRecordsFactorAndPointsInFileCoordinates) {
    ASSERT_EQ(Run(Pair() << "--point"
                         << "d1"
                         << "100,10,120,15"
                         << "--point"
                         << "d2"
                         << "100,260,120,255"
                         << "--do"
                         << "magnify"),
              0);
    // Heights 250 and 240: the left view is reduced by 250 / 240.
    EXPECT_NEAR(Read("Left", "dz"), 250.0 / 240.0, 1e-12);
    EXPECT_EQ(Read("Right", "dz"), 1);
    EXPECT_NEAR(Read("Left", "pt[8].y"), 260, 1e-9);
}

TEST_F(AlignCommand, MagnifyWithOppositeOrderIsRefused) {
    EXPECT_EQ(Run(Pair() << "--point"
                         << "d1"
                         << "100,10,120,255"
                         << "--point"
                         << "d2"
                         << "100,260,120,15"
                         << "--do"
                         << "magnify"),
              1);
    EXPECT_FALSE(QFileInfo::exists(out));
}

TEST_F(AlignCommand, ParameterFileIsReadBackAndExtended) {
    ASSERT_EQ(Run(Pair() << "--point"
                         << "C"
                         << "100,100,110,95"
                         << "--do"
                         << "level"),
              0);
    const QString second = dir.filePath("second.prm");
    ASSERT_EQ(Run({"--noini", "--prm", out, "--point", "A1", "200,100,210,80", "--do", "rotate",
                   "--write-prm", second}),
              0);
    tinifile file;
    file.Load(second);
    EXPECT_EQ(file.ReadFloat("Right", "posx", 0), -10);
    EXPECT_GT(file.ReadFloat("Right", "rot", 0), 0);
    EXPECT_EQ(file.ReadString("Left", "filename", ""), QFileInfo(left).absoluteFilePath());
}

TEST_F(AlignCommand, ProgramRunsAlignWithItsExitStatus) {
    auto run = [](const QStringList& args, QString* err = nullptr) {
        QProcess p;
        p.start(QStringLiteral(ORVANEL_BIN_DIR "/orvanel-cli"), QStringList{"align"} + args);
        p.waitForFinished(30000);
        if (err) *err = QString::fromUtf8(p.readAllStandardError());
        return p.exitCode();
    };
    QString err;
    EXPECT_EQ(run(Pair() << "--do"
                         << "spin",
                  &err),
              2);
    EXPECT_TRUE(err.contains("spin"));
    EXPECT_EQ(run(Pair() << "--point"
                         << "C"
                         << "100,100,110,95"
                         << "--do"
                         << "level"),
              0);
    EXPECT_EQ(Read("Right", "posx"), -10);
}

TEST_F(AlignCommand, WindowStepShiftsTheRightViewByTheModesOffset) {
    // 2000 x 100 pictures: image-width offset 2000 x 0.0417 = 83.4.
    QImage wide(2000, 100, QImage::Format_RGB32);
    wide.fill(Qt::gray);
    ASSERT_TRUE(wide.save(left));
    ASSERT_TRUE(wide.save(right));
    const QStringList w1 = {"--point", "C", "100,50,100,50", "--point", "W1", "400,50,380,50"};
    const tclicase cases[] = {
        {w1 + QStringList{"--do", "window"}, 0, "window: offset 0.00, right view posx 20.00\n"},
        {w1 + QStringList{"--window-mode", "image-width", "--do", "window"}, 0,
         "window: offset 83.40, right view posx 103.40\n"},
        // No W1, no C: the picture centres.
        {{"--window-mode", "image-width", "--do", "window"},
         0,
         "window: offset 83.40, right view posx 83.40\n"},
        // The automatic window is the whole 2000 x 100 picture.
        {{"--window-mode", "user-width", "--infinity-fraction", "0.05", "--do", "window"},
         0,
         "window: offset 100.00, right view posx 100.00\n"},
        // 1.5 x 100 x 0.04 and 100 x 4/3 x 0.04.
        {{"--window-mode", "film-height", "--infinity-fraction", "0.04", "--do", "window"},
         0,
         "window: offset 6.00, right view posx 6.00\n"},
        {{"--window-mode", "digital-height", "--infinity-fraction", "0.04", "--do", "window"},
         0,
         "window: offset 5.33, right view posx 5.33\n"},
        // 3:2 turns 2000 x 100 into 1999 x 1333: 1333 x 4/3 x 0.04.
        {{"--window-mode", "digital-height", "--infinity-fraction", "0.04", "--ratio", "3:2",
          "--do", "window"},
         0,
         "window: offset 71.09, right view posx 71.09\n"},
        {w1 + QStringList{"--do", "window", "--do", "window-cancel"}, 0,
         "window: offset 0.00, right view posx 20.00\n"
         "window-cancel: offset 0.00, right view posx 0.00\n"},
        {{"--window-mode", "far", "--do", "window"}, 2, "unknown window mode 'far'"},
        {{"--infinity-fraction", "-1", "--do", "window"}, 2, "--infinity-fraction takes"},
        {{"--infinity-fraction", "a", "--do", "window"}, 2, "--infinity-fraction takes"},
        {{"--ratio", "4x3", "--do", "window"}, 2, "bad ratio '4x3'"},
        {{"--ratio", "0:3", "--do", "window"}, 2, "bad ratio '0:3'"},
    };
    ExpectRuns(cases);
    // The parameter file holds the shift the last line printed.
    ASSERT_EQ(RunProgram(Pair() + w1 + QStringList{"--do", "window"}).exitCode, 0);
    EXPECT_EQ(Read("Left", "posx"), 0);
    EXPECT_EQ(Read("Right", "posx"), 20);
}
