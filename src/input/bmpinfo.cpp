// Windows bitmap header checks, done before handing the file to a decoder so
// that a forged size never reaches an allocation.
#include "input/bmpinfo.h"

#include "input/picturelimits.h"

namespace {

std::uint32_t U16(const QByteArray& b, int at) {
    return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8;
}

std::uint32_t U32(const QByteArray& b, int at) {
    return U16(b, at) | U16(b, at + 2) << 16;
}

std::int32_t S32(const QByteArray& b, int at) {
    return std::int32_t(U32(b, at));
}

constexpr int kFileHeader = 14;
constexpr int kBiRgb = 0;
constexpr int kBiBitfields = 3;

} // namespace

bool ReadBmpInfo(const QByteArray& head, std::int64_t fileSize, tbmpinfo& info, QString& error) {
    const QString damaged = QStringLiteral("En-tête de bitmap invalide");
    if (head.size() < kFileHeader + 12 || head[0] != 'B' || head[1] != 'M') {
        error = damaged;
        return false;
    }
    const std::uint32_t dataOffset = U32(head, 10);
    const std::uint32_t headerSize = U32(head, kFileHeader);
    std::int64_t width = 0, height = 0;
    int bitCount = 0;
    int compression = kBiRgb;
    if (headerSize == 12) {
        // OS/2 core header: 16-bit sizes.
        width = U16(head, kFileHeader + 4);
        height = U16(head, kFileHeader + 6);
        bitCount = int(U16(head, kFileHeader + 10));
    } else if (headerSize >= 16 && head.size() >= kFileHeader + 20) {
        width = S32(head, kFileHeader + 4);
        height = S32(head, kFileHeader + 8);
        bitCount = int(U16(head, kFileHeader + 14));
        if (head.size() >= kFileHeader + 20) compression = int(U32(head, kFileHeader + 16));
    } else {
        error = damaged;
        return false;
    }
    if (height < 0) height = -height;
    if (width <= 0 || height <= 0) {
        error = damaged;
        return false;
    }
    if (!PictureSizeAllowed(width, height)) {
        error = QStringLiteral("Image trop grande : %1 x %2 pixels").arg(width).arg(height);
        return false;
    }

    int bits = bitCount;
    if (bitCount == 16) {
        // 16-bit rows are 5-5-5 unless bit-field masks give green six bits.
        bits = 15;
        if (compression == kBiBitfields && headerSize >= 40) {
            // Masks follow a 40-byte header, or sit inside a V4/V5 header.
            const int greenAt = kFileHeader + 40 + 4;
            if (head.size() >= greenAt + 4 && U32(head, greenAt) == 0x07E0) bits = 16;
        }
    }
    switch (bits) {
    case 1:
    case 4:
    case 8:
    case 15:
    case 16:
    case 24:
    case 32:
        break;
    default:
        error = QStringLiteral("Profondeur de bitmap non prise en charge : %1 bits").arg(bitCount);
        return false;
    }

    // Uncompressed rows must be in the file (one row of slack for writers
    // that drop the last padding). Run-length data can skip whole areas, so
    // only the pixel limit applies to it.
    if (compression == kBiRgb || compression == kBiBitfields) {
        const std::int64_t stride = ((width * bitCount + 31) / 32) * 4;
        const std::int64_t needed = std::int64_t(dataOffset) + stride * (height - 1);
        if (fileSize < needed) {
            error = QStringLiteral("Fichier bitmap trop court pour %1 x %2 pixels")
                        .arg(width)
                        .arg(height);
            return false;
        }
    }
    info.width = width;
    info.height = height;
    info.bits = bits;
    info.compression = compression;
    return true;
}
