// The program's start-up sequence: the settings unit first, then the windows
// in their fixed order, the settings file, the layout, the command line.
#pragma once

#include <QString>
#include <QStringList>

// Everything that must exist before the first window: run-time flags, the
// cursors, the precision bitmaps and the stereo kind names.
void InitSettingsUnit();

// Creates the windows, reads the settings and applies them, then processes
// the command line (args without the program name). Needs a QApplication.
void StartProgram(const QStringList& args);

// Applies the language file the settings name ([Lng] FileName) to every
// window; no file keeps the built-in French texts. A file that is there but
// cannot be used keeps them too: the message saying why is returned (and
// written on standard error), "" otherwise.
QString ApplySettingsLanguage();

// `orvanel --write-lng FILE`: creates the windows, applies the settings'
// language and writes the interface's texts to file, without showing a
// window. The exit code: 0 written, 1 not.
int WriteLanguageAndExit(const QString& file);

// The whole program: start-up, then the event loop until the program closes.
int RunApplication(int argc, char** argv);
