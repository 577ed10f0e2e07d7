// MPO reading: the JPEG segment walk, the MP index of the APP2 "MPF"
// segment (an IFD in TIFF byte order) and the fallback scan for the second
// start-of-image marker. Every read is bounded by the data it is given.
#include "input/mpofile.h"

#include <QFile>
#include <QFileInfo>

namespace {

constexpr std::uint8_t kMarker = 0xFF;
constexpr std::uint8_t kSoi = 0xD8;
constexpr std::uint8_t kEoi = 0xD9;
constexpr std::uint8_t kSos = 0xDA;
constexpr std::uint8_t kApp2 = 0xE2;

// MP index tags: the number of pictures and the 16-byte entries.
constexpr std::uint16_t kTagNumberOfImages = 0xB001;
constexpr std::uint16_t kTagMpEntry = 0xB002;
constexpr std::size_t kEntryBytes = 16;

bool IsSoi(const std::uint8_t* data, std::size_t size, std::size_t at) {
    return at + 3 <= size && data[at] == kMarker && data[at + 1] == kSoi && data[at + 2] == kMarker;
}

// Markers without a length: TEM, RST0..7, SOI, EOI.
bool Standalone(std::uint8_t m) {
    return m == 0x01 || (m >= 0xD0 && m <= 0xD9);
}

// Reads of the TIFF structure, in its byte order, bounded by its segment.
struct ttiff {
    const std::uint8_t* base = nullptr; // the MP endian field
    std::size_t size = 0;               // bytes from base to the segment's end
    bool little = false;

    bool U16(std::size_t at, std::uint16_t& v) const {
        if (at > size || size - at < 2) return false;
        v = little ? std::uint16_t(base[at] | base[at + 1] << 8)
                   : std::uint16_t(base[at] << 8 | base[at + 1]);
        return true;
    }
    bool U32(std::size_t at, std::uint32_t& v) const {
        if (at > size || size - at < 4) return false;
        const std::uint8_t* p = base + at;
        v = little ? std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                         std::uint32_t(p[3]) << 24
                   : std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 |
                         std::uint32_t(p[2]) << 8 | std::uint32_t(p[3]);
        return true;
    }
};

// The payload of the first picture's APP2 "MPF" segment, before its scan
// data; false when there is none. `payload` points past "MPF\0".
bool FindMpfSegment(const std::uint8_t* data, std::size_t size, std::size_t& payload,
                    std::size_t& length) {
    std::size_t pos = 2;
    while (pos + 4 <= size) {
        if (data[pos] != kMarker) return false;
        const std::uint8_t m = data[pos + 1];
        if (m == kMarker) { // fill byte
            ++pos;
            continue;
        }
        if (Standalone(m)) {
            if (m == kEoi) return false;
            pos += 2;
            continue;
        }
        if (m == kSos) return false;
        const std::size_t len = std::size_t(data[pos + 2]) << 8 | data[pos + 3];
        if (len < 2 || pos + 2 + len > size) return false;
        if (m == kApp2 && len >= 2 + 4 && data[pos + 4] == 'M' && data[pos + 5] == 'P' &&
            data[pos + 6] == 'F' && data[pos + 7] == 0) {
            payload = pos + 8;
            length = len - 6;
            return true;
        }
        pos += 2 + len;
    }
    return false;
}

// The pictures the MP index names, checked against the data.
bool ReadMpIndex(const std::uint8_t* data, std::size_t size, std::vector<tmpopicture>& pictures,
                 std::size_t maxPictures) {
    std::size_t payload = 0, length = 0;
    if (!FindMpfSegment(data, size, payload, length) || length < 8) return false;
    ttiff t;
    t.base = data + payload;
    t.size = length;
    if (t.base[0] == 'I' && t.base[1] == 'I')
        t.little = true;
    else if (!(t.base[0] == 'M' && t.base[1] == 'M'))
        return false;
    std::uint16_t magic = 0;
    std::uint32_t ifd = 0;
    if (!t.U16(2, magic) || magic != 42 || !t.U32(4, ifd)) return false;
    std::uint16_t count = 0;
    if (!t.U16(ifd, count)) return false;
    std::uint32_t images = 0, entryCount = 0, entryOffset = 0;
    bool haveImages = false, haveEntries = false;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t at = std::size_t(ifd) + 2 + std::size_t(i) * 12;
        std::uint16_t tag = 0, type = 0;
        std::uint32_t n = 0, value = 0;
        if (!t.U16(at, tag) || !t.U16(at + 2, type) || !t.U32(at + 4, n) || !t.U32(at + 8, value))
            return false;
        if (tag == kTagNumberOfImages) {
            images = value;
            haveImages = true;
        } else if (tag == kTagMpEntry) {
            entryCount = n;
            entryOffset = value;
            haveEntries = true;
        }
    }
    if (!haveImages || !haveEntries || images < 2 || entryCount / kEntryBytes < images)
        return false;
    // The entries must lie inside the segment: a count of thousands stops here.
    if (entryOffset > t.size || t.size - entryOffset < std::size_t(images) * kEntryBytes)
        return false;
    const std::size_t wanted = std::min<std::size_t>(images, maxPictures);
    std::vector<tmpopicture> found;
    for (std::size_t i = 0; i < wanted; ++i) {
        const std::size_t at = entryOffset + i * kEntryBytes;
        std::uint32_t pictureSize = 0, offset = 0;
        if (!t.U32(at + 4, pictureSize) || !t.U32(at + 8, offset)) return false;
        // The first picture's offset is 0 (the start of the file); the
        // others count from the MP endian field.
        const std::size_t start = i == 0 ? 0 : payload + std::size_t(offset);
        if (i > 0 && offset == 0) return false;
        if (pictureSize == 0 || start >= size || size - start < pictureSize) return false;
        if (!IsSoi(data, size, start)) return false;
        found.push_back({start, pictureSize});
    }
    pictures = std::move(found);
    return true;
}

} // namespace

