// Composition of the output kinds: bitmap sizes, where each view goes, the
// scale from the source frame, and drawing the views into one black bitmap.
#pragma once

#include "engine/anaglyphmix.h"
#include "engine/imageview.h"
#include "engine/smoothrows.h"
#include "engine/transform.h"
#include "output/sourceframe.h"

#include <QImage>
#include <QSize>

#include <cstdint>
#include <memory>
#include <vector>

class timg;

// True for the kinds that make a picture: crossed, parallel, anaglyph,
// over-under, double, left view, right view (2..8).
bool IsPictureKind(int kind);

// Size of the output bitmap of a kind for views of W x H and a band of S
// pixels; an empty size for a kind without a picture.
QSize OutputBitmapSize(int kind, int W, int H, int S);

// One view drawn into the output: which view, its top-left corner, its masks
// and the cell of the output it belongs to (the picture never spills out of
// it into the neighbouring view or the band).
struct tplacement {
    bool leftView = true;
    int x0 = 0;
    int y0 = 0;
    std::uint32_t writeMask = 0xFFFFFF;
    std::uint32_t keepMask = 0xFFFFFF;
    int cellRight = 0;  // last column of the view's cell, inclusive
    int cellBottom = 0; // last row of the view's cell, inclusive
};

// The placements of a kind in drawing order (left view, right view, then the
// second left view of the double stereo); ox, oy are the centring offsets.
std::vector<tplacement> KindPlacements(int kind, int W, int H, int S, int ox, int oy);

// Source pixels per output pixel for a frame of Fw x Fh drawn into W x H:
// adapt 0 fits the frame inside, 1 fits the width, 2 fits the height.
double AdaptScale(double Fw, double Fh, int W, int H, int adapt);

// |(size - scaled) div 2|: the centring offset, positive even when the
// scaled frame is the larger.
int CentreOffset(int size, int scaled);

// Everything one composition needs besides the views and the frame.
struct tcomposition {
    int kind = 0;
    int W = 0; // one view, output pixels
    int H = 0;
    int S = 0;    // band between the views
    double m = 1; // source pixels per output pixel
    bool centre = true;
    bool bits24 = false;
    // The anaglyph's left view drawn with all its channels, then the right
    // view mixed into it by `method` as it is drawn (the mixed methods); the
    // plain masks otherwise.
    bool mixed = false;
    AnaglyphMethod method = AnaglyphMethod::Colour;
};

// Draws the kind into `out` (resized, black): each view resampled straight
// into its placement at the scale m alone. A magnification correction is
// already in the views' bitmaps (reduced by their dz) and in the frame
// computed on them, so applying dz again would undo it. False when there is
// nothing to draw (no picture kind, no size, no usable frame), the bitmap is
// beyond the picture budget or cannot be had; `out` is then empty.
bool ComposeKind(const timg& left, const timg& right, const tcommonframe& frame,
                 const tcomposition& c, EngineBitmap& out);

// One view's cell of W x H, the view drawn at the cell's corner as every kind
// draws it, made a few rows at a time: the cell of a side-by-side picture,
// byte for byte, for outputs made in bands without the whole picture.
class tcellrows {
public:
    // False when the composition has nothing to draw.
    bool Prepare(const timg& view, bool leftView, const tcommonframe& frame, const tcomposition& c);
    // Cell rows [firstRow, firstRow + chunk.height) into `chunk` (W wide,
    // black where the view does not reach).
    void Draw(const ImageView& chunk, int firstRow) const;

private:
    QImage keep_; // a 32-bit copy of a picture held in another layout
    std::unique_ptr<SmoothRows> rows_;
};
