// JPEG decoding: pixels and options against libjpeg's own plain RGB decode,
// and damaged streams refused without touching the output.
#include "input/jpegdecode.h"

#include "inputfixtures.h"

namespace {

class JpegDecode : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

TEST_F(JpegDecode, FullSizeColourMatchesReferenceDecodeExactly) {
    // Odd sizes exercise partial blocks and the edges of chroma upsampling.
    const QString path = Path("odd.jpg");
    ASSERT_TRUE(EncodeJpeg(PatternImage(37, 23), path, {90}));
    tjpegpicture pic;
    QString error;
    ASSERT_TRUE(DecodeJpegFile(path, tjpegoptions(), pic, error)) << qPrintable(error);
    EXPECT_EQ(pic.bits, 24);
    EXPECT_EQ(pic.image.format(), QImage::Format_ARGB32);
    EXPECT_EQ(CountMismatches(pic.image, ReferenceDecode(path)), 0);
}

TEST_F(JpegDecode, ScaleSpeedAndSmoothingOptionsReachTheDecoder) {
    const QString path = Path("opts.jpg");
    ASSERT_TRUE(EncodeJpeg(PatternImage(101, 67), path));
    for (int scale = 0; scale < 4; ++scale) {
        for (int perf = 0; perf < 2; ++perf) {
            for (bool smooth : {true, false}) {
                tjpegoptions o;
                o.scale = scale;
                o.performance = perf;
                o.smoothing = smooth;
                tjpegpicture pic;
                QString error;
                ASSERT_TRUE(DecodeJpegFile(path, o, pic, error));
                const int denom = 1 << scale;
                // libjpeg rounds scaled sizes up: ceil(101 / d) x ceil(67 / d).
                EXPECT_EQ(pic.image.width(), (101 + denom - 1) / denom);
                EXPECT_EQ(pic.image.height(), (67 + denom - 1) / denom);
                EXPECT_EQ(
                    CountMismatches(pic.image, ReferenceDecode(path, denom, perf == 1, smooth)), 0)
                    << "scale " << scale << " perf " << perf << " smoothing " << smooth;
            }
        }
    }
}

TEST_F(JpegDecode, GreyFileGivesGreyOpaquePixels) {
    const QString path = Path("grey.jpg");
    ASSERT_TRUE(EncodeJpeg(SmoothImage(40, 30), path, {90, false, true}));
    tjpegpicture pic;
    QString error;
    ASSERT_TRUE(DecodeJpegFile(path, tjpegoptions(), pic, error));
    EXPECT_EQ(CountMismatches(pic.image, ReferenceDecode(path)), 0);
    const QRgb p = pic.image.pixel(20, 15);
    EXPECT_EQ(qRed(p), qGreen(p));
    EXPECT_EQ(qGreen(p), qBlue(p));
    EXPECT_EQ(qAlpha(p), 255);
}

TEST_F(JpegDecode, AdobeCmykFileTurnsIntoItsColours) {
    // Adobe's convention, which libjpeg's marker announces: inverted inks,
    // 255 = no ink. Left half red (no cyan, full magenta and yellow), right
    // half mid grey (black ink only, half strength).
    const QString path = Path("cmyk.jpg");
    FILE* f = std::fopen(QFile::encodeName(path).constData(), "wb");
    ASSERT_NE(f, nullptr);
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    jpeg_stdio_dest(&c, f);
    c.image_width = 32;
    c.image_height = 16;
    c.input_components = 4;
    c.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 100, TRUE);
    jpeg_start_compress(&c, TRUE);
    std::vector<JSAMPLE> row(32 * 4);
    for (int x = 0; x < 32; ++x) {
        const bool red = x < 16;
        row[x * 4] = 255;                 // no cyan
        row[x * 4 + 1] = red ? 0 : 255;   // magenta
        row[x * 4 + 2] = red ? 0 : 255;   // yellow
        row[x * 4 + 3] = red ? 255 : 128; // black
    }
    while (c.next_scanline < c.image_height) {
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::fclose(f);

    tjpegpicture pic;
    QString error;
    ASSERT_TRUE(DecodeJpegFile(path, tjpegoptions(), pic, error)) << qPrintable(error);
    const QRgb red = pic.image.pixel(4, 8), grey = pic.image.pixel(28, 8);
    EXPECT_GE(qRed(red), 250);
    EXPECT_LE(qGreen(red), 5);
    EXPECT_LE(qBlue(red), 5);
    EXPECT_NEAR(qRed(grey), 128, 3);
    EXPECT_NEAR(qGreen(grey), 128, 3);
    EXPECT_EQ(qAlpha(grey), 255);
}

TEST_F(JpegDecode, PaletteOutputHasAtMost256ColoursCloseToTheSource) {
    const QString path = Path("pal.jpg");
    const QImage src = SmoothImage(64, 48);
    ASSERT_TRUE(EncodeJpeg(src, path, {95}));
    for (int perf = 0; perf < 2; ++perf) {
        tjpegoptions o;
        o.pixelFormat = JpegPixels8;
        o.performance = perf;
        tjpegpicture pic;
        QString error;
        ASSERT_TRUE(DecodeJpegFile(path, o, pic, error));
        EXPECT_EQ(pic.bits, 8);
        std::vector<quint32> colours;
        double err = 0;
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x) {
                const QRgb p = pic.image.pixel(x, y);
                EXPECT_EQ(qAlpha(p), 255);
                if (std::find(colours.begin(), colours.end(), p) == colours.end())
                    colours.push_back(p);
                err += std::abs(qRed(p) - qRed(src.pixel(x, y))) +
                       std::abs(qGreen(p) - qGreen(src.pixel(x, y)));
            }
        EXPECT_LE(colours.size(), 256u);
        // The fixed colour cube of the speed setting is coarser than the optimal palette.
        EXPECT_LT(err / (64 * 48 * 2), perf == 0 ? 12.0 : 20.0) << "perf " << perf;
    }
}

