// MPO writing in big-endian TIFF order ("MM"). The first picture's APP2
// holds the MP index IFD (version, number of pictures, the 16-byte entries)
// followed by its own MP attribute IFD; the second picture's APP2 holds its
// MP attribute IFD alone. Offsets of pictures count from the MP endian field
// of the first picture; the first picture's own offset is 0.
#include "output/mpowrite.h"

#include <cstdint>

namespace {

// Individual image attribute: representative image flag (bit 29) and the
// multi-frame "disparity image" type code 0x020002, JPEG data (bits 24-26 0).
constexpr std::uint32_t kRepresentative = 0x20000000;
constexpr std::uint32_t kDisparity = 0x020002;

// IFD field types.
constexpr std::uint16_t kLong = 4;
constexpr std::uint16_t kUndefined = 7;

void Put16(QByteArray& b, std::uint16_t v) {
    b.append(char(v >> 8)).append(char(v & 0xFF));
}
void Put32(QByteArray& b, std::uint32_t v) {
    Put16(b, std::uint16_t(v >> 16));
    Put16(b, std::uint16_t(v & 0xFFFF));
}
void Set32(QByteArray& b, int at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = char((v >> (24 - 8 * i)) & 0xFF);
}
void Field(QByteArray& b, std::uint16_t tag, std::uint16_t type, std::uint32_t count,
           std::uint32_t value) {
    Put16(b, tag);
    Put16(b, type);
    Put32(b, count);
    Put32(b, value);
}
// MPFVersion "0100", its four bytes held in the value field itself.
void VersionField(QByteArray& b) {
    Put16(b, 0xB000);
    Put16(b, kUndefined);
    Put32(b, 4);
    b.append("0100", 4);
}

// The MP attribute IFD of one picture at `at` (offsets from the endian field).
void AttributeIfd(QByteArray& b, std::uint32_t individualNumber) {
    Put16(b, 3);
    VersionField(b);
    Field(b, 0xB101, kLong, 1, individualNumber); // MPIndividualNum
    Field(b, 0xB204, kLong, 1, 1);                // BaseViewpointNum: the left view
    Put32(b, 0);                                  // no next IFD
}

// Where the APP2 goes: after SOI and the APP0/APP1 segments that follow it;
// -1 when the bytes are not a JPEG stream with whole segments there.
int InsertPoint(const QByteArray& jpeg) {
    const auto* d = reinterpret_cast<const std::uint8_t*>(jpeg.constData());
    const int n = int(jpeg.size());
    if (n < 4 || d[0] != 0xFF || d[1] != 0xD8) return -1;
    int pos = 2;
    while (pos + 4 <= n && d[pos] == 0xFF && (d[pos + 1] == 0xE0 || d[pos + 1] == 0xE1)) {
        const int len = d[pos + 2] << 8 | d[pos + 3];
        if (len < 2 || pos + 2 + len > n) return -1;
        pos += 2 + len;
    }
    return pos + 2 <= n && d[pos] == 0xFF ? pos : -1;
}

// An APP2 segment around the MP payload (starting with the endian field).
QByteArray App2(const QByteArray& tiff) {
    QByteArray seg;
    seg.append(char(0xFF)).append(char(0xE2));
    Put16(seg, std::uint16_t(2 + 4 + tiff.size()));
    seg.append("MPF\0", 4);
    seg.append(tiff);
    return seg;
}

} // namespace

bool AssembleMpo(const QByteArray& left, const QByteArray& right, QByteArray& out, QString* error) {
    const int at1 = InsertPoint(left);
    const int at2 = InsertPoint(right);
    if (at1 < 0 || at2 < 0) {
        if (error) *error = QStringLiteral("not a JPEG picture");
        return false;
    }

    // First picture: header, index IFD (3 fields), entries, attribute IFD.
    constexpr std::uint32_t kIndexIfd = 8;
    constexpr std::uint32_t kEntries = kIndexIfd + 2 + 3 * 12 + 4;
    constexpr std::uint32_t kAttributes = kEntries + 2 * 16;
    QByteArray tiff1;
    tiff1.append("MM\0*", 4);
    Put32(tiff1, kIndexIfd);
    Put16(tiff1, 3);
    VersionField(tiff1);
    Field(tiff1, 0xB001, kLong, 1, 2);                  // NumberOfImages
    Field(tiff1, 0xB002, kUndefined, 2 * 16, kEntries); // MPEntry
    Put32(tiff1, kAttributes);
    const int entries = int(tiff1.size());
    tiff1.append(QByteArray(2 * 16, '\0'));
    AttributeIfd(tiff1, 1);

    QByteArray tiff2;
    tiff2.append("MM\0*", 4);
    Put32(tiff2, 8);
    AttributeIfd(tiff2, 2);

    const QByteArray seg1 = App2(tiff1);
    const QByteArray seg2 = App2(tiff2);
    const qint64 size1 = qint64(left.size()) + seg1.size();
    const qint64 size2 = qint64(right.size()) + seg2.size();
    if (size1 + size2 > 0xFFFFFFFFll || size1 + size2 > qint64(INT32_MAX)) {
        if (error) *error = QStringLiteral("pictures too large for an MPO file");
        return false;
    }
    // The endian field of the first picture: after its APP2 marker, length
    // and "MPF\0".
    const std::uint32_t endian = std::uint32_t(at1 + 2 + 2 + 4);
    QByteArray first = left.left(at1) + seg1 + left.mid(at1);
    const int e = int(endian) + entries;
    Set32(first, e + 0, kRepresentative | kDisparity);
    Set32(first, e + 4, std::uint32_t(size1));
    Set32(first, e + 8, 0);
    Set32(first, e + 16, kDisparity);
    Set32(first, e + 20, std::uint32_t(size2));
    Set32(first, e + 24, std::uint32_t(size1) - endian);

    out = first;
    out.append(right.left(at2));
    out.append(seg2);
    out.append(right.mid(at2));
    return true;
}
