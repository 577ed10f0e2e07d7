// The display state's zoom and scrolling: the zoom steps, fitting, the
// anchored and centred zooms and the scroll bars.
#include "display/displaystate.h"

#include "core/runflags.h"
#include "core/settings.h"
#include "output/sourceframe.h"

#include <algorithm>
#include <climits>
#include <cmath>

int RoundEven(double v) {
    if (!std::isfinite(v)) return 0;
    const double r = std::nearbyint(v);
    if (r >= INT_MAX) return INT_MAX;
    if (r <= INT_MIN) return INT_MIN;
    return static_cast<int>(r);
}

// ---------------------------------------------------------------- zoom

void tdisplaystate::SetZoomValue(double z) {
    Zoom = (std::isfinite(z) && z > 0) ? z : 1.0;
    if (Hooks.ZoomText) Hooks.ZoomText(ZoomFieldText(Zoom));
}

void tdisplaystate::SetZoomCentred(double z) {
    Zoom = (std::isfinite(z) && z > 0) ? z : 1.0;
    double sx = 0, sy = 0;
    if (Settings.AdaptAndCenter && Slot1.img) {
        const double aw = Slot1.Area.Width(), ah = Slot1.Area.Height();
        const int crop = Settings.CropIndex;
        if (crop == 1 || crop == 2 || crop == 3) {
            const tcommonframe f =
                ComputeSourceFrame(&Pair.ImgLeft, &Pair.ImgRight, crop != 1, WinRatioH, WinRatioW);
            sx = aw * Zoom / 2 - f.left.x() - std::fabs(f.width) / 2;
            sy = ah * Zoom / 2 - f.left.y() - std::fabs(f.height) / 2;
        } else {
            const double W = std::abs(Slot1.img->Width());
            const double H = std::abs(Slot1.img->Height());
            sx = aw * Zoom / 2 - W / 2;
            sy = ah * Zoom / 2 - H / 2;
        }
    }
    SetScroll(sy, sx);
    SetZoomValue(Zoom);
}

void tdisplaystate::SetZoomKeepAnchor(double z) {
    const tviewslot& cur = GetCurrent();
    if (!cur.img) {
        SetZoomValue(z);
        return;
    }
    const timg& v = *cur.img;
    const double ax = ZoomAnchorSet ? ZoomAnchorX : 0;
    const double ay = ZoomAnchorSet ? ZoomAnchorY : 0;
    const tpointd rel = PictureToRelative(v, ax, ay);
    SetZoomValue(z);
    // The anchor is read back in the current view's own slot, wherever the
    // screen point lies, so that it stays put even when it is off its area.
    const tpointd P = RelativeToPicture(cur, rel.x, rel.y);
    if (ZoomAnchorSet) {
        const double c = std::cos(v.rot), s = std::sin(v.rot);
        const double dx = c * (P.x - ax) + s * (P.y - ay);
        const double dy = -s * (P.x - ax) + c * (P.y - ay);
        SetScroll(ScrollY + dy, ScrollX + dx);
    }
}

void tdisplaystate::FitZoom(bool centred) {
    const double aw = Slot1.Area.Width(), ah = Slot1.Area.Height();
    double rw = 1, rh = 1;
    const timg* v = Slot1.img;
    const int crop = Settings.CropIndex;
    if (aw > 0 && ah > 0 && v) {
        if (crop == 1) {
            const tcommonframe f =
                ComputeSourceFrame(&Pair.ImgLeft, &Pair.ImgRight, false, WinRatioH, WinRatioW);
            rw = f.width / aw;
            rh = f.height / ah;
        } else if ((crop == 2 || crop == 3) && v->mancropd) {
            rw = std::fabs(v->mancropw / aw);
            rh = std::fabs(v->mancroph / ah);
        } else {
            rw = std::fabs(v->Width() / aw);
            rh = std::fabs(v->Height() / ah);
        }
    }
    double z = std::max(rw, rh);
    if (!(z >= 1e-10) || !std::isfinite(z)) z = 1;
    ZoomPercent = 100 / z;
    FitPercent = ZoomPercent;
    if (centred)
        SetZoomCentred(z);
    else
        SetZoomKeepAnchor(z);
}

void tdisplaystate::FitAndCompose() {
    FitZoom(true);
    Compose();
}

void tdisplaystate::ZoomReal() {
    ZoomPercent = 100;
    SetZoomKeepAnchor(1);
    Compose();
}

void tdisplaystate::ZoomMax() {
    ZoomPercent = 400;
    SetZoomKeepAnchor(0.25);
    Compose();
}

void tdisplaystate::ZoomIn() {
    ZoomPercent = std::min(ZoomPercent * 1.5, 400.0);
    SetZoomKeepAnchor(100 / ZoomPercent);
    Compose();
}

void tdisplaystate::ZoomOut() {
    ZoomPercent = std::max(ZoomPercent / 1.5, 10.0);
    SetZoomKeepAnchor(100 / ZoomPercent);
    Compose();
}

void tdisplaystate::ZoomInStep() {
    if (!(ZoomPercent < 400)) return;
    ZoomPercent *= 1.1;
    SetZoomKeepAnchor(100 / ZoomPercent);
    Compose();
}

void tdisplaystate::ZoomOutStep() {
    if (!(ZoomPercent > 10)) return;
    ZoomPercent /= 1.1;
    SetZoomKeepAnchor(100 / ZoomPercent);
    Compose();
}

void tdisplaystate::Recentre() {
    SetZoomCentred(Zoom);
    Compose();
}

void tdisplaystate::SetScroll(double sy, double sx) {
    ScrollX = sx;
    ScrollY = sy;
    const int dir = Settings.ScrollDir;
    ScrollBarXPosition = dir * RoundEven(sx);
    ScrollBarYPosition = dir * RoundEven(sy);
    Notify(Hooks.ScrollBarsMoved);
    StatusText[5] = ScrollStatusText(RoundEven(sx), RoundEven(sy));
}

void tdisplaystate::ShowScroll(double sy, double sx) {
    StatusText[5] = ScrollStatusText(RoundEven(sx), RoundEven(sy));
    Notify(Hooks.StatusRepaint);
}

bool tdisplaystate::ScrollBarEvent(bool horizontal, tscrollcode code, int pos) {
    const bool live = Settings.ScrollSpeed ? code == ScrollEndScroll
                                           : (code == ScrollLineUp || code == ScrollLineDown ||
                                              code == ScrollThumbTrack);
    const double offset = double(Settings.ScrollDir) * pos;
    if (!live) {
        if (horizontal)
            ShowScroll(ScrollY, offset);
        else
            ShowScroll(offset, ScrollX);
        return false;
    }
    if (horizontal)
        SetScroll(ScrollY, offset);
    else
        SetScroll(offset, ScrollX);
    Compose();
    return true;
}
