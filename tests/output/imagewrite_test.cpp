// Writing output pictures: BMP rows and depths read back by Qt, JPEG options
// as the encoder received them, extensions, and failed writes that leave the
// existing file alone.
#include "output/imagewrite.h"

#include "core/qimageview.h"
#include "core/settings.h"
#include "input/pictureload.h"
#include "readonlyfolder.h"
#include "support/jpegheader.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

EngineBitmap Pattern(int w, int h, PixelFormat format) {
    EngineBitmap b(w, h, format);
    const ImageView v = b.View();
    const int bpp = BytesPerPixel(format);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = v.Row(y) + x * bpp;
            p[0] = std::uint8_t(x * 9 + y);     // blue
            p[1] = std::uint8_t(y * 4 + 2 * x); // green
            p[2] = std::uint8_t(100 + x + y);   // red
        }
    return b;
}

QRgb Expected(const EngineBitmap& b, int x, int y) {
    const std::uint8_t* p = b.View().Row(y) + x * BytesPerPixel(b.Format());
    return qRgb(p[2], p[1], p[0]);
}

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(OutputFiles, JpegIsChosenByJpgJpegAndJpsInAnyCase) {
    EXPECT_TRUE(IsJpegPath("/a/b.jpg"));
    EXPECT_TRUE(IsJpegPath("/a/b.JPEG"));
    EXPECT_TRUE(IsJpegPath("b.Jps"));
    EXPECT_FALSE(IsJpegPath("b.bmp"));
    EXPECT_FALSE(IsJpegPath("b.jpe"));
    EXPECT_FALSE(IsJpegPath("jpg"));
}

TEST(OutputFiles, BmpOfBothDepthsReadsBackEqualWithPaddedRows) {
    QTemporaryDir dir;
    for (PixelFormat format : {PixelFormat::Bgra32, PixelFormat::Bgr24}) {
        // Width 5: 15 bytes per 24-bit row, padded to 16.
        const EngineBitmap b = Pattern(5, 4, format);
        const QString path = dir.filePath(format == PixelFormat::Bgr24 ? "a24.bmp" : "a32.bmp");
        ASSERT_TRUE(WriteBmpFile(b.View(), path));
        const QByteArray bytes = Read(path);
        const int row = format == PixelFormat::Bgr24 ? 16 : 20;
        EXPECT_EQ(bytes.size(), 54 + row * 4);
        EXPECT_EQ(bytes[28], char(format == PixelFormat::Bgr24 ? 24 : 32));
        // 32-bit pixels are written opaque; the picture itself keeps its alpha 0.
        if (format == PixelFormat::Bgra32) {
            int opaque = 0;
            for (int i = 54 + 3; i < bytes.size(); i += 4) opaque += bytes[i] == char(0xFF);
            EXPECT_EQ(opaque, 5 * 4);
            EXPECT_EQ(b.View().Row(0)[3], 0);
        }
        const QImage back(path);
        ASSERT_EQ(back.size(), QSize(5, 4));
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(back.pixel(x, y) & 0xFFFFFF, Expected(b, x, y) & 0xFFFFFF)
                    << x << "," << y;
    }
}

TEST(OutputFiles, JpegExtensionsWriteJpegThatReadsBackClose) {
    QTemporaryDir dir;
    const EngineBitmap b = Pattern(64, 48, PixelFormat::Bgra32);
    tjpegoptions o;
    o.quality = 95;
    o.hSubsampling = o.vSubsampling = false;
    for (const char* name : {"a.jpeg", "a.jps", "a.JPG"}) {
        const QString path = dir.filePath(name);
        ASSERT_TRUE(WriteOutputFile(b.View(), path, o));
        EXPECT_TRUE(Read(path).startsWith("\xFF\xD8\xFF")) << name;
    }
    ASSERT_TRUE(WriteOutputFile(b.View(), dir.filePath("a.bmp"), o));
    EXPECT_TRUE(Read(dir.filePath("a.bmp")).startsWith("BM"));

    QImage back;
    int bits = 0;
    QString error;
    ASSERT_EQ(DecodePictureFile(dir.filePath("a.jps"), back, bits, error), LoadStatus::Loaded);
    ASSERT_EQ(back.size(), QSize(64, 48));
    long total = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            const QRgb want = Expected(b, x, y), got = back.pixel(x, y);
            total += std::abs(qRed(want) - qRed(got)) + std::abs(qGreen(want) - qGreen(got)) +
                     std::abs(qBlue(want) - qBlue(got));
        }
    EXPECT_LT(double(total) / (64 * 48 * 3), 4.0);
}

