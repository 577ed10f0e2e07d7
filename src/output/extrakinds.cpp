// The added kinds, built from the single-view compositions and the engine's
// halving and anaglyph mixing.
#include "output/extrakinds.h"

#include "core/stereokinds.h"
#include "engine/halfsize.h"

#include <new>

QSize AnyOutputSize(int kind, int W, int H, int S) {
    if (kind == KindMpo || kind == KindHsbs || kind == KindHou)
        return W > 0 && H > 0 ? QSize(W, H) : QSize();
    return OutputBitmapSize(kind, W, H, S);
}

bool ComposeViewPair(const timg& left, const timg& right, const tcommonframe& frame,
                     const tcomposition& c, EngineBitmap& leftOut, EngineBitmap& rightOut) {
    tcomposition one = c;
    one.kind = KindLeft;
    if (!ComposeKind(left, right, frame, one, leftOut)) return false;
    one.kind = KindRight;
    if (!ComposeKind(left, right, frame, one, rightOut)) {
        leftOut = EngineBitmap();
        return false;
    }
    return true;
}

bool ComposeOutputKind(const timg& left, const timg& right, const tcommonframe& frame,
                       const tcomposition& c, AnaglyphMethod method, EngineBitmap& out) {
    if (c.kind == KindAnaglyph && method != AnaglyphMethod::Colour) {
        // The left view drawn whole, then the right view mixed into it as it
        // is drawn.
        tcomposition mixed = c;
        mixed.mixed = true;
        mixed.method = method;
        return ComposeKind(left, right, frame, mixed, out);
    }
    if (c.kind != KindHsbs && c.kind != KindHou) return ComposeKind(left, right, frame, c, out);
    out = EngineBitmap();
    EngineBitmap l, r;
    if (!ComposeViewPair(left, right, frame, c, l, r)) return false;
    try {
        out.Resize(c.W, c.H, l.Format());
    } catch (const std::bad_alloc&) {
        out = EngineBitmap();
        return false;
    }
    const ImageView dst = out.View();
    if (c.kind == KindHsbs) {
        HalveColumnsInto(l.View(), dst, 0);
        HalveColumnsInto(r.View(), dst, c.W / 2);
    } else {
        HalveRowsInto(l.View(), dst, 0);
        HalveRowsInto(r.View(), dst, c.H / 2);
    }
    return true;
}
