// The two cross-hair pictures of the magnifier, drawn once at start-up and
// kept until exit.
#pragma once

#include <QImage>

// White marks on black (drawn with OR) and black marks on white (drawn with AND).
extern QImage BmpPrecisB;
extern QImage BmpPrecisN;

// Draws the 32 x 32 cross-hair: white marks on black when white is true,
// black marks on white otherwise. 32-bit, opaque.
QImage MakePrecisBitmap(bool white);

// Fills BmpPrecisB and BmpPrecisN.
void LoadPrecisBitmaps();
