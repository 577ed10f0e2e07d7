// `orvanel-cli render`: the save pass run from the command line, with the
// dialog's fields given as options and its questions answered by them.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>

// The lines of the command's help, appended to the program's usage text.
extern const char* const RenderUsage;

// Runs `render` with the arguments after the command name. One line per
// output on `out` (its path, a tab, the log text); messages, usage errors and
// the progress over several parameter files on `err`. Returns 0 when every
// output was written, 1 when any failed, 2 on a usage error.
int RunRenderCommand(const QStringList& args, std::FILE* out, std::FILE* err);
