// Quarter turns, mirrors and reduction of a view: the picture through the
// image engine, the points by the same geometry.
#include "core/viewops.h"

#include "core/qimageview.h"
#include "engine/bitmapops.h"
#include "engine/transform.h"

#include <cmath>
#include <limits>

namespace {

// The last point that follows the picture; 13 is a spare that never moves.
constexpr int kLastMovedPoint = 12;

// Views hold 32-bit pictures; anything else is brought to that first.
bool Ensure32(QImage& image) {
    if (image.isNull() || image.format() == QImage::Format_ARGB32 ||
        image.format() == QImage::Format_RGB32)
        return true;
    QImage converted = image.convertToFormat(QImage::Format_ARGB32);
    if (converted.isNull()) return false;
    image = converted;
    return true;
}

template <typename Move> void MovePoints(timg& view, Move move) {
    for (int i = 0; i <= kLastMovedPoint; ++i) {
        trealpoint& p = view.pt[i];
        if (p.d) move(p.x, p.y);
    }
}

int Degrees360(int a) {
    return ((a % 360) + 360) % 360;
}

// The picture of a view is its file's picture turned by `autorot`, then
// mirrored by `mirror` (the order loading applies them and restoring undoes
// them). A quarter turn of a mirrored picture equals the other mirror of the
// turned picture, so the mirror bit changes kind with odd turns.
void TurnAndCount(timg& view, int quarters) {
    if (!TurnView(view, quarters)) return;
    view.autorot = Degrees360(view.autorot + 90 * quarters);
    if (quarters % 2 == 1 && (view.mirror == MirrorRows || view.mirror == MirrorColumns))
        view.mirror ^= MirrorRows | MirrorColumns;
}

void ToggleMirror(timg& view, int bit) {
    if (!MirrorView(view, bit)) return;
    view.mirror ^= bit;
    if (view.mirror == (MirrorRows | MirrorColumns)) {
        // Both mirrors at once are a half turn: keep them as one.
        view.mirror = 0;
        view.autorot = Degrees360(view.autorot + 180);
    }
}

} // namespace

bool TurnPicture(QImage& picture, int quarters) {
    quarters = ((quarters % 4) + 4) % 4;
    if (quarters == 0 || picture.isNull()) return true;
    if (!Ensure32(picture)) return false;
    if (quarters == 2) {
        TurnBitmap180(WritableView(picture));
        return true;
    }
    QImage turned(picture.height(), picture.width(), picture.format());
    if (turned.isNull()) return false;
    const ImageView src = ReadView(picture);
    const ImageView dst = WritableView(turned);
    const bool done = quarters == 1 ? TurnBitmapCWInto(src, dst) : TurnBitmapCCWInto(src, dst);
    if (!done) return false;
    picture = turned;
    return true;
}

bool MirrorPicture(QImage& picture, int bits) {
    bits &= MirrorRows | MirrorColumns;
    if (bits == 0 || picture.isNull()) return true;
    if (!Ensure32(picture)) return false;
    const ImageView v = WritableView(picture);
    if (bits == (MirrorRows | MirrorColumns))
        TurnBitmap180(v);
    else if (bits == MirrorRows)
        FlipBitmapV(v);
    else
        MirrorBitmapH(v);
    return true;
}

bool TurnView(timg& view, int quarters) {
    quarters = ((quarters % 4) + 4) % 4;
    const double W = view.bitmap.width();
    const double H = view.bitmap.height();
    if (!TurnPicture(view.bitmap, quarters)) return false;
    switch (quarters) {
    case 1:
        MovePoints(view, [&](double& x, double& y) {
            const double t = x;
            x = H - y;
            y = t;
        });
        break;
    case 2:
        MovePoints(view, [&](double& x, double& y) {
            x = W - x;
            y = H - y;
        });
        break;
    case 3:
        MovePoints(view, [&](double& x, double& y) {
            const double t = x;
            x = y;
            y = W - t;
        });
        break;
    }
    return true;
}

bool MirrorView(timg& view, int bits) {
    bits &= MirrorRows | MirrorColumns;
    const double W = view.bitmap.width();
    const double H = view.bitmap.height();
    if (!MirrorPicture(view.bitmap, bits)) return false;
    MovePoints(view, [&](double& x, double& y) {
        if (bits & MirrorRows) y = H - y;
        if (bits & MirrorColumns) x = W - x;
    });
    return true;
}

void TurnPair(timg& left, timg& right, int code) {
    if (code < TurnQuarterCW || code > TurnQuarterCCW) {
        RestoreOrientation(left);
        RestoreOrientation(right);
        return;
    }
    TurnAndCount(left, code);
    TurnAndCount(right, code);
}

void TurnCurrent(timg& current, int code) {
    if (code >= TurnQuarterCW && code <= TurnQuarterCCW)
        TurnAndCount(current, code);
    else if (code == MirrorRows || code == MirrorColumns)
        ToggleMirror(current, code);
    else
        RestoreOrientation(current);
}

void RestoreOrientation(timg& view) {
    // Only the codes a view can carry mean a mirror; anything else read from
    // a damaged file was never applied to the picture either.
    const int m = view.mirror;
    const bool known = m == MirrorRows || m == MirrorColumns || m == (MirrorRows | MirrorColumns);
    if (known && !MirrorView(view, m)) return;
    view.mirror = 0;
    // Undo the turns: a quarter turn clockwise is undone by three more.
    const int a = Degrees360(view.autorot) / 90;
    if (a != 0 && !TurnView(view, 4 - a)) return;
    view.autorot = 0;
}

bool ReduceView(timg& view, double f) {
    if (!(f > 0) || !std::isfinite(f)) return false;
    const double w = std::trunc(view.bitmap.width() / f);
    const double h = std::trunc(view.bitmap.height() / f);
    if (w > std::numeric_limits<int>::max() || h > std::numeric_limits<int>::max()) return false;
    QImage reduced;
    if (w >= 1 && h >= 1) {
        if (!Ensure32(view.bitmap)) return false;
        reduced = NewViewBitmap(int(w), int(h));
        if (reduced.isNull()) return false;
        const ImageView src = ReadView(view.bitmap);
        const ImageView dst = WritableView(reduced);
        BmpTransformSmooth(src, dst, src.Bounds(), dst.Bounds(), 0, 0, 0, 0, 0, 0, 0, f, 0x000000,
                           0xFFFFFF, 0);
    }
    view.bitmap = reduced;
    for (trealpoint& p : view.pt) {
        p.x /= f;
        p.y /= f;
    }
    return true;
}
