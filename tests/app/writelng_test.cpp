// `orvanel --write-lng FILE`: the interface's texts written without a window
// or a display, in the language the settings name.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct tprogramrun {
    int exitCode;
    QString err;
};

// The desktop program with no display at all and a home of its own.
tprogramrun runProgram(const QTemporaryDir& home, const QStringList& args) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    env.insert("XDG_DATA_HOME", home.filePath("data"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(ORVANEL_BIN_DIR "/orvanel"), args);
    // A window shown would wait for the user: finishing is the test.
    EXPECT_TRUE(p.waitForFinished(60000));
    if (p.state() != QProcess::NotRunning) p.kill();
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
}

QString readText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

TEST(WriteLanguageFile, WritesTheInterfaceAndExitsWithoutADisplay) {
    QTemporaryDir home;
    const QString out = home.filePath("interface.lng");
    const tprogramrun run = runProgram(home, {"--write-lng", out});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString text = readText(out);
    EXPECT_TRUE(text.startsWith("[File]\nName=" + out + "\nLanguage=fr\n"))
        << text.left(200).toStdString();
    EXPECT_TRUE(text.contains("[FormBuild2]\nCaption=Montage\n"));
    EXPECT_TRUE(text.contains("[Langue1]\nCaption=Choisir une langue...\n"));
    EXPECT_TRUE(text.contains("[LngForm]\nCaption=Fichiers de Traduction\n"));
    // Nothing of the program's own was written: no settings, no current.lng.
    EXPECT_FALSE(QFile::exists(home.filePath("data/kvtq/lng/current.lng")));
}

TEST(WriteLanguageFile, FollowsTheLanguageTheSettingsName) {
    QTemporaryDir home;
    QDir().mkpath(home.filePath("config/kvtq"));
    QFile settings(home.filePath("config/kvtq/orvanel.ini"));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("[Lng]\nFileName=english.lng\n");
    settings.close();
    const QString out = home.filePath("english-again.lng");
    const tprogramrun run = runProgram(home, {"--write-lng", out});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString text = readText(out);
    EXPECT_TRUE(text.contains("\nLanguage=en\n"));
    EXPECT_TRUE(text.contains("[Langue1]\nCaption=Choose a language...\n"));
}

TEST(WriteLanguageFile, RefusesAMissingNameOrAnUnwritableFolder) {
    QTemporaryDir home;
    const tprogramrun missing = runProgram(home, {"--write-lng"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(missing.err.contains("--write-lng")) << missing.err.toStdString();
    QFile blocker(home.filePath("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const tprogramrun blocked = runProgram(home, {"--write-lng", home.filePath("file/x.lng")});
    EXPECT_EQ(blocked.exitCode, 1);
    EXPECT_TRUE(blocked.err.contains(home.filePath("file"))) << blocked.err.toStdString();
}
