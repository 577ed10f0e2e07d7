// Desktop arrangement geometry.
#include "core/desktoplayout.h"

#include <algorithm>

namespace {
// The room kept for a task bar.
constexpr int kTaskbarRoom = 35;
} // namespace

tdesktoplayout DesktopLayout(int desktopType, int w, int h, int montageWidth) {
    tdesktoplayout l;
    const int column = std::max(kMontageColumnWidth, std::min(montageWidth, w / 2));
    const int height = h - kTaskbarRoom;
    if (desktopType == 1) {
        // The magnifier stands just beside the Montage column.
        l.magnifier = QRect(column + 10, h - 300, 170, 205);
        l.montage = QRect(0, 0, column, height);
        l.display = QRect(column, 0, w - column, height);
    } else {
        l.magnifier = QRect(w - column - 180, h - 300, 170, 205);
        l.montage = QRect(w - column, 0, column, height);
        l.display = QRect(0, 0, w - column, height);
    }
    return l;
}

QPoint PullOntoScreen(const QRect& r, int w, int h) {
    int left = r.left();
    int top = r.top();
    if (left > w - 30) left = w - r.width();
    if (left < 30 - r.width()) left = 0;
    if (top > h - 30) top = h - r.height();
    if (top < 30 - r.height()) top = 0;
    return QPoint(left, top);
}
