// The "Liste" menu and the sorter button of the Montage window, and the
// display window as the list shows its entries.
#pragma once

#include <functional>

class QWidget;
class tlistdisplay;

// The display window's side of showing a list entry; the windows must exist.
tlistdisplay& ListDisplay();

// Binds the list commands through `bind` (the Montage window's action
// registry) and enables the sorter button among `montage`'s children. The
// list windows are looked up when a command runs: they are created after
// the Montage window.
void BindListCommands(QWidget* montage,
                      const std::function<void(const char*, std::function<void()>)>& bind);
