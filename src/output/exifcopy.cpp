// EXIF copying through exiv2 (0.27, whose factory hands out auto_ptr).
#include "output/exifcopy.h"

#include <QFile>

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
#include <exiv2/exiv2.hpp>

#include <mutex>

namespace {

void QuietExiv2() {
    static std::once_flag once;
    // The library's warnings about odd maker notes are not the user's business.
    std::call_once(once, [] { Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute); });
}

Exiv2::Image::AutoPtr OpenBytes(const QByteArray& bytes) {
    return Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(bytes.constData()),
                                     long(bytes.size()));
}

} // namespace

struct texifsource::tdata {
    Exiv2::ExifData exif;
};

texifsource::texifsource() : data_(new tdata) {}
texifsource::~texifsource() = default;

bool texifsource::Read(const QString& file) {
    QuietExiv2();
    data_->exif.clear();
    // Only the head of the file: the first picture's APP1 lies within its
    // first 64 KiB, whatever follows it (a second picture, the scan data).
    QFile f(file);
    if (file.isEmpty() || !f.open(QIODevice::ReadOnly)) return false;
    const QByteArray head = f.read(256 * 1024);
    try {
        Exiv2::Image::AutoPtr image = OpenBytes(head);
        if (image.get() == nullptr) return false;
        image->readMetadata();
        data_->exif = image->exifData();
        return !data_->exif.empty();
    } catch (const std::exception&) {
        data_->exif.clear();
    }
    // Segments longer than the head: the whole file.
    if (f.size() <= head.size()) return false;
    try {
        f.seek(0);
        const QByteArray whole = f.readAll();
        Exiv2::Image::AutoPtr image = OpenBytes(whole);
        if (image.get() == nullptr) return false;
        image->readMetadata();
        data_->exif = image->exifData();
    } catch (const std::exception&) {
        data_->exif.clear();
    }
    return !data_->exif.empty();
}

bool texifsource::Empty() const {
    return data_->exif.empty();
}

bool texifsource::AddTo(QByteArray& jpeg, int width, int height, QString* error) const {
    if (data_->exif.empty()) return false;
    QuietExiv2();
    try {
        Exiv2::ExifData exif = data_->exif;
        Exiv2::ExifThumb(exif).erase();
        exif["Exif.Image.Orientation"] = std::uint16_t(1);
        exif["Exif.Photo.PixelXDimension"] = std::uint32_t(width);
        exif["Exif.Photo.PixelYDimension"] = std::uint32_t(height);
        // Sizes of the main picture that other tags may repeat.
        for (const char* key : {"Exif.Image.ImageWidth", "Exif.Image.ImageLength"}) {
            auto it = exif.findKey(Exiv2::ExifKey(key));
            if (it != exif.end()) exif.erase(it);
        }
        Exiv2::Image::AutoPtr image = OpenBytes(jpeg);
        if (image.get() == nullptr) return false;
        image->readMetadata();
        image->setExifData(exif);
        image->writeMetadata();
        Exiv2::BasicIo& io = image->io();
        io.open();
        const long size = io.size();
        QByteArray out(int(size), Qt::Uninitialized);
        io.seek(0, Exiv2::BasicIo::beg);
        const long read = io.read(reinterpret_cast<Exiv2::byte*>(out.data()), size);
        io.close();
        if (read != size) return false;
        jpeg = std::move(out);
        return true;
    } catch (const std::exception& e) {
        if (error) *error = QString::fromLocal8Bit(e.what());
        return false;
    }
}

QString ExifTagText(const QByteArray& jpeg, const char* key) {
    QuietExiv2();
    try {
        Exiv2::Image::AutoPtr image = OpenBytes(jpeg);
        if (image.get() == nullptr) return {};
        image->readMetadata();
        const Exiv2::ExifData& exif = image->exifData();
        auto it = exif.findKey(Exiv2::ExifKey(key));
        return it == exif.end() ? QString() : QString::fromStdString(it->toString());
    } catch (const std::exception&) {
        return {};
    }
}

bool ExifHasThumbnail(const QByteArray& jpeg) {
    QuietExiv2();
    try {
        Exiv2::Image::AutoPtr image = OpenBytes(jpeg);
        if (image.get() == nullptr) return false;
        image->readMetadata();
        Exiv2::ExifThumbC thumb(image->exifData());
        return thumb.copy().size_ != 0;
    } catch (const std::exception&) {
        return false;
    }
}

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
