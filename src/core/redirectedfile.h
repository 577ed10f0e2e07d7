// Looking up an image file by its file name in a redirection folder, for
// pairs whose pictures have moved.
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
