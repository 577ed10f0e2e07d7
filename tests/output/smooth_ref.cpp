// The output tests' view of the one slow reference of the resampling: the
// export routine's model, over QImage pictures.
#include "smooth_ref.h"

#include "support/qimage_ref.h"

void ReferenceSmooth(const QImage& src, QImage& dst, int left, int top, int right, int bottom,
                     double centreX, double centreY, double shiftX, double shiftY, double angle,
                     double scale, std::uint32_t writeMask, std::uint32_t keepMask) {
    const RefPic from = ToRefPic(src);
    RefPic to = ToRefPic(dst);
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
    FromRefPic(to, dst);
}
