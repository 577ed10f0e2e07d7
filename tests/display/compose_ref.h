// The display's composition tests' view of the one slow reference of the
// resampling (support/transform_ref): one view drawn by nearest pixel and
// combined through the scale or add blend.
#pragma once

#include "core/timg.h"
#include "display/displaystate.h"
#include "support/transform_ref.h"

#include <QImage>

// Draws `view` into `out` (32-bit) over `rect` the way the display places it:
// picture point = Scale * (destination - rect origin) - shift, turned about
// the view's centre. Inside the picture, the channels of writeMask become the
// combined value (op Scale or Add); outside, (old & keepMask) | (black & writeMask).
void RefDrawView(QImage& out, const timg& view, const tscreenrect& rect, double shiftX,
                 double shiftY, double scale, unsigned writeMask, unsigned keepMask, RefOp op,
                 int dstWeight, int srcWeight);
