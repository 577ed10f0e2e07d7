// Output names and folders: base names, file names, folder resolution,
// folder creation and its questions, the name list and the disk status.
#include "output/naming.h"

#include "core/settings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

// The expected folder written with '\' as in the examples, in native form.
QString N(const char* path) {
    return QDir::toNativeSeparators(QString::fromUtf8(path).replace(u'\\', u'/'));
}

// Fields as the save dialog shows them with its default values.
tnamingfields DefaultFields() {
    tnamingfields f;
    f.LeftFile = "D:\\Photos\\IMG_1234.JPG";
    f.RightFile = "D:\\Photos\\IMG_1235.JPG";
    f.FileName = "3d";
    const std::array<std::pair<int, const char*>, 8> folders = {{{KindLeft, ".\\l"},
                                                                 {KindRight, ".\\r"},
                                                                 {KindCrossed, ".\\x"},
                                                                 {KindParallel, ".\\p"},
                                                                 {KindOverUnder, ".\\v"},
                                                                 {KindAnaglyph, ".\\ana"},
                                                                 {KindDouble, ".\\bi"},
                                                                 {KindParams, ".\\prm"}}};
    for (const auto& [kind, folder] : folders) f.Folder[kind] = folder;
    const std::array<std::pair<int, const char*>, 8> suffixes = {{{KindLeft, "_L"},
                                                                  {KindRight, "_R"},
                                                                  {KindCrossed, "_X"},
                                                                  {KindParallel, "_P"},
                                                                  {KindOverUnder, "_V"},
                                                                  {KindAnaglyph, "_A"},
                                                                  {KindDouble, "_Bi"},
                                                                  {KindParams, ""}}};
    for (const auto& [kind, suffix] : suffixes) f.Suffix[kind] = suffix;
    return f;
}

// Records the questions and answers them from a script.
class tscriptedquestions : public tfolderquestions {
public:
    std::vector<tcreateanswer> Answers; // for AskCreateDirectory, in order
    QStringList Asked;
    bool EditAccepts = true;
    QString EditTo; // replaces the proposed folder when not empty
    QStringList Edited;
    QStringList Errors;

    tcreateanswer AskCreateDirectory(const QString& folder) override {
        Asked << folder;
        if (Answers.empty()) return tcreateanswer::No;
        const tcreateanswer a = Answers.front();
        Answers.erase(Answers.begin());
        return a;
    }
    bool EditNewFolder(QString& folder) override {
        Edited << folder;
        if (!EditTo.isNull()) folder = EditTo;
        return EditAccepts;
    }
    void ShowError(const QString& text) override { Errors << text; }
};

// A path below a regular file: no folder can ever be created there.
QString Uncreatable(const QTemporaryDir& dir) {
    const QString file = dir.filePath("plainfile");
    QFile f(file);
    f.open(QIODevice::WriteOnly);
    f.write("x");
    return QDir::toNativeSeparators(file + "/sub/deeper");
}

// Restores the current directory, which ParamFilePath moves.
class tcwdguard {
public:
    tcwdguard() : saved_(QDir::currentPath()) {}
    ~tcwdguard() { QDir::setCurrent(saved_); }

private:
    QString saved_;
};

} // namespace

TEST(OutputNaming, BaseNameJoinsLeftStemAndLastTwoCharactersOfRight) {
    EXPECT_EQ(DefaultBaseName("D:\\Photos\\IMG_1234.JPG", "D:\\Photos\\IMG_1235.JPG"),
              "IMG_1234_35");
    EXPECT_EQ(DefaultBaseName("a.bmp", "b.bmp"), "a_b");
    EXPECT_EQ(DefaultBaseName("/home/u/left.v2.jpg", "/home/u/right"), "left.v2_ht");
    EXPECT_EQ(DefaultBaseName("a.bmp", ""), "a");
    EXPECT_EQ(DefaultBaseName("a.bmp", "  .jpg"), "a");
    EXPECT_EQ(DefaultBaseName("", ""), "");
}

