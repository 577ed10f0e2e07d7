// The added outputs: half-width and half-height frames against the single
// views halved here, the MPO written and read back, the EXIF carried over
// (read back with exiv2), PNG and TIFF files, and their names.
#include "output/bandpipeline.h"
#include "output/camerawrite.h"
#include "output/exifcopy.h"
#include "output/extrakinds.h"
#include "output/imagewrite.h"
#include "output/mpowrite.h"
#include "output/naming.h"

#include "core/qimageview.h"
#include "core/settings.h"
#include "core/stereokinds.h"
#include "input/jpegdecode.h"
#include "input/mpofile.h"
#include "outputfixtures.h"

#include <gtest/gtest.h>

#include <QFile>

#include <cstdlib>

namespace {

struct tpair {
    timg l, r;
    tcommonframe frame;
    tpair() {
        MakePatternView(l, 60, 40, 1);
        MakePatternView(r, 60, 40, 7);
        frame = ComputeSourceFrame(&l, &r, false, 0, 0);
    }
    tcomposition At(int kind, int W, int H) const {
        tcomposition c;
        c.kind = kind;
        c.W = W;
        c.H = H;
        c.m = AdaptScale(frame.width, frame.height, W, H, 0);
        return c;
    }
    QImage Single(int kind, int W, int H) const {
        EngineBitmap out;
        EXPECT_TRUE(ComposeKind(l, r, frame, At(kind, W, H), out));
        return ToQImage(out);
    }
};

// (a + b + 1) / 2 per channel, alpha dropped.
QRgb Average(QRgb a, QRgb b) {
    return qRgb((qRed(a) + qRed(b) + 1) / 2, (qGreen(a) + qGreen(b) + 1) / 2,
                (qBlue(a) + qBlue(b) + 1) / 2);
}

struct thalfcase {
    int kind;
    int W, H;
};

class HalfFrames : public ::testing::TestWithParam<thalfcase> {};

TEST_P(HalfFrames, EachViewIsTheSingleViewHalved) {
    const thalfcase c = GetParam();
    const tpair p;
    EngineBitmap bitmap;
    ASSERT_TRUE(ComposeOutputKind(p.l, p.r, p.frame, p.At(c.kind, c.W, c.H), AnaglyphMethod::Colour,
                                  bitmap));
    const QImage out = ToQImage(bitmap);
    ASSERT_EQ(out.size(), QSize(c.W, c.H));
    EXPECT_EQ(AnyOutputSize(c.kind, c.W, c.H, 9), QSize(c.W, c.H));
    const QImage L = p.Single(KindLeft, c.W, c.H), R = p.Single(KindRight, c.W, c.H);
    const bool columns = c.kind == KindHsbs;
    const int half = (columns ? c.W : c.H) / 2;
    for (int y = 0; y < c.H; ++y)
        for (int x = 0; x < c.W; ++x) {
            const int i = columns ? x : y;
            QRgb want = 0; // an odd last column or row stays black
            if (i < 2 * half) {
                const QImage& v = i < half ? L : R;
                const int k = 2 * (i % half);
                want = columns ? Average(v.pixel(k, y), v.pixel(k + 1, y))
                               : Average(v.pixel(x, k), v.pixel(x, k + 1));
            }
            ASSERT_EQ(Rgb(out, x, y), want & 0xFFFFFF) << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Sizes, HalfFrames,
                         ::testing::Values(thalfcase{KindHsbs, 48, 20}, thalfcase{KindHsbs, 33, 17},
                                           thalfcase{KindHou, 40, 30}, thalfcase{KindHou, 25, 21}));

TEST(AnaglyphOutput, ColourMethodIsTheMaskedCompositionUnchanged) {
    const tpair p;
    EngineBitmap a, b;
    ASSERT_TRUE(ComposeKind(p.l, p.r, p.frame, p.At(KindAnaglyph, 30, 20), a));
    ASSERT_TRUE(ComposeOutputKind(p.l, p.r, p.frame, p.At(KindAnaglyph, 30, 20),
                                  AnaglyphMethod::Colour, b));
    EXPECT_EQ(ToQImage(a), ToQImage(b));
    // Grey: red is the left view's luma, green and blue the right view's.
    ASSERT_TRUE(
        ComposeOutputKind(p.l, p.r, p.frame, p.At(KindAnaglyph, 30, 20), AnaglyphMethod::Grey, b));
    const QImage g = ToQImage(b), L = p.Single(KindLeft, 30, 20);
    EXPECT_EQ(qRed(g.pixel(5, 5)),
              AnaglyphLuma(qRed(L.pixel(5, 5)), qGreen(L.pixel(5, 5)), qBlue(L.pixel(5, 5))));
    EXPECT_EQ(qGreen(g.pixel(5, 5)), qBlue(g.pixel(5, 5)));

    // The mixed methods are drawn in one picture (left whole, then each row of
    // the right view mixed in): the same as mixing the two single views,
    // margins included (a turned right view leaves corners to the left view).
    tpair turned;
    turned.r.rot = 0.2;
    turned.frame = ComputeSourceFrame(&turned.l, &turned.r, false, 0, 0);
    for (AnaglyphMethod method :
         {AnaglyphMethod::Half, AnaglyphMethod::Grey, AnaglyphMethod::Dubois}) {
        ASSERT_TRUE(ComposeOutputKind(turned.l, turned.r, turned.frame,
                                      turned.At(KindAnaglyph, 40, 30), method, b));
        QImage l = turned.Single(KindLeft, 40, 30), r = turned.Single(KindRight, 40, 30);
        ASSERT_TRUE(MixAnaglyph(WritableView(l), WritableView(r), WritableView(l), method));
        const QImage h = ToQImage(b);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(h.pixel(x, y), l.pixel(x, y)) << int(method) << ": " << x << "," << y;

        // The same in 24 bits.
        tcomposition c24 = turned.At(KindAnaglyph, 40, 30);
        c24.bits24 = true;
        EngineBitmap m24, l24, r24;
        ASSERT_TRUE(ComposeOutputKind(turned.l, turned.r, turned.frame, c24, method, m24));
        ASSERT_TRUE(ComposeViewPair(turned.l, turned.r, turned.frame, c24, l24, r24));
        ASSERT_TRUE(MixAnaglyph(l24.View(), r24.View(), l24.View(), method));
        EXPECT_EQ(ToQImage(m24), ToQImage(l24)) << int(method);
    }
}

// A JPEG carrying a hand-made EXIF block: make "Cam", orientation 6 and a
// thumbnail in IFD1.
QByteArray JpegWithExif(const QByteArray& jpeg, const QByteArray& thumbnail) {
    QByteArray t("II*\0", 4);
    auto put16 = [&](unsigned v) { t.append(char(v & 0xFF)).append(char(v >> 8)); };
    auto put32 = [&](quint32 v) { put16(v & 0xFFFF), put16(v >> 16); };
    put32(8);
    put16(2); // IFD0 at 8
    put16(0x010F), put16(2), put32(4), t.append("Cam\0", 4);
    put16(0x0112), put16(3), put32(1), put16(6), put16(0);
    put32(38); // IFD1 at 8 + 30
    put16(3);
    put16(0x0103), put16(3), put32(1), put16(6), put16(0);
    put16(0x0201), put16(4), put32(1), put32(80);
    put16(0x0202), put16(4), put32(1), put32(quint32(thumbnail.size()));
    put32(0);
    t.append(thumbnail); // at 38 + 42 = 80
    QByteArray app1("\xFF\xE1", 2);
    const int len = 2 + 6 + int(t.size());
    app1.append(char(len >> 8)).append(char(len & 0xFF)).append("Exif\0\0", 6).append(t);
    return jpeg.left(2) + app1 + jpeg.mid(2);
}

QByteArray Encoded(const QImage& img) {
    QByteArray out;
    EXPECT_TRUE(EncodeJpeg(ReadView(img), tjpegoptions(), out));
    return out;
}

bool WriteFileBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// A tall picture made in bands takes the EXIF into its headers alone; the
// file is the one the whole picture gives.
TEST(ExifOutput, PictureMadeInBandsCarriesTheExifAsTheWholePictureDoes) {
    QTemporaryDir dir;
    QImage small(8, 8, QImage::Format_ARGB32);
    small.fill(qRgb(1, 2, 3));
    const QByteArray camera = JpegWithExif(Encoded(small), Encoded(small));
    const QString cameraFile = dir.filePath("cam.jpg");
    ASSERT_TRUE(WriteFileBytes(cameraFile, camera));
    texifsource exif;
    ASSERT_TRUE(exif.Read(cameraFile));

    timg l, r;
    MakePatternView(l, 40, 1700, 2);
    MakePatternView(r, 40, 1700, 4);
    const tcommonframe frame = ComputeSourceFrame(&l, &r, false, 0, 0);
    std::vector<tbandoutput> outputs(1);
    outputs[0].c.kind = KindCrossed;
    outputs[0].c.W = 40;
    outputs[0].c.H = 1700;
    outputs[0].c.S = 3;
    ASSERT_TRUE(EncodeOutputsInBands(l, r, frame, outputs, 2));
    const QString banded = dir.filePath("banded.jpg"), whole = dir.filePath("whole.jpg");
    ASSERT_TRUE(WriteCompressedPicture(outputs[0].bands, 83, 1700, banded, &exif));
    EngineBitmap picture;
    ASSERT_TRUE(ComposeOutputKind(l, r, frame, outputs[0].c, AnaglyphMethod::Colour, picture));
    ASSERT_TRUE(WritePictureOutput(picture.View(), whole, tjpegoptions(), &exif));
    QFile a(banded), b(whole);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    const QByteArray bytes = a.readAll();
    EXPECT_TRUE(bytes == b.readAll());
    EXPECT_EQ(ExifTagText(bytes, "Exif.Image.Make"), "Cam");
    EXPECT_EQ(ExifTagText(bytes, "Exif.Photo.PixelYDimension"), "1700");
}

int MaxDifference(const QImage& a, const QImage& b) {
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            for (int s : {16, 8, 0})
                worst = std::max(worst, std::abs(int((a.pixel(x, y) >> s) & 0xFF) -
                                                 int((b.pixel(x, y) >> s) & 0xFF)));
    return worst;
}

TEST(MpoOutput, WrittenPairReadsBackAsItsTwoViewsWithTheCamerasExif) {
    QTemporaryDir dir;
    QImage small(8, 8, QImage::Format_ARGB32);
    small.fill(qRgb(1, 2, 3));
    QImage source(32, 24, QImage::Format_ARGB32);
    source.fill(qRgb(90, 90, 90));
    const QByteArray camera = JpegWithExif(Encoded(source), Encoded(small));
    const QString cameraFile = dir.filePath("cam.jpg");
    ASSERT_TRUE(WriteFileBytes(cameraFile, camera));
    ASSERT_EQ(ExifTagText(camera, "Exif.Image.Orientation"), "6");
    ASSERT_TRUE(ExifHasThumbnail(camera));

    // Smooth views: the JPEG loss stays small.
    QImage left(64, 48, QImage::Format_ARGB32), right(64, 48, QImage::Format_ARGB32);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            left.setPixel(x, y, qRgb(x * 4, y * 5, 120));
            right.setPixel(x, y, qRgb(200 - y * 4, x * 3, 40));
        }
    texifsource exif;
    ASSERT_TRUE(exif.Read(cameraFile));
    const QString path = dir.filePath("pair.mpo");
    ASSERT_TRUE(WriteMpoFile(ReadView(left), ReadView(right), path, tjpegoptions(), &exif));

    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    std::vector<tmpopicture> p;
    ASSERT_EQ(FindMpoPictures(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                              std::size_t(bytes.size()), p),
              tmpoindex::Index);
    ASSERT_EQ(p.size(), 2u);
    const QImage* views[2] = {&left, &right};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const QByteArray one = bytes.mid(qsizetype(p[i].offset), qsizetype(p[i].size));
        tjpegpicture back;
        QString error;
        ASSERT_TRUE(DecodeJpeg(reinterpret_cast<const unsigned char*>(one.constData()),
                               std::size_t(one.size()), tjpegoptions(), back, error));
        EXPECT_LE(MaxDifference(back.image, *views[i]), 12);
        EXPECT_EQ(ExifTagText(one, "Exif.Image.Make"), "Cam");
        EXPECT_EQ(ExifTagText(one, "Exif.Image.Orientation"), "1");
        EXPECT_EQ(ExifTagText(one, "Exif.Photo.PixelXDimension"), "64");
        EXPECT_EQ(ExifTagText(one, "Exif.Photo.PixelYDimension"), "48");
        EXPECT_FALSE(ExifHasThumbnail(one));
    }

