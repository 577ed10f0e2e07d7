// The redirection dialog's fields: the folders where the pictures of a pair
// that have moved are looked for (the lookup is core/redirectedfile).
#pragma once

#include <QString>

struct tsettings;

// The fields of the redirection dialog: the two folders and the switch.
struct tredirectfields {
    QString left;       // EditRepL
    QString right;      // EditRepR
    bool force = false; // CheckBoxForceDir
};

// What the dialog shows when it opens: the stored folders and switch. An
// empty stored right folder empties a right field that held text, and
// fills an empty one with the left folder.
void ShowRedirectFields(tredirectfields& fields, const tsettings& settings, bool redirectOpen);

// A folder picked with either button goes into its field and turns
// redirection on.
void ChooseRedirectFolder(tredirectfields& fields, bool leftSide, const QString& folder);

// OK: the switch and the trimmed folders are stored; an empty right folder
// takes the left one.
void AcceptRedirectFields(const tredirectfields& fields, tsettings& settings, bool& redirectOpen);