TEST(OutputNaming, FileNameIsBaseSuffixAndExtensionOfTheKind) {
    tnamingfields f = DefaultFields();
    f.Jpeg = true;
    EXPECT_EQ(BuildFileName("", "", KindCrossed, f), "IMG_1234_35_X.jpg");
    EXPECT_EQ(BuildFileName("", "", KindAnaglyph, f), "IMG_1234_35_A.jpg");
    EXPECT_EQ(BuildFileName("", "", KindParams, f), "IMG_1234_35.prm");
    EXPECT_EQ(f.FileName, "IMG_1234_35"); // the field shows the base in use
    f.Jpeg = false;
    EXPECT_EQ(BuildFileName("", "", KindLeft, f), "IMG_1234_35_L.bmp");
    // A given suffix or extension wins over the fields.
    EXPECT_EQ(BuildFileName("_Z", " .JPG ", KindCrossed, f), "IMG_1234_35_Z.jpg");
    // Only .bmp and .jpg are written; kind 10 is always .prm.
    EXPECT_EQ(BuildFileName("", ".png", KindCrossed, f), "IMG_1234_35_X.bmp");
    EXPECT_EQ(BuildFileName("", ".jpg", KindParams, f), "IMG_1234_35.prm");
    // Kinds without fields get no suffix from them.
    EXPECT_EQ(BuildFileName("", "", KindPair, f), "IMG_1234_35.bmp");
}

TEST(OutputNaming, TypedBaseNameLosesItsExtensionAndEmptySuffixLeavesBaseAlone) {
    tnamingfields f = DefaultFields();
    f.Rename = true;
    f.FileName = "  vacances.jpg ";
    f.Jpeg = true;
    EXPECT_EQ(BuildFileName("", "", KindCrossed, f), "vacances_X.jpg");
    EXPECT_EQ(f.FileName, "vacances.jpg");
    f.Suffix[KindCrossed] = "   ";
    EXPECT_EQ(BuildFileName("", "", KindCrossed, f), "vacances.jpg");
    f.FileName = "   ";
    EXPECT_EQ(BuildFileName("", "", KindCrossed, f), "3d.jpg");
    EXPECT_EQ(f.FileName, "3d");
    f.Rename = false;
    f.LeftFile.clear();
    f.RightFile.clear();
    EXPECT_EQ(BuildFileName("", "", KindParams, f), "3d.prm");
}

TEST(OutputNaming, OnlyAPictureExtensionLeavesTheBaseOnce) {
    const struct {
        bool rename;
        const char *left, *right, *typed, *expected;
    } cases[] = {
        {false, "/p/2023.05.01_L.jpg", "/p/2023.05.01_R.jpg", "", "2023.05.01_L__R_X.jpg"},
        {false, "/p/2023.05.02_L.jpg", "/p/2023.05.02_R.jpg", "", "2023.05.02_L__R_X.jpg"},
        {false, "/p/x.png.bmp", "", "", "x.png_X.jpg"},
        {true, "", "", "v1.2.TIF", "v1.2_X.jpg"},
        {true, "", "", "trip.2024", "trip.2024_X.jpg"},
        {true, "", "", "a.jpg.jpg", "a.jpg_X.jpg"},
    };
    for (const auto& c : cases) {
        tnamingfields f = DefaultFields();
        f.Jpeg = true;
        f.Rename = c.rename;
        f.FileName = c.typed;
        f.LeftFile = c.left;
        f.RightFile = c.right;
        EXPECT_EQ(BuildFileName("", "", KindCrossed, f).toStdString(), c.expected);
    }
}

TEST(OutputNaming, NameNeverCarriesAFolder) {
    tnamingfields f = DefaultFields();
    f.Rename = true;
    f.FileName = "sub/evil";
    EXPECT_EQ(BuildFileName("_a\\b", ".bmp", KindLeft, f), "sub_evil_a_b.bmp");
}

