// Column and row halving by averaging pairs: (a + b + 1) / 2 rounds halves up.
#include "engine/halfsize.h"

#include <algorithm>

bool HalveColumnsInto(const ImageView& src, const ImageView& dst, int x0) {
    if (src.Empty() || dst.Empty() || src.format != dst.format || x0 < 0) return false;
    const int bpp = BytesPerPixel(src.format);
    const int cols = std::min(src.width / 2, dst.width - x0);
    const int rows = std::min(src.height, dst.height);
    for (int y = 0; y < rows; ++y) {
        const std::uint8_t* s = src.Row(y);
        std::uint8_t* d = dst.Row(y) + std::ptrdiff_t(x0) * bpp;
        for (int i = 0; i < cols; ++i, s += 2 * bpp, d += bpp)
            for (int c = 0; c < bpp; ++c) d[c] = std::uint8_t((s[c] + s[c + bpp] + 1) >> 1);
    }
    return true;
}

bool HalveRowsInto(const ImageView& src, const ImageView& dst, int y0) {
    if (src.Empty() || dst.Empty() || src.format != dst.format || y0 < 0) return false;
    const int bpp = BytesPerPixel(src.format);
    const int rows = std::min(src.height / 2, dst.height - y0);
    const int bytes = std::min(src.width, dst.width) * bpp;
    for (int j = 0; j < rows; ++j) {
        const std::uint8_t* a = src.Row(2 * j);
        const std::uint8_t* b = src.Row(2 * j + 1);
        std::uint8_t* d = dst.Row(y0 + j);
        for (int k = 0; k < bytes; ++k) d[k] = std::uint8_t((a[k] + b[k] + 1) >> 1);
    }
    return true;
}
