// The settings table and the settings file: loading, saving and resetting,
// all driven by the one table so that file order and defaults stay together.
#include "core/settings.h"

#include "core/inifile.h"
#include "core/paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <limits>

tsettings Settings;

namespace {

using E = tsettingentry;

// Bounds for integers that nothing restricts.
constexpr int AnyLow = std::numeric_limits<int>::min();
constexpr int AnyHigh = std::numeric_limits<int>::max();
// Output sizes and separations are pixels of a picture the program allocates;
// a value beyond this comes from a damaged file, not from a user.
constexpr int PixelLimit = 65535;

E Text(const char* section, const char* key, QString tsettings::*member, const char* def) {
    return {section, key, member, def, 0, AnyLow, AnyHigh, E::Plain};
}
E Number(const char* section, const char* key, int tsettings::*member, int def, int low = AnyLow,
         int high = AnyHigh, E::trule rule = E::Plain) {
    return {section, key, member, "", def, low, high, rule};
}
E Flag(const char* section, const char* key, bool tsettings::*member, bool def,
       E::trule rule = E::Plain) {
    return {section, key, member, "", def ? 1 : 0, AnyLow, AnyHigh, rule};
}

std::vector<E> BuildTable() {
    using S = tsettings;
    return {
        Text("Lng", "FileName", &S::LngFileName, ""),

        Text("Directories", "FileName", &S::DirFileName, "3d"),
        Text("Directories", "Base", &S::DirBase, ""),
        Text("Directories", "L", &S::DirL, ".\\l"),
        Text("Directories", "R", &S::DirR, ".\\r"),
        Text("Directories", "SX", &S::DirSX, ".\\x"),
        Text("Directories", "SP", &S::DirSP, ".\\p"),
        Text("Directories", "SV", &S::DirSV, ".\\v"),
        Text("Directories", "Ana", &S::DirAna, ".\\ana"),
        Text("Directories", "Bi", &S::DirBi, ".\\bi"),
        Text("Directories", "Prm", &S::DirPrm, ".\\prm"),
        Text("Directories", "OpenImgL", &S::DirOpenImgL, ""),
        Text("Directories", "OpenImgR", &S::DirOpenImgR, ""),

        Text("SaveDir", "Img", &S::SaveDirImg, ""),
        Text("SaveDir", "L", &S::SaveDirL, ""),
        Text("SaveDir", "R", &S::SaveDirR, ""),
        Text("SaveDir", "SX", &S::SaveDirSX, ""),
        Text("SaveDir", "SP", &S::SaveDirSP, ""),
        Text("SaveDir", "SV", &S::SaveDirSV, ""),
        Text("SaveDir", "Ana", &S::SaveDirAna, ""),
        Text("SaveDir", "Bi", &S::SaveDirBi, ""),
        Text("SaveDir", "Prm", &S::SaveDirPrm, ""),

        Flag("Save", "Left", &S::SaveL, false),
        Flag("Save", "Right", &S::SaveR, false),
        Flag("Save", "SX", &S::SaveSX, true),
        Flag("Save", "SP", &S::SaveSP, false),
        Flag("Save", "SV", &S::SaveSV, false),
        Flag("Save", "Ana", &S::SaveAna, true),
        Flag("Save", "Bi", &S::SaveBi, false),
        Flag("Save", "Prm", &S::SavePrm, true),
        Flag("Save", "24bit", &S::Save24bit, false),
        Flag("Save", "autocrop", &S::AutoCrop, true),
        Flag("Save", "jpeg", &S::SaveJpeg, false),
        Number("Save", "wuser", &S::SaveWUser, 1024, 1, PixelLimit),
        Number("Save", "huser", &S::SaveHUser, 768, 1, PixelLimit),
        Number("Save", "suser", &S::SaveSUser, 0, -PixelLimit, PixelLimit),
        Number("Save", "w", &S::SaveW, 1024, 1, PixelLimit),
        Number("Save", "h", &S::SaveH, 768, 1, PixelLimit),
        Number("Save", "separ", &S::SaveSepar, 0, -PixelLimit, PixelLimit),
        Flag("Save", "jpeghsampling", &S::JpegHSampling, false),
        Flag("Save", "jpegvsampling", &S::JpegVSampling, false),
        Flag("Save", "askbeforecreatedir", &S::AskBeforeCreateDir, true),
        Flag("Save", "center", &S::SaveCenter, true),
        Flag("Save", "RatioWH", &S::SaveRatioWH, true),
        Number("Save", "AdaptImage", &S::SaveAdaptImage, 0),
        Flag("Save", "ForceRepBase", &S::ForceRepBase, false),
        Flag("Save", "ForceFileName", &S::ForceFileName, false),
        Flag("Save", "NewBffStyle", &S::NewBffStyle, true),
        Text("Save", "suffixeL", &S::SuffixL, "_L"),
        Text("Save", "suffixeR", &S::SuffixR, "_R"),
        Text("Save", "suffixeSX", &S::SuffixSX, "_X"),
        Text("Save", "suffixeSP", &S::SuffixSP, "_P"),
        Text("Save", "suffixeSV", &S::SuffixSV, "_V"),
        Text("Save", "suffixeAna", &S::SuffixAna, "_A"),
        Text("Save", "suffixeBi", &S::SuffixBi, "_Bi"),
        Text("Save", "suffixePrm", &S::SuffixPrm, ""),

        Number("Open", "separ", &S::OpenSepar, 0, -PixelLimit, PixelLimit),

        Text("OpenDir", "Img", &S::OpenDirImg, ""),
        Text("OpenDir", "L", &S::OpenDirL, ""),
        Text("OpenDir", "R", &S::OpenDirR, ""),
        Text("OpenDir", "SX", &S::OpenDirSX, ""),
        Text("OpenDir", "SP", &S::OpenDirSP, ""),
        Text("OpenDir", "SV", &S::OpenDirSV, ""),
        Text("OpenDir", "Ana", &S::OpenDirAna, ""),
        Text("OpenDir", "Bi", &S::OpenDirBi, ""),
        Text("OpenDir", "Prm", &S::OpenDirPrm, ""),

        Flag("Visu", "start", &S::VisuStart, true),
        Flag("Visu", "current", &S::VisuCurrent, true, E::ForcedByVisuStart),
        Flag("Visu", "load", &S::VisuLoad, true),
        // The display knows the vision modes 0..7 only; any other value from
        // the file falls back to the default mode rather than to a layout no
        // menu or status bar can name.
        Number("Visu", "mode", &S::VisionMode, 1, 0, 7),
        Flag("Visu", "lissage", &S::Smoothing, false),
        Number("Visu", "tool", &S::MouseTool, 0, AnyLow, AnyHigh, E::MouseToolRule),
        Flag("Visu", "scrollspeed", &S::ScrollSpeed, false),
        Number("Visu", "scrolldir", &S::ScrollDir, -1, AnyLow, AnyHigh, E::ScrollDirRule),
        Flag("Visu", "adaptandcenter", &S::AdaptAndCenter, true),

        // The magnifier's picture is ZoomSize x ZoomSize pixels.
        Number("Zoom", "size", &S::ZoomSize, 150, 16, 4096),

        Flag("Quit", "checked", &S::AskQuit, true),

        Number("Menu", "defstereowindow", &S::DefStereoWindow, 1, 0, 2),
        Flag("Menu", "showgrid", &S::ShowGrid, false, E::DefaultNotVisuCurrent),
        Number("Menu", "defgridindex", &S::DefGridIndex, 0, AnyLow, AnyHigh, E::CopiedToGridIndex),
        Number("Menu", "defstereoindex", &S::DefStereoIndex, 7),
        Number("Menu", "defshowindex", &S::DefShowIndex, 1),
        Number("Menu", "defcropindex", &S::CropIndex, 0, AnyLow, AnyHigh, E::WriteOnly),
        Number("Menu", "defcalcindex", &S::DefCalcIndex, 0),
        Number("Menu", "defextractindex", &S::DefExtractIndex, 0),
        Number("Menu", "defsaveindex", &S::DefSaveIndex, 0),
        Number("Menu", "defrotationsindex", &S::DefRotationsIndex, 0),
        Number("Menu", "defwindowingindex", &S::DefWindowingIndex, 0),
        Number("Menu", "defpagecontrolindex", &S::DefPageControlIndex, 0),
        // The four choices of the separation dialog.
        Number("Menu", "extractoption", &S::ExtractOption, 1, 0, 3),
        Flag("Menu", "expertmode", &S::ExpertMode, false),
        Flag("Menu", "calauto", &S::CalAuto, false),
        // No sequencing, or sequencing of 2 or 3 pairs.
        Number("Menu", "maxptsindex", &S::MaxPtsIndex, 2, 0, 3),

        // An item of the eight-item drop options list.
        Number("DragDrop", "filetype", &S::DragDropFileType, 0, 0, 7),
        Flag("DragDrop", "ask", &S::DragDropAsk, false),

        Flag("Mouse", "echange", &S::MouseSwap, false),

        Flag("ClipBoard", "hook", &S::ClipboardHook, false),

        Flag("Formats", "SaveMPO", &S::SaveMPO, false),
        Flag("Formats", "SaveHSBS", &S::SaveHSBS, false),
        Flag("Formats", "SaveHOU", &S::SaveHOU, false),
        Text("Formats", "DirMPO", &S::DirMPO, ".\\mpo"),
        Text("Formats", "DirHSBS", &S::DirHSBS, ".\\hsbs"),
        Text("Formats", "DirHOU", &S::DirHOU, ".\\hou"),
        Text("Formats", "suffixeMPO", &S::SuffixMPO, "_MPO"),
        Text("Formats", "suffixeHSBS", &S::SuffixHSBS, "_HSBS"),
        Text("Formats", "suffixeHOU", &S::SuffixHOU, "_HOU"),
        // The four anaglyph methods; any other value reads as the colour one.
        Number("Formats", "anaglyph", &S::AnaglyphMethod, 0, 0, 3),
        Flag("Formats", "exif", &S::KeepExif, true),
    };
}

// The one value an entry gets when its key is missing or unusable.
void SetDefault(tsettings& s, const E& e) {
    if (auto m = std::get_if<QString tsettings::*>(&e.member)) {
        s.*(*m) = QString::fromUtf8(e.textDefault);
    } else if (auto m = std::get_if<int tsettings::*>(&e.member)) {
        s.*(*m) = e.numberDefault;
    } else if (auto m = std::get_if<bool tsettings::*>(&e.member)) {
        s.*(*m) = e.rule == E::DefaultNotVisuCurrent ? !s.VisuCurrent : e.numberDefault != 0;
    }
}

void ReadEntry(tsettings& s, const tinifile& ini, const E& e) {
    if (e.rule == E::WriteOnly) return;
    const QString section = QString::fromLatin1(e.section);
    const QString key = QString::fromLatin1(e.key);
    SetDefault(s, e);
    if (auto m = std::get_if<QString tsettings::*>(&e.member)) {
        s.*(*m) = ini.ReadString(section, key, s.*(*m));
    } else if (auto m = std::get_if<int tsettings::*>(&e.member)) {
        const int v = ini.ReadInteger(section, key, e.numberDefault);
        s.*(*m) = v >= e.low && v <= e.high ? v : e.numberDefault;
    } else if (auto m = std::get_if<bool tsettings::*>(&e.member)) {
        s.*(*m) = ini.ReadBool(section, key, s.*(*m));
    }

    switch (e.rule) {
    case E::ForcedByVisuStart:
        if (s.VisuStart) s.VisuCurrent = true;
        break;
    case E::MouseToolRule:
        if (!s.VisuCurrent) s.VisuCurrent = s.MouseTool == 0;
        break;
    case E::ScrollDirRule:
        if (s.ScrollDir != -1 && s.ScrollDir != 1) s.ScrollDir = -1;
        break;
    case E::CopiedToGridIndex:
        s.GridIndex = s.DefGridIndex;
        break;
    default:
        break;
    }
}

void WriteEntry(const tsettings& s, tinifile& ini, const E& e) {
    const QString section = QString::fromLatin1(e.section);
    const QString key = QString::fromLatin1(e.key);
    if (auto m = std::get_if<QString tsettings::*>(&e.member))
        ini.WriteString(section, key, s.*(*m));
    else if (auto m = std::get_if<int tsettings::*>(&e.member))
        ini.WriteInteger(section, key, s.*(*m));
    else if (auto m = std::get_if<bool tsettings::*>(&e.member))
        ini.WriteBool(section, key, s.*(*m));
}

// Window bounds a window system can take; anything else comes from a
// damaged file and leaves the window where it is. Checked on the numbers
// before they make a rectangle, whose right edge would overflow otherwise.
bool PlausibleBounds(int left, int top, int width, int height) {
    constexpr int Limit = 32767;
    return width > 0 && height > 0 && width <= Limit && height <= Limit && left >= -Limit &&
           left <= Limit && top >= -Limit && top <= Limit;
}

// Bounds brought inside the desktop: no larger than it, and wholly on it, so
// a damaged or foreign settings file can neither place a window out of reach
// nor make one that costs gigabytes to draw.
QRect ClampToDesktop(QRect bounds, const QRect& desktop) {
    if (desktop.isEmpty()) return bounds;
    bounds.setWidth(std::min(bounds.width(), desktop.width()));
    bounds.setHeight(std::min(bounds.height(), desktop.height()));
    bounds.moveLeft(
        std::clamp(bounds.left(), desktop.left(), desktop.right() + 1 - bounds.width()));
    bounds.moveTop(std::clamp(bounds.top(), desktop.top(), desktop.bottom() + 1 - bounds.height()));
    return bounds;
}

QString FirstChar(const QString& text) {
    return text.left(1);
}

} // namespace

