// Engine views of QImage pixels.
#include "core/qimageview.h"

#include <cstring>

namespace {

ImageView ViewOver(const QImage& image, std::uint8_t* bits) {
    ImageView v;
    if (image.isNull() || !IsEngineFormat(image.format()) || bits == nullptr) return v;
    v.data = bits;
    v.width = image.width();
    v.height = image.height();
    v.stride = image.bytesPerLine();
    v.format = image.format() == QImage::Format_BGR888 ? PixelFormat::Bgr24 : PixelFormat::Bgra32;
    return v;
}

} // namespace

bool IsEngineFormat(QImage::Format format) {
    return format == QImage::Format_ARGB32 || format == QImage::Format_RGB32 ||
           format == QImage::Format_BGR888;
}

ImageView WritableView(QImage& image) {
    if (image.isNull() || !IsEngineFormat(image.format())) return {};
    return ViewOver(image, image.bits());
}

ImageView ReadView(const QImage& image) {
    // The engine's views carry writable pointers; a source is only read.
    return ViewOver(image, const_cast<std::uint8_t*>(image.constBits()));
}

QImage ToQImage(const EngineBitmap& bitmap) {
    if (bitmap.Empty()) return QImage();
    const bool is24 = bitmap.Format() == PixelFormat::Bgr24;
    QImage image(bitmap.Width(), bitmap.Height(),
                 is24 ? QImage::Format_BGR888 : QImage::Format_ARGB32);
    if (image.isNull()) return image; // out of memory
    const ImageView src = bitmap.View();
    const std::size_t bytes = std::size_t(bitmap.Width()) * BytesPerPixel(bitmap.Format());
    for (int y = 0; y < bitmap.Height(); ++y) std::memcpy(image.scanLine(y), src.Row(y), bytes);
    return image;
}
