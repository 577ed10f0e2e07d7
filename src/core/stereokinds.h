// The stereo kinds shared by loading, saving and lists: codes, names, the
// settings key stems, default suffixes and folders, filters and dialog titles.
#pragma once

#include <QString>

#include <array>

enum StereoKind {
    KindSingle = 0,
    KindPair = 1,
    KindCrossed = 2,
    KindParallel = 3,
    KindAnaglyph = 4,
    KindOverUnder = 5,
    KindDouble = 6,
    KindLeft = 7,
    KindRight = 8,
    KindNone = 9,
    KindParams = 10,
    KindPairOpening = 11,  // a pair being opened whose left view is in place
    KindRightOpening = 12, // a right view alone while a pair is being opened
    // Output kinds of today's cameras and viewers, after every kind above:
    // they name no pair on screen, list entry or parameter-file kind.
    KindMpo = 13,  // two-picture MPO file, left view first
    KindHsbs = 14, // half-width side by side, left view in the left half
    KindHou = 15,  // half-height over-under, left view on top
};

constexpr int kStereoKindCount = 13;
// Every output kind code, the added ones included: the size of the per-kind
// save fields.
constexpr int kOutputKindCount = 16;
// The added output kinds in the order the save pass writes them, after the
// kinds of SaveKindOrder.
constexpr int kExtraOutputKinds[] = {KindMpo, KindHsbs, KindHou};
bool IsExtraOutputKind(int kind);

// Display names by kind code; filled by InitStereoKinds() before any window
// exists and read-only afterwards.
extern std::array<QString, kStereoKindCount> StereoKindNames;
void InitStereoKinds();

// Settings key stem of a kind ("SX", "Ana", "MPO" …); "Img" for kinds without one
// where a folder is remembered (single picture), empty where the kind has no
// settings of its own.
QString KindStem(int kind);
// Default output file-name suffix ("_X" …) and sub-folder (".\x" …).
QString KindDefaultSuffix(int kind);
QString KindDefaultFolder(int kind);
// The name of an output kind: StereoKindNames for the kinds above 0..12,
// the added kinds' own names after them.
QString OutputKindName(int kind);
// Title of the open dialog for a kind; empty for kinds that have none.
QString OpenDialogTitle(int kind);

// Filters of the file dialogs, in the pipe-separated form the settings and
// language files use; PipeFilterToQt() turns one into Qt's ";;" form.
extern const char* const PictureSaveFilter;
extern const char* const ParamFileFilter;
QString PipeFilterToQt(const QString& pipeFilter);

// Dialog titles of the parameter files opened from the display window.
extern const char* const ReadParamsTitle;
extern const char* const SaveParamsTitle;
