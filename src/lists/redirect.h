// Looking up an image file by its file name in a redirection folder, for
// pairs whose pictures have moved, and the redirection dialog's fields.
#pragma once

#include "core/runflags.h"

#include <QString>

// True when name is an existing file (a folder does not count). With
// redirection on and a folder given, name (in/out) first becomes that folder
// followed by the name's file part; a name written on another system
// ("D:\Photos\IMG_1234.JPG") keeps its file part whatever its delimiters.
bool RedirectedExists(QString& name, const QString& folder, bool redirect = RedirectOpen);

// The name as it lies in folder: the folder with one trailing delimiter and
// the name's file part.
QString NameInFolder(const QString& name, const QString& folder);

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
