// The settings variables, their one table (section, key, default, variable)
// and the settings file that carries them from one run to the next.
#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <variant>
#include <vector>

// Every option, last-used folder, output name and window arrangement kept
// between runs, plus the few run-time values derived from them at load.
// A fresh object holds what the program has before the file is read: the
// table defaults, with `VisionMode` 0 and `GridIndex` 1 as at start-up.
struct tsettings {
    tsettings();

    // Every stored variable below takes its default from SettingsTable().

    // [Desktop] "type": 0 Montage window at the right, 1 at the left, 255
    // arrange at the next start, -1 full-screen viewing. Kept out of the
    // table: it is read only when the screen size has not changed.
    int DesktopType = 255;

    // [Lng]
    QString LngFileName;

    // [Directories]: output base name and folders (Windows-style relative
    // folders such as ".\l" are kept as written; see NativePath).
    QString DirFileName;
    QString DirBase;
    QString DirL, DirR, DirSX, DirSP, DirSV, DirAna, DirBi, DirPrm;
    QString DirOpenImgL, DirOpenImgR;

    // [SaveDir]: last save folder per kind.
    QString SaveDirImg, SaveDirL, SaveDirR, SaveDirSX, SaveDirSP, SaveDirSV, SaveDirAna, SaveDirBi,
        SaveDirPrm;

    // [Save]
    bool SaveL, SaveR, SaveSX, SaveSP, SaveSV, SaveAna, SaveBi, SavePrm;
    bool Save24bit;
    bool AutoCrop;
    bool SaveJpeg;
    int SaveWUser, SaveHUser, SaveSUser;
    int SaveW, SaveH;
    int SaveSepar;
    bool JpegHSampling, JpegVSampling;
    bool AskBeforeCreateDir;
    bool SaveCenter;
    bool SaveRatioWH;
    int SaveAdaptImage;
    bool ForceRepBase;
    bool ForceFileName;
    bool NewBffStyle;
    QString SuffixL, SuffixR, SuffixSX, SuffixSP, SuffixSV, SuffixAna, SuffixBi, SuffixPrm;

    // [Open]
    int OpenSepar;

    // [OpenDir]: last open folder per kind.
    QString OpenDirImg, OpenDirL, OpenDirR, OpenDirSX, OpenDirSP, OpenDirSV, OpenDirAna, OpenDirBi,
        OpenDirPrm;

    // [Visu]
    bool VisuStart;
    bool VisuCurrent;
    bool VisuLoad;
    int VisionMode;
    bool Smoothing;
    int MouseTool;
    bool ScrollSpeed;
    int ScrollDir;
    bool AdaptAndCenter;

    // [Zoom]
    int ZoomSize;

    // [Quit]
    bool AskQuit;

    // [Menu]
    int DefStereoWindow;
    bool ShowGrid;
    int DefGridIndex;
    int DefStereoIndex;
    int DefShowIndex;
    int CropIndex; // written as "defcropindex", never read: every run starts with 0
    int DefCalcIndex;
    int DefExtractIndex;
    int DefSaveIndex;
    int DefRotationsIndex;
    int DefWindowingIndex;
    int DefPageControlIndex;
    int ExtractOption;
    bool ExpertMode;
    bool CalAuto;
    int MaxPtsIndex;

    // [DragDrop]
    int DragDropFileType;
    bool DragDropAsk;

    // [Mouse]
    bool MouseSwap;

    // [ClipBoard]
    bool ClipboardHook;

    // [Formats], written after every section above: the outputs of today's
    // cameras and viewers. Tick, folder and suffix of the MPO, half-width
    // side-by-side and half-height over-under kinds; the anaglyph method
    // (0 colour, 1 half-colour, 2 grey, 3 least-squares, see
    // engine/anaglyphmix.h) of the output and of the display; whether JPEG
    // and MPO outputs carry the left source picture's EXIF.
    bool SaveMPO, SaveHSBS, SaveHOU;
    QString DirMPO, DirHSBS, DirHOU;
    QString SuffixMPO, SuffixHSBS, SuffixHOU;
    int AnaglyphMethod;
    bool KeepExif;

