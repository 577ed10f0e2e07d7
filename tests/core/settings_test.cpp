// The settings file: its exact text, round trips, window restoring, the
// reading rules and damaged files, all with a list of plain window records.
#include "core/settings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <stdexcept>

namespace {

// The application's windows in creation order, as the desktop program has them.
const QStringList WindowNames = {
    "FormMain",     "FormBuild2",    "FormZoom",       "FormSave",
    "FormGeometry", "FormPt",        "FormRepOpenImg", "SeparDialog",
    "AboutBox",     "FormDiaporama", "FormList",       "FormRearWindowing",
    "FormImg",      "FormOpJpeg",    "FormSize",       "FormDragDropOptions",
    "FormEdit",     "FormView",      "LngForm",        "FormRearWinExpert",
    "FormDirImg",
};

struct tfakewindow {
    QString name;
    bool visible = false;
    QRect bounds;
    int marker = -1;
    bool applied = false;
    bool placed = false;
};

// Windows as plain records; window number throwAt fails when it is placed.
class tfakewindows : public twindowlist {
public:
    tfakewindows() {
        for (int i = 0; i < WindowNames.size(); ++i)
            w.push_back({WindowNames[i], i % 2 == 0, QRect(10 * i, 20 * i, 100 + i, 200 + i)});
    }
    int WindowCount() const override { return int(w.size()); }
    QString WindowName(int i) const override { return w[i].name; }
    bool WindowVisible(int i) const override { return w[i].visible; }
    QRect WindowBounds(int i) const override { return w[i].bounds; }
    void ApplyWindow(int i, bool visible, const QRect* bounds) override {
        if (i == throwAt) throw std::runtime_error("window cannot be placed");
        w[i].applied = true;
        if (!visible) w[i].visible = false;
        w[i].placed = bounds != nullptr;
        if (bounds) w[i].bounds = *bounds;
    }
    void SetWindowMarker(int i, int marker) override { w[i].marker = marker; }

    tfakewindow& operator[](const QString& name) {
        return w[std::size_t(WindowNames.indexOf(name))];
    }

