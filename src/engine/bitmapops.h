// Whole-picture operations on 32-bit bitmaps: quarter turns, mirrors, channel
// masks, copies and grey conversion.
#pragma once

#include "engine/imageview.h"

#include <cstdint>

// Routines that give the result a new size take an owned EngineBitmap; the
// "...Into" forms with a view destination draw into a destination the caller
// already sized (Height x Width for the turns, same size otherwise) and return
// false, changing nothing, when it does not fit. Sources other than 32-bit,
// and empty sources, leave the destination unchanged unless said otherwise.
// A destination may be the very bitmap the source view looks at.

void TurnBitmapCW(EngineBitmap& Bitmap);
void TurnBitmapCCW(EngineBitmap& Bitmap);
void TurnBitmap180(const ImageView& Bitmap);

void TurnBitmapCWInto(const ImageView& Source, EngineBitmap& Destination);
void TurnBitmapCCWInto(const ImageView& Source, EngineBitmap& Destination);
bool TurnBitmapCWInto(const ImageView& Source, const ImageView& Destination);
bool TurnBitmapCCWInto(const ImageView& Source, const ImageView& Destination);

// Left-right mirror and upside-down flip, in place.
void MirrorBitmapH(const ImageView& Bitmap);
void FlipBitmapV(const ImageView& Bitmap);

// Every pixel becomes the source pixel AND Mask, alpha included.
void MaskBitmap(const ImageView& Source, EngineBitmap& Destination, std::uint32_t Mask);
bool MaskBitmap(const ImageView& Source, const ImageView& Destination, std::uint32_t Mask);

// The source's pixels copied unchanged into a 32-bit destination of its size.
void CopyPixels(const ImageView& Source, EngineBitmap& Destination);
bool CopyPixels(const ImageView& Source, const ImageView& Destination);

// A plain copy in the source's own format and size (an empty source gives an
// empty copy). Nothing happens when both are the same pixels.
void CopyBitmap(const ImageView& Source, EngineBitmap& Destination);
bool CopyBitmap(const ImageView& Source, const ImageView& Destination);

// The colour bytes of the destination become the grey value of the source,
// weighted by the channels Mask names; alpha is not touched. Both 32-bit of one
// size (they may be the same bitmap); otherwise nothing happens.
void GreyBitmap(const ImageView& Source, const ImageView& Destination, std::uint32_t Mask);
