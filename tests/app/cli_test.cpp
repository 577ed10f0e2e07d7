// The command-line programs: help, version and usage errors.
#include <QDir>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
