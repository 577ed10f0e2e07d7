// Where the two main windows and the magnifier go on a screen of W x H in
// the two side-by-side arrangements (Montage window at the right or left).
#pragma once

#include <QRect>

struct tdesktoplayout {
    QRect montage;   // the Montage window
    QRect display;   // the display window
    QRect magnifier; // the magnifier, when it is shown
};

// The Montage window's column in the arrangements, unless its content needs more.
constexpr int kMontageColumnWidth = 290;

// desktopType 0: Montage window at the right; 1: at the left. montageWidth is
// the width the Montage window's controls need; the column is never narrower
// than kMontageColumnWidth nor wider than half the screen.
tdesktoplayout DesktopLayout(int desktopType, int screenWidth, int screenHeight,
                             int montageWidth = kMontageColumnWidth);

// A window's position pulled back onto a screen of W x H before it is shown:
// a left edge beyond W - 30 brings its right edge to the screen's, a right
// edge before 30 brings its left edge to 0; the same for top and height.
QPoint PullOntoScreen(const QRect& window, int screenWidth, int screenHeight);