    // Not stored under a key of their own.
    int GridIndex = 1;       // current marks choice; "defgridindex" at load
    bool ZoomVisible = true; // the magnifier's "FormZoom" "v", read again at load
};

// The program's settings, created before any window and saved at exit.
extern tsettings Settings;

// One stored variable: where it lives in the file, its default on load and
// the rule that applies to it. The table lists them in file order.
struct tsettingentry {
    enum trule {
        Plain,
        ForcedByVisuStart,     // "current": true whenever "start" is
        MouseToolRule,         // "tool": a false VisuCurrent becomes (tool == 0)
        ScrollDirRule,         // "scrolldir": anything but -1 and 1 reads as -1
        DefaultNotVisuCurrent, // "showgrid": default is the negation of VisuCurrent
        WriteOnly,             // "defcropindex": written, never read
        CopiedToGridIndex,     // "defgridindex": also becomes GridIndex
    };
    using tmember = std::variant<QString tsettings::*, int tsettings::*, bool tsettings::*>;

    const char* section;
    const char* key;
    tmember member;
    const char* textDefault; // string entries
    int numberDefault;       // integer and boolean entries
    // Integers outside [low, high] read as the default: the values other
    // windows use as sizes or as indexes into fixed lists.
    int low;
    int high;
    trule rule;
};

// The stored variables in the order in which they are written; the header
// ("Orvanel-3D", "separator", "screen"), [Desktop] "type" and the window
// sections come before them and are not part of it.
const std::vector<tsettingentry>& SettingsTable();

// The application's windows in their creation order; each has a section of
// that name.
const QStringList& SettingsWindowOrder();

// What the settings file needs to know of the windows, implemented by the
// desktop program over its windows and by tests over plain records.
class twindowlist {
public:
    virtual ~twindowlist() = default;
    // The windows that exist, in the application's window order.
    virtual int WindowCount() const = 0;
    virtual QString WindowName(int index) const = 0;
    virtual bool WindowVisible(int index) const = 0;
    // Left, top, width and height.
    virtual QRect WindowBounds(int index) const = 0;
    // Hides the window at once when visible is false (a window to be shown
    // is shown later by start-up from its marker); places it at bounds
    // unless bounds is null, in which case it keeps its own.
    virtual void ApplyWindow(int index, bool visible, const QRect* bounds) = 0;
    // The marker start-up reads once: 1 = show the window, 0 = hide it.
    virtual void SetWindowMarker(int index, int marker) = 0;
};

// Where the settings are and what the machine is like now.
struct tsettingsenv {
    QString file;     // the settings file
    QSize screen;     // the current screen size
    QString decimal;  // the current decimal separator (one character)
    QString thousand; // the current thousands separator (one character)
    // The desktop's available area (all screens); window bounds read from the
    // file are brought inside it. Empty: no such clamping.
    QRect desktop;
};

// $XDG_CONFIG_HOME (or ~/.config) + "/kvtq/", with the trailing delimiter.
QString SettingsFolder();
// SettingsFolder() + "orvanel.ini".
QString SettingsFile();
// The settings file, the given screen size and the system locale's separators.
tsettingsenv CurrentSettingsEnv(const QSize& screen);

// The first argument "INI=0" or "NOINI", in any case: start without settings.
bool IsNoSettingsArgument(const QString& argument);

// Reads the settings file into s and restores the windows' visibility and
// bounds. args are the command-line arguments (without the program name): a
// first argument that asks to start without settings deletes the file first.
// A missing or damaged file gives the defaults; nothing is reported.
void LoadSettings(tsettings& s, twindowlist& windows, const tsettingsenv& env,
                  const QStringList& args = {});

// Writes every variable and the state of every window, replacing the old
// file only once the new one is complete. False when nothing was saved (the
// folder could not be created or the file could not be replaced).
bool SaveSettings(const tsettings& s, const twindowlist& windows, const tsettingsenv& env);

// Deletes the settings file and, when that succeeded, leaves an empty one in
// its place. The reset command then loads the settings again (all defaults).
bool ResetSettings(const QString& file);
