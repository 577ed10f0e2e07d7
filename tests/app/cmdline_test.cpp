// The command line: number reading and the plan for every form of argument
// list, with a file system that says what exists.
#include "app/cmdline.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QSet>
#include <QTemporaryDir>

#include <map>
#include <ostream>

namespace {

QString Here(const QString& sub = {}) {
    return sub.isEmpty() ? QDir::currentPath() : QDir::currentPath() + "/" + sub;
}

// Files present for a test; everything else is missing.
tfileexists Present(const QStringList& files) {
    return [set = QSet<QString>(files.begin(), files.end())](const QString& f) {
        return set.contains(f);
    };
}

const tfileexists Everything = [](const QString&) { return true; };
const tfileexists Nothing = [](const QString&) { return false; };

// What a plan leaves once carried out from kind 9 on screen: the kind, the
// remembered open folders it set (by their settings key) and whether the
// windows are arranged at the next start.
struct teffect {
    int stereoType = 9;
    std::map<QString, QString> folders;
    bool arrange = false;
    bool operator==(const teffect& o) const {
        return stereoType == o.stereoType && folders == o.folders && arrange == o.arrange;
    }
    friend std::ostream& operator<<(std::ostream& os, const teffect& e) {
        os << "kind " << e.stereoType << (e.arrange ? ", arranged" : "");
        for (const auto& [key, folder] : e.folders)
            os << ", " << key.toStdString() << "=" << folder.toStdString();
        return os;
    }
};

// The effect once the plan's files have loaded, or failed to (loaded false).
teffect Effect(const tstartplan& plan, bool loaded = true) {
    tsettings s;
    s.DesktopType = 0;
    teffect e;
    ApplyStartPlan(plan, loaded, s, e.stereoType);
    const std::pair<const char*, const QString*> dirs[] = {
        {"Img", &s.OpenDirImg}, {"L", &s.OpenDirL},   {"R", &s.OpenDirR},
        {"SX", &s.OpenDirSX},   {"SP", &s.OpenDirSP}, {"SV", &s.OpenDirSV},
        {"Ana", &s.OpenDirAna}, {"Bi", &s.OpenDirBi}, {"Prm", &s.OpenDirPrm}};
    for (const auto& [key, folder] : dirs)
        if (!folder->isEmpty()) e.folders[key] = *folder;
    e.arrange = s.DesktopType == 255;
    return e;
}

const teffect Unchanged{};

// Relative names are resolved against the current folder, which other code
// in the process may move: each test runs in a folder of its own.
class CommandLine : public ::testing::Test {
protected:
    void SetUp() override {
        saved = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(dir.path()));
    }
    void TearDown() override {
        if (saved.isEmpty() || !QDir::setCurrent(saved)) QDir::setCurrent(QDir::tempPath());
    }
    QTemporaryDir dir;
    QString saved;
};

} // namespace

TEST(CommandLineNumber, ReadsSignAndDigitsAndFailsOnAnyRest) {
    struct tcase {
        const char* text;
        bool ok;
        int value;
    };
    for (const tcase& c : std::initializer_list<tcase>{
             {"5", true, 5},
             {"105", true, 105},
             {"-3", true, -3},
             {"+4", true, 4},
             {"007", true, 7},
             {" 7", true, 7},
             {"2147483647", true, 2147483647},
             {"-2147483648", true, -2147483647 - 1},
             {"12abc", false, 12},
             {"7 ", false, 7},
             {"1.5", false, 1},
             {"D:\\x.jpg", false, 0},
             {"pair.jpg", false, 0},
             {"", false, 0},
             {"-", false, 0},
             {"+-1", false, 0},
             {"0x10", false, 0},
             {"2147483648", false, 0},
             {"-2147483649", false, 0},
         }) {
        const tcmdnumber n = CommandLineNumber(QString::fromUtf8(c.text));
        EXPECT_EQ(n.ok, c.ok) << c.text;
        EXPECT_EQ(n.value, c.value) << c.text;
    }
    EXPECT_FALSE(CommandLineNumber(QString::fromUtf16(u"\u0663")).ok); // Arabic-Indic three
}

TEST_F(CommandLine, NoArgumentsDoNothing) {
    const tstartplan plan = PlanCommandLine({}, 9, Everything);
    EXPECT_EQ(plan.action, tstartaction::None);
    EXPECT_FALSE(plan.refreshDisplay);
    EXPECT_EQ(Effect(plan), Unchanged);
}

TEST_F(CommandLine, KindFiveSplitsOverUnderAndAboveHundredCountsModulo) {
    for (const char* kind : {"5", "105", "+5"}) {
        const tstartplan plan = PlanCommandLine({kind, "pair.jpg"}, 9, Everything);
        EXPECT_EQ(plan.action, tstartaction::Split) << kind;
        EXPECT_EQ(plan.file1, "pair.jpg");
        EXPECT_EQ(plan.splitKind, 5);
        EXPECT_TRUE(plan.refreshDisplay);
        EXPECT_EQ(Effect(plan), (teffect{5, {{"SV", Here()}}, false}));
        EXPECT_EQ(Effect(plan, false), Unchanged) << "a failed split changes nothing";
    }
}

