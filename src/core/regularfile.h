// Opening files that a user or a stranger names: only regular files are read,
// checked without blocking, so a FIFO or a device cannot hang the program.
#pragma once

#include <QString>

class QFile;

// What stands at a path, as far as reading it goes.
enum class tfilestate {
    Regular,    // a regular file that could be opened
    Missing,    // nothing there (or a dangling link)
    NotRegular, // a folder, FIFO, device or socket
    Denied,     // no permission
    LinkLoop,   // too many levels of symbolic links
    Unreadable, // any other failure to open
};

// Opens `path` for reading into `file` when it is a regular file: the path is
// opened without blocking, checked with fstat on the very descriptor, then
// handed to `file`. Anything else leaves `file` closed.
tfilestate OpenRegularFile(const QString& path, QFile& file);

// The state of `path` without keeping it open.
tfilestate ProbeRegularFile(const QString& path);

// The cause in a few English words: "missing", "not a regular file",
// "permission denied", "too many levels of symbolic links", "unreadable";
// empty for a regular file.
QString FileStateText(tfilestate state);

// The same cause in French for the messages of the windows: "fichier absent",
// "pas un fichier ordinaire", "permission refusée", "trop de liens
// symboliques", "illisible".
QString FileStateTextFr(tfilestate state);

// True when a writer may put a file at `path`: nothing is there yet, or a
// regular file (a symbolic link counts by its target). A folder, FIFO,
// device or socket, or a link to one, is never replaced.
bool WritableTarget(const QString& path);
