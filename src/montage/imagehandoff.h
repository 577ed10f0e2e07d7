// Handing the aligned pair to the external image-processing program: the two
// temporary bitmaps, the program looked up beside ours, its argument line and
// the two warnings.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

struct timagehandoff {
    QString programFolder;  // our own folder
    QString settingsFolder; // where the temporary bitmaps go
    // Writes the parameter file under its default name; optional.
    std::function<void()> writeParams;
    // Writes the aligned left and right views as bitmaps; false when either
    // could not be written. Absent while the output writer is unavailable.
    std::function<bool(const QString& left, const QString& right)> writeViews;
    // Starts the program without waiting; false when it could not start.
    std::function<bool(const QString& exe, const QStringList& args, const QString& folder)> launch;
    std::function<void(const QString& text)> warn;
};

// The program's name beside ours.
extern const char* const ImageProgramName; // "tralfe.exe"

enum class thandoffresult { Launched, Missing, NotStarted };

// The paths of one hand-off.
struct thandoffpaths {
    QString exe;
    QString left;
    QString right;
    QStringList arguments; // left, right, filter file
};
thandoffpaths HandOffPaths(const QString& programFolder, const QString& settingsFolder);

thandoffresult RunImageHandOff(const timagehandoff& h);
