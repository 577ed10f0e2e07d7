// The anaglyph methods beyond the plain colour masks: half-colour, grey and
// the red-cyan least-squares mix, from the left and right pictures.
#pragma once

#include "engine/imageview.h"

#include <cstdint>

// Stored in the settings as these numbers.
enum class AnaglyphMethod { Colour = 0, Half = 1, Grey = 2, Dubois = 3 };

// The method of a stored number; anything unknown is the colour method.
AnaglyphMethod AnaglyphMethodOf(int value);

// Luma of 8-bit R, G, B as stored (no linearisation): 0.299 R + 0.587 G +
// 0.114 B rounded to the nearest integer, ties to even.
int AnaglyphLuma(int r, int g, int b);

// One output pixel of a method from the left pixel (lr, lg, lb) and the
// right pixel (rr, rg, rb), as out[0] red, out[1] green, out[2] blue.
void AnaglyphPixel(AnaglyphMethod method, const int left[3], const int right[3], int out[3]);

// Mixes two pictures of the same size and format into `dst` (which may be
// `left` itself) row by row with the method; the alpha (32-bit) comes from
// the left picture. False, touching nothing, when the sizes or formats
// differ.
bool MixAnaglyph(const ImageView& left, const ImageView& right, const ImageView& dst,
                 AnaglyphMethod method);
