// Shared pieces of the resampling routines: the fixed-point mapping from a
// destination pixel back into the source, the destination clipping and the
// pixel word helpers. Internal to the engine.
#pragma once

#include "engine/imageview.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace engine_detail {

// Source positions are fixed point with a unit of 65535 rather than 65536 so
// that a third of a pixel (21845) is a whole number: the smoothing kernels
// pick their sub-cell with one more division by 21845.
// Bit budget: a position of up to 2^31 pixels times 65535 needs 47 bits, and
// a row of 2^31 steps of a per-pixel increment of a few times 65535 stays far
// below 2^62, so signed 64-bit accumulators add up exactly with no rounding
// anywhere; 32 bits would wrap beyond 32768 pixels.
constexpr std::int64_t kUnit = 65535;
constexpr std::int64_t kThird = 21845;

// The incremental mapping: the accumulators of destination pixel (x, y) are
//   U = U0 + (x - OriginX) * Csx - (y - OriginY) * Snx
//   V = V0 + (x - OriginX) * Snx + (y - OriginY) * Csx
// which is exactly what stepping pixel by pixel and row by row gives, so the
// rows can start anywhere (and on any thread).
struct Mapping {
    std::int64_t Csx = 0;
    std::int64_t Snx = 0;
    std::int64_t U0 = 0;
    std::int64_t V0 = 0;
    int OriginX = 0;
    int OriginY = 0;
    // False when the parameters are not finite or the positions would not fit
    // the 64-bit accumulators; every pixel is then outside the picture.
    bool Valid = false;

    std::int64_t U(int x, int y) const {
        return U0 + static_cast<std::int64_t>(x - OriginX) * Csx -
               static_cast<std::int64_t>(y - OriginY) * Snx;
    }
    std::int64_t V(int x, int y) const {
        return V0 + static_cast<std::int64_t>(x - OriginX) * Snx +
               static_cast<std::int64_t>(y - OriginY) * Csx;
    }
};

// The destination pixels a call draws: columns X0..X1, rows Y0..Y1 (empty
// when X1 < X0 or Y1 < Y0), all inside the destination.
struct DrawArea {
    int X0 = 0, X1 = -1, Y0 = 0, Y1 = -1;
    bool Empty() const { return X1 < X0 || Y1 < Y0; }
};

// Clips DstRect to the destination. With skipRowsAbove the mapping's first
// row is the first drawn row (the export routine walks the destination rows
// and advances its accumulators only on the rows it draws).
DrawArea ClipArea(const ImageView& dst, const EngineRect& rect, bool skipRowsAbove, int& originX,
                  int& originY);

Mapping MakeMapping(double CentreX, double CentreY, double ShiftX, double ShiftY, double PostShiftX,
                    double PostShiftY, double Angle, double Scale, int originX, int originY,
                    const DrawArea& area);

// Background colour (red in bits 0-7) as a pixel word with alpha 0.
inline std::uint32_t BackPixel(std::uint32_t colour) {
    return ((colour & 0xFFu) << 16) | (colour & 0xFF00u) | ((colour >> 16) & 0xFFu);
}

// The colour bytes a write mask selects: a channel is written only when its
// whole byte is in the mask.
inline std::uint32_t ChannelBytes(std::uint32_t writeMask) {
    std::uint32_t m = 0;
    if ((writeMask & 0xFF0000u) == 0xFF0000u) m |= 0xFF0000u;
    if ((writeMask & 0x00FF00u) == 0x00FF00u) m |= 0x00FF00u;
    if ((writeMask & 0x0000FFu) == 0x0000FFu) m |= 0x0000FFu;
    return m;
}

inline std::uint32_t Load32(const std::uint8_t* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
inline void Store32(std::uint8_t* p, std::uint32_t v) {
    std::memcpy(p, &v, 4);
}

inline std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if (a % b != 0 && ((a < 0) != (b < 0))) --q;
    return q;
}

inline std::int64_t CeilDiv(std::int64_t a, std::int64_t b) {
    return -FloorDiv(-a, b);
}

// The pixels i of [from, to) whose accumulator A + i * dA lies in [lo, hi).
// The accumulator is linear in i, so they form one run.
inline void Run(std::int64_t A, std::int64_t dA, std::int64_t lo, std::int64_t hi, int& from,
                int& to) {
    std::int64_t a, b;
    if (lo >= hi) {
        a = 0, b = 0;
    } else if (dA == 0) {
        a = std::int64_t(from), b = std::int64_t(to);
        if (A < lo || A >= hi) b = a;
    } else if (dA > 0) {
        a = CeilDiv(lo - A, dA);
        b = FloorDiv(hi - 1 - A, dA) + 1;
    } else {
        a = CeilDiv(hi - 1 - A, dA);
        b = FloorDiv(lo - A, dA) + 1;
    }
    const std::int64_t f = std::max<std::int64_t>(a, from);
    const std::int64_t t = std::min<std::int64_t>(b, to);
    if (f >= t) {
        to = from;
    } else {
        from = int(f);
        to = int(t);
    }
}

} // namespace engine_detail
