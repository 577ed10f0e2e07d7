// One drawing of the two views shared by the outputs of a save pass.
#include "output/shareddrawing.h"

#include "core/stereokinds.h"
#include "engine/bitmapops.h"
#include "engine/halfsize.h"
#include "output/extrakinds.h"

#include <algorithm>
#include <new>

namespace {

bool Has(const std::vector<int>& kinds, int kind) {
    return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

// The kinds made from the two views at the pass's size.
bool FromViews(int kind) {
    switch (kind) {
    case KindCrossed:
    case KindParallel:
    case KindOverUnder:
    case KindAnaglyph:
    case KindDouble:
    case KindLeft:
    case KindRight:
    case KindMpo:
    case KindHsbs:
    case KindHou:
        return true;
    default:
        return false;
    }
}

// The columns [x, x + width) of a picture.
ImageView Columns(const ImageView& v, int x, int width) {
    ImageView w = v;
    w.data = v.data + std::ptrdiff_t(x) * BytesPerPixel(v.format);
    w.width = width;
    return w;
}

bool Fresh(EngineBitmap& b, int width, int height, PixelFormat format) {
    try {
        b.Resize(width, height, format);
        return true;
    } catch (const std::bad_alloc&) {
        b = EngineBitmap();
        return false;
    }
}

// The rows [y, y + height) of a picture.
ImageView Rows(const ImageView& v, int y, int height) {
    ImageView w = v;
    w.data = v.Row(y);
    w.height = height;
    return w;
}

} // namespace

struct tshareddrawing::tdrawn {
    tcommonframe frame;
    tcomposition c; // the layout's composition; kind is the layout
    EngineBitmap bitmap;
    int leftX = 0; // first column of each view's cell
    int rightX = 0;

    bool Fits(const tcommonframe& f, const tcomposition& o) const {
        return SameFrame(frame, f) && o.W == c.W && o.H == c.H && o.m == c.m &&
               o.centre == c.centre && o.bits24 == c.bits24 &&
               (o.S == c.S || (o.kind != KindCrossed && o.kind != KindParallel &&
                               o.kind != KindDouble && o.kind != KindOverUnder));
    }
    ImageView Cell(int x) const { return Columns(bitmap.View(), x, c.W); }
};

tshareddrawing::tshareddrawing(const std::vector<int>& kinds) {
    const auto shared = std::count_if(kinds.begin(), kinds.end(), FromViews);
    if (shared < 2) return;
    otherSizes_ = std::any_of(kinds.begin(), kinds.end(),
                              [](int k) { return FromViews(k) && k != KindHsbs && k != KindHou; });
    if (Has(kinds, KindDouble) || (Has(kinds, KindCrossed) && Has(kinds, KindParallel)))
        layout_ = KindDouble;
    else if (Has(kinds, KindCrossed))
        layout_ = KindCrossed;
    else
        layout_ = KindParallel;
}

bool tshareddrawing::Shared(const timg& left, const timg& right, const tcommonframe& frame,
                            const tcomposition& c, const tdrawn*& drawn) {
    // The pairs side by side are windows on the drawing only when its layout
    // holds them.
    const bool held = c.kind == KindDouble     ? layout_ == KindDouble
                      : c.kind == KindCrossed  ? layout_ != KindParallel
                      : c.kind == KindParallel ? layout_ != KindCrossed
                                               : true;
    if (!layout_ || !FromViews(c.kind) || !held) return false;
    std::lock_guard<std::mutex> lock(mutex_);
    // The halved frames have a size of their own: the drawing is made at the
    // size of the pass's other kinds when it has any.
    const bool ownSize = c.kind == KindHsbs || c.kind == KindHou;
    if (!drawn_ && !failed_ && !(ownSize && otherSizes_)) {
        auto d = std::make_shared<tdrawn>();
        d->frame = frame;
        d->c = c;
        d->c.kind = layout_;
        d->c.mixed = false;
        const int P = c.W + c.S;
        d->leftX = layout_ == KindCrossed ? P : 0;
        d->rightX = layout_ == KindCrossed ? 0 : P;
        // Beyond the picture budget or the memory, each output draws alone.
        if (ComposeKind(left, right, frame, d->c, d->bitmap))
            drawn_ = std::move(d);
        else
            failed_ = true;
    }
    if (!drawn_ || !drawn_->Fits(frame, c)) return false;
    drawn = drawn_.get();
    return true;
}

bool tshareddrawing::Draw(const timg& left, const timg& right, const tcommonframe& frame,
                          const tcomposition& c, AnaglyphMethod method, toutputpicture& out) {
    out = toutputpicture();
    const tdrawn* d = nullptr;
    if (!Shared(left, right, frame, c, d)) {
        if (c.kind == KindMpo) {
            if (!ComposeViewPair(left, right, frame, c, out.own, out.ownSecond)) return false;
            out.second = out.ownSecond.View();
        } else if (!ComposeOutputKind(left, right, frame, c, method, out.own)) {
            return false;
        }
        out.first = out.own.View();
        return true;
    }
    const ImageView all = d->bitmap.View();
    const ImageView l = d->Cell(d->leftX), r = d->Cell(d->rightX);
    const int W = c.W, H = c.H, P = c.W + c.S;
    const PixelFormat format = all.format;
    switch (c.kind) {
    case KindLeft:
        out.first = l;
        return true;
    case KindRight:
        out.first = r;
        return true;
    case KindMpo:
        out.first = l;
        out.second = r;
        return true;
    case KindParallel:
        out.first = Columns(all, 0, 2 * W + c.S);
        return true;
    case KindCrossed:
        out.first = Columns(all, layout_ == KindDouble ? P : 0, 2 * W + c.S);
        return true;
    case KindDouble:
        out.first = all;
        return true;
    default:
        break;
    }
    // The kinds of a picture of their own, made from the views.
    const int height = c.kind == KindOverUnder ? 2 * H + c.S : H;
    if (!Fresh(out.own, W, height, format)) return false;
    const ImageView dst = out.own.View();
    switch (c.kind) {
    case KindOverUnder: // right view on top
        CopyBitmap(r, Rows(dst, 0, H));
        CopyBitmap(l, Rows(dst, H + c.S, H));
        break;
    case KindAnaglyph:
        MixAnaglyph(l, r, dst, method);
        break;
    case KindHsbs:
        HalveColumnsInto(l, dst, 0);
        HalveColumnsInto(r, dst, W / 2);
        break;
    case KindHou:
        HalveRowsInto(l, dst, 0);
        HalveRowsInto(r, dst, H / 2);
        break;
    default:
        return false;
    }
    out.first = dst;
    return true;
}
