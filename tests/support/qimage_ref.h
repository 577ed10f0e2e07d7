// Moves pixel words between QImage pictures and the slow reference's RefPic.
#pragma once

#include "support/transform_ref.h"

#include <QImage>

// The picture's words as the engine reads them (32-bit, B, G, R, A).
inline RefPic ToRefPic(const QImage& img) {
    const QImage words = img.depth() == 32 ? img : img.convertToFormat(QImage::Format_ARGB32);
    RefPic p;
    p.w = words.width();
    p.h = words.height();
    p.px.resize(std::size_t(p.w) * p.h);
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x)
            p.at(x, y) = reinterpret_cast<const std::uint32_t*>(words.constScanLine(y))[x];
    return p;
}

// Writes the reference's words back into a 32-bit picture of the same size.
inline void FromRefPic(const RefPic& p, QImage& img) {
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x)
            reinterpret_cast<std::uint32_t*>(img.scanLine(y))[x] = p.at(x, y);
}
