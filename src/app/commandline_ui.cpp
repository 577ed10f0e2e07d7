// The command line's actions on the display window.
#include "app/commandline_ui.h"

#include "app/settings.h"

void ProcessCommandLine(const QStringList& args) {
    if (args.isEmpty()) return;
    // Any single argument leaves the windows to be arranged at the next start.
    if (args.size() == 1) Settings.DesktopType = 255;
}
