// A slow, straightforward drawing of one view into an expected picture, for
// the display's composition tests: nearest source pixel with the one-third
// bias, per-channel masks and the scale and add combinations.
#pragma once

#include "core/timg.h"
#include "display/displaystate.h"

#include <QImage>

enum class RefOp { Scale, Add };

// Draws `view` into `out` over `rect` the way the display places it:
// picture point = Scale * (destination - rect origin) - shift, turned about
// the view's centre. Inside the picture, the channels of writeMask become the
// combined value; outside, (old & keepMask) | (black & writeMask).
void RefDrawView(QImage& out, const timg& view, const tscreenrect& rect, double shiftX,
                 double shiftY, double scale, unsigned writeMask, unsigned keepMask, RefOp op,
                 int dstWeight, int srcWeight);
