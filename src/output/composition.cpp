// Output composition: the layout table of the kinds and the drawing of the
// views through the export resampling routines.
#include "output/composition.h"

#include "input/picturelimits.h"

#include "core/qimageview.h"
#include "core/stereokinds.h"
#include "core/timg.h"
#include "engine/transform.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <new>

bool IsPictureKind(int kind) {
    return kind >= KindCrossed && kind <= KindRight;
}

QSize OutputBitmapSize(int kind, int W, int H, int S) {
    const long long w = W, h = H, s = S;
    long long width = 0, height = 0;
    switch (kind) {
    case KindCrossed:
    case KindParallel:
        width = 2 * w + s, height = h;
        break;
    case KindOverUnder:
        width = w, height = 2 * h + s;
        break;
    case KindDouble:
        width = 3 * w + 2 * s, height = h;
        break;
    case KindAnaglyph:
    case KindLeft:
    case KindRight:
        width = w, height = h;
        break;
    default:
        return {};
    }
    // A size beyond int cannot be a bitmap.
    if (width > std::numeric_limits<int>::max() || height > std::numeric_limits<int>::max())
        return {};
    return {int(width), int(height)};
}

namespace {

// Pixel-word masks: the anaglyph's left view writes red, the right view
// green and blue.
constexpr std::uint32_t kAllChannels = 0xFFFFFF;
constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kCyan = 0x00FFFF;

// A view's picture as the engine reads it; `keep` holds a 32-bit copy when
// the picture came in another layout.
ImageView ViewPixels(const QImage& picture, QImage& keep) {
    if (IsEngineFormat(picture.format()) && picture.depth() == 32) return ReadView(picture);
    keep = picture.convertToFormat(QImage::Format_ARGB32);
    return ReadView(keep);
}

tplacement Place(bool leftView, int cellX, int cellY, int W, int H, int ox, int oy,
                 std::uint32_t write = kAllChannels, std::uint32_t keep = kAllChannels) {
    return {leftView, cellX + ox, cellY + oy, write, keep, cellX + W - 1, cellY + H - 1};
}

} // namespace

std::vector<tplacement> KindPlacements(int kind, int W, int H, int S, int ox, int oy) {
    const int P = W + S;
    switch (kind) {
    case KindCrossed:
        return {Place(true, P, 0, W, H, ox, oy), Place(false, 0, 0, W, H, ox, oy)};
    case KindParallel:
        return {Place(true, 0, 0, W, H, ox, oy), Place(false, P, 0, W, H, ox, oy)};
    case KindOverUnder:
        // Right view on top, as the display's over-under mode shows it.
        return {Place(true, 0, H + S, W, H, ox, oy), Place(false, 0, 0, W, H, ox, oy)};
    case KindAnaglyph:
        return {Place(true, 0, 0, W, H, ox, oy, kRed, kCyan),
                Place(false, 0, 0, W, H, ox, oy, kCyan, kRed)};
    case KindDouble:
        return {Place(true, 0, 0, W, H, ox, oy), Place(false, P, 0, W, H, ox, oy),
                Place(true, 2 * P, 0, W, H, ox, oy)};
    case KindLeft:
        return {Place(true, 0, 0, W, H, ox, oy)};
    case KindRight:
        return {Place(false, 0, 0, W, H, ox, oy)};
    default:
        return {};
    }
}

double AdaptScale(double Fw, double Fh, int W, int H, int adapt) {
    const double rW = Fw / W;
    const double rH = Fh / H;
    if (adapt == 1) return rW;
    if (adapt == 2) return rH;
    return rW >= rH ? rW : rH;
}

int CentreOffset(int size, int scaled) {
    // C++ division truncates toward zero, as the layout wants.
    return std::abs((size - scaled) / 2);
}

