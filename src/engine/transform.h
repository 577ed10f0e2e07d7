// The resampling routines that draw a view turned, scaled and shifted into a
// destination bitmap, and the two angle routines of the alignment commands.
#pragma once

#include "engine/anaglyphmix.h"
#include "engine/imageview.h"

#include <cstdint>

// How BmpTransformBlend combines a source pixel with the destination. The
// caller owns the current operation and passes it to every call.
enum class BlendOp {
    Copy,
    Scale,
    Add,
    Subtract,
    InverseAdd,
    InverseSubtract,
    Grey,
    GreyAdd,
    GreySubtract,
    GreyXor,
};

// Chooses the blend operation for transparency mode `Mode` (the tag of the
// transparency menu item) and drawing pass `Pass` (0 first view, 1 second).
// Stores it in `Op` and returns Mode, or 10 when it fell back to the plain copy.
int SelectBlendOp(int Mode, int Pass, BlendOp& Op);

// Masks are pixel words (0xFF0000 red, 0x00FF00 green, 0x0000FF blue);
// BackColor is a colour with red in bits 0-7. The source must be 32-bit.
// Pixels of DstRect that fall outside the destination are not drawn; the
// mapping origin stays DstRect's top-left corner.

// Nearest source pixel combined through `Op` (32-bit destination).
void BmpTransformBlend(const ImageView& Src, const ImageView& Dst, const EngineRect& SrcRect,
                       const EngineRect& DstRect, double CentreX, double CentreY, double ShiftX,
                       double ShiftY, double PostShiftX, double PostShiftY, double Angle,
                       double Scale, std::uint32_t BackColor, std::uint32_t WriteMask,
                       std::uint32_t KeepMask, int DstWeight, int SrcWeight, BlendOp Op);

// 3x3 sub-cell smoothing into a 32-bit destination; picture pixels get alpha 255.
void BmpTransformSmooth(const ImageView& Src, const ImageView& Dst, const EngineRect& SrcRect,
                        const EngineRect& DstRect, double CentreX, double CentreY, double ShiftX,
                        double ShiftY, double PostShiftX, double PostShiftY, double Angle,
                        double Scale, std::uint32_t BackColor, std::uint32_t WriteMask,
                        std::uint32_t KeepMask);

// The export form into a 32-bit destination: smoothed pixels keep their alpha,
// rows of DstRect above the destination are skipped (the first drawn row takes
// the mapping of DstRect.Top).
void BmpTransformSmooth32(const ImageView& Src, const ImageView& Dst, const EngineRect& SrcRect,
                          const EngineRect& DstRect, double CentreX, double CentreY, double ShiftX,
                          double ShiftY, double PostShiftX, double PostShiftY, double Angle,
                          double Scale, std::uint32_t BackColor, std::uint32_t WriteMask,
                          std::uint32_t KeepMask);

// The export form into a 24-bit destination (does nothing for any other format).
void BmpTransformSmooth24(const ImageView& Src, const ImageView& Dst, const EngineRect& SrcRect,
                          const EngineRect& DstRect, double CentreX, double CentreY, double ShiftX,
                          double ShiftY, double PostShiftX, double PostShiftY, double Angle,
                          double Scale, std::uint32_t BackColor, std::uint32_t WriteMask,
                          std::uint32_t KeepMask);

// A view as the export routines draw it (no post-shift).
struct SmoothView {
    ImageView src;
    EngineRect srcRect;
    double centreX = 0, centreY = 0, shiftX = 0, shiftY = 0, angle = 0, scale = 1;
};

// The second view of a mixed anaglyph into a destination of either format
// that holds the first: each pixel drawn with every channel and the export
// mapping, then mixed by `Method` with the pixel it covers (whose alpha
// stays), background pixels included.
void BmpTransformSmoothMix(const SmoothView& View, const ImageView& Dst, const EngineRect& DstRect,
                           std::uint32_t BackColor, AnaglyphMethod Method);

// Scale and shift without rotation (Angle is ignored), bilinear, for the
// preview window. Each written channel becomes (old << DstShift) +
// (value << ValueShift) kept to 8 bits.
void BmpScaleBilinear(const ImageView& Src, const ImageView& Dst, const EngineRect& SrcRect,
                      const EngineRect& DstRect, double CentreX, double CentreY, double ShiftX,
                      double ShiftY, double PostShiftX, double PostShiftY, double Angle,
                      double Scale, std::uint32_t BackColor, std::uint32_t WriteMask,
                      std::uint32_t KeepMask, int ValueShift, int DstShift);

// Angle of the line from (X1, Y1) to (X2, Y2), y downwards, in radians.
double LineAngle(double X1, double Y1, double X2, double Y2);
// The same from the vertical extent and a known length.
double LineAngleLen(double X1, double Y1, double X2, double Y2, double Len);

// Worker threads the smoothed routines may split destination rows over
// (1 = the calling thread only, the default). The result does not depend on it.
void SetEngineThreads(int count);
// The count set, for other work split over the same threads.
int EngineThreads();
