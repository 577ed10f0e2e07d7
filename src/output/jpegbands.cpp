// Joining JPEG bands: the headers of the first band, the scans of all.
#include "output/jpegbands.h"

namespace {

// Offset of the first byte of the entropy-coded data (after the start of
// scan header) and of the frame header's marker; -1 when missing.
bool FindSegments(const QByteArray& jpeg, int& frame, int& data) {
    frame = -1;
    data = -1;
    const auto* b = reinterpret_cast<const unsigned char*>(jpeg.constData());
    const int n = int(jpeg.size());
    if (n < 4 || b[0] != 0xFF || b[1] != 0xD8) return false;
    int at = 2;
    while (at + 4 <= n) {
        if (b[at] != 0xFF) return false;
        const unsigned char marker = b[at + 1];
        const int length = (b[at + 2] << 8) | b[at + 3];
        if (length < 2 || at + 2 + length > n) return false;
        if (marker == 0xC0 || marker == 0xC1) frame = at;
        if (marker == 0xDA) {
            data = at + 2 + length;
            return frame >= 0;
        }
        at += 2 + length;
    }
    return false;
}

bool EndsWithEoi(const QByteArray& jpeg) {
    const int n = int(jpeg.size());
    return n >= 2 && static_cast<unsigned char>(jpeg[n - 2]) == 0xFF &&
           static_cast<unsigned char>(jpeg[n - 1]) == 0xD9;
}

} // namespace

int JpegBandCount(int height) {
    if (height <= kJpegBandRows * 3 / 2) return 1;
    return (height + kJpegBandRows - 1) / kJpegBandRows;
}

int JpegScanDataStart(const QByteArray& jpeg) {
    int frame, data;
    return FindSegments(jpeg, frame, data) ? data : -1;
}

bool JpegBandPieces(std::vector<QByteArray>& bands, int height, std::vector<tjpegpiece>& pieces) {
    static const char restart[2] = {char(0xFF), char(0xD7)};
    static const char end[2] = {char(0xFF), char(0xD9)};
    pieces.clear();
    if (bands.empty() || height <= 0 || height > 0xFFFF) return false;
    std::vector<int> starts;
    int firstFrame = -1;
    for (const QByteArray& band : bands) {
        int frame, data;
        if (!FindSegments(band, frame, data) || !EndsWithEoi(band) || data > band.size() - 2)
            return false;
        if (firstFrame < 0) firstFrame = frame;
        starts.push_back(data);
    }
    // The frame header's height: two bytes after the marker, its length and
    // the precision.
    QByteArray& first = bands[0];
    first[firstFrame + 5] = char((height >> 8) & 0xFF);
    first[firstFrame + 6] = char(height & 0xFF);
    pieces.push_back({first.constData(), first.size() - 2});
    for (std::size_t i = 1; i < bands.size(); ++i) {
        pieces.push_back({restart, 2});
        pieces.push_back({bands[i].constData() + starts[i], bands[i].size() - 2 - starts[i]});
    }
    pieces.push_back({end, 2});
    return true;
}

bool WriteJpegPieces(QIODevice& device, const std::vector<tjpegpiece>& pieces) {
    for (const tjpegpiece& piece : pieces)
        if (device.write(piece.data, piece.size) != piece.size) return false;
    return true;
}

bool JoinJpegBands(const std::vector<QByteArray>& bands, int height, QByteArray& out) {
    out.clear();
    std::vector<QByteArray> copy = bands; // shared, copied only where the height goes
    std::vector<tjpegpiece> pieces;
    if (!JpegBandPieces(copy, height, pieces)) return false;
    qsizetype total = 0;
    for (const tjpegpiece& p : pieces) total += p.size;
    out.reserve(total);
    for (const tjpegpiece& p : pieces) out.append(p.data, p.size);
    return true;
}
