// The program-wide hooks and the calls that go through them.
#include "core/programhooks.h"

tprogramhooks ProgramHooks;

bool MainCloseQuery(QWidget* parent) {
    return !ProgramHooks.CloseQuery || ProgramHooks.CloseQuery(parent);
}

void QuitApplication() {
    if (ProgramHooks.Quit) ProgramHooks.Quit();
}

void ArrangeDesktop() {
    if (ProgramHooks.ArrangeDesktop) ProgramHooks.ArrangeDesktop();
}
