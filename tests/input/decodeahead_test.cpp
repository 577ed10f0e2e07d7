// A picture decoded ahead on another thread: the loader gets exactly what it
// would have decoded itself, failures and their messages included, and a
// result nobody took is never served later.
#include "input/decodeahead.h"
#include "input/pictureload.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

namespace {

struct tdecoded {
    LoadStatus status;
    QImage image;
    int bits = 0;
    QString error;
};

tdecoded Decode(const QString& path) {
    tdecoded d;
    d.status = DecodePictureFile(path, d.image, d.bits, d.error);
    return d;
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(DecodeAhead, LoaderGetsWhatItWouldHaveDecodedItself) {
    QTemporaryDir dir;
    QImage picture(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) picture.setPixel(x, y, qRgb(x * 6, y * 8, (x ^ y) * 4));
    ASSERT_TRUE(picture.save(dir.filePath("good.jpg")));
    ASSERT_TRUE(picture.save(dir.filePath("good.bmp")));
    QFile good(dir.filePath("good.jpg"));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    Write(dir.filePath("cut.jpg"), good.read(good.size() / 3));
    Write(dir.filePath("empty.jpg"), QByteArray());
    for (const char* name : {"good.jpg", "good.bmp", "cut.jpg", "empty.jpg", "missing.jpg"}) {
        SCOPED_TRACE(name);
        const QString path = dir.filePath(name);
        const tdecoded alone = Decode(path);
        tdecoded ahead;
        {
            tdecodeahead decoding(path);
            ahead = Decode(path);
        }
        EXPECT_EQ(ahead.status, alone.status);
        EXPECT_EQ(ahead.error, alone.error);
        EXPECT_EQ(ahead.bits, alone.bits);
        EXPECT_EQ(ahead.image, alone.image);
    }
}

TEST(DecodeAhead, AnUntakenResultIsDroppedAndTheFileReadAgain) {
    QTemporaryDir dir;
    const QString path = dir.filePath("p.bmp");
    QImage first(8, 8, QImage::Format_RGB32);
    first.fill(qRgb(200, 10, 10));
    ASSERT_TRUE(first.save(path));
    { tdecodeahead unused(path); }
    QImage second(8, 8, QImage::Format_RGB32);
    second.fill(qRgb(10, 200, 10));
    ASSERT_TRUE(second.save(path));
    const tdecoded d = Decode(path);
    ASSERT_EQ(d.status, LoadStatus::Loaded);
    EXPECT_EQ(d.image.pixel(3, 3) & 0xFFFFFF, qRgb(10, 200, 10) & 0xFFFFFF);
}

} // namespace