TEST(OutputNaming, ResolveFolderFollowsTheExamples) {
    const QString left = "D:\\Photos\\IMG_1234.JPG";
    EXPECT_EQ(ResolveFolder("D:\\Photos\\", ".\\x", left), N("D:\\Photos\\x"));
    EXPECT_EQ(ResolveFolder(".", ".\\ana", left), N("D:\\Photos\\ana"));
    EXPECT_EQ(ResolveFolder("D:\\Out", "E:\\Stereo\\", left), N("E:\\Stereo"));
    EXPECT_EQ(ResolveFolder("D:\\Out", "", left), N("D:\\Out"));
    EXPECT_EQ(ResolveFolder("D:\\Out", "E:", left), N("E:\\"));
    // Leading dots and delimiters of a relative folder go.
    EXPECT_EQ(ResolveFolder("D:\\Out", "..\\up", left), N("D:\\Out\\up"));
    // Junk around both texts.
    EXPECT_EQ(ResolveFolder(" D:\\Out\\.* ", " .\\x\\? ", left), N("D:\\Out\\x"));
    EXPECT_EQ(ResolveFolder("D:\\Out", " *E:\\S. ", left), N("E:\\S"));
}

TEST(OutputNaming, ResolveFolderWorksWithNativePaths) {
    EXPECT_EQ(ResolveFolder("/home/u/Photos/", "./x", ""), N("/home/u/Photos/x"));
    EXPECT_EQ(ResolveFolder(".", "./l", "/home/u/Photos/a.jpg"), N("/home/u/Photos/l"));
    EXPECT_EQ(ResolveFolder("/home/u", "/srv/out/", ""), N("/srv/out"));
    // The root stays the root instead of turning into the current directory.
    EXPECT_EQ(ResolveFolder("/", ".\\x", ""), N("/x"));
    EXPECT_EQ(ResolveFolder("/home/u", "/", ""), N("/"));
    // A base of junk alone stands for the left image's folder too.
    EXPECT_EQ(ResolveFolder(" . ", ".\\x", "/p/q.jpg"), N("/p/x"));
}

TEST(OutputNaming, RelativeFolderWithoutBaseHangsUnderTheCurrentDirectory) {
    const QString cwd = QDir::toNativeSeparators(QDir::currentPath());
    EXPECT_EQ(ResolveFolder("", ".\\x", ""), cwd + QDir::separator() + "x");
    // "." with no left image: the current directory as well.
    EXPECT_EQ(ResolveFolder(".", ".\\x", ""), cwd + QDir::separator() + "x");
    // Everything empty stays empty.
    EXPECT_EQ(ResolveFolder("", "", ""), "");
}

TEST(OutputNaming, KindFolderUsesTheTrimmedBaseAndIsEmptyForKindsWithoutFolder) {
    tnamingfields f = DefaultFields();
    f.RepBase = "  D:\\Photos  ";
    EXPECT_EQ(KindFolder(KindDouble, f), N("D:\\Photos\\bi"));
    EXPECT_EQ(KindFolder(KindParams, f), N("D:\\Photos\\prm"));
    EXPECT_EQ(KindFolder(KindSingle, f), "");
    EXPECT_EQ(KindFolder(KindNone, f), "");
}

TEST(OutputNaming, EnsureFolderCreatesSilentlyOrAfterAsking) {
    QTemporaryDir dir;
    tscriptedquestions q;

    QString folder = "./a/b";
    EXPECT_TRUE(EnsureFolder(dir.path(), folder, true, true, "", q));
    EXPECT_EQ(folder, QDir::toNativeSeparators(dir.path() + "/a/b"));
    EXPECT_TRUE(QDir(dir.path() + "/a/b").exists());
    EXPECT_TRUE(q.Edited.isEmpty());

    // Asking: the user edits the folder, which is created and handed back.
    folder = "./c";
    q.EditTo = QDir::toNativeSeparators(dir.path() + "/edited/d");
    EXPECT_TRUE(EnsureFolder(dir.path(), folder, true, false, "", q));
    EXPECT_EQ(q.Edited, QStringList{QDir::toNativeSeparators(dir.path() + "/c")});
    EXPECT_EQ(folder, q.EditTo);
    EXPECT_TRUE(QDir(q.EditTo).exists());
    EXPECT_FALSE(QDir(dir.path() + "/c").exists());

    // Without create a missing folder is made only in silent mode.
    folder = "./e";
    EXPECT_FALSE(EnsureFolder(dir.path(), folder, false, false, "", q));
    EXPECT_FALSE(QDir(dir.path() + "/e").exists());
    EXPECT_TRUE(EnsureFolder(dir.path(), folder, false, true, "", q));
    EXPECT_TRUE(QDir(dir.path() + "/e").exists());
}

