// Shared helpers of the input tests: files written byte by byte, JPEGs
// encoded with libjpeg, an independent JPEG reference decode, a report that
// records what the user would have been told.
#pragma once

#include "input/userreport.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <vector>

#include <jpeglib.h>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

// Records messages and checks that the hour-glass comes back.
class trecordingreport : public tuserreport {
public:
    QStringList messages;
    int busyDepth = 0;
    int busyCalls = 0;
    int passes = 0;
    void ShowMessage(const QString& text) override { messages << text; }
    void BeginBusy() override {
        ++busyDepth;
        ++busyCalls;
    }
    void EndBusy() override { --busyDepth; }
    void PicturePass(const QImage&) override { ++passes; }
};

// Installs a recording report for one test.
class treportscope {
public:
    treportscope() { SetUserReport(&report); }
    ~treportscope() { SetUserReport(nullptr); }
    trecordingreport report;
};

inline QString TestDataDir() {
    const char* dir = std::getenv("ORVANEL_TESTDATA");
    return dir ? QString::fromLocal8Bit(dir) : QString();
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    return f.write(bytes) == bytes.size();
}

inline QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

// A picture whose every pixel differs from its neighbours, opaque.
inline QImage PatternImage(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb((x * 7 + y * 3) & 255, (x * 2 + y * 11) & 255, (x ^ y) & 255));
    return img;
}

// Smooth colours compress well, so decoded values stay close to the source.
inline QImage SmoothImage(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y,
                         qRgb(x * 255 / (w - 1 ? w - 1 : 1), y * 255 / (h - 1 ? h - 1 : 1), 128));
    return img;
}

struct tjpegwriteoptions {
    int quality = 95;
    bool progressive = false;
    bool gray = false;
};

// Encodes with libjpeg (RGB rows); true on success.
inline bool EncodeJpeg(const QImage& image, const QString& path, tjpegwriteoptions o = {}) {
    FILE* f = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!f) return false;
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    jpeg_stdio_dest(&c, f);
    c.image_width = JDIMENSION(image.width());
    c.image_height = JDIMENSION(image.height());
    c.input_components = o.gray ? 1 : 3;
    c.in_color_space = o.gray ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, o.quality, TRUE);
    if (o.progressive) jpeg_simple_progression(&c);
    jpeg_start_compress(&c, TRUE);
    std::vector<JSAMPLE> row(std::size_t(image.width()) * 3);
    while (c.next_scanline < c.image_height) {
        const int y = int(c.next_scanline);
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (o.gray) {
                row[x] = JSAMPLE(qGray(p));
            } else {
                row[x * 3] = JSAMPLE(qRed(p));
                row[x * 3 + 1] = JSAMPLE(qGreen(p));
                row[x * 3 + 2] = JSAMPLE(qBlue(p));
            }
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::fclose(f);
    return true;
}

// Reference decode: libjpeg's plain RGB output, one row at a time, with the
// decoder settings the quality options stand for. Returns R,G,B triples.
struct trefjpeg {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

inline trefjpeg ReferenceDecode(const QString& path, int scaleDenom = 1, bool fast = false,
                                bool smoothing = true) {
    trefjpeg out;
    FILE* f = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (!f) return out;
    jpeg_decompress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_decompress(&c);
    jpeg_stdio_src(&c, f);
    jpeg_read_header(&c, TRUE);
    c.out_color_space = JCS_RGB;
    c.scale_num = 1;
    c.scale_denom = unsigned(scaleDenom);
    c.dct_method = fast ? JDCT_IFAST : JDCT_ISLOW;
    c.do_fancy_upsampling = smoothing ? TRUE : FALSE;
    c.do_block_smoothing = smoothing ? TRUE : FALSE;
    jpeg_start_decompress(&c);
    out.width = int(c.output_width);
    out.height = int(c.output_height);
    out.rgb.resize(std::size_t(out.width) * out.height * 3);
    while (c.output_scanline < c.output_height) {
        JSAMPROW r = out.rgb.data() + std::size_t(c.output_scanline) * out.width * 3;
        jpeg_read_scanlines(&c, &r, 1);
    }
    jpeg_finish_decompress(&c);
    jpeg_destroy_decompress(&c);
    std::fclose(f);
    return out;
}

// Counts pixels of `image` (ARGB32) that differ from the reference.
inline long CountMismatches(const QImage& image, const trefjpeg& ref) {
    if (image.width() != ref.width || image.height() != ref.height) return -1;
    long bad = 0;
    for (int y = 0; y < ref.height; ++y) {
        const auto* row = reinterpret_cast<const quint32*>(image.constScanLine(y));
        for (int x = 0; x < ref.width; ++x) {
            const unsigned char* p = &ref.rgb[(std::size_t(y) * ref.width + x) * 3];
            const quint32 want = 0xFF000000u | quint32(p[0]) << 16 | quint32(p[1]) << 8 | p[2];
            if (row[x] != want) ++bad;
        }
    }
    return bad;
}

// Little-endian writers for hand-made files.
inline void Put16(QByteArray& b, unsigned v) {
    b.append(char(v & 255));
    b.append(char((v >> 8) & 255));
}
inline void Put32(QByteArray& b, quint32 v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// A Windows bitmap with a 40-byte info header. `pixels` are the row data as
// stored (bottom-up rows, padded to four bytes); `palette` BGRA quads;
// `masks` the three bit-field masks when compression is 3.
inline QByteArray MakeBmp(int width, int height, int bitCount, const QByteArray& pixels,
                          const QByteArray& palette = {}, int compression = 0,
                          const std::vector<quint32>& masks = {}) {
    QByteArray info;
    Put32(info, 40);
    Put32(info, quint32(width));
    Put32(info, quint32(height));
    Put16(info, 1);
    Put16(info, unsigned(bitCount));
    Put32(info, quint32(compression));
    Put32(info, quint32(pixels.size()));
    Put32(info, 2835);
    Put32(info, 2835);
    Put32(info, quint32(palette.size() / 4));
    Put32(info, 0);
    for (quint32 m : masks) Put32(info, m);
    QByteArray file("BM");
    const quint32 offset = 14 + quint32(info.size() + palette.size());
    Put32(file, offset + quint32(pixels.size()));
    Put32(file, 0);
    Put32(file, offset);
    file += info;
    file += palette;
    file += pixels;
    return file;
}
