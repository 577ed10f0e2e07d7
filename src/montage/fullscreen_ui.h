// Full-screen viewing over the program's windows: the display window alone
// over its screen, and back.
#pragma once

// The full-screen layout alone (F12, the start of a slideshow): the Montage
// window and the magnifier hidden, the display window over its screen.
void FullScreenLayout();

// "Plein écran de visualisation" (F10): enters full-screen viewing when it is
// off or the Montage window is visible, else leaves it; the picture is
// refitted either way.
void SwitchFullScreen();

// The display window's frame, controls and bounds back, as every desktop
// arrangement starts.
void LeaveFullScreenLayout();
