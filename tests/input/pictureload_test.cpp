// Loading picture files: the extension test, the picture description, the
// bitmap depths, the other decoders, and hostile or damaged files.
#include "input/pictureload.h"

#include "core/jpegdefaults.h"

#include "inputfixtures.h"

#include <Magick++.h>

namespace {

class PictureLoad : public ::testing::Test {
protected:
    QTemporaryDir dir;
    treportscope scope;
    QString Path(const QString& name) const { return dir.filePath(name); }
    trecordingreport& report() { return scope.report; }
    QString ImageInfo = "unchanged";
    // The tests write files with GraphicsMagick before anything is loaded.
    void SetUp() override { InitPictureDecoders(); }
};

TEST(ImageInfoText, PadsSizesToFourDigitsInFiveColumns) {
    EXPECT_EQ(FormatImageInfo(2048, 768, 24), "  2048 *  0768 - 24 Bits");
    EXPECT_EQ(FormatImageInfo(12, 3, 8), "  0012 *  0003 - 08 Bits");
    EXPECT_EQ(FormatImageInfo(123456, 10000, 1), " 123456 * 10000 - 01 Bits");
}

TEST(PictureFilter, ListsEveryRegisteredExtension) {
    const QString filter = QString::fromUtf8(OpenPictureFilter);
    EXPECT_EQ(RegisteredPictureExtensions().size(), 41);
    // PostScript is never run from a picture file.
    EXPECT_FALSE(filter.contains("eps", Qt::CaseInsensitive));
    for (const QString& ext : RegisteredPictureExtensions())
        EXPECT_TRUE(filter.contains("*." + ext + ";") || filter.contains("*." + ext + "|") ||
                    filter.endsWith("*." + ext))
            << qPrintable(ext);
}

TEST_F(PictureLoad, JpsLoadsAsOneSideBySideJpeg) {
    const QString path = Path("pair.JPS");
    ASSERT_TRUE(EncodeJpeg(SmoothImage(2048, 768), path));
    QImage bmp;
    tloadresult r;
    ASSERT_TRUE(LoadPictureFile(bmp, path, ImageInfo, &r));
    EXPECT_EQ(bmp.size(), QSize(2048, 768));
    EXPECT_EQ(bmp.format(), QImage::Format_ARGB32);
    EXPECT_EQ(ImageInfo, "  2048 *  0768 - 24 Bits");
    EXPECT_TRUE(report().messages.isEmpty());
    EXPECT_EQ(report().busyCalls, 1);
    EXPECT_EQ(report().busyDepth, 0);
}

TEST_F(PictureLoad, JpegTakesTheProcessWideReadingOptions) {
    const QString path = Path("half.jpg");
    ASSERT_TRUE(EncodeJpeg(SmoothImage(100, 60), path));
    const tjpegoptions saved = JpegDefaults;
    JpegDefaults.scale = JpegScaleHalf;
    JpegDefaults.pixelFormat = JpegPixels8;
    QImage bmp;
    const bool ok = LoadPictureFile(bmp, path, ImageInfo);
    JpegDefaults = saved;
    ASSERT_TRUE(ok);
    EXPECT_EQ(bmp.size(), QSize(50, 30));
    EXPECT_EQ(ImageInfo, "  0050 *  0030 - 08 Bits");
}

TEST_F(PictureLoad, ExtensionThatOnlyPrefixesARegisteredOnePassesThenFailsInTheDecoder) {
    const QString path = Path("photo.jp");
    ASSERT_TRUE(EncodeJpeg(SmoothImage(10, 10), path));
    QImage bmp(4, 4, QImage::Format_ARGB32);
    tloadresult r;
    EXPECT_FALSE(LoadPictureFile(bmp, path, ImageInfo, &r));
    EXPECT_EQ(r.status, LoadStatus::DecoderError);
    ASSERT_EQ(report().messages.size(), 1);
    EXPECT_TRUE(report().messages[0].contains("photo.jp")) << qPrintable(report().messages[0]);
    EXPECT_EQ(bmp.size(), QSize(4, 4));
    EXPECT_EQ(ImageInfo, "unchanged");
    EXPECT_EQ(report().busyDepth, 0);
}

TEST_F(PictureLoad, UnknownExtensionIsNamedUpperCasedWithItsDot) {
    for (const QString& name :
         {QString("notes.txt"), QString("pair.mpx"), QString("noext"), QString("page.eps")}) {
        ASSERT_TRUE(WriteBytes(Path(name), "%!PS-Adobe-3.0 EPSF-3.0\n"));
        QImage bmp;
        tloadresult r;
        EXPECT_FALSE(LoadPictureFile(bmp, Path(name), ImageInfo, &r));
        EXPECT_EQ(r.status, LoadStatus::UnknownType);
    }
    ASSERT_EQ(report().messages.size(), 4);
    EXPECT_EQ(report().messages[0], "Type de Fichier Image Inconnu : .TXT");
    EXPECT_EQ(report().messages[1], "Type de Fichier Image Inconnu : .MPX");
    EXPECT_EQ(report().messages[2], "Type de Fichier Image Inconnu : ");
    EXPECT_EQ(report().messages[3], "Type de Fichier Image Inconnu : .EPS");
    EXPECT_EQ(report().busyCalls, 0);
}

TEST_F(PictureLoad, MissingFileFailsSilently) {
    QImage bmp;
    tloadresult r;
    EXPECT_FALSE(LoadPictureFile(bmp, Path("nowhere.jpg"), ImageInfo, &r));
    EXPECT_EQ(r.status, LoadStatus::Missing);
    EXPECT_TRUE(report().messages.isEmpty());
}

TEST_F(PictureLoad, BrokenFilesGiveAMessageNamingTheFileAndKeepTheBitmap) {
    // A good JPEG to damage, a good PNG to damage.
    ASSERT_TRUE(EncodeJpeg(PatternImage(300, 200), Path("src.jpg")));
    const QByteArray jpeg = ReadBytes(Path("src.jpg"));
    ASSERT_TRUE(PatternImage(40, 30).save(Path("src.png")));
    QByteArray png = ReadBytes(Path("src.png"));
    png[29] = char(png[29] ^ 0x55); // a byte of IHDR's data: its CRC no longer matches
    QByteArray garbage = jpeg.left(jpeg.indexOf(QByteArray("\xFF\xDA", 2)) + 30);
    for (int i = 0; i < 5000; ++i) garbage.append(char((i * 91 + 7) & 0xFF));

    QDir(dir.path()).mkdir("folder.jpg");
    ASSERT_TRUE(WriteBytes(Path("cut.jpg"), jpeg.left(jpeg.size() / 3)));
    ASSERT_TRUE(WriteBytes(Path("garbage.jpg"), garbage));
    ASSERT_TRUE(WriteBytes(Path("crc.png"), png));
    ASSERT_TRUE(WriteBytes(Path("zero.jpg"), QByteArray()));
    ASSERT_TRUE(WriteBytes(Path("zero.bmp"), QByteArray()));
    ASSERT_TRUE(WriteBytes(Path("text.png"), "not a picture at all"));
    ASSERT_TRUE(WriteBytes(Path("alias.psp"), "PSP stands for nothing we can read"));

    const QImage before = PatternImage(5, 5);
    for (const char* name : {"cut.jpg", "garbage.jpg", "crc.png", "zero.jpg", "zero.bmp",
                             "folder.jpg", "text.png", "alias.psp"}) {
        report().messages.clear();
        QImage bmp = before;
        tloadresult r;
        EXPECT_FALSE(LoadPictureFile(bmp, Path(name), ImageInfo, &r)) << name;
        EXPECT_EQ(r.status, LoadStatus::DecoderError) << name;
        ASSERT_EQ(report().messages.size(), 1) << name;
        EXPECT_TRUE(report().messages[0].startsWith(QDir::toNativeSeparators(Path(name))))
            << qPrintable(report().messages[0]);
        EXPECT_GT(report().messages[0].size(), Path(name).size() + 3) << name;
        EXPECT_EQ(bmp, before) << name;
        EXPECT_EQ(ImageInfo, "unchanged") << name;
        EXPECT_EQ(report().busyDepth, 0) << name;
    }
}

// Rows of a 2 x 2 bitmap, bottom row first, each padded to four bytes.
QByteArray Rows(const QByteArray& bottom, const QByteArray& top) {
    auto pad = [](QByteArray r) {
        while (r.size() % 4) r.append('\0');
        return r;
    };
    return pad(bottom) + pad(top);
}

struct tbmpcase {
    const char* name;
    int bitCount;
    int compression;
    QByteArray rows;
    QByteArray palette;
    std::vector<quint32> masks;
    int infoBits;
    QRgb topLeft, topRight, bottomLeft, bottomRight;
};

TEST_F(PictureLoad, BitmapsOfEveryDepthGiveTheirPixelsAndTheirOwnBitCount) {
    const QByteArray pal2("\x00\x00\x00\x00\xFF\xFF\xFF\x00", 8); // black, white
    const QByteArray pal4 = QByteArray("\x00\x00\xFF\x00\x00\xFF\x00\x00\xFF\x00\x00\x00"
                                       "\x80\x80\x80\x00",
                                       16); // red, green, blue, grey (B,G,R,0 quads)
    const tbmpcase cases[] = {
        // 1 bit: top row 1 0 -> bits 10xxxxxx, bottom row 0 1 -> 01xxxxxx.
        {"mono.bmp",
         1,
         0,
         Rows(QByteArray(1, '\x40'), QByteArray(1, '\x80')),
         pal2,
         {},
         1,
         qRgb(255, 255, 255),
         qRgb(0, 0, 0),
         qRgb(0, 0, 0),
         qRgb(255, 255, 255)},
        // 4 bits: indexes as nibbles, top row 0 1, bottom row 2 3.
        {"nib.bmp",
         4,
         0,
         Rows(QByteArray(1, '\x23'), QByteArray(1, '\x01')),
         pal4,
         {},
         4,
         qRgb(255, 0, 0),
         qRgb(0, 255, 0),
         qRgb(0, 0, 255),
         qRgb(128, 128, 128)},
        {"byte.bmp",
         8,
         0,
         Rows(QByteArray("\x03\x02", 2), QByteArray("\x01\x00", 2)),
         pal4,
         {},
         8,
         qRgb(0, 255, 0),
         qRgb(255, 0, 0),
         qRgb(128, 128, 128),
         qRgb(0, 0, 255)},
        // 5-5-5: 0x7C00 red, 0x03E0 green, 0x001F blue, 0x7FFF white; a
        // five-bit 31 widens by a shift to 248, a six-bit 63 to 252.
        {"555.bmp",
         16,
         0,
         Rows(QByteArray("\x1F\x00\xFF\x7F", 4), QByteArray("\x00\x7C\xE0\x03", 4)),
         {},
         {},
         15,
         qRgb(248, 0, 0),
         qRgb(0, 248, 0),
         qRgb(0, 0, 248),
         qRgb(248, 248, 248)},
        // 5-6-5 through bit-field masks: 0xF800 red, 0x07E0 green.
        {"565.bmp",
         16,
         3,
         Rows(QByteArray("\x1F\x00\xFF\xFF", 4), QByteArray("\x00\xF8\xE0\x07", 4)),
         {},
         {0xF800, 0x07E0, 0x001F},
         16,
         qRgb(248, 0, 0),
         qRgb(0, 252, 0),
         qRgb(0, 0, 248),
         qRgb(248, 252, 248)},
        {"rgb.bmp",
         24,
         0,
         Rows(QByteArray("\x01\x02\x03\x04\x05\x06", 6), QByteArray("\x10\x20\x30\x40\x50\x60", 6)),
         {},
         {},
         24,
         qRgb(0x30, 0x20, 0x10),
         qRgb(0x60, 0x50, 0x40),
         qRgb(3, 2, 1),
         qRgb(6, 5, 4)},
        {"rgbx.bmp",
         32,
         0,
         Rows(QByteArray("\x01\x02\x03\x00\x04\x05\x06\x00", 8),
              QByteArray("\x10\x20\x30\x00\x40\x50\x60\x00", 8)),
         {},
         {},
         32,
         qRgb(0x30, 0x20, 0x10),
         qRgb(0x60, 0x50, 0x40),
         qRgb(3, 2, 1),
         qRgb(6, 5, 4)},
    };
    // Run-length encoded, 8 bits: bottom row "run of one 2, run of one 3,
    // end of line", top row "0, 1, end of bitmap".
    const tbmpcase rle = {"runs.rle",
                          8,
                          1,
                          QByteArray("\x01\x02\x01\x03\x00\x00\x01\x00\x01\x01\x00\x01", 12),
                          pal4,
                          {},
                          8,
                          qRgb(255, 0, 0),
                          qRgb(0, 255, 0),
                          qRgb(0, 0, 255),
                          qRgb(128, 128, 128)};
    std::vector<tbmpcase> all(std::begin(cases), std::end(cases));
    all.push_back(rle);
    for (const tbmpcase& c : all) {
        const QString path = Path(c.name);
        ASSERT_TRUE(
            WriteBytes(path, MakeBmp(2, 2, c.bitCount, c.rows, c.palette, c.compression, c.masks)));
        QImage bmp;
        ASSERT_TRUE(LoadPictureFile(bmp, path, ImageInfo))
            << c.name << " " << qPrintable(report().messages.join("; "));
        EXPECT_EQ(bmp.format(), QImage::Format_ARGB32) << c.name;
        EXPECT_EQ(ImageInfo, FormatImageInfo(2, 2, c.infoBits)) << c.name;
        EXPECT_EQ(bmp.pixel(0, 0), c.topLeft) << c.name;
        EXPECT_EQ(bmp.pixel(1, 0), c.topRight) << c.name;
        EXPECT_EQ(bmp.pixel(0, 1), c.bottomLeft) << c.name;
        EXPECT_EQ(bmp.pixel(1, 1), c.bottomRight) << c.name;
    }
}

TEST_F(PictureLoad, BitmapClaimingAGiantSizeIsRefusedFromItsHeader) {
    // 100000 x 100000 at 24 bits would be 30 GB of rows; the file holds 12 bytes.
    ASSERT_TRUE(WriteBytes(Path("giant.bmp"), MakeBmp(100000, 100000, 24, QByteArray(12, 'x'))));
    // Within the pixel limit but far larger than the file.
    ASSERT_TRUE(WriteBytes(Path("short.bmp"), MakeBmp(4000, 3000, 24, QByteArray(100, 'x'))));
    for (const char* name : {"giant.bmp", "short.bmp"}) {
        QImage bmp;
        tloadresult r;
        EXPECT_FALSE(LoadPictureFile(bmp, Path(name), ImageInfo, &r)) << name;
        EXPECT_EQ(r.status, LoadStatus::DecoderError);
        EXPECT_TRUE(bmp.isNull());
    }
    ASSERT_EQ(report().messages.size(), 2);
    EXPECT_TRUE(report().messages[0].contains("100000 x 100000"))
        << qPrintable(report().messages[0]);
    EXPECT_TRUE(report().messages[1].contains("4000 x 3000")) << qPrintable(report().messages[1]);
}

TEST_F(PictureLoad, TransparentPixelsAreDrawnOverBlack) {
    QImage src(2, 1, QImage::Format_ARGB32);
    src.setPixel(0, 0, qRgba(200, 100, 50, 0));
    src.setPixel(1, 0, qRgba(200, 100, 50, 255));
    ASSERT_TRUE(src.save(Path("alpha.png")));
    QImage bmp;
    ASSERT_TRUE(LoadPictureFile(bmp, Path("alpha.png"), ImageInfo));
    EXPECT_EQ(bmp.pixel(0, 0), qRgba(0, 0, 0, 255));
    EXPECT_EQ(bmp.pixel(1, 0), qRgba(200, 100, 50, 255));
    EXPECT_EQ(ImageInfo, FormatImageInfo(2, 1, 32));
}

// Formats written by GraphicsMagick and read back through the loader:
// lossless, so every pixel must come back.
class MagickRoundTrip : public PictureLoad, public ::testing::WithParamInterface<const char*> {};

TEST_P(MagickRoundTrip, LosslessFormatsComeBackPixelForPixel) {
    const QString ext = QString::fromLatin1(GetParam());
    const QImage src = PatternImage(23, 17);
    const QString path = Path("round." + ext);
    try {
        Magick::Image img(23, 17, "BGRA", Magick::CharPixel, src.constBits());
        img.matte(false);
        img.depth(8);
        // ".rgb" alone would make a raw RGB dump: name the SGI coder.
        const std::string coder = ext == "rgb" ? "SGI:" : "";
        img.write(coder + QFile::encodeName(path).toStdString());
    } catch (const std::exception& e) {
        GTEST_SKIP() << "no writer for " << GetParam() << ": " << e.what();
    }
    QImage bmp;
    ASSERT_TRUE(LoadPictureFile(bmp, path, ImageInfo)) << qPrintable(report().messages.join("; "));
    ASSERT_EQ(bmp.size(), QSize(23, 17));
    long bad = 0;
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 23; ++x)
            if (bmp.pixel(x, y) != (src.pixel(x, y) | 0xFF000000u)) ++bad;
    EXPECT_EQ(bad, 0);
}