const std::vector<tsettingentry>& SettingsTable() {
    static const std::vector<tsettingentry> table = BuildTable();
    return table;
}

const QStringList& SettingsWindowOrder() {
    static const QStringList order = {
        "FormMain",     "FormBuild2",    "FormZoom",       "FormSave",
        "FormGeometry", "FormPt",        "FormRepOpenImg", "SeparDialog",
        "AboutBox",     "FormDiaporama", "FormList",       "FormRearWindowing",
        "FormImg",      "FormOpJpeg",    "FormSize",       "FormDragDropOptions",
        "FormEdit",     "FormView",      "LngForm",        "FormRearWinExpert",
        "FormDirImg",
    };
    return order;
}

tsettings::tsettings() {
    // VisuCurrent comes before showgrid in the table, so the default of the
    // latter sees the default of the former.
    for (const tsettingentry& e : SettingsTable()) SetDefault(*this, e);
    // Until the file is read the display starts in mode 0 with marks choice 1.
    VisionMode = 0;
    GridIndex = 1;
    CropIndex = 0;
}

QString SettingsFolder() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    // Only an absolute folder counts; a relative one is to be ignored.
    if (base.isEmpty() || QDir::isRelativePath(base)) base = QDir::homePath() + "/.config";
    return WithTrailingDelimiter(WithTrailingDelimiter(base) + "kvtq");
}

