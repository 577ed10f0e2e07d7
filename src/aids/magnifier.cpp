// The magnifier's picture: a four-times enlargement of the followed point's
// neighbourhood through the smoothing engine, with the cross-hair over it.
#include "aids/magnifier.h"

#include "aids/precisbitmaps.h"
#include "core/freetexts.h"
#include "core/qimageview.h"
#include "core/timg.h"
#include "engine/transform.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// The settings file keeps the size within these bounds; a window built from
// another caller's value stays within them too.
constexpr int kMinSize = 16;
constexpr int kMaxSize = 4096;

// Teal and red marker colours, red in bits 0-7, and the same as pixel words.
constexpr unsigned kTeal = 0x808000;
constexpr std::uint32_t kTealPixel = 0xFF008080;
constexpr std::uint32_t kRedPixel = 0xFFFF0000;

// Lays the cross-hair over the picture with OR (white marks) or AND (black
// marks), clipped to the picture; alpha stays opaque.
void DrawCrossHair(QImage& dst, const QImage& mark, QPoint origin, bool useOr) {
    if (mark.isNull()) return;
    const QImage src =
        mark.format() == QImage::Format_RGB32 || mark.format() == QImage::Format_ARGB32
            ? mark
            : mark.convertToFormat(QImage::Format_RGB32);
    for (int my = 0; my < src.height(); ++my) {
        const int y = origin.y() + my;
        if (y < 0 || y >= dst.height()) continue;
        const auto* in = reinterpret_cast<const std::uint32_t*>(src.constScanLine(my));
        auto* out = reinterpret_cast<std::uint32_t*>(dst.scanLine(y));
        for (int mx = 0; mx < src.width(); ++mx) {
            const int x = origin.x() + mx;
            if (x < 0 || x >= dst.width()) continue;
            const std::uint32_t m = in[mx] | 0xFF000000u;
            out[x] = useOr ? (out[x] | m) : (out[x] & m);
        }
    }
}

} // namespace

int ZoomSizeUp(int size) {
    switch (size) {
    case 150:
        return 201;
    case 201:
        return 252;
    case 252:
        return 300;
    default:
        return 150;
    }
}

int ZoomSizeDown(int size) {
    switch (size) {
    case 201:
        return 150;
    case 252:
        return 201;
    case 300:
        return 252;
    default:
        return 300;
    }
}

QString ZoomLabelText(bool leftView) {
    return FreeText(leftView ? "ViewLeft" : "ViewRight");
}

unsigned ZoomLabelColor(bool leftView) {
    return leftView ? 0x0000FFu : kTeal;
}

tmagnifier::tmagnifier() {
    Resize(150);
}

void tmagnifier::Resize(int size) {
    Size = std::clamp(size, kMinSize, kMaxSize);
    if (ZoomBitmap.width() != Size || ZoomBitmap.height() != Size)
        ZoomBitmap = QImage(Size, Size, QImage::Format_ARGB32);
    ZoomBitmap.fill(0xFF000000u);
    Centre = QPoint(Size / 2, Size / 2);
    Offset = QPoint(static_cast<int>(std::trunc(Centre.x() * Step)),
                    static_cast<int>(std::trunc(Centre.y() * Step)));
}

bool tmagnifier::ZoomAt(const tviewslot& slot, double x, double y, unsigned markerColor) {
    Slot = slot;
    // A point that is no number would poison the engine's fixed-point steps.
    X = std::isfinite(x) ? x : 0;
    Y = std::isfinite(y) ? y : 0;
    return Redraw(markerColor);
}

bool tmagnifier::Redraw(unsigned markerColor) {
    if (!Slot.img) return false;
    const timg& v = *Slot.img;
    const ImageView src = ReadView(v.bitmap);
    if (src.Empty()) return false;

    ZoomBitmap.fill(0xFF000000u);
    const ImageView dst = WritableView(ZoomBitmap);
    // Magnified pixel (x, y) shows (X, Y) + R(rot)(Step x - a.x, Step y - a.y):
    // the followed point sits at 4a, within four pixels of the centre.
    BmpTransformSmooth(src, dst, src.Bounds(), dst.Bounds(), X, Y, Offset.x() - X, Offset.y() - Y,
                       0, 0, v.rot, Step, 0, 0xFFFFFF, 0);

    const bool teal = markerColor == kTeal;
    DrawCrossHair(ZoomBitmap, teal ? BmpPrecisB : BmpPrecisN, CrossHairOrigin(), teal);
    ZoomBitmap.setPixel(Centre, teal ? kTealPixel : kRedPixel);
    return true;
}
