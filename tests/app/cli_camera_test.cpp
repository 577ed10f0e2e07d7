// orvanel-cli with a stereo camera's MPO: the pair file, the half-width
// frame and a least-squares anaglyph, each JPEG with the camera's EXIF, and
// the usage errors of the added options.
#include "input/mpofile.h"
#include "output/exifcopy.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct tcli {
    int code;
    QString out, err;
};

tcli RunCli(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(ORVANEL_BIN_DIR "/orvanel-cli"), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(CliCameraFile, RendersMpoHalfWidthAndLeastSquaresAnaglyphWithExif) {
    const char* data = std::getenv("ORVANEL_TESTDATA");
    if (!data) GTEST_SKIP() << "ORVANEL_TESTDATA not set";
    const QString source = QString::fromLocal8Bit(data) + "/3ds_sugarshack.mpo";
    const QString make = ExifTagText(Read(source), "Exif.Image.Make");
    ASSERT_FALSE(make.isEmpty());
    QTemporaryDir dir;
    const tcli r =
        RunCli({"render", "--composite", "MPO", source, "--kinds", "MPO,HSBS,A", "--anaglyph",
                "dubois", "--format", "jpg", "--out", dir.path(), "--noini"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QString mpo = dir.filePath("mpo/3ds_sugarshack_MPO.mpo");
    const QString hsbs = dir.filePath("hsbs/3ds_sugarshack_HSBS.jpg");
    const QString ana = dir.filePath("ana/3ds_sugarshack_A.jpg");
    const QByteArray pair = Read(mpo);
    std::vector<tmpopicture> p;
    EXPECT_EQ(FindMpoPictures(reinterpret_cast<const std::uint8_t*>(pair.constData()),
                              std::size_t(pair.size()), p),
              tmpoindex::Index);
    EXPECT_EQ(p.size(), 2u);
    EXPECT_EQ(QImage(hsbs).size(), QSize(1920, 1080));
    EXPECT_EQ(QImage(ana).size(), QSize(640, 480));
    for (const QString& out : {mpo, hsbs, ana}) {
        SCOPED_TRACE(out.toStdString());
        const QByteArray bytes = Read(out);
        EXPECT_EQ(ExifTagText(bytes, "Exif.Image.Make"), make);
        EXPECT_EQ(ExifTagText(bytes, "Exif.Image.Orientation"), "1");
        EXPECT_FALSE(ExifHasThumbnail(bytes));
    }
    EXPECT_EQ(ExifTagText(Read(hsbs), "Exif.Photo.PixelXDimension"), "1920");

    // --no-exif, PNG and the given size of the half-height frame.
    const tcli plain =
        RunCli({"render", "--composite", "MPO", source, "--kinds", "HOU,L", "--size", "800x600",
                "--format", "png", "--no-exif", "--out", dir.path(), "--noini"});
    ASSERT_EQ(plain.code, 0) << plain.err.toStdString();
    EXPECT_EQ(QImage(dir.filePath("hou/3ds_sugarshack_HOU.png")).size(), QSize(800, 600));
    EXPECT_TRUE(QFile::exists(dir.filePath("l/3ds_sugarshack_L.png")));
    const tcli noExif = RunCli({"render", "--composite", "MPO", source, "--kinds", "L", "--format",
                                "jpg", "--no-exif", "--out", dir.path(), "--noini"});
    ASSERT_EQ(noExif.code, 0);
    EXPECT_TRUE(
        ExifTagText(Read(dir.filePath("l/3ds_sugarshack_L.jpg")), "Exif.Image.Make").isEmpty());
}

TEST(CliCameraFile, BadValuesOfTheAddedOptionsAreUsageErrors) {
    for (const QStringList& args :
         {QStringList{"--anaglyph", "purple"}, QStringList{"--format", "gif"},
          QStringList{"--kinds", "MPO,XYZ"}, QStringList{"--anaglyph"}}) {
        QStringList all{"render", "--left", "a.jpg", "--right", "b.jpg"};
        all << args;
        const tcli r = RunCli(all);
        EXPECT_EQ(r.code, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("orvanel-cli render:")) << r.err.toStdString();
    }
}

} // namespace
