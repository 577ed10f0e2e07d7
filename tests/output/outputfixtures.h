// Views and pictures built by hand for the output tests.
#pragma once

#include "core/timg.h"

#include <QColor>
#include <QImage>
#include <QTemporaryDir>

// A view of w x h filled with one colour, its rotation centre at the middle.
inline void MakeView(timg& view, int w, int h, QRgb colour) {
    view.bitmap = NewViewBitmap(w, h);
    view.bitmap.fill(colour);
    view.PlacePoint(PtStereo0, (w - 1) / 2.0, (h - 1) / 2.0);
}

// A view whose every pixel is different (a smooth ramp with a pattern), so
// any misplaced or mis-sampled pixel shows.
inline void MakePatternView(timg& view, int w, int h, int seed) {
    view.bitmap = NewViewBitmap(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            view.bitmap.setPixel(x, y,
                                 qRgb((x * 7 + seed * 13) & 0xFF, (y * 5 + x * 3 + seed) & 0xFF,
                                      ((x ^ y) * 11 + seed * 29) & 0xFF));
    view.PlacePoint(PtStereo0, (w - 1) / 2.0, (h - 1) / 2.0);
}

// The colour channels of a pixel, alpha dropped.
inline QRgb Rgb(const QImage& img, int x, int y) {
    return img.pixel(x, y) & 0xFFFFFF;
}
