// What the magnifier draws, without its window: the followed view and point,
// the magnified picture turned like the display, and the precision cross-hair.
#pragma once

#include "display/displaystate.h"

#include <QImage>
#include <QPoint>
#include <QString>

// The sizes "+" and "-" step through: 150, 201, 252, 300, wrapping round.
int ZoomSizeUp(int size);
int ZoomSizeDown(int size);

// Label1's text and colour (red in bits 0-7) for the view a slot shows.
QString ZoomLabelText(bool leftView);
unsigned ZoomLabelColor(bool leftView);

class tmagnifier {
public:
    tmagnifier();

    // Source pixels per magnified pixel: four magnified pixels per source pixel.
    static constexpr double Step = 0.25;

    int Size = 0;
    QImage ZoomBitmap; // Size x Size, 32 bits
    QPoint Centre;     // c: where the cross-hair's centre pixel goes
    QPoint Offset;     // a: c in source pixels, truncated
    double X = 0;      // the followed point, source pixels of the slot's view
    double Y = 0;
    tviewslot Slot;

    // A black picture of the given side; the followed point is kept.
    void Resize(int size);
    // Follows (x, y) of the slot's view and redraws. False, with nothing
    // drawn, when the view has no picture.
    bool ZoomAt(const tviewslot& slot, double x, double y, unsigned markerColor);
    // Draws the followed point again (after a resize or a change of the view).
    bool Redraw(unsigned markerColor);

    // Where the followed point itself lands in the magnified picture.
    QPoint FollowedPixel() const { return QPoint(Offset.x() * 4, Offset.y() * 4); }
    // Top-left corner of the 32 x 32 cross-hair picture.
    QPoint CrossHairOrigin() const { return QPoint(Centre.x() - 15, Centre.y() - 16); }
};
