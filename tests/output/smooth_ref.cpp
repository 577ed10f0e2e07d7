// The output tests' view of the one slow reference of the resampling: the
// export routine's model, over QImage pictures.
#include "smooth_ref.h"

#include "support/transform_ref.h"

namespace {

RefPic ToRef(const QImage& img) {
    RefPic p;
    p.w = img.width();
    p.h = img.height();
    p.px.resize(std::size_t(p.w) * p.h);
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x)
            p.at(x, y) = reinterpret_cast<const std::uint32_t*>(img.constScanLine(y))[x];
    return p;
}

} // namespace

void ReferenceSmooth(const QImage& src, QImage& dst, int left, int top, int right, int bottom,
                     double centreX, double centreY, double shiftX, double shiftY, double angle,
                     double scale, std::uint32_t writeMask, std::uint32_t keepMask) {
    const RefPic from = ToRef(src);
    RefPic to = ToRef(dst);
    RefParams p;
    p.cx = centreX;
    p.cy = centreY;
    p.shx = shiftX;
    p.shy = shiftY;
    p.angle = angle;
    p.scale = scale;
    p.back = 0; // black
    p.write = writeMask;
    p.keep = keepMask;
    RefSmooth(RefSmoothKind::Export32, from, to, RefRect{0, 0, from.w - 1, from.h - 1},
              RefRect{left, top, right, bottom}, p);
    for (int y = 0; y < to.h; ++y)
        for (int x = 0; x < to.w; ++x)
            reinterpret_cast<std::uint32_t*>(dst.scanLine(y))[x] = to.at(x, y);
}
