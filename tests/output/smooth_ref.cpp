// The reference smoothed resampling: every destination pixel's source
// position computed on its own from the row and column index, then the
// border rule or the 3x3 kernel of its third-of-a-pixel cell.
#include "smooth_ref.h"

#include <algorithm>
#include <cmath>

namespace {

// Weights of the nine cells, rows above, own, below; each sums to 32.
const int kKernels[9][9] = {
    {2, 7, 0, 7, 16, 0, 0, 0, 0}, {1, 8, 1, 3, 16, 3, 0, 0, 0},     {0, 7, 2, 0, 16, 7, 0, 0, 0},
    {1, 3, 0, 8, 16, 0, 1, 3, 0}, {-1, 1, -1, 1, 32, 1, -1, 1, -1}, {0, 3, 1, 0, 16, 8, 0, 3, 1},
    {0, 0, 0, 7, 16, 0, 2, 7, 0}, {0, 0, 0, 3, 16, 3, 1, 8, 1},     {0, 0, 0, 0, 16, 7, 0, 7, 2},
};

long long RoundEven(long double v) {
    return static_cast<long long>(std::nearbyintl(v));
}

std::uint32_t Px(const QImage& img, int x, int y) {
    return reinterpret_cast<const std::uint32_t*>(img.constScanLine(y))[x];
}

} // namespace

void ReferenceSmooth(const QImage& src, QImage& dst, int left, int top, int right, int bottom,
                     double centreX, double centreY, double shiftX, double shiftY, double angle,
                     double scale, std::uint32_t writeMask, std::uint32_t keepMask) {
    const int W = src.width();
    const int H = src.height();
    if (W <= 0 || H <= 0) return;
    const long double c = std::cos(static_cast<long double>(angle));
    const long double s = std::sin(static_cast<long double>(angle));
    const long long Csx = RoundEven(c * (static_cast<long double>(scale) * 65535));
    const long long Snx = RoundEven(s * (static_cast<long double>(scale) * 65535));
    const long double u = -static_cast<long double>(centreX) - shiftX;
    const long double v = -static_cast<long double>(centreY) - shiftY;
    const long long U0 = RoundEven((centreX + u * c - v * s) * 65535) + 21845;
    const long long V0 = RoundEven((centreY + u * s + v * c) * 65535) + 21845;
    const bool red = (writeMask & 0xFF0000) == 0xFF0000;
    const bool green = (writeMask & 0x00FF00) == 0x00FF00;
    const bool blue = (writeMask & 0x0000FF) == 0x0000FF;
    for (int y = std::max(top, 0); y <= std::min(bottom, dst.height() - 1); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(dst.scanLine(y));
        for (int x = std::max(left, 0); x <= std::min(right, dst.width() - 1); ++x) {
            const long long i = x - left;
            const long long j = y - top;
            const long long U = U0 + i * Csx - j * Snx;
            const long long V = V0 + i * Snx + j * Csx;
            const long long px = U / 65535;
            const long long py = V / 65535;
            const std::uint32_t old = row[x];
            if (px < 0 || py < 0 || px > W - 1 || py > H - 1) {
                // Black background; its alpha is 0 as well.
                row[x] = (old & keepMask) | (0u & writeMask);
                continue;
            }
            const std::uint32_t sp = Px(src, int(px), int(py));
            if (px == 0 || py == 0 || px == W - 1 || py == H - 1) {
                row[x] = (sp & writeMask) | (old & keepMask);
                continue;
            }
            const int cx = static_cast<int>((U / 21845) % 3);
            const int cy = static_cast<int>((V / 21845) % 3);
            const int* k = kKernels[3 * cy + cx];
            std::uint32_t out = old;
            for (int shift : {16, 8, 0}) {
                if ((shift == 16 && !red) || (shift == 8 && !green) || (shift == 0 && !blue))
                    continue;
                int sum = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        sum += k[(dy + 1) * 3 + dx + 1] *
                               int((Px(src, int(px) + dx, int(py) + dy) >> shift) & 0xFF);
                const int value = std::clamp(sum / 32, 0, 255);
                out = (out & ~(0xFFu << shift)) | (std::uint32_t(value) << shift);
            }
            row[x] = out;
        }
    }
}
