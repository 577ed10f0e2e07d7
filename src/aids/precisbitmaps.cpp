// Cross-hair pictures of the magnifier: a frame with dotted ticks pointing at
// the centre pixel, in white-on-black and black-on-white versions.
#include "aids/precisbitmaps.h"

QImage BmpPrecisB;
QImage BmpPrecisN;

QImage MakePrecisBitmap(bool white) {
    const QRgb mark = white ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
    const QRgb ground = white ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
    QImage img(32, 32, QImage::Format_RGB32);
    img.fill(ground);
    // The frame: columns 6 and 24 over rows 7..27, rows 7 and 27 over columns 6..24.
    for (int y = 7; y <= 27; ++y) {
        img.setPixel(6, y, mark);
        img.setPixel(24, y, mark);
    }
    for (int x = 6; x <= 24; ++x) {
        img.setPixel(x, 7, mark);
        img.setPixel(x, 27, mark);
    }
    // Dotted ticks on the centre column and row, leaving the centre free.
    for (int y : {8, 10, 12, 22, 24, 26}) img.setPixel(15, y, mark);
    for (int x : {7, 9, 11, 19, 21, 23}) img.setPixel(x, 18, mark);
    return img;
}

void LoadPrecisBitmaps() {
    BmpPrecisB = MakePrecisBitmap(true);
    BmpPrecisN = MakePrecisBitmap(false);
}