QString SettingsFile() {
    return SettingsFolder() + "orvanel.ini";
}

tsettingsenv CurrentSettingsEnv(const QSize& screen) {
    const QLocale locale = QLocale::system();
    return {SettingsFile(), screen, FirstChar(locale.decimalPoint()),
            FirstChar(locale.groupSeparator()), QRect()};
}

bool IsNoSettingsArgument(const QString& argument) {
    return argument.compare(u"INI=0", Qt::CaseInsensitive) == 0 ||
           argument.compare(u"NOINI", Qt::CaseInsensitive) == 0;
}

namespace {

void RestoreWindows(const tinifile& ini, twindowlist& windows, bool screenChanged,
                    const QRect& desktop) {
    // A window that fails to restore stops the loop: the remaining windows
    // keep their design state and the other settings are still read.
    try {
        const int count = windows.WindowCount();
        for (int i = 0; i < count; ++i) {
            const QString name = windows.WindowName(i);
            const QRect now = windows.WindowBounds(i);
            const bool saved = ini.ReadBool(name, "v", windows.WindowVisible(i));
            const int left = ini.ReadInteger(name, "l", now.left());
            const int top = ini.ReadInteger(name, "t", now.top());
            const int width = ini.ReadInteger(name, "w", now.width());
            const int height = ini.ReadInteger(name, "h", now.height());
            // The save dialog opens on demand only; the display window is the
            // main window and cannot start hidden.
            bool visible = saved;
            if (name == u"FormSave") visible = false;
            if (name == u"FormMain") visible = true;
            if (!screenChanged && PlausibleBounds(left, top, width, height)) {
                const QRect bounds = ClampToDesktop(QRect(left, top, width, height), desktop);
                windows.ApplyWindow(i, visible, &bounds);
            } else {
                windows.ApplyWindow(i, visible, nullptr);
            }
            windows.SetWindowMarker(i, visible ? 1 : 0);
        }
    } catch (...) {
    }
}

} // namespace