TEST_F(CommandLine, EachCompositeKindRemembersItsOwnFolder) {
    const std::vector<std::pair<int, QString>> kinds = {
        {2, "SX"}, {3, "SP"}, {4, "Ana"}, {5, "SV"}, {6, "Bi"}};
    for (const auto& [kind, key] : kinds) {
        const tstartplan plan =
            PlanCommandLine({QString::number(kind), "/photos/c.jpg"}, 9, Everything);
        EXPECT_EQ(plan.action, tstartaction::Split) << kind;
        EXPECT_EQ(plan.splitKind, kind);
        EXPECT_EQ(Effect(plan), (teffect{kind, {{key, "/photos"}}, false}));
    }
}

TEST_F(CommandLine, KindTenOpensAParameterFileWithItsImages) {
    tstartplan plan = PlanCommandLine({"10", "a.prm"}, 9, Present({"a.prm"}));
    EXPECT_EQ(plan.action, tstartaction::OpenParams);
    EXPECT_EQ(plan.file1, "a.prm");
    EXPECT_TRUE(plan.refreshDisplay);
    EXPECT_EQ(Effect(plan), (teffect{10, {}, false}));

    plan = PlanCommandLine({"110", "b.txt"}, 9, Everything);
    EXPECT_EQ(plan.action, tstartaction::OpenParams);
    EXPECT_EQ(plan.file1, "b.txt");

    // A parameter file that is not there leaves the views alone.
    plan = PlanCommandLine({"10", "gone.prm"}, 9, Nothing);
    EXPECT_EQ(plan.action, tstartaction::None);
    EXPECT_TRUE(plan.refreshDisplay);
    EXPECT_EQ(Effect(plan), Unchanged);
}

TEST_F(CommandLine, UnknownKindLoadsTheLeftViewAlone) {
    for (const char* kind : {"9", "0", "1", "100", "200", "-5", "11", "12"}) {
        const tstartplan plan = PlanCommandLine({kind, "x.jpg"}, 9, Everything);
        EXPECT_EQ(plan.action, tstartaction::LoadLeft) << kind;
        EXPECT_EQ(plan.file1, "x.jpg");
        EXPECT_TRUE(plan.refreshDisplay);
        EXPECT_EQ(Effect(plan), (teffect{7, {{"L", Here()}}, false})) << kind;
    }
}

TEST_F(CommandLine, LeftOrRightViewMakesAPairUnlessThatViewWasAlone) {
    tstartplan plan = PlanCommandLine({"7", "l/x.jpg"}, 9, Everything);
    EXPECT_EQ(plan.action, tstartaction::LoadLeft);
    EXPECT_EQ(Effect(plan), (teffect{1, {{"L", Here("l")}}, false}));
    EXPECT_EQ(Effect(PlanCommandLine({"7", "x.jpg"}, 7, Everything)).stereoType, 7);
    EXPECT_EQ(Effect(PlanCommandLine({"7", "x.jpg"}, 8, Everything)).stereoType, 1);

    plan = PlanCommandLine({"8", "r/y.jpg"}, 7, Everything);
    EXPECT_EQ(plan.action, tstartaction::LoadRight);
    EXPECT_EQ(Effect(plan), (teffect{1, {{"R", Here("r")}}, false}));
    EXPECT_EQ(Effect(PlanCommandLine({"8", "y.jpg"}, 8, Everything)).stereoType, 8);
}

TEST_F(CommandLine, KindOneWithTwoPicturesLoadsAPair) {
    const tstartplan plan = PlanCommandLine({"1", "a/l.jpg", "/b/r.jpg"}, 9, Everything);
    EXPECT_EQ(plan.action, tstartaction::LoadPair);
    EXPECT_EQ(plan.file1, "a/l.jpg");
    EXPECT_EQ(plan.file2, "/b/r.jpg");
    EXPECT_TRUE(plan.refreshDisplay);
    // The kind and the folders follow even when the loaders report a failure.
    EXPECT_EQ(Effect(plan, false), (teffect{1, {{"L", Here("a")}, {"R", "/b"}}, false}));
}

TEST_F(CommandLine, OtherKindWithTwoPicturesLoadsNothingButRefreshes) {
    for (const QStringList& args :
         {QStringList{"2", "l.jpg", "r.jpg"}, QStringList{"1", "l.jpg", "r.jpg", "extra.jpg"}}) {
        const tstartplan plan = PlanCommandLine(args, 9, Everything);
        EXPECT_EQ(plan.action, tstartaction::None);
        EXPECT_TRUE(plan.refreshDisplay);
        EXPECT_EQ(Effect(plan), Unchanged);
    }
}