    std::vector<tfakewindow> w;
    int throwAt = -1;
};

class SettingsOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        env = {dir.filePath("kvtq/orvanel.ini"), QSize(1920, 1080), ".", ",", QRect()};
    }
    void WriteFile(const QByteArray& bytes) {
        QDir().mkpath(dir.filePath("kvtq"));
        QFile f(env.file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray FileText() {
        QFile f(env.file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    tsettings Loaded(const QByteArray& text, tfakewindows& windows) {
        WriteFile(text);
        tsettings s;
        LoadSettings(s, windows, env);
        return s;
    }
    tsettings Loaded(const QByteArray& text) {
        tfakewindows windows;
        return Loaded(text, windows);
    }

    QTemporaryDir dir;
    tsettingsenv env;
};

// Everything after the window sections of a file written with all defaults.
const char* const DefaultKeys = R"([Lng]
FileName=
[Directories]
FileName=3d
Base=
L=.\l
R=.\r
SX=.\x
SP=.\p
SV=.\v
Ana=.\ana
Bi=.\bi
Prm=.\prm
OpenImgL=
OpenImgR=
[SaveDir]
Img=
L=
R=
SX=
SP=
SV=
Ana=
Bi=
Prm=
[Save]
Left=0
Right=0
SX=1
SP=0
SV=0
Ana=1
Bi=0
Prm=1
24bit=0
autocrop=1
jpeg=0
wuser=1024
huser=768
suser=0
w=1024
h=768
separ=0
jpeghsampling=0
jpegvsampling=0
askbeforecreatedir=1
center=1
RatioWH=1
AdaptImage=0
ForceRepBase=0
ForceFileName=0
NewBffStyle=1
suffixeL=_L
suffixeR=_R
suffixeSX=_X
suffixeSP=_P
suffixeSV=_V
suffixeAna=_A
suffixeBi=_Bi
suffixePrm=
[Open]
separ=0
[OpenDir]
Img=
L=
R=
SX=
SP=
SV=
Ana=
Bi=
Prm=
[Visu]
start=1
current=1
load=1
mode=1
lissage=0
tool=0
scrollspeed=0
scrolldir=-1
adaptandcenter=1
[Zoom]
size=150
[Quit]
checked=1
[Menu]
defstereowindow=1
showgrid=0
defgridindex=0
defstereoindex=7
defshowindex=1
defcropindex=0
defcalcindex=0
defextractindex=0
defsaveindex=0
defrotationsindex=0
defwindowingindex=0
defpagecontrolindex=0
extractoption=1
expertmode=0
calauto=0
maxptsindex=2
[DragDrop]
filetype=0
ask=0
[Mouse]
echange=0
[ClipBoard]
hook=0
[Formats]
SaveMPO=0
SaveHSBS=0
SaveHOU=0
DirMPO=.\mpo
DirHSBS=.\hsbs
DirHOU=.\hou
suffixeMPO=_MPO
suffixeHSBS=_HSBS
suffixeHOU=_HOU
anaglyph=0
exif=1
)";

} // namespace

TEST_F(SettingsOnDisk, FirstRunWritesEveryDefaultInTableOrder) {
    tsettings s;
    tfakewindows loadWindows;
    LoadSettings(s, loadWindows, env); // no file yet
    tfakewindows windows;
    ASSERT_TRUE(SaveSettings(s, windows, env));

    QByteArray expected = "[Orvanel-3D]\nversion=1.3\nfichier=Ini\n"
                          "[separator]\ndecimal=.\nthousand=,\n"
                          "[screen]\nwidth=1920\nheight=1080\n"
                          "[Desktop]\ntype=255\n";
    for (int i = 0; i < WindowNames.size(); ++i)
        expected += QString("[%1]\nv=%2\nl=%3\nt=%4\nw=%5\nh=%6\n")
                        .arg(WindowNames[i])
                        .arg(i % 2 == 0 ? 1 : 0)
                        .arg(10 * i)
                        .arg(20 * i)
                        .arg(100 + i)
                        .arg(200 + i)
                        .toUtf8();
    expected += DefaultKeys;
    EXPECT_EQ(FileText().toStdString(), expected.toStdString());
}

TEST_F(SettingsOnDisk, FreshSettingsHoldTheDefaultsWithStartUpModeAndGrid) {
    const tsettings fresh;
    const tsettings loaded = Loaded("");
    EXPECT_EQ(fresh.VisionMode, 0);
    EXPECT_EQ(fresh.GridIndex, 1);
    EXPECT_EQ(loaded.VisionMode, 1);
    EXPECT_EQ(loaded.GridIndex, 0);
    EXPECT_EQ(fresh.DirSX, ".\\x");
    EXPECT_EQ(fresh.SuffixBi, "_Bi");
    EXPECT_TRUE(fresh.SavePrm);
    EXPECT_EQ(fresh.ZoomSize, 150);
    EXPECT_EQ(fresh.ScrollDir, -1);
    EXPECT_FALSE(fresh.ShowGrid); // VisuCurrent is on by default
    EXPECT_EQ(fresh.DesktopType, 255);
    EXPECT_EQ(loaded.DesktopType, 255);
    EXPECT_TRUE(loaded.ZoomVisible);
}

TEST_F(SettingsOnDisk, EveryVariableReadsBackAsSaved) {
    tsettings s;
    // Change every stored variable away from its default, within its range.
    for (const tsettingentry& e : SettingsTable()) {
        if (auto m = std::get_if<QString tsettings::*>(&e.member))
            s.*(*m) = QString::fromUtf8("D:\\Photos\\Été %1").arg(e.key);
        else if (auto m = std::get_if<int tsettings::*>(&e.member))
            s.*(*m) = e.numberDefault < e.high ? e.numberDefault + 1 : e.numberDefault - 1;
        else if (auto m = std::get_if<bool tsettings::*>(&e.member))
            s.*(*m) = e.numberDefault == 0;
    }
    // The variables with rules of their own get values the rules keep.
    s.VisuStart = false;
    s.VisuCurrent = false;
    s.MouseTool = 6;
    s.ScrollDir = 1;
    s.ShowGrid = true;
    s.VisionMode = 5;
    s.CropIndex = 3;
    s.DesktopType = 1;

    tfakewindows windows;
    ASSERT_TRUE(SaveSettings(s, windows, env));
    tsettings back;
    tfakewindows again;
    LoadSettings(back, again, env);

    for (const tsettingentry& e : SettingsTable()) {
        if (e.rule == tsettingentry::WriteOnly) continue;
        if (auto m = std::get_if<QString tsettings::*>(&e.member))
            EXPECT_EQ(back.*(*m), s.*(*m)) << e.key;
        else if (auto m = std::get_if<int tsettings::*>(&e.member))
            EXPECT_EQ(back.*(*m), s.*(*m)) << e.section << "/" << e.key;
        else if (auto m = std::get_if<bool tsettings::*>(&e.member))
            EXPECT_EQ(back.*(*m), s.*(*m)) << e.section << "/" << e.key;
    }
    EXPECT_EQ(back.DesktopType, 1);
    EXPECT_EQ(back.CropIndex, 0);
    EXPECT_EQ(back.GridIndex, s.DefGridIndex);
    EXPECT_TRUE(FileText().contains("defcropindex=3\n"));
}

TEST_F(SettingsOnDisk, SameScreenRestoresBoundsAndVisibility) {
    tfakewindows saved;
    saved["FormZoom"].visible = false;
    saved["FormPt"].visible = true;
    saved["FormPt"].bounds = QRect(-30, 40, 500, 600);
    tsettings s;
    s.DesktopType = 0;
    ASSERT_TRUE(SaveSettings(s, saved, env));

    tfakewindows windows;
    for (auto& w : windows.w) w.bounds = QRect(1, 1, 50, 50);
    tsettings back;
    LoadSettings(back, windows, env);
    EXPECT_EQ(back.DesktopType, 0);
    EXPECT_FALSE(back.ZoomVisible);
    EXPECT_TRUE(windows["FormPt"].placed);
    EXPECT_EQ(windows["FormPt"].bounds, QRect(-30, 40, 500, 600));
    EXPECT_EQ(windows["FormPt"].marker, 1);
    EXPECT_EQ(windows["FormZoom"].marker, 0);
    EXPECT_FALSE(windows["FormZoom"].visible);
    for (const auto& w : windows.w) EXPECT_TRUE(w.applied && w.placed) << w.name.toStdString();
}

// Bounds from the file are brought inside the desktop: never larger than
// it, never out of reach (the desktop here spans two screens from x -1280).
TEST_F(SettingsOnDisk, WindowBoundsAreClampedToTheDesktop) {
    WriteFile("[FormMain]\nl=0\nt=0\nw=30000\nh=30000\n[FormPt]\nl=5000\nt=-900\nw=300\nh="
              "200\n[FormZoom]\nl=-1300\nt=100\nw=150\nh=150\n");
    env.desktop = QRect(-1280, 0, 3200, 1050);
    tfakewindows windows;
    tsettings s;
    LoadSettings(s, windows, env);
    EXPECT_EQ(windows["FormMain"].bounds, QRect(-1280, 0, 3200, 1050));
    EXPECT_EQ(windows["FormPt"].bounds, QRect(1620, 0, 300, 200));
    EXPECT_EQ(windows["FormZoom"].bounds, QRect(-1280, 100, 150, 150));
}

TEST_F(SettingsOnDisk, SaveDialogNeverStartsVisibleAndMainWindowAlwaysDoes) {
    tfakewindows windows;
    Loaded("[FormMain]\nv=0\n[FormSave]\nv=1\n[FormBuild2]\nv=0\n[FormZoom]\nv=1\n", windows);
    EXPECT_EQ(windows["FormMain"].marker, 1);
    EXPECT_EQ(windows["FormSave"].marker, 0);
    EXPECT_FALSE(windows["FormSave"].visible);
    EXPECT_EQ(windows["FormBuild2"].marker, 0);
    EXPECT_EQ(windows["FormZoom"].marker, 1);
}

TEST_F(SettingsOnDisk, OtherScreenSizeKeepsBoundsButRestoresVisibility) {
    tfakewindows windows;
    const tsettings s = Loaded("[screen]\nwidth=1280\nheight=1080\n[Desktop]\ntype=0\n"
                               "[FormPt]\nv=1\nl=5\nt=5\nw=300\nh=300\n"
                               "[FormBuild2]\nv=0\nl=5\nt=5\nw=300\nh=300\n",
                               windows);
    EXPECT_EQ(s.DesktopType, 255);
    EXPECT_EQ(windows["FormPt"].marker, 1);
    EXPECT_EQ(windows["FormBuild2"].marker, 0);
    for (int i = 0; i < WindowNames.size(); ++i) {
        EXPECT_FALSE(windows.w[i].placed) << WindowNames[i].toStdString();
        EXPECT_EQ(windows.w[i].bounds, QRect(10 * i, 20 * i, 100 + i, 200 + i));
    }
}

TEST_F(SettingsOnDisk, UnknownArrangementAndNonsenseBoundsAreNotApplied) {
    tfakewindows windows;
    const tsettings s = Loaded("[Desktop]\ntype=7\n[FormPt]\nv=1\nl=5\nt=5\nw=-300\nh=300\n"
                               "[FormList]\nl=2147483647\nw=2147483647\n",
                               windows);
    EXPECT_EQ(s.DesktopType, 255);
    EXPECT_FALSE(windows["FormPt"].placed);
    EXPECT_EQ(windows["FormPt"].marker, 1);
    EXPECT_FALSE(windows["FormList"].placed);
    EXPECT_EQ(Loaded("[Desktop]\ntype=-1\n").DesktopType, -1);
}

TEST_F(SettingsOnDisk, FailingWindowStopsWindowLoopButNotTheOtherKeys) {
    tfakewindows windows;
    windows.throwAt = 3;
    const tsettings s = Loaded("[Visu]\nmode=5\n", windows);
    EXPECT_EQ(s.VisionMode, 5);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(windows.w[i].applied);
    for (int i = 3; i < WindowNames.size(); ++i) {
        EXPECT_FALSE(windows.w[i].applied);
        EXPECT_EQ(windows.w[i].marker, -1);
    }
}

TEST_F(SettingsOnDisk, ScrollDirectionIsMinusOneUnlessPlusOne) {
    EXPECT_EQ(Loaded("[Visu]\nscrolldir=0\n").ScrollDir, -1);
    EXPECT_EQ(Loaded("[Visu]\nscrolldir=2\n").ScrollDir, -1);
    EXPECT_EQ(Loaded("[Visu]\nscrolldir=1\n").ScrollDir, 1);
    EXPECT_EQ(Loaded("[Visu]\nscrolldir=-1\n").ScrollDir, -1);
}

TEST_F(SettingsOnDisk, VisionModeOutsideTheEightModesFallsBackToParallel) {
    EXPECT_EQ(Loaded("[Visu]\nmode=7\n").VisionMode, 7);
    EXPECT_EQ(Loaded("[Visu]\nmode=0\n").VisionMode, 0);
    EXPECT_EQ(Loaded("[Visu]\nmode=8\n").VisionMode, 1);
    EXPECT_EQ(Loaded("[Visu]\nmode=-1\n").VisionMode, 1);
    EXPECT_EQ(Loaded("[Visu]\nmode=x\n").VisionMode, 1);
}

TEST_F(SettingsOnDisk, ViewingModeFollowsStartFlagAndTool) {
    // The start flag forces the viewing mode on.
    EXPECT_TRUE(Loaded("[Visu]\nstart=1\ncurrent=0\ntool=6\n").VisuCurrent);
    // Off, with a tool chosen, it stays off.
    EXPECT_FALSE(Loaded("[Visu]\nstart=0\ncurrent=0\ntool=6\n").VisuCurrent);
    // Off with no tool makes no sense: viewing mode again.
    EXPECT_TRUE(Loaded("[Visu]\nstart=0\ncurrent=0\ntool=0\n").VisuCurrent);
    EXPECT_TRUE(Loaded("[Visu]\nstart=0\ncurrent=0\n").VisuCurrent);
}

TEST_F(SettingsOnDisk, MarksDefaultToTheOppositeOfViewingMode) {
    EXPECT_TRUE(Loaded("[Visu]\nstart=0\ncurrent=0\ntool=2\n").ShowGrid);
    EXPECT_FALSE(Loaded("[Visu]\nstart=0\ncurrent=1\ntool=2\n").ShowGrid);
    // The tool rule has turned viewing mode on before the marks are read.
    EXPECT_FALSE(Loaded("[Visu]\nstart=0\ncurrent=0\ntool=0\n").ShowGrid);
    EXPECT_TRUE(Loaded("[Visu]\ncurrent=1\n[Menu]\nshowgrid=1\n").ShowGrid);
    EXPECT_FALSE(Loaded("[Visu]\nstart=0\ncurrent=0\ntool=2\n[Menu]\nshowgrid=0\n").ShowGrid);
}

TEST_F(SettingsOnDisk, CropModeAlwaysStartsAtZeroAndGridFromDefault) {
    const tsettings s = Loaded("[Menu]\ndefcropindex=3\ndefgridindex=2\n");
    EXPECT_EQ(s.CropIndex, 0);
    EXPECT_EQ(s.GridIndex, 2);
    EXPECT_EQ(s.DefGridIndex, 2);
}

TEST_F(SettingsOnDisk, MagnifierVisibilityComesFromItsWindowSection) {
    EXPECT_FALSE(Loaded("[FormZoom]\nv=0\n").ZoomVisible);
    EXPECT_TRUE(Loaded("[FormZoom]\nv=1\n").ZoomVisible);
    EXPECT_TRUE(Loaded("[Zoom]\nsize=201\n").ZoomVisible);
}

TEST_F(SettingsOnDisk, ValuesThatWouldBeUnsafeAsSizesReadAsDefaults) {
    const tsettings s = Loaded("[Save]\nw=2000000000\nh=0\nwuser=8000\n"
                               "[Zoom]\nsize=-4\n[Menu]\nmaxptsindex=9\nextractoption=3\n"
                               "[DragDrop]\nfiletype=12\n");
    EXPECT_EQ(s.SaveW, 1024);
    EXPECT_EQ(s.SaveH, 768);
    EXPECT_EQ(s.SaveWUser, 8000);
    EXPECT_EQ(s.ZoomSize, 150);
    EXPECT_EQ(s.MaxPtsIndex, 2);
    EXPECT_EQ(s.ExtractOption, 3);
    EXPECT_EQ(s.DragDropFileType, 0);
}

TEST_F(SettingsOnDisk, DamagedFilesGiveDefaultsAndTheirReadableKeys) {
    const tsettings empty = Loaded("");
    EXPECT_EQ(empty.DirFileName, "3d");

    QByteArray garbage(3000, '\0');
    for (int i = 0; i < garbage.size(); ++i) garbage[i] = char((i * 7919) % 256);
    garbage += "\n[Visu]\nmode=4\n";
    garbage += QByteArray("\xFF\0\xFE", 3);
    const tsettings soup = Loaded(garbage);
    EXPECT_EQ(soup.VisionMode, 4);
    EXPECT_EQ(soup.ZoomSize, 150);

    const tsettings old = Loaded("[Lng]\nFileName=Fran\xE7"
                                 "ais.lng\n"
                                 "[Directories]\nFileName=\xE9t\xE9\n");
    EXPECT_EQ(old.LngFileName, QString::fromUtf8("Français.lng"));
    EXPECT_EQ(old.DirFileName, QString::fromUtf8("été"));
}

TEST_F(SettingsOnDisk, NoIniArgumentInAnyCaseDeletesTheFileFirst) {
    for (const char* arg : {"noini", "NOINI", "NoIni", "ini=0", "INI=0"}) {
        WriteFile("[Visu]\nmode=5\n");
        tsettings s;
        tfakewindows windows;
        LoadSettings(s, windows, env, {arg});
        EXPECT_EQ(s.VisionMode, 1) << arg;
        EXPECT_FALSE(QFile::exists(env.file)) << arg;
    }
    WriteFile("[Visu]\nmode=5\n");
    tsettings s;
    tfakewindows windows;
    LoadSettings(s, windows, env, {"5", "NOINI"});
    EXPECT_EQ(s.VisionMode, 5);
    LoadSettings(s, windows, env, {"INI=00"});
    EXPECT_EQ(s.VisionMode, 5);
}

TEST_F(SettingsOnDisk, SavingCreatesMissingFoldersAndReportsFailure) {
    env.file = dir.filePath("config/deeper/kvtq/orvanel.ini");
    tsettings s;
    tfakewindows windows;
    EXPECT_TRUE(SaveSettings(s, windows, env));
    EXPECT_TRUE(QFile::exists(env.file));

    // A plain file where the folder should be: nothing can be saved.
    QFile blocker(dir.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    env.file = dir.filePath("blocker/kvtq/orvanel.ini");
    EXPECT_FALSE(SaveSettings(s, windows, env));
}

TEST_F(SettingsOnDisk, SavingReplacesTheWholeOldFile) {
    WriteFile("[Old]\nkey=" + QByteArray(50000, 'x') + "\n[Visu]\nmode=6\n");
    tsettings s = Loaded(FileText());
    s.VisionMode = 2;
    tfakewindows windows;
    ASSERT_TRUE(SaveSettings(s, windows, env));
    const QByteArray text = FileText();
    EXPECT_TRUE(text.startsWith("[Orvanel-3D]\n"));
    EXPECT_FALSE(text.contains("[Old]"));
    EXPECT_TRUE(text.contains("\nmode=2\n"));
    EXPECT_EQ(QDir(dir.filePath("kvtq")).entryList(QDir::Files), QStringList({"orvanel.ini"}));
}

TEST_F(SettingsOnDisk, ResetLeavesAnEmptyFileThatReadsAsDefaults) {
    WriteFile("[Visu]\nmode=5\n");
    EXPECT_TRUE(ResetSettings(env.file));
    EXPECT_TRUE(QFile::exists(env.file));
    EXPECT_TRUE(FileText().isEmpty());
    tsettings s;
    tfakewindows windows;
    LoadSettings(s, windows, env);
    EXPECT_EQ(s.VisionMode, 1);

    QFile::remove(env.file);
    EXPECT_FALSE(ResetSettings(env.file));
    EXPECT_FALSE(QFile::exists(env.file));
}

TEST_F(SettingsOnDisk, SeparatorsAreWrittenAsOneCharacterAndIgnoredOnLoad) {
    env.decimal = ",";
    env.thousand = QString::fromUtf16(u"\u202F");
    tsettings s;
    tfakewindows windows;
    ASSERT_TRUE(SaveSettings(s, windows, env));
    EXPECT_TRUE(FileText().contains("[separator]\ndecimal=,\nthousand=\xE2\x80\xAF\n"));
    const tsettings back = Loaded("[separator]\ndecimal=x\nthousand=\n[Visu]\nmode=3\n");
    EXPECT_EQ(back.VisionMode, 3);
}

TEST(SettingsFolder, FollowsTheUserConfigurationFolder) {
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/tmp/conf");
    EXPECT_EQ(SettingsFolder(), "/tmp/conf/kvtq/");
    EXPECT_EQ(SettingsFile(), "/tmp/conf/kvtq/orvanel.ini");
    qputenv("XDG_CONFIG_HOME", "/tmp/conf/");
    EXPECT_EQ(SettingsFolder(), "/tmp/conf/kvtq/");
    qputenv("XDG_CONFIG_HOME", "relative/conf");
    EXPECT_EQ(SettingsFolder(), QDir::homePath() + "/.config/kvtq/");
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(SettingsFolder(), QDir::homePath() + "/.config/kvtq/");
    EXPECT_EQ(CurrentSettingsEnv(QSize(800, 600)).file, SettingsFile());
    if (!saved.isEmpty()) qputenv("XDG_CONFIG_HOME", saved);
}

TEST(SettingsTable, EachKeyOnceAndWindowsInCreationOrder) {
    QStringList seen;
    for (const tsettingentry& e : SettingsTable()) {
        const QString id = QString("%1/%2").arg(e.section, e.key).toLower();
        EXPECT_FALSE(seen.contains(id)) << id.toStdString();
        seen << id;
    }
    EXPECT_EQ(SettingsWindowOrder(), WindowNames);
}

TEST_F(SettingsOnDisk, DamagedCopiesOfARealFileNeverBreakTheRanges) {
    tsettings s;
    s.VisionMode = 4;
    tfakewindows saved;
    ASSERT_TRUE(SaveSettings(s, saved, env));
    const QByteArray good = FileText();

    unsigned state = 2024;
    const auto next = [&state](unsigned n) {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % n;
    };
    const char noise[] = {'\0', '[', ']', '=', '\n', '\r', '-', '9', '\xE9', '\xFF'};
    for (int round = 0; round < 300; ++round) {
        QByteArray bad = good;
        for (int k = 0, n = 1 + int(next(20)); k < n; ++k)
            bad[int(next(unsigned(bad.size())))] = noise[next(sizeof noise)];
        if (round % 3 == 0) bad.truncate(int(next(unsigned(bad.size()))));
        tfakewindows windows;
        const tsettings back = Loaded(bad, windows);
        EXPECT_TRUE(back.VisionMode >= 0 && back.VisionMode <= 7) << round;
        EXPECT_TRUE(back.ScrollDir == -1 || back.ScrollDir == 1) << round;
        EXPECT_TRUE(back.ZoomSize >= 16 && back.ZoomSize <= 4096) << round;
        EXPECT_TRUE(back.SaveW > 0 && back.SaveH > 0) << round;
        EXPECT_TRUE(back.DesktopType == 255 || (back.DesktopType >= -1 && back.DesktopType <= 1));
        EXPECT_EQ(back.CropIndex, 0);
        for (const tfakewindow& w : windows.w)
            EXPECT_TRUE(w.bounds.width() > 0 && w.bounds.height() > 0) << round;
    }
}
