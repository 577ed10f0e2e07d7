// Slow reference drawing for the display composition tests.
#include "compose_ref.h"

#include <algorithm>
#include <cmath>

void RefDrawView(QImage& out, const timg& view, const tscreenrect& rect, double shiftX,
                 double shiftY, double scale, unsigned writeMask, unsigned keepMask, RefOp op,
                 int dstWeight, int srcWeight) {
    const double cx = view.CentreX(), cy = view.CentreY();
    const double c = std::cos(view.rot), s = std::sin(view.rot);
    for (int y = std::max(rect.top, 0); y <= std::min(rect.bottom, out.height() - 1); ++y) {
        for (int x = std::max(rect.left, 0); x <= std::min(rect.right, out.width() - 1); ++x) {
            const double u = scale * (x - rect.left) - cx - shiftX;
            const double v = scale * (y - rect.top) - cy - shiftY;
            const double sx = cx + u * c - v * s;
            const double sy = cy + u * s + v * c;
            // A third of a pixel of bias, then truncation toward zero.
            const long long U = std::llrint(sx * 65535) + 21845;
            const long long V = std::llrint(sy * 65535) + 21845;
            const long long px = U / 65535, py = V / 65535;
            unsigned& d = reinterpret_cast<unsigned*>(out.scanLine(y))[x];
            if (px < 0 || py < 0 || px >= view.Width() || py >= view.Height()) {
                d &= keepMask; // black background through the write mask
                continue;
            }
            const unsigned sp = view.bitmap.pixel(int(px), int(py));
            unsigned result = d;
            for (int shift : {16, 8, 0}) {
                const unsigned channel = 0xFFu << shift;
                if ((writeMask & channel) != channel) continue;
                const int sv = (sp >> shift) & 0xFF, dv = (d >> shift) & 0xFF;
                int value = op == RefOp::Scale
                                ? sv * srcWeight / 256
                                : std::min((dstWeight * dv + srcWeight * sv) / 256, 255);
                result = (result & ~channel) | (unsigned(value) << shift);
            }
            d = result;
        }
    }
}
