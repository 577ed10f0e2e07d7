// Owned bitmaps of the engine.
#include "engine/imageview.h"

void EngineBitmap::Resize(int width, int height, PixelFormat format) {
    if (width <= 0 || height <= 0) {
        width = 0;
        height = 0;
    }
    const std::size_t bytes =
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * BytesPerPixel(format);
    std::vector<std::uint8_t> fresh(bytes, 0);
    pixels_.swap(fresh);
    width_ = width;
    height_ = height;
    format_ = format;
}

ImageView EngineBitmap::View() {
    ImageView v;
    v.data = pixels_.empty() ? nullptr : pixels_.data();
    v.width = width_;
    v.height = height_;
    v.stride = Stride();
    v.format = format_;
    return v;
}

ImageView EngineBitmap::View() const {
    return const_cast<EngineBitmap*>(this)->View();
}
