// The 24-megapixel pair the benchmarks work on: two textured 6000 x 4000
// views, the right one slightly turned and shifted as a levelled pair is.
#pragma once

#include "core/viewpair.h"

#include <QImage>

inline QImage TexturedView(int w, int h, unsigned salt) {
    QImage img = NewViewBitmap(w, h);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<unsigned*>(img.scanLine(y));
        for (int x = 0; x < w; ++x)
            row[x] = 0xFF000000u | ((x * 3 + y + salt) & 0xFF) << 16 | ((x ^ y) & 0xFF) << 8 |
                     ((y * 5 + salt) & 0xFF);
    }
    return img;
}

// Made once: filling 2 x 96 MB takes longer than what is measured.
inline tviewpair& BigPair() {
    static tviewpair pair = [] {
        tviewpair p;
        p.ImgLeft.bitmap = TexturedView(6000, 4000, 0);
        p.ImgLeft.Reset();
        p.ImgRight.bitmap = TexturedView(6000, 4000, 77);
        p.ImgRight.Reset();
        p.ImgRight.SetRotation(0.01, 2000, 3000);
        p.ImgRight.SetPos(4, -25);
        return p;
    }();
    return pair;
}