INSTANTIATE_TEST_SUITE_P(Formats, MagickRoundTrip,
                         ::testing::Values("pcx", "sgi", "rgb", "tga", "ppm", "tif", "png", "bw"));

TEST_F(PictureLoad, QtFormatsLoadWithTheirSize) {
    QImage two(6, 4, QImage::Format_ARGB32);
    two.fill(qRgb(0, 0, 0));
    two.setPixel(1, 1, qRgb(255, 255, 255));
    for (const char* ext : {"gif", "ico", "tiff", "pgm", "pbm", "dib"}) {
        const QString path = Path(QString("two.") + ext);
        if (QString(ext) == "gif") {
            // Qt reads GIF but does not write it.
            Magick::Image img(6, 4, "BGRA", Magick::CharPixel, two.constBits());
            img.matte(false);
            img.write(QFile::encodeName(path).toStdString());
        } else {
            // Qt knows .dib only as a bitmap.
            ASSERT_TRUE(two.save(path, QString(ext) == "dib" ? "bmp" : nullptr)) << ext;
        }
        QImage bmp;
        ASSERT_TRUE(LoadPictureFile(bmp, path, ImageInfo)) << ext;
        EXPECT_EQ(bmp.size(), QSize(6, 4)) << ext;
        EXPECT_EQ(bmp.pixel(1, 1), qRgb(255, 255, 255)) << ext;
        EXPECT_EQ(bmp.pixel(2, 1), qRgb(0, 0, 0)) << ext;
    }
}

