// Placing the windows on the desktop in the two side-by-side arrangements.
#pragma once

#include "core/programhooks.h"

// Shows the display and Montage windows (and the magnifier when it is to be
// visible), hides the others and places them after DesktopType: 0 Montage
// window at the right, 1 at the left; any other value gives full-screen
// viewing and sets DesktopType to -1.
void ArrangeDesktopWindows();
