// Zoom and window-coordinate rounding shared by the display state's files.
#pragma once

#include <algorithm>
#include <cmath>

inline double SafeZoom(double z) {
    return z == 0 ? 1.0 : z;
}

// Trunc into window coordinates. Positions come from parameter files too, so
// any value is kept a billion pixels from the int limits (NaN counts as 0).
inline int Trunc(double v) {
    if (!(v == v)) return 0;
    return static_cast<int>(std::trunc(std::clamp(v, -1e9, 1e9)));
}