TEST_F(PictureLoad, MutatedFilesNeverCrashTheLoader) {
    // Good files of several formats, then the same bytes with a few of them
    // changed or the tail cut: every outcome is a picture or a message.
    const QImage src = PatternImage(48, 32);
    ASSERT_TRUE(EncodeJpeg(src, Path("m.jpg")));
    ASSERT_TRUE(EncodeJpeg(src, Path("p.jpg"), {80, true}));
    ASSERT_TRUE(src.save(Path("m.png")));
    ASSERT_TRUE(src.save(Path("m.bmp")));
    for (const char* name : {"m.pcx", "m.tga", "m.sgi"}) {
        try {
            Magick::Image img(48, 32, "BGRA", Magick::CharPixel, src.constBits());
            img.matte(false);
            img.write(QFile::encodeName(Path(name)).toStdString());
        } catch (const std::exception&) {
        }
    }
    std::uint32_t seed = 2024;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    int loaded = 0, refused = 0;
    for (const char* name : {"m.jpg", "p.jpg", "m.png", "m.bmp", "m.tga", "m.pcx", "m.sgi"}) {
        const QByteArray good = ReadBytes(Path(name));
        if (good.isEmpty()) continue;
        for (int round = 0; round < 60; ++round) {
            QByteArray bad = good;
            const int changes = 1 + int(next() % 6);
            for (int i = 0; i < changes; ++i) bad[int(next() % bad.size())] = char(next());
            if (round % 5 == 0) bad.truncate(int(next() % bad.size()));
            const QString path = Path(QString("bad_%1_%2").arg(round).arg(name));
            ASSERT_TRUE(WriteBytes(path, bad));
            QImage bmp;
            QString info;
            if (LoadPictureFile(bmp, path, info)) {
                ++loaded;
                EXPECT_FALSE(bmp.isNull());
                EXPECT_EQ(bmp.format(), QImage::Format_ARGB32);
            } else {
                ++refused;
            }
            QFile::remove(path);
        }
    }
    EXPECT_GT(refused, 0);
    EXPECT_EQ(report().busyDepth, 0);
    std::printf("mutated files: %d loaded, %d refused\n", loaded, refused);
}

