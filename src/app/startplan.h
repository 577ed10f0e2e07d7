// Carries out the command line's plan on the pair: loads, splits or opens the
// parameter file, then applies the kind, the remembered folders and the
// arrangement flag. Runs without a window (tests drive it with a fake host).
#pragma once

#include "app/cmdline.h"
#include "input/viewloader.h"

#include <functional>

// Opens a parameter file with its images; false when nothing was opened.
using tparamopener = std::function<bool(const QString& file)>;

// Returns true when the plan's files were loaded (or split, or opened).
bool ExecuteStartPlan(const tstartplan& plan, tviewloader& loader, tdisplayhost& host,
                      tsettings& settings, const tparamopener& openParams);
