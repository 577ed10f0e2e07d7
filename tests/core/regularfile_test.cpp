// Only regular files are read: FIFOs, devices, folders and link loops are
// refused at once with their cause, never waited on.
#include "core/inifile.h"
#include "core/regularfile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// A blocking open of a FIFO would hang the test: the alarm ends it instead.
struct twatchdog {
    twatchdog() { ::alarm(20); }
    ~twatchdog() { ::alarm(0); }
};

struct tspecialfiles {
    QTemporaryDir dir;
    QString regular, fifo, folder, dangling, loop, toFifo;
    tspecialfiles() {
        regular = dir.filePath("a.prm");
        QFile f(regular);
        f.open(QIODevice::WriteOnly);
        f.write("[Stereo]\ntype=1\n");
        f.close();
        fifo = dir.filePath("p.prm");
        ::mkfifo(QFile::encodeName(fifo).constData(), 0600);
        folder = dir.filePath("d.prm");
        QDir().mkpath(folder);
        dangling = dir.filePath("dangling.prm");
        QFile::link(dir.filePath("nowhere"), dangling);
        loop = dir.filePath("loop.prm");
        QFile::link(loop, loop);
        toFifo = dir.filePath("tofifo.prm");
        QFile::link(fifo, toFifo);
    }
};

} // namespace

TEST(RegularFile, EachKindOfPathIsOpenedOrRefusedWithItsCause) {
    twatchdog guard;
    tspecialfiles t;
    const struct {
        QString path;
        tfilestate state;
        tiniload load;
    } cases[] = {
        {t.regular, tfilestate::Regular, tiniload::Ok},
        {t.fifo, tfilestate::NotRegular, tiniload::NotRegular},
        {t.toFifo, tfilestate::NotRegular, tiniload::NotRegular},
        {t.folder, tfilestate::NotRegular, tiniload::NotRegular},
        {"/dev/null", tfilestate::NotRegular, tiniload::NotRegular},
        {t.dangling, tfilestate::Missing, tiniload::Missing},
        {t.dir.filePath("none.prm"), tfilestate::Missing, tiniload::Missing},
        {t.loop, tfilestate::LinkLoop, tiniload::Unreadable},
    };
    for (const auto& c : cases) {
        QFile file;
        EXPECT_EQ(OpenRegularFile(c.path, file), c.state) << c.path.toStdString();
        EXPECT_EQ(file.isOpen(), c.state == tfilestate::Regular) << c.path.toStdString();
        tinifile ini;
        EXPECT_EQ(ini.Load(c.path), c.load) << c.path.toStdString();
        EXPECT_EQ(ini.FileState(), c.state) << c.path.toStdString();
    }
    tinifile ini(t.regular);
    EXPECT_EQ(ini.ReadInteger("Stereo", "type", 0), 1);
    EXPECT_EQ(FileStateText(tfilestate::NotRegular), "not a regular file");
}

TEST(RegularFile, WritersReplaceOnlyRegularFilesOrCreateNew) {
    tspecialfiles t;
    EXPECT_TRUE(WritableTarget(t.regular));
    EXPECT_TRUE(WritableTarget(t.dir.filePath("new.prm")));
    for (const QString& p : {t.fifo, t.toFifo, t.folder, QString("/dev/null"), t.dangling, t.loop,
                             t.dir.filePath("new/")})
        EXPECT_FALSE(WritableTarget(p)) << p.toStdString();
}

// Writing an INI file replaces a regular file or the file behind a link to
// one (the link stays), and nothing else.
TEST(RegularFile, IniWritesGoThroughLinksAndNeverIntoSpecialFiles) {
    twatchdog guard;
    tspecialfiles t;
    tinifile ini;
    ini.WriteInteger("Visu", "mode", 4);
    const QString link = t.dir.filePath("link.ini");
    QFile::link(t.regular, link);
    ASSERT_TRUE(ini.SaveAs(link));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(tinifile(t.regular).ReadInteger("Visu", "mode", 0), 4);
    for (const QString& p : {t.fifo, t.toFifo, t.folder, QString("/dev/null")})
        EXPECT_FALSE(ini.SaveAs(p)) << p.toStdString();
    // No temporary file is left behind.
    EXPECT_EQ(QDir(t.dir.path()).entryList(QStringList(".*"), QDir::Files | QDir::Hidden),
              QStringList());
}
