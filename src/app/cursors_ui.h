// The program's own cursors, registered under fixed numbers before any window
// exists: 10 white target, 20 black target, 30 white and 40 black precision.
#pragma once

#include <QCursor>

enum ProgramCursorNumber {
    CursorMireB = 10,   // "mireb", white target
    CursorMireN = 20,   // "miren", black target
    CursorPrecisB = 30, // "PRECISB", white precision cursor
    CursorPrecisN = 40  // "PRECISN", black precision cursor
};

void RegisterProgramCursors();
// Replaces or adds a cursor under a number (the measuring tool registers its
// own cursor under 10 later on).
void RegisterProgramCursor(int number, const QCursor& cursor);
// The cursor registered under number; the arrow when none is.
QCursor ProgramCursor(int number);
