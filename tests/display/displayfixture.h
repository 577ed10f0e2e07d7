// Shared set-up of the display tests: fresh settings and run flags, views
// with a recognisable pattern, and a surface of a chosen size.
#pragma once

#include "core/runflags.h"
#include "core/settings.h"
#include "core/viewpair.h"
#include "display/displaystate.h"

#include <gtest/gtest.h>

#include <QImage>

// A pixel no two nearby positions share, so a shifted picture shows.
inline unsigned PatternPixel(int x, int y, int salt) {
    const unsigned r = (x * 7 + y * 3 + salt * 11) & 0xFF;
    const unsigned g = (x * 5 + y * 13 + salt * 29) & 0xFF;
    const unsigned b = (x * 11 + y * 17 + salt * 3 + 40) & 0xFF;
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

inline QImage PatternPicture(int w, int h, int salt) {
    QImage img = NewViewBitmap(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            reinterpret_cast<unsigned*>(img.scanLine(y))[x] = PatternPixel(x, y, salt);
    return img;
}

inline QImage FlatPicture(int w, int h, unsigned pixel) {
    QImage img = NewViewBitmap(w, h);
    img.fill(pixel);
    return img;
}

// Installs a picture in a view the way a load leaves it: parameters reset,
// centre in the middle.
inline void Install(timg& v, const QImage& picture) {
    v.bitmap = picture;
    v.Reset();
}

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        Settings = tsettings();
        gStarted = false;
        gBusy = false;
        CurPoint = 0;
        PointsLocked = false;
        WinRatioW = WinRatioH = 0;
        TranspMode = 0;
        Settings.VisuCurrent = false;
    }
    void TearDown() override {
        Settings = tsettings();
        gStarted = false;
        gBusy = false;
        WinRatioW = WinRatioH = 0;
    }
    // A drawing surface of W x H pixels with the status bar shown.
    static void Surface(tdisplaystate& d, int W, int H) { d.SetClientSize(W + 7, H + 7 + 20); }

    tviewpair pair;
};
