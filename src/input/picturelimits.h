// Limits that protect the loaders from pictures too large to hold.
#pragma once

#include <cstdint>

// The memory budget of one picture, one view and one output bitmap: 2^27
// pixels (16384 x 8192, 512 MiB at 32 bits). An 8000 x 6000 pair and its
// side-by-side composite fit; two views and an output at the limit stay
// under 2 GB together, whatever a forged header or an option claims.
constexpr std::int64_t kMaxPicturePixels = std::int64_t(1) << 27;

// True when a picture of this size may be allocated.
inline bool PictureSizeAllowed(std::int64_t width, std::int64_t height) {
    // Divided rather than multiplied: forged sizes overflow any product.
    return width > 0 && height > 0 && width <= kMaxPicturePixels &&
           height <= kMaxPicturePixels / width;
}
