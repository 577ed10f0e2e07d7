// Desktop arrangement geometry.
#include "core/desktoplayout.h"

namespace {
// Width of the Montage window column, and the room kept for a task bar.
constexpr int kMontageWidth = 290;
constexpr int kTaskbarRoom = 35;
} // namespace

tdesktoplayout DesktopLayout(int desktopType, int w, int h) {
    tdesktoplayout l;
    const int height = h - kTaskbarRoom;
    if (desktopType == 1) {
        l.magnifier = QRect(300, h - 300, 170, 205);
        l.montage = QRect(0, 0, kMontageWidth, height);
        l.display = QRect(kMontageWidth, 0, w - kMontageWidth, height);
    } else {
        l.magnifier = QRect(w - 470, h - 300, 170, 205);
        l.montage = QRect(w - kMontageWidth, 0, kMontageWidth, height);
        l.display = QRect(0, 0, w - kMontageWidth, height);
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
