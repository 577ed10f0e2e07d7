// The slow reference of the smoothed resampling drawing one view into a picture,
// pixel by pixel from the mapping formulas (support/transform_ref), for
// the output tests.
#pragma once

#include <QImage>

#include <cstdint>

// Draws src into dst (both 32-bit, B, G, R, A) over the inclusive rectangle
// [left, right] x [top, bottom], clipped to dst, with the export routine's
// mapping, kernels and masks; a black background outside the picture.
void ReferenceSmooth(const QImage& src, QImage& dst, int left, int top, int right, int bottom,
                     double centreX, double centreY, double shiftX, double shiftY, double angle,
                     double scale, std::uint32_t writeMask, std::uint32_t keepMask);
