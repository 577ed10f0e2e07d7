// The command-line programs: help, version and usage errors.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

struct CliRun {
    int exitCode;
    QString out;
    QString err;
};

CliRun runCli(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(ORVANEL_BIN_DIR "/orvanel-cli"), args);
    p.waitForFinished(30000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

TEST(CommandLineProgram, HelpAndVersionSucceedOnStandardOutput) {
    CliRun help = runCli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: orvanel-cli"));
    CliRun version = runCli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "orvanel-cli 1.3\n");
}

TEST(CommandLineProgram, UnknownCommandOrNoneIsAUsageError) {
    CliRun none = runCli({});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_TRUE(none.err.contains("Usage"));
    CliRun bad = runCli({"frobnicate"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_TRUE(bad.err.contains("unknown command 'frobnicate'"));
}

TEST(SampleGenerator, OptionsAreNeverTakenForItsFolder) {
    QTemporaryDir dir;
    const struct {
        QStringList args;
        int exitCode;
        const char* out; // the start of standard output
    } cases[] = {{{"--help"}, 0, "Usage: orvanel-samplegen [FOLDER]"},
                 {{"-h"}, 0, "Usage: orvanel-samplegen [FOLDER]"},
                 {{"--frobnicate"}, 2, ""},
                 {{"one", "two"}, 2, ""}};
    for (const auto& c : cases) {
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start(QStringLiteral(ORVANEL_BIN_DIR "/orvanel-samplegen"), c.args);
        p.waitForFinished(30000);
        EXPECT_EQ(p.exitCode(), c.exitCode) << c.args.join(' ').toStdString();
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        EXPECT_EQ(out.left(int(qstrlen(c.out))), QString(c.out));
    }
    // Nothing was written: no folder named after an option, no pair.
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

// A FIFO, a folder or a device named as a parameter, picture or settings file
// is refused at once with its cause; nothing waits for a writer.
TEST(CommandLineProgram, SpecialFilesAreRefusedAtOnceWithTheirCause) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("p.prm");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString out = dir.filePath("out");
    const struct {
        QStringList args;
        const char* err;
    } cases[] = {
        {{"render", "--prm", fifo, "--out", out}, "pas un fichier ordinaire"},
        {{"render", "--settings", fifo, "--prm", fifo, "--out", out}, "not a regular file"},
        {{"render", "--settings", "/dev/null", "--prm", fifo, "--out", out}, "not a regular file"},
        {{"render", "--left", fifo, "--right", fifo, "--out", out}, "not a regular file"},
    };
    for (const auto& c : cases) {
        // runCli gives up after 30 s: a hang shows as a missing message.
        const CliRun r = runCli(c.args);
        EXPECT_NE(r.exitCode, 0) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.err)) << r.err.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(out));
}

// Two renders started together on the same output names, without
// --overwrite: each file is written by exactly one of them, holds what that
// one drew, and the other says the file exists and fails.
TEST(CommandLineProgram, RacingRendersNeverShareOrReplaceAnOutput) {
    QTemporaryDir dir;
    const QString pairs[2] = {dir.filePath("a"), dir.filePath("b")};
    for (int i = 0; i < 2; ++i) {
        QDir().mkpath(pairs[i]);
        for (const char* side : {"p_L.bmp", "p_R.bmp"}) {
            QImage img(320, 240, QImage::Format_RGB32);
            img.fill(i == 0 ? qRgb(200, 40, 40) : qRgb(40, 40, 200));
            ASSERT_TRUE(img.save(pairs[i] + "/" + side));
        }
    }
    const auto args = [&](int i, const QString& out) {
        return QStringList{"render",  "--noini",
                           "--left",  pairs[i] + "/p_L.bmp",
                           "--right", pairs[i] + "/p_R.bmp",
                           "--kinds", "L,R,X,P,V,A,Bi",
                           "--out",   out};
    };
    // What each one draws alone.
    QByteArray alone[2][7];
    const char* files[7] = {"l/p_L__R_L.bmp",  "r/p_L__R_R.bmp", "x/p_L__R_X.bmp",
                            "p/p_L__R_P.bmp",  "v/p_L__R_V.bmp", "ana/p_L__R_A.bmp",
                            "bi/p_L__R_Bi.bmp"};
    for (int i = 0; i < 2; ++i) {
        const QString ref = dir.filePath(QString("ref%1").arg(i));
        ASSERT_EQ(runCli(args(i, ref)).exitCode, 0);
        for (int f = 0; f < 7; ++f) {
            QFile file(ref + "/" + files[f]);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << files[f];
            alone[i][f] = file.readAll();
        }
    }
    for (int round = 0; round < 3; ++round) {
        const QString out = dir.filePath(QString("race%1").arg(round));
        QProcess p[2];
        for (int i = 0; i < 2; ++i)
            p[i].start(QStringLiteral(ORVANEL_BIN_DIR "/orvanel-cli"), args(i, out));
        QString logs[2];
        for (int i = 0; i < 2; ++i) {
            ASSERT_TRUE(p[i].waitForFinished(60000));
            logs[i] = QString::fromUtf8(p[i].readAllStandardOutput());
        }
        EXPECT_TRUE(p[0].exitCode() == 1 || p[1].exitCode() == 1) << "round " << round;
        for (int f = 0; f < 7; ++f) {
            QFile file(out + "/" + files[f]);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << files[f];
            const QByteArray got = file.readAll();
            int okCount = 0, writer = -1;
            for (int i = 0; i < 2; ++i)
                for (const QString& line : logs[i].split('\n'))
                    if (line.contains(files[f]) && line.contains("\tOk - ")) {
                        ++okCount;
                        writer = i;
                    }
            ASSERT_EQ(okCount, 1) << files[f] << " round " << round;
            EXPECT_TRUE(got == alone[writer][f]) << files[f] << " round " << round;
        }
    }
}
