// The desktop program's entry: refuses politely without a display, then runs
// the start-up sequence.
#include "app/startup_ui.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    bool hasDisplay = (x11 && *x11) || (wayland && *wayland) || (platform && *platform);
    if (!hasDisplay) {
        std::fprintf(stderr, "orvanel: no display found (DISPLAY and WAYLAND_DISPLAY are unset).\n"
                             "Start it from a desktop session, or under a virtual one: "
                             "xvfb-run make run\n");
        return 2;
    }
    return RunApplication(argc, argv);
}
