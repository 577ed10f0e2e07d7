// The display's drawing of a view through the one slow reference.
#include "compose_ref.h"

#include "support/qimage_ref.h"

void RefDrawView(QImage& out, const timg& view, const tscreenrect& rect, double shiftX,
                 double shiftY, double scale, unsigned writeMask, unsigned keepMask, RefOp op,
                 int dstWeight, int srcWeight) {
    const RefPic from = ToRefPic(view.bitmap);
    RefPic to = ToRefPic(out);
    RefParams p;
    p.cx = view.CentreX();
    p.cy = view.CentreY();
    p.shx = shiftX;
    p.shy = shiftY;
    p.angle = view.rot;
    p.scale = scale;
    p.back = 0; // black
    p.write = writeMask;
    p.keep = keepMask;
    RefBlend(from, to, RefRect{0, 0, from.w - 1, from.h - 1},
             RefRect{rect.left, rect.top, rect.right, rect.bottom}, p, op, dstWeight, srcWeight);
    FromRefPic(to, out);
}
