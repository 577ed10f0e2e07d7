// `orvanel-cli align`: a pair loaded, points placed, alignment commands run in
// order as the Montage window runs them, the result written as a parameter file.
#pragma once

#include <QStringList>

// The lines of the command's help, appended to the program's usage text.
extern const char* const AlignUsage;

// Runs `align` with the arguments after the command name. Messages and usage
// errors go to stderr. Returns 0 on success, 1 when the pair could not be
// read, a command was refused or the file could not be written, 2 on a usage
// error.
int RunAlignCommand(const QStringList& args);
