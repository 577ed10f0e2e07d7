// The command-line programs: help, version and usage errors.
#include <QDir>
#include <QFile>
#include <QFileInfo>
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