std::size_t JpegStreamEnd(const std::uint8_t* data, std::size_t size, std::size_t start) {
    if (!IsSoi(data, size, start)) return 0;
    std::size_t pos = start + 2;
    while (pos + 2 <= size) {
        if (data[pos] != kMarker) return 0;
        const std::uint8_t m = data[pos + 1];
        if (m == kMarker) {
            ++pos;
            continue;
        }
        if (m == kEoi) return pos + 2;
        if (Standalone(m)) {
            pos += 2;
            continue;
        }
        if (pos + 4 > size) return 0;
        const std::size_t len = std::size_t(data[pos + 2]) << 8 | data[pos + 3];
        if (len < 2 || pos + 2 + len > size) return 0;
        pos += 2 + len;
        if (m != kSos) continue;
        // Entropy-coded data: up to the next marker that is neither a
        // stuffed zero nor a restart marker.
        while (pos + 1 < size) {
            if (data[pos] == kMarker) {
                const std::uint8_t b = data[pos + 1];
                if (b != 0 && !(b >= 0xD0 && b <= 0xD7) && b != kMarker) break;
                if (b == kMarker) { // fill bytes before a marker
                    ++pos;
                    continue;
                }
                pos += 2;
                continue;
            }
            ++pos;
        }
        if (pos + 1 >= size) return 0;
    }
    return 0;
}

tmpoindex FindMpoPictures(const std::uint8_t* data, std::size_t size,
                          std::vector<tmpopicture>& pictures, std::size_t maxPictures) {
    pictures.clear();
    if (data == nullptr || maxPictures == 0 || !IsSoi(data, size, 0)) return tmpoindex::None;
    if (maxPictures >= 2 && ReadMpIndex(data, size, pictures, maxPictures)) return tmpoindex::Index;
    // Without a usable index: the pictures follow one another.
    std::size_t start = 0;
    while (pictures.size() < maxPictures) {
        const std::size_t end = JpegStreamEnd(data, size, start);
        if (end == 0) {
            // The last picture runs to the end of the data; its decoder
            // tells whether it is whole.
            pictures.push_back({start, size - start});
            break;
        }
        pictures.push_back({start, end - start});
        std::size_t next = end;
        while (next < size && !IsSoi(data, size, next)) ++next;
        if (next >= size) break;
        start = next;
    }
    return pictures.size() >= 2 ? tmpoindex::Scan : tmpoindex::Single;
}

bool IsMpoFileName(const QString& fileName) {
    return QFileInfo(fileName).suffix().compare(QLatin1String("mpo"), Qt::CaseInsensitive) == 0;
}

bool DecodeMpoPicture(const QString& fileName, int index, const tjpegoptions& options,
                      tjpegpicture& out, QString& error) {
    QFile file(fileName);
    if (!QFileInfo(fileName).isFile() || !file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Impossible d'ouvrir le fichier");
        return false;
    }
    const qint64 size = file.size();
    if (size <= 0) {
        error = QStringLiteral("Fichier MPO vide");
        return false;
    }
    QByteArray copy;
    const std::uint8_t* data = file.map(0, size);
    if (data == nullptr) {
        copy = file.readAll();
        if (copy.size() != size) {
            error = QStringLiteral("Lecture du fichier MPO impossible");
            return false;
        }
        data = reinterpret_cast<const std::uint8_t*>(copy.constData());
    }
    std::vector<tmpopicture> pictures;
    const tmpoindex how =
        FindMpoPictures(data, std::size_t(size), pictures, std::size_t(index) + 1);
    bool ok = false;
    if (how == tmpoindex::None) {
        error = QStringLiteral("Fichier MPO illisible : pas d'image JPEG au début");
    } else if (index < 0 || std::size_t(index) >= pictures.size()) {
        error = QStringLiteral("Fichier MPO sans image n° %1 (le fichier n'en contient que %2)")
                    .arg(index + 1)
                    .arg(pictures.size());
    } else {
        const tmpopicture& p = pictures[std::size_t(index)];
        ok = DecodeJpeg(data + p.offset, p.size, options, out, error);
        if (!ok)
            error = QStringLiteral("Image n° %1 du fichier MPO : %2").arg(index + 1).arg(error);
    }
    if (copy.isEmpty()) file.unmap(const_cast<std::uint8_t*>(data));
    return ok;
}