    // Without EXIF: a plain JPEG as before.
    QByteArray plain;
    ASSERT_TRUE(EncodeMpo(ReadView(left), ReadView(right), tjpegoptions(), nullptr, plain));
    EXPECT_TRUE(ExifTagText(plain, "Exif.Image.Make").isEmpty());
}

TEST(MpoOutput, AssemblyRefusesWhatIsNotJpeg) {
    QByteArray out;
    QString error;
    EXPECT_FALSE(AssembleMpo("not a jpeg", "neither", out, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(PictureFormats, PngAndTiffAreEightBitRgb) {
    QTemporaryDir dir;
    EngineBitmap b(5, 3);
    b.SetPixel(2, 1, 0x00336699); // alpha 0 must not make the file transparent
    for (const char* name : {"a.png", "a.TIF", "a.tiff"}) {
        SCOPED_TRACE(name);
        const QString path = dir.filePath(name);
        EXPECT_TRUE(OutputFileCanHold(path, 100000, 100000, false));
        ASSERT_TRUE(WritePictureOutput(b.View(), path, tjpegoptions(), nullptr));
        const QImage back(path);
        ASSERT_EQ(back.size(), QSize(5, 3));
        EXPECT_FALSE(back.hasAlphaChannel());
        EXPECT_EQ(back.depth() == 24 || back.format() == QImage::Format_RGB32, true);
        EXPECT_EQ(back.pixel(2, 1), 0xFF336699u);
    }
}

TEST(OutputNames, AddedKindsHaveTheirSuffixFolderAndExtension) {
    tsettings s;
    tviewpair pair;
    pair.ImgLeft.filename = pair.ImgRight.filename = "/photos/DSCF0001.MPO";
    tnamingfields f = NamingFieldsFromSettings(s, pair);
    EXPECT_EQ(BuildFileName(QString(), QString(), KindMpo, f), "DSCF0001_MPO.mpo");
    EXPECT_EQ(BuildFileName(QString(), QString(), KindHsbs, f), "DSCF0001_HSBS.bmp");
    f.Jpeg = true;
    EXPECT_EQ(BuildFileName(QString(), QString(), KindHou, f), "DSCF0001_HOU.jpg");
    f.Format = "tiff";
    EXPECT_EQ(BuildFileName(QString(), QString(), KindCrossed, f), "DSCF0001_X.tif");
    EXPECT_EQ(BuildFileName(QString(), QString(), KindMpo, f), "DSCF0001_MPO.mpo");
    // Two different files keep the usual base name.
    EXPECT_EQ(DefaultBaseName("/a/IMG_1234.JPG", "/a/IMG_1235.JPG"), "IMG_1234_35");
}

TEST(OutputSettings, AddedKindsLiveInANewSectionAfterAllTheOthers) {
    const auto& table = SettingsTable();
    bool seen = false;
    for (const tsettingentry& e : table) {
        const bool formats = QLatin1String(e.section) == QLatin1String("Formats");
        EXPECT_FALSE(seen && !formats) << e.section << "/" << e.key;
        seen = seen || formats;
    }
    EXPECT_TRUE(seen);
}

} // namespace
