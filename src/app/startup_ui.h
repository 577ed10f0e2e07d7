// The program's start-up sequence: the settings unit first, then the windows
// in their fixed order, the settings file, the layout, the command line.
#pragma once

#include <QStringList>

// Everything that must exist before the first window: run-time flags, the
// cursors, the precision bitmaps and the stereo kind names.
void InitSettingsUnit();

// Creates the windows, reads the settings and applies them, then processes
// the command line (args without the program name). Needs a QApplication.
void StartProgram(const QStringList& args);

// The whole program: start-up, then the event loop until the program closes.
int RunApplication(int argc, char** argv);
