// BMP and JPEG writers of the output pictures; the JPEG side goes through
// libjpeg's compression API with the program's JPEG options.
#include "output/imagewrite.h"

#include "core/atomicfile.h"
#include "core/settings.h"
#include "engine/transform.h"
#include "output/jpegbands.h"
#include "output/jpegrowencoder.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

#include <jpeglib.h> // JPEG_MAX_DIMENSION

bool IsJpegPath(const QString& path) {
    const QString ext = QFileInfo(path).suffix().toUpper();
    return ext == "JPG" || ext == "JPEG" || ext == "JPS";
}

void ApplyJpegOptions(tjpegoptions& image, tsettings& settings) {
    image = JpegDefaults;
    settings.JpegHSampling = image.hSubsampling;
    settings.JpegVSampling = image.vSubsampling;
}

namespace {

void SetError(QString* error, const QString& text) {
    if (error) *error = text;
}

void PutLe16(std::uint8_t* p, unsigned v) {
    p[0] = v & 0xFF;
    p[1] = (v >> 8) & 0xFF;
}

void PutLe32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = (v >> (8 * i)) & 0xFF;
}

// A picture fit for writing: pixels, a known depth and rows in memory.
bool Writable(const ImageView& b) {
    return !b.Empty() && (b.format == PixelFormat::Bgra32 || b.format == PixelFormat::Bgr24);
}

} // namespace

bool WriteBmpFile(const ImageView& bitmap, const QString& path, QString* error, bool replace) {
    if (!Writable(bitmap)) {
        SetError(error, QStringLiteral("empty picture"));
        return false;
    }
    const int bpp = BytesPerPixel(bitmap.format);
    // Rows of a BMP are padded to a multiple of four bytes.
    const std::uint64_t rowBytes = (std::uint64_t(bitmap.width) * bpp + 3) / 4 * 4;
    const std::uint64_t imageBytes = rowBytes * std::uint64_t(bitmap.height);
    const std::uint64_t headerBytes = 14 + 40;
    if (headerBytes + imageBytes > 0xFFFFFFFFull) {
        SetError(error, QStringLiteral("picture too large for a BMP file"));
        return false;
    }
    std::uint8_t header[54] = {};
    header[0] = 'B';
    header[1] = 'M';
    PutLe32(header + 2, std::uint32_t(headerBytes + imageBytes));
    PutLe32(header + 10, std::uint32_t(headerBytes));
    PutLe32(header + 14, 40);
    PutLe32(header + 18, std::uint32_t(bitmap.width));
    PutLe32(header + 22, std::uint32_t(bitmap.height)); // positive: rows bottom-up
    PutLe16(header + 26, 1);
    PutLe16(header + 28, unsigned(bpp * 8));
    PutLe32(header + 30, 0); // uncompressed
    PutLe32(header + 34, std::uint32_t(imageBytes));
    // 2835 pixels per metre = 72 dots per inch.
    PutLe32(header + 38, 2835);
    PutLe32(header + 42, 2835);

    tatomicfile file(path, replace);
    if (!file.Open()) {
        SetError(error, file.ErrorString());
        return false;
    }
    QIODevice& device = file.Device();
    if (device.write(reinterpret_cast<const char*>(header), sizeof header) !=
        qint64(sizeof header)) {
        SetError(error, ErrnoText(errno));
        return false;
    }
    std::vector<char> row(rowBytes, 0);
    const std::size_t used = std::size_t(bitmap.width) * bpp;
    for (int y = bitmap.height - 1; y >= 0; --y) {
        std::memcpy(row.data(), bitmap.Row(y), used);
        // Viewers that read the fourth byte as alpha would show a picture
        // drawn with alpha 0 as transparent: every pixel is written opaque.
        if (bpp == 4)
            for (std::size_t a = 3; a < used; a += 4) row[a] = char(0xFF);
        if (device.write(row.data(), qint64(rowBytes)) != qint64(rowBytes)) {
            SetError(error, ErrnoText(errno));
            return false;
        }
    }
    if (!file.Commit()) {
        SetError(error, file.ErrorString());
        return false;
    }
    return true;
}

