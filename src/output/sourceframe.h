// The common source frame of the two aligned views: the part of the aligned
// space both pictures cover, shared by output, window size and display fit.
#pragma once

#include <QPointF>

class timg;

// A view's bitmap position p in aligned coordinates: c + R(-rot)(p - c) +
// (posx, posy), c being the view's rotation centre pt[1].
QPointF ViewToFrame(const timg& view, double x, double y);

// The frame both views share: its size in source pixels of the aligned space
// and its origin in each view's aligned coordinates.
struct tcommonframe {
    bool valid = false; // false when there was no left view to measure
    double width = 0;
    double height = 0;
    QPointF left;  // (xL, yL)
    QPointF right; // (xR, yR)

    // The views overlap in at least one pixel, so a picture can be drawn from it.
    bool Usable() const { return valid && width >= 1 && height >= 1; }
};

// The same frame, to the bit.
inline bool SameFrame(const tcommonframe& a, const tcommonframe& b) {
    return a.valid == b.valid && a.width == b.width && a.height == b.height && a.left == b.left &&
           a.right == b.right;
}

// With manual and a manual crop in both views: the left view's crop size,
// each view's crop corner as origin. Otherwise the intersection of the two
// aligned pictures (a missing right view counts as the left one), cut to the
// ratio ratioW : ratioH when both terms are non-zero. A missing left view
// gives an invalid frame.
tcommonframe ComputeSourceFrame(const timg* left, const timg* right, bool manual, int ratioH,
                                int ratioW);

// Ratio helpers of the crop drag; a is the width term, b the height term and
// either being 0 leaves the size alone. sign < 0 sets the width from the
// height, sign > 0 the height from the width.
void FitToRatio(int a, int b, int sign, double& width, double& height);
// Keeps whichever of the width and the height needs the smaller change.
void SnapToRatio(int a, int b, double& width, double& height);