TEST_F(CommandLine, SingleNumberOnlyArrangesAtNextStart) {
    const tstartplan plan = PlanCommandLine({"5"}, 9, Everything);
    EXPECT_EQ(plan.action, tstartaction::None);
    EXPECT_FALSE(plan.refreshDisplay);
    EXPECT_EQ(Effect(plan), (teffect{9, {}, true}));
}

TEST_F(CommandLine, NoSettingsMarkerInAnyCaseNamesNoFile) {
    for (const char* arg : {"noini", "NOINI", "NoIni", "INI=0", "ini=0"}) {
        const tstartplan plan = PlanCommandLine({arg}, 9, Everything);
        EXPECT_EQ(plan.action, tstartaction::None) << arg;
        EXPECT_EQ(Effect(plan), (teffect{9, {}, true})) << arg;
    }
}

TEST_F(CommandLine, SinglePictureBecomesTheLeftViewAlone) {
    tstartplan plan = PlanCommandLine({"photos/x.jpg"}, 9, Present({"photos/x.jpg"}));
    EXPECT_EQ(plan.action, tstartaction::LoadLeft);
    EXPECT_EQ(plan.file1, "photos/x.jpg");
    EXPECT_FALSE(plan.refreshDisplay);
    EXPECT_EQ(Effect(plan), (teffect{7, {{"L", Here("photos")}}, true}));
    EXPECT_EQ(Effect(plan, false), (teffect{9, {}, true}))
        << "a failed load leaves kind and folder";

    plan = PlanCommandLine({"photos/x.jpg"}, 9, Nothing);
    EXPECT_EQ(plan.action, tstartaction::None);
    EXPECT_EQ(Effect(plan), (teffect{9, {}, true}));
}

TEST_F(CommandLine, SingleParameterFileIsRecognisedByItsExtensionInAnyCase) {
    for (const char* name : {"a.prm", "b.PRM", "dir/c.Prm"}) {
        const tstartplan plan = PlanCommandLine({name}, 9, Everything);
        EXPECT_EQ(plan.action, tstartaction::OpenParams) << name;
        EXPECT_TRUE(plan.refreshDisplay);
        EXPECT_EQ(Effect(plan), (teffect{10, {}, true})) << name;
    }
    for (const char* name : {"a.prm.jpg", "dir.prm\\pic", "dir.prm/pic", "prm"})
        EXPECT_EQ(PlanCommandLine({name}, 9, Everything).action, tstartaction::LoadLeft) << name;
}

TEST_F(CommandLine, DriveLetterPathIsAFileName) {
    tstartplan plan = PlanCommandLine({"D:\\x.jpg"}, 9, Nothing);
    EXPECT_EQ(plan.action, tstartaction::None);
    EXPECT_TRUE(Effect(plan).arrange);
    plan = PlanCommandLine({"D:\\x.jpg"}, 9, Everything);
    EXPECT_EQ(plan.action, tstartaction::LoadLeft);
    EXPECT_EQ(plan.file1, "D:\\x.jpg");
}

TEST_F(CommandLine, TwoFileNamesLoadAPairWhateverFollows) {
    for (const QStringList& args :
         {QStringList{"l.jpg", "r.jpg"}, QStringList{"l.jpg", "r.jpg", "more.jpg"}}) {
        const tstartplan plan = PlanCommandLine(args, 9, Nothing);
        EXPECT_EQ(plan.action, tstartaction::LoadPair);
        EXPECT_EQ(plan.file1, "l.jpg");
        EXPECT_EQ(plan.file2, "r.jpg");
        EXPECT_TRUE(plan.refreshDisplay);
        EXPECT_EQ(Effect(plan, false), (teffect{1, {{"L", Here()}, {"R", Here()}}, false}));
    }
}

TEST_F(CommandLine, PlanEffectsWaitForTheLoadWhereTheyMust) {
    const tstartplan split = PlanCommandLine({"2", "/p/c.jpg"}, 9, Everything);
    tsettings s;
    s.DesktopType = 0;
    int stereoType = 9;
    ApplyStartPlan(split, false, s, stereoType);
    EXPECT_EQ(stereoType, 9);
    EXPECT_EQ(s.OpenDirSX, "");
    ApplyStartPlan(split, true, s, stereoType);
    EXPECT_EQ(stereoType, 2);
    EXPECT_EQ(s.OpenDirSX, "/p");
    EXPECT_EQ(s.DesktopType, 0);

    const tstartplan pair = PlanCommandLine({"/a/l.jpg", "/b/r.jpg"}, 9, Nothing);
    stereoType = 9;
    ApplyStartPlan(pair, false, s, stereoType);
    EXPECT_EQ(stereoType, 1);
    EXPECT_EQ(s.OpenDirL, "/a");
    EXPECT_EQ(s.OpenDirR, "/b");

    ApplyStartPlan(PlanCommandLine({"NOINI"}, 9, Everything), false, s, stereoType);
    EXPECT_EQ(s.DesktopType, 255);
    EXPECT_EQ(stereoType, 1);
}