TEST(OutputNaming, FolderThatCannotBeCreatedFailsWithItsMessage) {
    QTemporaryDir dir;
    const QString bad = Uncreatable(dir);
    tscriptedquestions q;
    QString folder = bad;
    EXPECT_FALSE(EnsureFolder("", folder, true, true, "", q));
    EXPECT_TRUE(q.Errors.isEmpty()); // silent

    folder = bad;
    EXPECT_FALSE(EnsureFolder("", folder, true, false, "", q));
    EXPECT_EQ(q.Errors,
              QStringList{QString::fromUtf8("Impossible de créer le Dossier: '") + bad + "'"});
    EXPECT_FALSE(CreateWholePath(bad));
    EXPECT_FALSE(CreateWholePath(""));
}

TEST(OutputNaming, AskCreateFolderAnswers) {
    QTemporaryDir dir;
    tscriptedquestions q;

    QString existing = dir.path();
    EXPECT_TRUE(AskCreateFolder(existing, q));
    EXPECT_TRUE(q.Edited.isEmpty()); // no question for a folder that exists

    QString folder = dir.filePath("new");
    q.EditAccepts = false;
    EXPECT_FALSE(AskCreateFolder(folder, q));
    EXPECT_FALSE(QDir(folder).exists());

    q.EditAccepts = true;
    q.EditTo = "   ";
    EXPECT_FALSE(AskCreateFolder(folder, q));

    q.EditTo = dir.path();
    EXPECT_TRUE(AskCreateFolder(folder, q));
    EXPECT_EQ(q.Errors, QStringList{QString::fromUtf8("Le Dossier existe déjà")});
}

TEST(OutputNaming, CheckOutputFoldersAsksInOrderAndYesToAllStopsAsking) {
    QTemporaryDir dir;
    tnamingfields f = DefaultFields();
    f.RepBase = dir.path();
    f.Ticked[KindParams] = f.Ticked[KindLeft] = f.Ticked[KindCrossed] = f.Ticked[KindAnaglyph] =
        true;
    QDir(dir.path()).mkdir("l"); // exists: never asked about

    tscriptedquestions q;
    q.Answers = {tcreateanswer::No, tcreateanswer::YesToAll};
    EXPECT_TRUE(CheckOutputFolders(f, q));
    const QString base = QDir::toNativeSeparators(dir.path()) + QDir::separator();
    EXPECT_EQ(q.Asked, (QStringList{base + "prm", base + "x"}));
    EXPECT_FALSE(QDir(dir.path() + "/prm").exists()); // No
    EXPECT_TRUE(QDir(dir.path() + "/x").exists());    // Yes to all
    EXPECT_TRUE(QDir(dir.path() + "/ana").exists());  // created without asking
}

TEST(OutputNaming, CheckOutputFoldersAsksAgainAfterNoAndStopsOnAbort) {
    QTemporaryDir dir;
    tnamingfields f = DefaultFields();
    f.RepBase = dir.path();
    f.Ticked[KindRight] = f.Ticked[KindParallel] = f.Ticked[KindOverUnder] = true;

    tscriptedquestions q;
    q.Answers = {tcreateanswer::Cancel, tcreateanswer::Yes, tcreateanswer::Abort};
    EXPECT_TRUE(CheckOutputFolders(f, q) == false);
    EXPECT_EQ(q.Asked.size(), 3);
    EXPECT_FALSE(QDir(dir.path() + "/r").exists());
    EXPECT_TRUE(QDir(dir.path() + "/p").exists());
    EXPECT_FALSE(QDir(dir.path() + "/v").exists());
}

TEST(OutputNaming, CheckOutputFoldersReportsAFolderThatCannotBeCreated) {
    QTemporaryDir dir;
    tnamingfields f = DefaultFields();
    f.Folder[KindLeft] = Uncreatable(dir);
    f.Ticked[KindLeft] = true;
    tscriptedquestions q;
    q.Answers = {tcreateanswer::Yes};
    EXPECT_TRUE(CheckOutputFolders(f, q));
    ASSERT_EQ(q.Errors.size(), 1);
    EXPECT_TRUE(q.Errors[0].contains(f.Folder[KindLeft]));
}

