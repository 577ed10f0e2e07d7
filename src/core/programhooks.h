// What the windows ask of the program as a whole: the exit sequence and the
// desktop arrangement, installed by the start-up above every module.
#pragma once

#include <functional>

class QWidget;

struct tprogramhooks {
    // May the program close? Asked with the window the user closes.
    std::function<bool(QWidget* parent)> CloseQuery;
    // Ends the event loop after an allowed close.
    std::function<void()> Quit;
    // Places the windows after DesktopType.
    std::function<void()> ArrangeDesktop;
};

// Empty until the start-up creates the windows, and again once they are gone.
extern tprogramhooks ProgramHooks;

// The calls of the display and Montage windows. Without hooks (windows built
// alone, as the tests do) a window may close, nothing quits and nothing moves.
bool MainCloseQuery(QWidget* parent);
void QuitApplication();
void ArrangeDesktop();
