// Carries out the command line of the desktop program once the windows exist.
#pragma once

#include <QStringList>

void ProcessCommandLine(const QStringList& args);
