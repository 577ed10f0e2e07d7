// Small icons of the point pairs shown in the display window's status bar,
// drawn in code and kept by their image index of the Montage window's list.
#pragma once

#include <QImage>

// The icon for image index 32, 33, 94 to 98 or 110 (any other index gives the
// icon of 94, "no pair"). Each is 16 x 16 and made once.
const QImage& PointIconImage(int imageIndex);