TEST(OutputNaming, ParamFilePathCreatesTheFolderAndMovesTheCurrentDirectory) {
    tcwdguard cwd;
    QTemporaryDir dir;
    tnamingfields f = DefaultFields();
    f.RepBase = dir.path();
    tscriptedquestions q;
    QString path;
    ASSERT_TRUE(ParamFilePath(f, /*askBeforeCreateDir*/ false, q, path));
    const QString folder = QDir::toNativeSeparators(dir.path() + "/prm");
    EXPECT_EQ(path, folder + QDir::separator() + "IMG_1234_35.prm");
    EXPECT_TRUE(QDir(folder).exists());
    EXPECT_EQ(QDir::toNativeSeparators(QDir::currentPath()), folder);
    EXPECT_TRUE(q.Edited.isEmpty());
}

TEST(OutputNaming, ParamFilePathLeavesThePathWhenTheFolderCannotBeHad) {
    tcwdguard cwd;
    QTemporaryDir dir;
    tnamingfields f = DefaultFields();
    f.Folder[KindParams] = Uncreatable(dir);
    tscriptedquestions q;
    QString path = "given";
    EXPECT_FALSE(ParamFilePath(f, false, q, path));
    EXPECT_EQ(path, "given");
    // Asking first: the user refuses.
    q.EditAccepts = false;
    f.Folder[KindParams] = ".\\prm";
    f.RepBase = dir.path();
    EXPECT_FALSE(ParamFilePath(f, true, q, path));
    EXPECT_EQ(q.Edited.size(), 1);
}

TEST(OutputNaming, RememberSaveDirKeepsTheFolderOfEachKind) {
    tsettings s;
    const std::array<std::pair<int, QString tsettings::*>, 8> map = {{
        {KindCrossed, &tsettings::SaveDirSX},
        {KindParallel, &tsettings::SaveDirSP},
        {KindAnaglyph, &tsettings::SaveDirAna},
        {KindOverUnder, &tsettings::SaveDirSV},
        {KindDouble, &tsettings::SaveDirBi},
        {KindLeft, &tsettings::SaveDirL},
        {KindRight, &tsettings::SaveDirR},
        {KindParams, &tsettings::SaveDirPrm},
    }};
    for (const auto& [kind, member] : map) {
        RememberSaveDir(QString("folder%1").arg(kind), kind, s);
        EXPECT_EQ(s.*member, QString("folder%1").arg(kind)) << kind;
    }
    for (const int kind : {0, 1, 9, 42}) {
        RememberSaveDir(QString("img%1").arg(kind), kind, s);
        EXPECT_EQ(s.SaveDirImg, QString("img%1").arg(kind));
    }
    EXPECT_EQ(KindFolderSetting(KindAnaglyph), &tsettings::DirAna);
    EXPECT_EQ(KindFolderSetting(KindParams), &tsettings::DirPrm);
    EXPECT_EQ(KindFolderSetting(KindSingle), nullptr);
}

TEST(OutputNaming, NameListMarksMissingFolders) {
    QTemporaryDir dir;
    tnamingfields f = DefaultFields();
    f.RepBase = dir.path();
    f.Jpeg = true;
    f.Ticked[KindParams] = f.Ticked[KindCrossed] = f.Ticked[KindLeft] = true;
    QDir(dir.path()).mkdir("x");
    const QString base = QDir::toNativeSeparators(dir.path()) + QDir::separator();
    const QString sep = QDir::separator();
    EXPECT_EQ(
        OutputNameList(f),
        (QStringList{base + "l" + sep + "IMG_1234_35_L.jpg", " !!Directory doesn't exist!!",
                     base + "x" + sep + "IMG_1234_35_X.jpg", base + "prm" + sep + "IMG_1234_35.prm",
                     " !!Directory doesn't exist!!"}));
}

TEST(OutputNaming, DefaultButtonRestoresTheBaseNameFromTheViews) {
    tnamingfields f = DefaultFields();
    f.Rename = true;
    f.FileName = "typed";
    DefaultFileNameField(f);
    EXPECT_EQ(f.FileName, "IMG_1234_35");
    EXPECT_FALSE(f.Rename);
    f.LeftFile.clear();
    f.RightFile.clear();
    DefaultFileNameField(f);
    EXPECT_EQ(f.FileName, "3d");
}