namespace {

// The frame's size in output pixels (d x e) and the centring offsets; false
// when the composition has nothing to draw.
bool FrameInCell(const tcommonframe& frame, const tcomposition& c, int& d, int& e, int& ox,
                 int& oy) {
    if (c.W <= 0 || c.H <= 0 || c.S < 0 || !frame.Usable() || !(c.m > 0) || !std::isfinite(c.m))
        return false;
    d = static_cast<int>(std::min(std::trunc(frame.width / c.m), 1e9));
    e = static_cast<int>(std::min(std::trunc(frame.height / c.m), 1e9));
    ox = c.centre ? CentreOffset(c.W, d) : 0;
    oy = c.centre ? CentreOffset(c.H, e) : 0;
    return true;
}

// What the resampler reads of a view and where it draws it for a placement.
void ViewDrawing(const timg& v, const ImageView& src, const QPointF& origin, const tplacement& p,
                 int d, int e, double k, SmoothView& view, EngineRect& rect) {
    rect = EngineRect{p.x0, p.y0, std::min(p.x0 + d - 1, p.cellRight),
                      std::min(p.y0 + e - 1, p.cellBottom)};
    view.src = src;
    view.srcRect = EngineRect{0, 0, src.width - 1, src.height - 1};
    view.centreX = v.CentreX();
    view.centreY = v.CentreY();
    view.shiftX = v.posx - origin.x();
    view.shiftY = v.posy - origin.y();
    view.angle = v.rot;
    view.scale = k;
}

} // namespace

bool ComposeKind(const timg& left, const timg& right, const tcommonframe& frame,
                 const tcomposition& c, EngineBitmap& out) {
    out = EngineBitmap();
    const QSize size = OutputBitmapSize(c.kind, c.W, c.H, c.S);
    int d, e, ox, oy;
    if (!IsPictureKind(c.kind) || !FrameInCell(frame, c, d, e, ox, oy) || size.isEmpty() ||
        !PictureSizeAllowed(size.width(), size.height()))
        return false;
    try {
        out.Resize(size.width(), size.height(),
                   c.bits24 ? PixelFormat::Bgr24 : PixelFormat::Bgra32);
    } catch (const std::bad_alloc&) {
        out = EngineBitmap();
        return false;
    }
    QImage keepLeft, keepRight;
    const ImageView srcLeft = ViewPixels(left.bitmap, keepLeft);
    const ImageView srcRight = ViewPixels(right.bitmap, keepRight);
    const ImageView dst = out.View();
    const bool mixed = c.mixed && c.kind == KindAnaglyph;
    for (tplacement p : KindPlacements(c.kind, c.W, c.H, c.S, ox, oy)) {
        SmoothView v;
        EngineRect rect;
        ViewDrawing(p.leftView ? left : right, p.leftView ? srcLeft : srcRight,
                    p.leftView ? frame.left : frame.right, p, d, e, c.m, v, rect);
        if (mixed) {
            // The left view whole, then the right one mixed into it.
            if (!p.leftView) {
                BmpTransformSmoothMix(v, dst, rect, 0, c.method);
                continue;
            }
            p.writeMask = p.keepMask = kAllChannels;
        }
        if (c.bits24)
            BmpTransformSmooth24(v.src, dst, v.srcRect, rect, v.centreX, v.centreY, v.shiftX,
                                 v.shiftY, 0, 0, v.angle, v.scale, 0, p.writeMask, p.keepMask);
        else
            BmpTransformSmooth32(v.src, dst, v.srcRect, rect, v.centreX, v.centreY, v.shiftX,
                                 v.shiftY, 0, 0, v.angle, v.scale, 0, p.writeMask, p.keepMask);
    }
    return true;
}

bool tcellrows::Prepare(const timg& view, bool leftView, const tcommonframe& frame,
                        const tcomposition& c) {
    rows_.reset();
    int d, e, ox, oy;
    if (!FrameInCell(frame, c, d, e, ox, oy)) return false;
    const ImageView src = ViewPixels(view.bitmap, keep_);
    const tplacement p = KindPlacements(leftView ? KindLeft : KindRight, c.W, c.H, 0, ox, oy)[0];
    SmoothView v;
    EngineRect rect;
    ViewDrawing(view, src, leftView ? frame.left : frame.right, p, d, e, c.m, v, rect);
    rows_ = std::make_unique<SmoothRows>(v, c.W, c.H,
                                         c.bits24 ? PixelFormat::Bgr24 : PixelFormat::Bgra32, rect,
                                         0, kAllChannels, kAllChannels);
    return true;
}

void tcellrows::Draw(const ImageView& chunk, int firstRow) const {
    if (rows_) rows_->Draw(chunk, firstRow);
}
