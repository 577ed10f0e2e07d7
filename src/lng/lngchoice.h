// What the language chooser's OK and Cancel leave behind: current.lng as a
// copy of the chosen language, applied, and the name the next start applies.
#pragma once

#include "lng/lngfile.h"

#include <functional>

// The chooser's work on the interface: apply a file, write the interface to
// a file.
struct tlngactions {
    std::function<bool(const QString& path)> apply;
    std::function<bool(const QString& path)> save;
};

// OK with selection (a bare name, "" when nothing is selected): a chosen file
// other than current.lng replaces current.lng (through a copy beside it, so
// a failed copy leaves the old one); a missing current.lng is written from
// the interface; current.lng is applied. Returns the name the settings keep
// for the next start: the chosen file's name, or selectedName when nothing
// was copied.
QString ChooseLanguageOk(const tlngfolders& folders, const QString& selection,
                         const QString& selectedName, const tlngactions& actions);
// Cancel: the interface returns to current.lng (written first when missing);
// returns "current.lng".
QString ChooseLanguageCancel(const tlngfolders& folders, const tlngactions& actions);