TEST(OutputFiles, JpegOptionsReachTheEncoder) {
    QTemporaryDir dir;
    const EngineBitmap b = Pattern(32, 32, PixelFormat::Bgr24);
    const QString path = dir.filePath("o.jpg");
    tjpegoptions o;
    o.hSubsampling = o.vSubsampling = false;
    ASSERT_TRUE(WriteJpegFile(b.View(), path, o));
    JpegHeader h = ReadJpegHeader(path);
    ASSERT_EQ(h.components, 3);
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(h.h[c], 1);
        EXPECT_EQ(h.v[c], 1);
    }
    EXPECT_FALSE(h.progressive);

    o.hSubsampling = true; // library default horizontally, none vertically
    ASSERT_TRUE(WriteJpegFile(b.View(), path, o));
    h = ReadJpegHeader(path);
    EXPECT_EQ(h.h[0], 2);
    EXPECT_EQ(h.v[0], 1);

    o.grayscale = true;
    o.progressiveEncoding = true;
    ASSERT_TRUE(WriteJpegFile(b.View(), path, o));
    h = ReadJpegHeader(path);
    EXPECT_EQ(h.components, 1);
    EXPECT_EQ(h.space, JCS_GRAYSCALE);
    EXPECT_TRUE(h.progressive);
}

TEST(OutputFiles, ApplyJpegOptionsCopiesTheDefaultsAndKeepsSubsamplingInSettings) {
    const tjpegoptions saved = JpegDefaults;
    JpegDefaults.quality = 77;
    JpegDefaults.hSubsampling = false;
    JpegDefaults.vSubsampling = true;
    tsettings s;
    s.JpegHSampling = true;
    s.JpegVSampling = false;
    tjpegoptions image;
    ApplyJpegOptions(image, s);
    EXPECT_EQ(image.quality, 77);
    EXPECT_FALSE(s.JpegHSampling);
    EXPECT_TRUE(s.JpegVSampling);
    JpegDefaults = saved;
}

TEST(OutputFiles, FailedWriteLeavesTheExistingFileAndNoLeftovers) {
    QTemporaryDir dir;
    const QString folder = dir.filePath("ro");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = QDir(folder).filePath("kept.bmp");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old picture");
    }
    const EngineBitmap b = Pattern(8, 8, PixelFormat::Bgra32);
    {
        treadonlyfolder ro(folder);
        if (!ro.Active()) GTEST_SKIP() << "cannot make a folder read-only here";
        QString error;
        EXPECT_FALSE(WriteOutputFile(b.View(), path, tjpegoptions(), &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(WriteOutputFile(b.View(), QDir(folder).filePath("new.jpg"), tjpegoptions()));
    }
    EXPECT_EQ(Read(path), QByteArray("old picture"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"kept.bmp"});
    // A folder that is a file, and an empty picture.
    EXPECT_FALSE(WriteOutputFile(b.View(), path + "/x.bmp", tjpegoptions()));
    EXPECT_FALSE(WriteOutputFile(EngineBitmap().View(), dir.filePath("e.bmp"), tjpegoptions()));
    EXPECT_FALSE(QFile::exists(dir.filePath("e.bmp")));
}

TEST(OutputFiles, FormatLimitsAreKnownBeforeComposing) {
    EXPECT_TRUE(OutputFileCanHold("a.jpg", 65500, 65500, false));
    EXPECT_FALSE(OutputFileCanHold("a.jpg", 65501, 10, false));
    EXPECT_TRUE(OutputFileCanHold("a.bmp", 24000, 6000, false));
    // 32768 x 32768 x 4 bytes is exactly 4 GiB, more than a BMP can say.
    EXPECT_FALSE(OutputFileCanHold("a.bmp", 32768, 32768, false));
    EXPECT_TRUE(OutputFileCanHold("a.bmp", 32768, 32768, true));
    EXPECT_FALSE(OutputFileCanHold("a.bmp", 0, 10, false));
}

TEST(OutputFiles, JpegWiderThanTheFormatAllowsFailsCleanly) {
    QTemporaryDir dir;
    const EngineBitmap b(70000, 1, PixelFormat::Bgr24);
    EXPECT_FALSE(WriteJpegFile(b.View(), dir.filePath("w.jpg"), tjpegoptions()));
    EXPECT_FALSE(QFile::exists(dir.filePath("w.jpg")));
}

TEST(OutputFiles, JpegInMemoryHasTheBytesOfTheFile) {
    QTemporaryDir dir;
    // Large enough that the compressed data passes one 64 KiB chunk.
    const EngineBitmap b = Pattern(800, 400, PixelFormat::Bgra32);
    tjpegoptions grey;
    grey.grayscale = grey.progressiveEncoding = true;
    tjpegoptions low;
    low.quality = 30;
    for (const tjpegoptions& o : {tjpegoptions(), grey, low}) {
        const QString path = dir.filePath("m.jpg");
        ASSERT_TRUE(WriteJpegFile(b.View(), path, o));
        QByteArray bytes;
        ASSERT_TRUE(EncodeJpeg(b.View(), o, bytes));
        EXPECT_EQ(bytes, Read(path)) << o.quality << o.grayscale;
    }
    QByteArray first;
    ASSERT_TRUE(EncodeJpeg(b.View(), tjpegoptions(), first));
    EXPECT_GT(first.size(), 64 * 1024);
    QByteArray bytes("old");
    QString error;
    EXPECT_FALSE(EncodeJpeg(EngineBitmap().View(), tjpegoptions(), bytes, &error));
    EXPECT_TRUE(bytes.isEmpty());
    EXPECT_EQ(error, QStringLiteral("empty picture"));
}
