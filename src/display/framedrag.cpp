// The crop frame tool of the display window: a new frame drawn from a corner,
// a side or corner grabbed and dragged under the ratio rules, the frame moved
// whole, and its normalisation on release.
#include "display/pointerinput.h"

#include "core/runflags.h"
#include "output/sourceframe.h"

#include <cmath>
#include <utility>

namespace {

bool IsCorner(int handle) {
    return handle == 0 || handle == 5 || handle == 6 || handle == 9 || handle == 10;
}

double Direction(double from, double to) {
    return to >= from ? 1.0 : -1.0;
}

// Inclusive size between two sides, negative when the second lies before the
// first (a frame drawn upwards or leftwards).
double SignedSize(double first, double second) {
    return second >= first ? second - first + 1 : second - first - 1;
}

// The sides a handle moves and the sides that stay; null for none.
struct tsides {
    double* moveX = nullptr;
    double* anchorX = nullptr;
    double* moveY = nullptr;
    double* anchorY = nullptr;
};

tsides SidesOf(tdisplaystate& d, int handle) {
    double *L = &d.FrameLeft, *R = &d.FrameRight, *T = &d.FrameTop, *B = &d.FrameBottom;
    switch (handle) {
    case 0:
    case 10:
        return {R, L, B, T};
    case 5:
        return {L, R, T, B};
    case 6:
        return {R, L, T, B};
    case 9:
        return {L, R, B, T};
    case 1:
        return {L, R, B, T}; // the bottom follows the ratio
    case 2:
        return {R, L, B, T};
    case 4:
        return {R, L, T, B}; // the right side follows the ratio
    case 8:
        return {R, L, B, T};
    default:
        return {};
    }
}

} // namespace

// Both views' frames from the frame on the screen. The frame fields may be
// upside down while a frame is drawn upwards or leftwards; the views always
// get the rectangle itself, its corner at its upper left.
void tpointerinput::WriteFrames() {
    tdisplaystate& d = display_;
    const double left = std::min(d.FrameLeft, d.FrameRight);
    const double top = std::min(d.FrameTop, d.FrameBottom);
    for (tviewslot* s : {&d.Slot1, &d.Slot2}) {
        if (!s->img) continue;
        timg& v = *s->img;
        const tpointd P = d.RelativeToPicture(*s, left, top);
        v.mancropl = P.x;
        v.mancropt = P.y;
        v.mancropw = std::fabs(d.FrameW * d.Zoom);
        v.mancroph = std::fabs(d.FrameH * d.Zoom);
        v.mancropd = d.FrameW * d.FrameH != 0;
    }
}

void tpointerinput::WriteOrigins() {
    tdisplaystate& d = display_;
    const double left = std::min(d.FrameLeft, d.FrameRight);
    const double top = std::min(d.FrameTop, d.FrameBottom);
    for (tviewslot* s : {&d.Slot1, &d.Slot2}) {
        if (!s->img) continue;
        const tpointd P = d.RelativeToPicture(*s, left, top);
        s->img->mancropl = P.x;
        s->img->mancropt = P.y;
    }
}

void tpointerinput::ShowFrameSize() {
    const timg* v = display_.FrameSlot.img;
    if (v) display_.ShowWindowFrameSize(v->mancroph, v->mancropw);
}

void tpointerinput::FramePress(const tviewslot& slot, double rx, double ry) {
    tdisplaystate& d = display_;
    d.FrameSlot = slot;
    Dragging = FrameDrawing = true;
    DragStartX = rx;
    DragStartY = ry;
    DragDX = DragDY = 0;
    if (Hooks.SelectPair) Hooks.SelectPair(CurPoint);
    if (FrameHandle != 0 && slot.img) {
        const timg& v = *slot.img;
        const tpointd corner = d.PictureToRelative(v, v.mancropl, v.mancropt);
        d.FrameLeft = corner.x;
        d.FrameTop = corner.y;
        d.FrameW = v.mancropw / d.Zoom;
        d.FrameH = v.mancroph / d.Zoom;
        d.FrameRight = d.FrameLeft + d.FrameW - 1;
        d.FrameBottom = d.FrameTop + d.FrameH - 1;
    }
    const int h = FrameHandle;
    if (h & 1) d.FrameLeft = rx;
    if (h & 2) d.FrameRight = rx;
    if (h & 4) d.FrameTop = ry;
    if (h & 8) d.FrameBottom = ry;
    switch (h) {
    case 0:
        // A new frame starts as a point under the pointer.
        d.FrameLeft = d.FrameRight = rx;
        d.FrameTop = d.FrameBottom = ry;
        d.FrameW = d.FrameH = 0;
        break;
    case 1:
    case 2:
    case 4:
    case 5:
    case 6:
    case 8:
    case 9:
    case 10:
        // The grabbed side jumped to the pointer: the size follows it.
        d.FrameW = SignedSize(d.FrameLeft, d.FrameRight);
        d.FrameH = SignedSize(d.FrameTop, d.FrameBottom);
        break;
    case 16:
        return;
    default:
        // Two opposite sides at once: nothing to drag.
        Dragging = FrameDrawing = false;
        return;
    }
    WriteFrames();
    ShowFrameSize();
}

