// Limits that protect the loaders from pictures too large to hold.
#pragma once

#include <cstdint>

// 2^28 pixels (16384 x 16384, 1 GiB at 32 bits): far above any stereo
// photograph (an 8000 x 6000 double composite is 1.4 * 10^8 pixels), far
// below what a forged header can claim.
constexpr std::int64_t kMaxPicturePixels = std::int64_t(1) << 28;

// True when a picture of this size may be allocated.
inline bool PictureSizeAllowed(std::int64_t width, std::int64_t height) {
    // Divided rather than multiplied: forged sizes overflow any product.
    return width > 0 && height > 0 && width <= kMaxPicturePixels &&
           height <= kMaxPicturePixels / width;
}
