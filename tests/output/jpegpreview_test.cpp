// The JPEG options preview: the left view drawn turned and panned, the
// compressed copy read back, and no temporary file left anywhere.
#include "output/jpegpreview.h"

#include "core/privatetemp.h"
#include "core/timg.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

timg GradientView(int w, int h) {
    timg v;
    QImage b = NewViewBitmap(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.setPixel(x, y, qRgb((x * 4) & 0xFF, (y * 4) & 0xFF, 128));
    v.bitmap = b;
    v.Reset();
    return v;
}

TEST(JpegPreview, LeavesNoTemporaryFileBehindAndChangesNoView) {
    QTemporaryDir cwd;
    ASSERT_TRUE(cwd.isValid());
    const QString old = QDir::currentPath();
    QDir::setCurrent(cwd.path());
    const QString tmp = PrivateTempPath(QString::fromLatin1(JpegPreviewFileName));
    ASSERT_FALSE(tmp.isEmpty());
    // A leftover of an earlier run is removed too.
    {
        QFile f(tmp);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("leftover");
    }
    const timg view = GradientView(64, 48);
    const QImage before = view.bitmap.copy();
    tjpegoptions options;
    options.quality = 50;
    QImage source, result;
    EXPECT_TRUE(ComposeJpegPreview(view, 40, 30, 0, 0, options, source, result));
    EXPECT_FALSE(QFile::exists(tmp));
    EXPECT_FALSE(QFile::exists(cwd.filePath(QStringLiteral("tmp.jpg"))));
    EXPECT_EQ(view.bitmap, before);
    EXPECT_EQ(view.posx, 0);
    ASSERT_EQ(result.size(), QSize(40, 30));
    // Compressed, yet close to the source.
    const QRgb s = source.pixel(20, 15), r = result.pixel(20, 15);
    EXPECT_NEAR(qRed(r), qRed(s), 12);
    EXPECT_NEAR(qGreen(r), qGreen(s), 12);
    QDir::setCurrent(old);
}

TEST(JpegPreview, ScrollBarsPanTheViewInsteadOfItsShift) {
    timg view = GradientView(64, 48);
    view.posx = 30; // the view's own shift does not count here
    QImage source, result;
    ComposeJpegPreview(view, 20, 10, 8, 4, tjpegoptions(), source, result);
    // Scrolled by (8, 4): picture pixel (x + 8, y + 4) at (x, y).
    // The smoothing averages around the pixel: a gradient keeps its value
    // within a step of rounding.
    const auto near = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) <= 1 && std::abs(qGreen(a) - qGreen(b)) <= 1 &&
               std::abs(qBlue(a) - qBlue(b)) <= 1;
    };
    EXPECT_TRUE(near(source.pixel(1, 1), view.bitmap.pixel(9, 5)));
    EXPECT_TRUE(near(source.pixel(5, 3), view.bitmap.pixel(13, 7)));
    // Past the view's edge the picture is black.
    ComposeJpegPreview(view, 20, 10, 60, 0, tjpegoptions(), source, result);
    EXPECT_EQ(source.pixel(10, 5) & 0xFFFFFF, 0u);
}

TEST(JpegPreview, GreyOptionGivesAGreyResult) {
    const timg view = GradientView(64, 48);
    tjpegoptions options;
    options.grayscale = true;
    QImage source, result;
    ASSERT_TRUE(ComposeJpegPreview(view, 32, 32, 0, 0, options, source, result));
    const QRgb r = result.pixel(16, 16);
    EXPECT_EQ(qRed(r), qGreen(r));
    EXPECT_EQ(qGreen(r), qBlue(r));
}

} // namespace