void tpointerinput::FrameDrag(double rx, double ry) {
    tdisplaystate& d = display_;
    const double dx = rx - DragStartX, dy = ry - DragStartY;
    DragDX = dx;
    DragDY = dy;
    DragStartX = rx;
    DragStartY = ry;
    const int h = FrameHandle;
    if (h == 16) {
        d.FrameLeft += dx;
        d.FrameRight += dx;
        d.FrameTop += dy;
        d.FrameBottom += dy;
        WriteOrigins();
    } else {
        const tsides s = SidesOf(d, h);
        if (!s.moveX) return;
        const bool ratio = RatioActive();
        double dirX = Direction(*s.anchorX, *s.moveX), dirY = Direction(*s.anchorY, *s.moveY);
        double W = std::fabs(*s.moveX - *s.anchorX) + 1, H = std::fabs(*s.moveY - *s.anchorY) + 1;
        if (IsCorner(h)) {
            if (!ratio || std::fabs(dx) > std::fabs(dy)) *s.moveX = rx;
            if (!ratio || std::fabs(dx) <= std::fabs(dy)) *s.moveY = ry;
            // The frame grows towards the pointer, whichever side it is on.
            dirX = Direction(*s.anchorX, rx);
            dirY = Direction(*s.anchorY, ry);
            W = std::fabs(*s.moveX - *s.anchorX) + 1;
            H = std::fabs(*s.moveY - *s.anchorY) + 1;
            FitToRatio(WinRatioW, WinRatioH, RoundEven(std::fabs(dx) - std::fabs(dy)), W, H);
        } else if (h == 1 || h == 2) {
            *s.moveX = rx;
            dirX = Direction(*s.anchorX, rx);
            W = std::fabs(*s.moveX - *s.anchorX) + 1;
            FitToRatio(WinRatioW, WinRatioH, 1, W, H);
        } else {
            *s.moveY = ry;
            dirY = Direction(*s.anchorY, ry);
            H = std::fabs(*s.moveY - *s.anchorY) + 1;
            FitToRatio(WinRatioW, WinRatioH, -1, W, H);
        }
        d.FrameW = W;
        d.FrameH = H;
        *s.moveX = *s.anchorX + dirX * (W - 1);
        *s.moveY = *s.anchorY + dirY * (H - 1);
        WriteFrames();
        for (tviewslot* slot : {&d.Slot1, &d.Slot2})
            if (slot->img) slot->img->mancropd = true;
    }
    ShowFrameSize();
    Repaint();
}

void tpointerinput::FrameRelease(double rx, double ry) {
    tdisplaystate& d = display_;
    const double dx = rx - DragStartX, dy = ry - DragStartY;
    const int h = FrameHandle;
    if (h == 16) {
        d.FrameLeft += dx;
        d.FrameRight += dx;
        d.FrameTop += dy;
        d.FrameBottom += dy;
        WriteOrigins();
        ShowFrameSize();
        Repaint();
        return;
    }
    if (h == 0 || h == 10 || h == 2 || h == 6) d.FrameRight += dx;
    if (h == 1 || h == 5 || h == 9) d.FrameLeft += dx;
    if (h == 0 || h == 10 || h == 8 || h == 9) d.FrameBottom += dy;
    if (h == 4 || h == 5 || h == 6) d.FrameTop += dy;

    double W = SignedSize(d.FrameLeft, d.FrameRight);
    double H = SignedSize(d.FrameTop, d.FrameBottom);
    const double sx = W < 0 ? -1 : 1, sy = H < 0 ? -1 : 1;
    W = std::fabs(W);
    H = std::fabs(H);
    SnapToRatio(WinRatioW, WinRatioH, W, H);
    if (W < 1) W = 1;
    if (H < 1) H = 1;
    d.FrameRight = d.FrameLeft + sx * (W - 1);
    d.FrameBottom = d.FrameTop + sy * (H - 1);
    // A frame drawn upwards or leftwards turns round: its corner is its upper left.
    if (d.FrameBottom < d.FrameTop) std::swap(d.FrameTop, d.FrameBottom);
    if (d.FrameRight < d.FrameLeft) std::swap(d.FrameLeft, d.FrameRight);
    d.FrameW = W;
    d.FrameH = H;
    WriteFrames();
    for (tviewslot* slot : {&d.Slot1, &d.Slot2})
        if (slot->img) slot->img->mancropd = true;
    ShowFrameSize();
    Repaint();
}