void LoadSettings(tsettings& s, twindowlist& windows, const tsettingsenv& env,
                  const QStringList& args) {
    if (!args.isEmpty() && IsNoSettingsArgument(args.front())) QFile::remove(env.file);

    // A missing, unreadable or damaged file reads as empty or as its
    // readable keys: every other key takes its default.
    const tinifile ini(env.file);
    // "Orvanel-3D" and "separator" carry nothing the program needs on load.

    const int savedWidth = ini.ReadInteger("screen", "width", env.screen.width());
    const int savedHeight = ini.ReadInteger("screen", "height", env.screen.height());
    const bool screenChanged =
        savedWidth != env.screen.width() || savedHeight != env.screen.height();
    s.DesktopType = screenChanged ? 255 : ini.ReadInteger("Desktop", "type", 255);
    // An arrangement this program does not know is made again at start.
    if (s.DesktopType != -1 && s.DesktopType != 0 && s.DesktopType != 1) s.DesktopType = 255;

    RestoreWindows(ini, windows, screenChanged, env.desktop);

    for (const tsettingentry& e : SettingsTable()) ReadEntry(s, ini, e);
    s.CropIndex = 0;
    s.ZoomVisible = ini.ReadBool("FormZoom", "v", true);
}

bool SaveSettings(const tsettings& s, const twindowlist& windows, const tsettingsenv& env) {
    const QFileInfo info(env.file);
    // ~/.config itself may be missing on a fresh account: create the path.
    if (!QDir().mkpath(info.absolutePath())) return false;

    tinifile ini;
    ini.SetFileName(env.file);
    ini.WriteString("Orvanel-3D", "version", "1.3");
    ini.WriteString("Orvanel-3D", "fichier", "Ini");
    ini.WriteString("separator", "decimal", FirstChar(env.decimal));
    ini.WriteString("separator", "thousand", FirstChar(env.thousand));
    ini.WriteInteger("screen", "width", env.screen.width());
    ini.WriteInteger("screen", "height", env.screen.height());
    ini.WriteInteger("Desktop", "type", s.DesktopType);
    for (int i = 0; i < windows.WindowCount(); ++i) {
        const QString name = windows.WindowName(i);
        const QRect r = windows.WindowBounds(i);
        ini.WriteBool(name, "v", windows.WindowVisible(i));
        ini.WriteInteger(name, "l", r.left());
        ini.WriteInteger(name, "t", r.top());
        ini.WriteInteger(name, "w", r.width());
        ini.WriteInteger(name, "h", r.height());
    }
    for (const tsettingentry& e : SettingsTable()) WriteEntry(s, ini, e);
    // The new file replaces the old one only once it is complete, so a full
    // disk never costs the user the settings of the previous run.
    return ini.Save();
}

bool ResetSettings(const QString& file) {
    if (!QFile::exists(file) || !QFile::remove(file)) return false;
    QFile empty(file);
    return empty.open(QIODevice::WriteOnly);
}
