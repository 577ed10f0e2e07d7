// The manual frame set from the Montage window: both views and the display
// frame, the page shown and the automatic window on the screen.
#include "display/manualframe.h"

#include "display/displaymath.h"
#include "output/sourceframe.h"

#include <cmath>

tviewslot& FrameSlotOf(tdisplaystate& d) {
    const timg* view = d.FrameSlot.img;
    if (view && (d.Slot1.img == view || d.Slot2.img == view)) return d.SlotOf(view);
    return d.SlotOf(d.GetCurrent().img);
}

void SetManualFrame(tdisplaystate& d, bool keepPosition, const tviewslot& slot, double h, double w,
                    double top, double left) {
    timg* first = slot.img ? slot.img : d.Slot1.img;
    if (!first) return;
    timg* second = first == &d.Pair.ImgLeft ? &d.Pair.ImgRight : &d.Pair.ImgLeft;
    for (timg* v : {first, second}) {
        // Each view is read through the slot that shows it.
        const tviewslot& own = d.SlotOf(v);
        if (!v->mancropd) {
            const tpointd corner = d.RelativeToPicture(own, 0, 0);
            v->mancropl = corner.x;
            v->mancropt = corner.y;
        }
        if (keepPosition) {
            const tpointd corner = d.RelativeToPicture(own, left, top);
            v->mancropl = corner.x;
            v->mancropt = corner.y;
        }
        v->mancropw = w;
        v->mancroph = h;
        v->mancropd = true;
    }
    d.FrameSlot = d.SlotOf(first);
    if (d.FrameW == 0 && d.FrameH == 0) d.FrameLeft = d.FrameTop = 0;
    if (keepPosition) {
        d.FrameLeft = left;
        d.FrameTop = top;
    }
    const double z = SafeZoom(d.Zoom);
    d.FrameW = w / z;
    d.FrameH = h / z;
    d.FrameRight = d.FrameLeft + d.FrameW - 1;
    d.FrameBottom = d.FrameTop + d.FrameH - 1;
}

tframesize PageSize(const tdisplaystate& d, const tviewslot& slot) {
    const tscreenrect& a = slot.Area;
    return {d.Zoom * (std::abs(a.right - a.left) + 1), d.Zoom * (std::abs(a.top - a.bottom) + 1)};
}

tautowindow AutoWindowOnScreen(const tdisplaystate& d, int ratioH, int ratioW) {
    tautowindow a;
    const timg& left = d.Pair.ImgLeft;
    if (left.Width() <= 0 || left.Height() <= 0) return a;
    const tcommonframe f = ComputeSourceFrame(&left, &d.Pair.ImgRight, false, ratioH, ratioW);
    if (!f.valid) return a;
    a.valid = true;
    a.width = f.width;
    a.height = f.height;
    // The corner is an aligned position, the same for both views: on the
    // screen it lies where the montage plane shows it.
    const double z = SafeZoom(d.Zoom);
    a.left = (f.left.x() + d.ScrollX) / z;
    a.top = (f.left.y() + d.ScrollY) / z;
    return a;
}
