// Every file of the fuzz corpora (the seeds and whatever fuzzing found) goes
// through its reader again in the ordinary build, so a fault found once stays
// mended.
#include "targets.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

TEST(FuzzCorpus, EveryCorpusFileIsReadWithoutFault) {
    int files = 0;
    for (const tfuzztarget& target : FuzzTargets) {
        const QDir dir(QStringLiteral(ORVANEL_FUZZ_CORPUS) + "/" + target.name);
        ASSERT_TRUE(dir.exists()) << dir.path().toStdString();
        for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
            QFile f(dir.filePath(name));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
            const QByteArray bytes = f.readAll();
            SCOPED_TRACE(std::string(target.name) + "/" + name.toStdString());
            target.run(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                       std::size_t(bytes.size()));
            ++files;
        }
    }
    EXPECT_GT(files, 0);
}
