// The desktop program's entry: refuses politely without a display, then runs
// the start-up sequence.
#include "app/startup_ui.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    // Writing the interface's texts shows no window: it needs no display.
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--write-lng") == 0 && !std::getenv("DISPLAY") &&
            !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
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
