// The program's start-up and exit sequence: settings unit first, then the
// windows in their fixed order, the settings, the command line and the loop.
#pragma once

int RunApplication(int argc, char** argv);