TEST(OutputNaming, NormalizeFolderCleansBothEndsAndEndsWithOneDelimiter) {
    const QString sep = QDir::separator();
    EXPECT_EQ(NormalizeFolder(""), sep);
    EXPECT_EQ(NormalizeFolder(" C:\\Photos\\. "), N("C:\\Photos\\"));
    EXPECT_EQ(NormalizeFolder("/home/u/"), N("/home/u/"));
    EXPECT_EQ(NormalizeFolder("*?x"), "x" + sep);
}

TEST(OutputNaming, MakeRelativeFolderCutsTheBase) {
    EXPECT_EQ(MakeRelativeFolder("C:\\Photos\\x", "C:\\Photos"), N(".\\x\\"));
    EXPECT_EQ(MakeRelativeFolder("/home/u/out/x/", "/home/u/out"), N(".\\x\\"));
    EXPECT_EQ(MakeRelativeFolder("   ", "/home/u"), N(".\\"));
    EXPECT_EQ(MakeRelativeFolder(".\\bi", "/home/u"), ".\\bi"); // already relative: as is
    EXPECT_EQ(MakeRelativeFolder("/srv/x", "/home/u"), N("/srv/x/"));
    // A folder that only shares the beginning of a name is not below the base.
    EXPECT_EQ(MakeRelativeFolder("/home/user2/x", "/home/user"), N("/home/user2/x/"));
#ifdef Q_OS_WIN
    EXPECT_EQ(MakeRelativeFolder("c:\\photos\\x", "C:\\Photos"), ".\\x\\");
#else
    // Folder names differ by case here.
    EXPECT_EQ(MakeRelativeFolder("/home/U/x", "/home/u"), N("/home/U/x/"));
#endif
}

TEST(OutputNaming, RelativeFoldersButtonRewritesEveryKindFolder) {
    tnamingfields f = DefaultFields();
    f.RepBase = "/home/u";
    f.Folder[KindCrossed] = "/home/u/x";
    f.Folder[KindParams] = "/srv/prm";
    MakeFoldersRelative(f);
    EXPECT_EQ(f.Folder[KindCrossed], N(".\\x\\"));
    EXPECT_EQ(f.Folder[KindParams], N("/srv/prm/"));
    EXPECT_EQ(f.Folder[KindLeft], ".\\l");
}

TEST(OutputNaming, DiskSpaceTextInMegabytesAndWholePercent) {
    // 100 GiB total, 25 GiB + 1 MiB - 1 byte free.
    EXPECT_EQ(FormatDiskSpace("C:", 107374182400LL, 26843545600LL + 1048575),
              "C: - Espace: 102400 Mo / Libre: 25600 Mo  soit 25 %");
    EXPECT_EQ(FormatDiskSpace("/", 1048575, 1000), "/ - Espace: 0 Mo / Libre: 0 Mo  soit 0 %");
    EXPECT_EQ(FormatDiskSpace("E:", 3LL * 1048576, 2LL * 1048576),
              "E: - Espace: 3 Mo / Libre: 2 Mo  soit 66 %");
    // Drives with a '%' in their name do not disturb the text.
    EXPECT_EQ(FormatDiskSpace("%2", 0, 0), "%2 - Espace: 0 Mo / Libre: 0 Mo  soit 0 %");

    QTemporaryDir dir;
    EXPECT_EQ(DiskSpaceText(dir.filePath("nothere")), "New Directory");
    const QRegularExpression line("^.+ - Espace: [0-9]+ Mo / Libre: [0-9]+ Mo  soit [0-9]+ %$");
    EXPECT_TRUE(line.match(DiskSpaceText(dir.path())).hasMatch())
        << DiskSpaceText(dir.path()).toStdString();
    EXPECT_EQ(DriveOf("D:\\Photos"), "D:");
    EXPECT_FALSE(DriveOf(dir.filePath("a/b/c")).isEmpty());
}

TEST(OutputNaming, FileSizeInBytesAndZeroWhenNotAFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("f.bin");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(3000, 'a'));
    f.close();
    EXPECT_EQ(FileSizeBytes(path), 3000);
    EXPECT_EQ(FileSizeBytes(dir.filePath("missing")), 0);
    EXPECT_EQ(FileSizeBytes(dir.path()), 0);
}
