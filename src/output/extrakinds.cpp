// The added kinds, built from the single-view compositions and the engine's
// halving and anaglyph mixing.
#include "output/extrakinds.h"

#include "core/stereokinds.h"
#include "engine/halfsize.h"

#include <new>

namespace {

void MixInto(const void* method, const std::uint8_t* first, const std::uint8_t* drawn,
             std::uint8_t* dst, int n, int bpp) {
    const AnaglyphMethod m = *static_cast<const AnaglyphMethod*>(method);
    if (first)
        MixAnaglyphRows(m, first, drawn, dst, n);
    else
        MixAnaglyphRow(m, drawn, dst, n, bpp);
}

} // namespace

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
        // The left view drawn whole, then each row of the right view mixed
        // into it as it is drawn.
        const RowCombine rows{MixInto, &method};
        tcomposition mixed = c;
        mixed.rightRows = &rows;
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
