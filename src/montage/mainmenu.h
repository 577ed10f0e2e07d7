// The main menu of the Montage window as data: every item in menu order with
// its component name, caption, declared shortcut and depth. The window builds
// its menu bar and its action registry from this one table.
#pragma once

#include <vector>

struct tmenuentry {
    const char* name;     // component name; "" for a separator
    const char* caption;  // "-" for a separator
    const char* shortcut; // declared accelerator in portable text ("Ctrl+L", "F2"); "" for none
    int depth;            // 0 a menu of the bar, 1 its item, 2 an item of a submenu
};

const std::vector<tmenuentry>& MainMenuEntries();

// True for a separator entry.
bool IsMenuSeparator(const tmenuentry& e);