namespace {

// A picture the JPEG format can hold; false with the reason otherwise.
bool JpegCanHold(const ImageView& bitmap, QString* error) {
    if (!Writable(bitmap)) {
        SetError(error, QStringLiteral("empty picture"));
        return false;
    }
    // The format's own limit on either side.
    if (bitmap.width > JPEG_MAX_DIMENSION || bitmap.height > JPEG_MAX_DIMENSION) {
        SetError(error, QStringLiteral("picture too large for a JPEG file"));
        return false;
    }
    return true;
}

// Rows [y0, y0 + rows) compressed into an open device, with a restart
// marker after every row of blocks when `restarts`.
bool CompressRows(const ImageView& bitmap, int y0, int rows, bool restarts,
                  const tjpegoptions& options, QIODevice& device, QString* error) {
    tjpegrowencoder encoder;
    bool ok = encoder.Start(bitmap.width, rows, bitmap.format, restarts, options, device);
    constexpr int kRowsAtOnce = 16;
    std::uint8_t* scanlines[kRowsAtOnce];
    for (int first = 0; ok && first < rows; first += kRowsAtOnce) {
        const int n = std::min(kRowsAtOnce, rows - first);
        for (int i = 0; i < n; ++i) scanlines[i] = bitmap.Row(y0 + first + i);
        ok = encoder.Write(scanlines, n);
    }
    if (ok && encoder.Finish()) return true;
    SetError(error, encoder.Error());
    return false;
}

// A tall baseline picture: its bands compressed on the engine's threads,
// then joined.
bool CompressBands(const ImageView& bitmap, const tjpegoptions& options, QIODevice& device,
                   QString* error) {
    const int count = JpegBandCount(bitmap.height);
    std::vector<QByteArray> bands(static_cast<std::size_t>(count));
    std::vector<QString> errors(static_cast<std::size_t>(count));
    std::vector<char> ok(static_cast<std::size_t>(count), 0);
    std::atomic<int> next{0};
    auto run = [&] {
        for (int b = next++; b < count; b = next++) {
            const int y0 = b * kJpegBandRows;
            const int rows = std::min(kJpegBandRows, bitmap.height - y0);
            QBuffer buffer(&bands[std::size_t(b)]);
            buffer.open(QIODevice::WriteOnly);
            ok[std::size_t(b)] =
                CompressRows(bitmap, y0, rows, true, options, buffer, &errors[std::size_t(b)]);
        }
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < std::min(EngineThreads(), count); ++t) {
        try {
            pool.emplace_back(run);
        } catch (...) {
            break; // the calling thread compresses what the others could not
        }
    }
    run();
    for (std::thread& t : pool) t.join();
    for (int b = 0; b < count; ++b)
        if (!ok[std::size_t(b)]) {
            SetError(error, errors[std::size_t(b)]);
            return false;
        }
    std::vector<tjpegpiece> pieces;
    if (!JpegBandPieces(bands, bitmap.height, pieces)) {
        SetError(error, QStringLiteral("bands not joined"));
        return false;
    }
    if (!WriteJpegPieces(device, pieces)) {
        SetError(error, ErrnoText(errno));
        return false;
    }
    return true;
}

// Compresses into an open device; a tall baseline picture in bands.
bool CompressInto(const ImageView& bitmap, const tjpegoptions& options, QIODevice& device,
                  QString* error) {
    if (!options.progressiveEncoding && JpegBandCount(bitmap.height) > 1)
        return CompressBands(bitmap, options, device, error);
    return CompressRows(bitmap, 0, bitmap.height, false, options, device, error);
}

} // namespace

bool WriteJpegFile(const ImageView& bitmap, const QString& path, const tjpegoptions& options,
                   QString* error, bool replace) {
    if (!JpegCanHold(bitmap, error)) return false;
    tatomicfile file(path, replace);
    if (!file.Open()) {
        SetError(error, file.ErrorString());
        return false;
    }
    if (!CompressInto(bitmap, options, file.Device(), error)) return false;
    if (!file.Commit()) {
        SetError(error, file.ErrorString());
        return false;
    }
    return true;
}

bool EncodeJpeg(const ImageView& bitmap, const tjpegoptions& options, QByteArray& out,
                QString* error) {
    out.clear();
    if (!JpegCanHold(bitmap, error)) return false;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    if (CompressInto(bitmap, options, buffer, error)) return true;
    out.clear();
    return false;
}

bool IsQtWrittenPath(const QString& path) {
    const QString ext = QFileInfo(path).suffix().toUpper();
    return ext == "PNG" || ext == "TIF" || ext == "TIFF";
}

bool WriteQtPictureFile(const ImageView& bitmap, const QString& path, QString* error,
                        bool replace) {
    if (!Writable(bitmap)) {
        SetError(error, QStringLiteral("empty picture"));
        return false;
    }
    const QString ext = QFileInfo(path).suffix().toUpper();
    const QByteArray format = ext == "PNG" ? QByteArray("png") : QByteArray("tiff");
    // Qt writes 8-bit RGB from a 24-bit picture: the margins drawn with
    // alpha 0 stay black, never transparent.
    const QImage rgb =
        QImage(bitmap.data, bitmap.width, bitmap.height, qsizetype(bitmap.stride),
               bitmap.format == PixelFormat::Bgra32 ? QImage::Format_RGB32 : QImage::Format_BGR888)
            .convertToFormat(QImage::Format_RGB888);
    if (rgb.isNull()) {
        SetError(error, QStringLiteral("not enough memory"));
        return false;
    }
    tatomicfile file(path, replace);
    if (!file.Open()) {
        SetError(error, file.ErrorString());
        return false;
    }
    QImageWriter writer(&file.Device(), format);
    if (!writer.write(rgb)) {
        SetError(error, writer.errorString());
        return false;
    }
    if (!file.Commit()) {
        SetError(error, file.ErrorString());
        return false;
    }
    return true;
}

bool OutputFileCanHold(const QString& path, int width, int height, bool bits24) {
    if (width <= 0 || height <= 0) return false;
    if (IsJpegPath(path) || QFileInfo(path).suffix().toUpper() == "MPO")
        return width <= JPEG_MAX_DIMENSION && height <= JPEG_MAX_DIMENSION;
    // PNG and TIFF hold any picture the program can allocate.
    if (IsQtWrittenPath(path)) return true;
    const std::uint64_t rowBytes = (std::uint64_t(width) * (bits24 ? 3 : 4) + 3) / 4 * 4;
    return 54 + rowBytes * std::uint64_t(height) <= 0xFFFFFFFFull;
}

bool WriteOutputFile(const ImageView& bitmap, const QString& path, const tjpegoptions& options,
                     QString* error, bool replace) {
    if (IsQtWrittenPath(path)) return WriteQtPictureFile(bitmap, path, error, replace);
    return IsJpegPath(path) ? WriteJpegFile(bitmap, path, options, error, replace)
                            : WriteBmpFile(bitmap, path, error, replace);
}
