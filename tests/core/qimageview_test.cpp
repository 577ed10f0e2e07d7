// QImage pixels seen by the engine in place, in every format the views use.
#include "core/qimageview.h"

#include "engine/bitmapops.h"

#include <gtest/gtest.h>

#include <QColor>

namespace {

TEST(QImageViews, ArgbImageIsWrappedInPlaceAndChangedByTheEngine) {
    QImage image(3, 2, QImage::Format_ARGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) image.setPixel(x, y, qRgba(x * 10, y * 10, 7, 200));
    const ImageView v = WritableView(image);
    ASSERT_EQ(v.data, image.constBits());
    EXPECT_EQ(v.width, 3);
    EXPECT_EQ(v.height, 2);
    EXPECT_EQ(v.stride, image.bytesPerLine());
    EXPECT_EQ(v.format, PixelFormat::Bgra32);
    // Bytes B, G, R, A in memory: the word reads 0xAARRGGBB like QRgb.
    EXPECT_EQ(v.Pixel(2, 1), image.pixel(2, 1));
    MirrorBitmapH(v);
    EXPECT_EQ(image.pixel(0, 1), qRgba(20, 10, 7, 200));
}

TEST(QImageViews, Bgr888IsATwentyFourBitView) {
    QImage image(5, 3, QImage::Format_BGR888);
    image.fill(QColor(1, 2, 3));
    const ImageView v = WritableView(image);
    EXPECT_EQ(v.format, PixelFormat::Bgr24);
    EXPECT_EQ(v.stride, image.bytesPerLine());
    EXPECT_EQ(v.Row(1)[0], 3); // blue first
    EXPECT_EQ(v.Row(1)[2], 1);
}

TEST(QImageViews, OtherFormatsAndNullImagesGiveEmptyViews) {
    QImage rgb(4, 4, QImage::Format_RGB888);
    EXPECT_TRUE(WritableView(rgb).Empty());
    QImage null;
    EXPECT_TRUE(WritableView(null).Empty());
    EXPECT_TRUE(ReadView(QImage(2, 2, QImage::Format_Grayscale8)).Empty());
}

TEST(QImageViews, WritingThroughAViewLeavesSharedCopiesAlone) {
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(QColor(10, 20, 30));
    const QImage copy = image;
    EXPECT_EQ(ReadView(copy).data, image.constBits()); // reading shares the pixels
    const ImageView v = WritableView(image);
    v.SetPixel(0, 0, 0xFF000000u);
    EXPECT_EQ(copy.pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
}

TEST(QImageViews, EngineBitmapsComeBackAsImages) {
    EngineBitmap b(2, 3);
    b.SetPixel(1, 2, 0x80102030u);
    const QImage image = ToQImage(b);
    ASSERT_EQ(image.format(), QImage::Format_ARGB32);
    EXPECT_EQ(image.pixel(1, 2), 0x80102030u);
    EngineBitmap b24(2, 1, PixelFormat::Bgr24);
    b24.View().Row(0)[3] = 0x44;
    EXPECT_EQ(ToQImage(b24).pixel(1, 0), qRgb(0, 0, 0x44));
    EXPECT_TRUE(ToQImage(EngineBitmap()).isNull());
}

} // namespace
