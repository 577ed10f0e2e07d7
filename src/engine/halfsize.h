// Halving a picture's width or height for the half-width side-by-side and
// half-height over-under frames of 3D televisions and players.
#pragma once

#include "engine/imageview.h"

// Writes src at half its width into dst at column x0: output column i is the
// average of source columns 2i and 2i + 1, channel by channel, halves rounded
// up; a last odd column is dropped. The rows written are min(src, dst)
// heights; columns beyond dst are not written. Formats must match (false
// otherwise, nothing written).
bool HalveColumnsInto(const ImageView& src, const ImageView& dst, int x0);

// The same over rows: output row j averages source rows 2j and 2j + 1,
// written into dst from row y0.
bool HalveRowsInto(const ImageView& src, const ImageView& dst, int y0);