TEST_F(JpegDecode, ProgressiveDisplayShowsPassesAndEndsWithTheFullPicture) {
    const QString path = Path("prog.jpg");
    ASSERT_TRUE(EncodeJpeg(PatternImage(80, 60), path, {90, true}));
    tjpegoptions o;
    o.progressiveDisplay = true;
    int passes = 0;
    tjpegpicture pic;
    QString error;
    ASSERT_TRUE(DecodeJpegFile(path, o, pic, error, [&](const QImage& pass) {
        ++passes;
        EXPECT_EQ(pass.size(), QSize(80, 60));
    }));
    EXPECT_GT(passes, 1);
    EXPECT_EQ(CountMismatches(pic.image, ReferenceDecode(path)), 0);

    // Without the option the same file decodes in one go.
    passes = 0;
    o.progressiveDisplay = false;
    ASSERT_TRUE(DecodeJpegFile(path, o, pic, error, [&](const QImage&) { ++passes; }));
    EXPECT_EQ(passes, 0);
    EXPECT_EQ(CountMismatches(pic.image, ReferenceDecode(path)), 0);
}

TEST_F(JpegDecode, DamagedStreamsFailWithTheDecoderMessageAndLeaveOutputAlone) {
    const QString path = Path("good.jpg");
    ASSERT_TRUE(EncodeJpeg(PatternImage(200, 150), path));
    const QByteArray good = ReadBytes(path);
    const QImage marker(3, 3, QImage::Format_ARGB32);

    struct tcase {
        const char* what;
        QByteArray bytes;
    };
    QByteArray garbage = good.left(good.indexOf(QByteArray("\xFF\xDA", 2)) + 20);
    for (int i = 0; i < 4000; ++i) garbage.append(char((i * 37) & 0xFF));
    QByteArray truncated = good.left(good.size() / 2);
    QByteArray headerOnly = good.left(good.indexOf(QByteArray("\xFF\xDA", 2)));
    const tcase cases[] = {{"truncated", truncated},
                           {"garbage after header", garbage},
                           {"header only", headerOnly},
                           {"not a jpeg", QByteArray("hello, world")},
                           {"empty", QByteArray()}};
    for (const tcase& c : cases) {
        tjpegpicture pic;
        pic.image = marker;
        QString error;
        EXPECT_FALSE(DecodeJpeg(reinterpret_cast<const unsigned char*>(c.bytes.constData()),
                                std::size_t(c.bytes.size()), tjpegoptions(), pic, error))
            << c.what;
        EXPECT_FALSE(error.isEmpty()) << c.what;
        EXPECT_EQ(pic.image.size(), QSize(3, 3)) << c.what;
    }
    tjpegpicture pic;
    QString error;
    DecodeJpeg(reinterpret_cast<const unsigned char*>(truncated.constData()),
               std::size_t(truncated.size()), tjpegoptions(), pic, error);
    EXPECT_TRUE(error.contains("Premature end")) << qPrintable(error);
}

TEST_F(JpegDecode, MissingEndMarkerAloneStillGivesThePicture) {
    const QString path = Path("noeoi.jpg");
    ASSERT_TRUE(EncodeJpeg(PatternImage(64, 40), path));
    const QByteArray bytes = ReadBytes(path);
    ASSERT_TRUE(bytes.endsWith(QByteArray("\xFF\xD9", 2)));
    const QByteArray cut = bytes.left(bytes.size() - 2);
    tjpegpicture pic;
    QString error;
    ASSERT_TRUE(DecodeJpeg(reinterpret_cast<const unsigned char*>(cut.constData()),
                           std::size_t(cut.size()), tjpegoptions(), pic, error))
        << qPrintable(error);
    EXPECT_EQ(CountMismatches(pic.image, ReferenceDecode(path)), 0);
}

TEST_F(JpegDecode, HeaderClaimingAGiantPictureIsRefusedBeforeDecoding) {
    const QString path = Path("small.jpg");
    ASSERT_TRUE(EncodeJpeg(PatternImage(16, 16), path));
    QByteArray bytes = ReadBytes(path);
    // SOF0: FF C0, length (2), precision (1), height (2), width (2).
    const int sof = bytes.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(sof, 0);
    bytes[sof + 5] = char(0xEA); // 60000 = 0xEA60
    bytes[sof + 6] = char(0x60);
    bytes[sof + 7] = char(0xEA);
    bytes[sof + 8] = char(0x60);
    tjpegpicture pic;
    QString error;
    EXPECT_FALSE(DecodeJpeg(reinterpret_cast<const unsigned char*>(bytes.constData()),
                            std::size_t(bytes.size()), tjpegoptions(), pic, error));
    EXPECT_TRUE(error.contains("60000")) << qPrintable(error);
}

} // namespace