TEST_F(PictureLoad, LargePhotographSizeLoads) {
    const QString path = Path("big.jpg");
    ASSERT_TRUE(EncodeJpeg(SmoothImage(8000, 6000), path, {80}));
    QImage bmp;
    ASSERT_TRUE(LoadPictureFile(bmp, path, ImageInfo));
    EXPECT_EQ(bmp.size(), QSize(8000, 6000));
    EXPECT_EQ(ImageInfo, "  8000 *  6000 - 24 Bits");
}

TEST_F(PictureLoad, RealStereoFilesLoad) {
    const QString data = TestDataDir();
    if (data.isEmpty()) GTEST_SKIP() << "ORVANEL_TESTDATA not set";
    QImage bmp;
    ASSERT_TRUE(LoadPictureFile(bmp, data + "/panasonic_3d1_mario.jps", ImageInfo));
    EXPECT_EQ(ImageInfo, "  1044 *  0720 - 24 Bits");
    ASSERT_TRUE(LoadPictureFile(bmp, data + "/aloe_L.jpg", ImageInfo));
    EXPECT_EQ(CountMismatches(bmp, ReferenceDecode(data + "/aloe_L.jpg")), 0);
    ASSERT_TRUE(LoadPictureFile(bmp, data + "/backpack_L.png", ImageInfo));
    EXPECT_FALSE(bmp.isNull());
    EXPECT_TRUE(report().messages.isEmpty()) << qPrintable(report().messages.join("; "));
}

} // namespace
