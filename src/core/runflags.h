// Program-wide run-time flags and values that live for the whole run and are
// never written to the settings file.
#pragma once

// Start-up has applied the settings and the language; handlers that would
// otherwise react to their own initialisation test it. Never returns to false.
inline bool gStarted = false;
// A timed or looping sequence runs (alternating display, slideshow, batch,
// demonstration loops); every stop command clears it.
inline bool gBusy = false;
// The point pair being placed or acted on, 0..13.
inline int CurPoint = 0;
// The pair sequence is finished or locked.
inline bool PointsLocked = false;
// Ratio constraint of the stereo window, width : height; 0 = none.
inline int WinRatioW = 0;
inline int WinRatioH = 0;
// Tag of the chosen transparency operation.
inline int TranspMode = 0;
// Image-folder redirection is on; off at every start.
inline bool RedirectOpen = false;
