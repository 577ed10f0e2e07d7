// The program's windows, created once at start-up in their fixed order; the
// display window first, as the application's main window.
#pragma once

#include "montage/programwindows_ui.h"

// Creates the 21 windows in order. Each window's objectName is its settings
// section name.
void CreateWindows();
// Destroys them in reverse order.
void DestroyWindows();
