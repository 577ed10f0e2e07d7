// The program's own temporary folder: files it writes for itself (previews,
// hand-offs) go there, never into a folder of the user's.
#pragma once

#include <QString>

// A path named `name` inside a private folder made on first use (mode 0700)
// and removed with everything in it when the program ends. Empty when no
// such folder could be made.
QString PrivateTempPath(const QString& name);
