// The command line of the desktop program, turned into a plan: which files
// to open and how, and what becomes of StereoType, the folders and the
// arrangement. Start-up carries the plan out.
#pragma once

#include "core/settings.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// The first argument read as a number: an optional sign, then decimal
// digits. Reading stops at the first other character; value is the number
// read up to there (0 when no digit was read, as for "D:\x.jpg"), and ok is
// false when any character remains, when there is no digit or when the
// number does not fit an int. Leading blanks are skipped.
struct tcmdnumber {
    bool ok = false;
    int value = 0;
};
tcmdnumber CommandLineNumber(const QString& argument);

enum class tstartaction {
    None,       // nothing to open
    OpenParams, // file1 is a parameter file, opened with its images
    LoadLeft,   // file1 becomes the left view
    LoadRight,  // file1 becomes the right view
    LoadPair,   // file1 the left view, file2 the right view; a picture that
                // fails to load leaves its view as it was
    Split,      // file1 is split as a composite of kind splitKind (2..6)
    LoadMpo,    // file1 is an MPO: its first picture the left view, its
                // second the right view
};

// One remembered open folder that takes a file's folder.
struct tfolderupdate {
    QString tsettings::*dir = nullptr;
    QString folder;
};

struct tstartplan {
    tstartaction action = tstartaction::None;
    QString file1;
    QString file2;
    int splitKind = 0;
    // StereoType once the files are in; -1 leaves it as it is.
    int stereoType = -1;
    // The open folders that follow the files.
    std::vector<tfolderupdate> folders;
    // stereoType and folders apply only when the picture loaded (or the
    // split succeeded); otherwise they apply whatever the loaders report.
    bool needsLoad = false;
    // The display is refreshed at the end, whether anything loaded or not.
    bool refreshDisplay = false;
    // DesktopType becomes 255: the windows are arranged at the next start.
    bool arrangeAtNextStart = false;
};

using tfileexists = std::function<bool(const QString&)>;

// The plan for args (without the program name). currentStereoType is the
// kind on screen, which kinds 7 and 8 keep when they repeat it; exists
// tests whether a named file is there (the real file system by default).
tstartplan PlanCommandLine(const QStringList& args, int currentStereoType,
                           const tfileexists& exists = {});

// The effects of a plan on the settings and on StereoType once its files
// have been handled; loaded tells whether the load (or split) succeeded.
void ApplyStartPlan(const tstartplan& plan, bool loaded, tsettings& s, int& stereoType);
