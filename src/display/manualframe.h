// The manual frame as the Montage window sets it: both views' frames and the
// display frame from one slot-relative rectangle, the page a slot shows and
// the automatic window placed on the screen.
#pragma once

#include "display/displaystate.h"

// The slot the frame commands work on: the slot now holding the view the
// frame was last set on, else the current slot.
tviewslot& FrameSlotOf(tdisplaystate& d);

// Sets the manual frame of both views (w x h picture pixels) and the display
// frame. A view without a frame takes its corner from the picture point at
// the corner of its own slot; with keepPosition both views take it from the
// point under (left, top) of their own slot, so the same slot-relative
// rectangle frames both views, each through its own transform. The display
// frame becomes slot's, w / Zoom x h / Zoom, at (left, top) with keepPosition.
void SetManualFrame(tdisplaystate& d, bool keepPosition, const tviewslot& slot, double h, double w,
                    double top, double left);

// A size in picture pixels.
struct tframesize {
    double width = 0;
    double height = 0;
};

// The page a slot shows, in picture pixels: its area times the zoom.
tframesize PageSize(const tdisplaystate& d, const tviewslot& slot);

// The automatic window (the common frame of both views under the ratio
// terms, no manual frame) with its corner relative to a slot's area.
struct tautowindow {
    bool valid = false; // false without a left picture
    double width = 0;
    double height = 0;
    double left = 0;
    double top = 0;
};
tautowindow AutoWindowOnScreen(const tdisplaystate& d, int ratioH, int ratioW);
