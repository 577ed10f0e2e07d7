// Tall JPEG pictures compressed in bands: the same bytes on any number of
// threads, and each band decodes as the same rows compressed on their own.
#include "output/imagewrite.h"
#include "output/jpegbands.h"

#include "core/qimageview.h"
#include "engine/transform.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>

namespace {

// Detail in every row and channel, so a misplaced band shows.
QImage Pattern(int width, int height) {
    QImage img(width, height, QImage::Format_RGB32);
    std::srand(11);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            img.setPixel(x, y,
                         qRgb((x * 9 + y * 3 + std::rand() % 40) & 0xFF, (y * 5) & 0xFF,
                              (x * y + std::rand() % 90) & 0xFF));
    return img;
}

QImage Decoded(const QByteArray& jpeg) {
    return QImage::fromData(jpeg, "JPEG").convertToFormat(QImage::Format_RGB32);
}

bool HasMarker(const QByteArray& jpeg, unsigned char marker) {
    return jpeg.contains(QByteArray("\xFF", 1) + char(marker));
}

struct tbandcase {
    int height;
    bool grey;
    bool subsampled;
};

class JpegBands : public ::testing::TestWithParam<tbandcase> {
protected:
    void TearDown() override { SetEngineThreads(1); }
};

TEST_P(JpegBands, SameBytesOnAnyThreadsAndEachBandAsItsRowsAlone) {
    const tbandcase c = GetParam();
    const QImage picture = Pattern(70, c.height);
    tjpegoptions o;
    o.quality = 85;
    o.grayscale = c.grey;
    o.hSubsampling = o.vSubsampling = c.subsampled;
    QByteArray one, three;
    SetEngineThreads(1);
    ASSERT_TRUE(EncodeJpeg(ReadView(picture), o, one));
    SetEngineThreads(3);
    ASSERT_TRUE(EncodeJpeg(ReadView(picture), o, three));
    EXPECT_EQ(one, three);

    const int bands = JpegBandCount(c.height);
    EXPECT_EQ(HasMarker(one, 0xDD), bands > 1); // the restart interval
    const QImage whole = Decoded(one);
    ASSERT_EQ(whole.size(), picture.size());
    for (int b = 0; b < bands; ++b) {
        const int y0 = b * kJpegBandRows;
        const int rows = bands == 1 ? c.height : std::min(kJpegBandRows, c.height - y0);
        QByteArray alone;
        ASSERT_TRUE(EncodeJpeg(ReadView(picture.copy(0, y0, 70, rows)), o, alone));
        const QImage part = Decoded(alone);
        ASSERT_EQ(part.height(), rows);
        for (int y = 0; y < rows; ++y) {
            // Halved chroma rows are enlarged from their neighbours across a
            // band's edge in the whole picture: the two rows each side differ.
            if (c.subsampled && bands > 1 && ((b > 0 && y < 2) || (b + 1 < bands && y >= rows - 2)))
                continue;
            for (int x = 0; x < 70; ++x)
                ASSERT_EQ(whole.pixel(x, y0 + y), part.pixel(x, y))
                    << "band " << b << ": " << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Heights, JpegBands,
                         ::testing::Values(tbandcase{1536, false, false},
                                           tbandcase{1537, false, false},
                                           tbandcase{2100, true, false},
                                           tbandcase{3080, false, true},
                                           tbandcase{4097, false, false}));

TEST(JpegBands, CountFollowsTheHeightAlone) {
    EXPECT_EQ(JpegBandCount(1), 1);
    EXPECT_EQ(JpegBandCount(1536), 1);
    EXPECT_EQ(JpegBandCount(1537), 2);
    EXPECT_EQ(JpegBandCount(2048), 2);
    EXPECT_EQ(JpegBandCount(2049), 3);
    EXPECT_EQ(JpegBandCount(65500), 64);
}

TEST(JpegBands, ProgressivePicturesStayWhole) {
    tjpegoptions o;
    o.progressiveEncoding = true;
    QByteArray jpeg;
    ASSERT_TRUE(EncodeJpeg(ReadView(Pattern(20, 2000)), o, jpeg));
    EXPECT_FALSE(HasMarker(jpeg, 0xDD));
    EXPECT_EQ(Decoded(jpeg).size(), QSize(20, 2000));
}

TEST(JpegBands, WhatIsNotABandIsRefused) {
    QByteArray good;
    ASSERT_TRUE(EncodeJpeg(ReadView(Pattern(16, 16)), tjpegoptions(), good));
    QByteArray out;
    EXPECT_TRUE(JoinJpegBands({good, good}, 32, out));
    EXPECT_EQ(Decoded(out).size(), QSize(16, 32));
    const QByteArray cut = good.left(good.size() - 2);
    const QByteArray noScan = good.left(good.indexOf(QByteArray("\xFF\xDA", 2)));
    for (const QByteArray& bad : {QByteArray(), QByteArray("not a picture"), cut, noScan}) {
        EXPECT_FALSE(JoinJpegBands({good, bad}, 32, out));
        EXPECT_TRUE(out.isEmpty());
    }
    EXPECT_FALSE(JoinJpegBands({}, 32, out));
    EXPECT_FALSE(JoinJpegBands({good}, 70000, out));
}

} // namespace
