// Language files without a window: the texts written and read back, the
// reading rules, damaged files, the names and folders, the chooser's copy.
#include "core/freetexts.h"
#include "lng/lngchoice.h"
#include "lng/lngfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

void writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

tlngcontrol control(tlngkind kind, const char* name, const char* caption, const char* hint = "") {
    tlngcontrol c;
    c.kind = kind;
    c.name = QString::fromUtf8(name);
    c.caption = QString::fromUtf8(caption);
    c.hint = QString::fromUtf8(hint);
    return c;
}

tlngwindow sampleWindow() {
    tlngwindow w;
    w.name = "FormSave";
    w.caption = "Enregistrer";
    w.controls.push_back(control(tlngkind::Button, "BitBtnOk", "OK", "Valider"));
    w.controls.push_back(control(tlngkind::Caption, "CheckBoxPrm", "  Paramètres  "));
    tlngcontrol combo = control(tlngkind::Combo, "ComboBoxKind", "", "Sorte");
    combo.items = QStringList{"Parallèle", "Croisée", "Anaglyphe"};
    combo.itemIndex = 2;
    w.controls.push_back(combo);
    w.controls.push_back(control(tlngkind::Group, "GroupBox1", "Sorties"));
    return w;
}

tinifile parse(const QByteArray& text) {
    tinifile ini;
    ini.LoadFromBytes(text);
    return ini;
}

} // namespace

TEST(LngTexts, WrittenWindowReadsBackWithBlanksAndItemsKept) {
    tinifile out;
    WriteLngWindow(out, sampleWindow());
    const tinifile in = parse(out.ToText());
    EXPECT_EQ(in.ReadString("CheckBoxPrm", "Caption", ""), "  Paramètres  ");
    EXPECT_EQ(in.ReadString("ComboBoxKind", "ItemsCount", ""), "3");
    EXPECT_EQ(in.ReadString("ComboBoxKind", "ItemsString2", ""), "Anaglyphe");
    EXPECT_EQ(in.ReadString("ComboBoxKind", "ItemIndex", ""), "2");
    EXPECT_FALSE(in.ValueExists("GroupBox1", "Hint"));

    tlngwindow back = sampleWindow();
    for (tlngcontrol& c : back.controls) c.caption = c.hint = "x";
    back.caption = "x";
    ASSERT_TRUE(ReadLngWindow(in, back));
    const tlngwindow expected = sampleWindow();
    EXPECT_EQ(back.caption, expected.caption);
    for (size_t i = 0; i < expected.controls.size(); ++i) {
        EXPECT_EQ(back.controls[i].caption, expected.controls[i].kind == tlngkind::Combo
                                                ? QString("x")
                                                : expected.controls[i].caption)
            << i;
        EXPECT_EQ(back.controls[i].items, expected.controls[i].items) << i;
    }
}

TEST(LngTexts, ReadingRules) {
    struct Case {
        const char* what;
        const char* file;
        const char* caption; // window caption after reading
        const char* button;  // BitBtnOk caption
        const char* hint;    // BitBtnOk hint
        bool read;
    };
    const Case cases[] = {
        {"a window without Caption stays untranslated even with its controls' sections",
         "[FormSave]\nx=1\n[BitBtnOk]\nCaption=Go\n", "Enregistrer", "OK", "Valider", false},
        {"an empty value never replaces a text",
         "[FormSave]\nCaption=Save\n[BitBtnOk]\nCaption=\nHint=\n", "Save", "OK", "Valider", true},
        {"a space blanks a text", "[FormSave]\nCaption=Save\n[BitBtnOk]\nHint= \n", "Save", "OK",
         " ", true},
        {"section and key names ignore case",
         "[formsave]\ncaption=Save\n[BITBTNOK]\nCAPTION=Done\n", "Save", "Done", "Valider", true},
        {"the value is the rest of the line", "[FormSave]\nCaption= Save = now \n", " Save = now ",
         "OK", "Valider", true},
    };
    for (const Case& c : cases) {
        tlngwindow w = sampleWindow();
        EXPECT_EQ(ReadLngWindow(parse(c.file), w), c.read) << c.what;
        EXPECT_EQ(w.caption, QString::fromUtf8(c.caption)) << c.what;
        EXPECT_EQ(w.controls[0].caption, QString::fromUtf8(c.button)) << c.what;
        EXPECT_EQ(w.controls[0].hint, QString::fromUtf8(c.hint)) << c.what;
    }
}

TEST(LngTexts, DisplayWindowKeepsItsCaption) {
    tlngwindow w;
    w.name = "FormMain";
    w.caption = "Gauche - Droite";
    w.controls.push_back(control(tlngkind::Caption, "Label1", "Vue"));
    EXPECT_TRUE(ReadLngWindow(parse("[FormMain]\nCaption=Main\n[Label1]\nCaption=View\n"), w));
    EXPECT_EQ(w.caption, "Gauche - Droite");
    EXPECT_EQ(w.controls[0].caption, "View");
}

TEST(LngTexts, ComboBoxItemsAndSelection) {
    struct Case {
        const char* what;
        const char* section;
        int indexBefore;
        QStringList items;
        int index;
    };
    const QStringList french{"Parallèle", "Croisée", "Anaglyphe"};
    const Case cases[] = {
        {"no list in the file keeps the items", "", 2, french, 2},
        {"ItemsCount 0 keeps the items", "ItemsCount=0\nItemIndex=0\n", 2, french, 2},
        {"a translated list keeps the selection the settings made",
         "ItemsCount=3\nItemsString0=Parallel\nItemsString1=Crossed\nItemsString2=Anaglyph\n"
         "ItemIndex=0\n",
         2,
         {"Parallel", "Crossed", "Anaglyph"},
         2},
        {"a missing item keeps the old text",
         "ItemsCount=3\nItemsString0=Parallel\nItemsString2=Anaglyph\n",
         1,
         {"Parallel", "Croisée", "Anaglyph"},
         1},
        {"a list of another length belongs to another control",
         "ItemsCount=2\nItemsString0=A\nItemsString1=B\nItemIndex=1\n", 2, french, 2},
        {"without a selection the file's is taken",
         "ItemsCount=3\nItemsString0=A\nItemsString1=B\nItemsString2=C\nItemIndex=1\n",
         -1,
         {"A", "B", "C"},
         1},
        {"a selection of the file out of the list becomes none",
         "ItemsCount=3\nItemsString0=A\nItemsString1=B\nItemsString2=C\nItemIndex=7\n",
         -1,
         {"A", "B", "C"},
         -1},
        {"a damaged count is refused", "ItemsCount=99999999\nItemsString0=A\n", 2, french, 2},
        {"a negative count is refused", "ItemsCount=-3\n", 2, french, 2},
    };
    for (const Case& c : cases) {
        tlngwindow w = sampleWindow();
        w.controls[2].itemIndex = c.indexBefore;
        const QByteArray text =
            QByteArray("[FormSave]\nCaption=Save\n[ComboBoxKind]\n") + c.section;
        ReadLngWindow(parse(text), w);
        EXPECT_EQ(w.controls[2].items, c.items) << c.what;
        EXPECT_EQ(w.controls[2].itemIndex, c.index) << c.what;
    }
}

TEST(LngTexts, ControlsOfOneNameShareOneSectionTheLaterWriterWins) {
    tlngwindow a = sampleWindow();
    tlngwindow b;
    b.name = "FormSize";
    b.caption = "Taille";
    b.controls.push_back(control(tlngkind::Button, "BitBtnOk", "Valider"));
    tinifile ini;
    WriteLngWindow(ini, a);
    WriteLngWindow(ini, b);
    EXPECT_EQ(ini.ReadString("BitBtnOk", "Caption", ""), "Valider");
    // A shorter list under the same name leaves no stale items behind.
    tlngwindow c;
    c.name = "FormOther";
    c.caption = "Autre";
    tlngcontrol combo = control(tlngkind::Combo, "ComboBoxKind", "");
    combo.items = QStringList{"Un"};
    combo.itemIndex = 0;
    c.controls.push_back(combo);
    WriteLngWindow(ini, c);
    EXPECT_EQ(ini.ReadInteger("ComboBoxKind", "ItemsCount", -1), 1);
    EXPECT_FALSE(ini.ValueExists("ComboBoxKind", "ItemsString1"));
}

TEST(LngFile, Windows1252FileKeepsItsAccents) {
    QTemporaryDir dir;
    const QString path = dir.filePath("old.lng");
    writeBytes(path, "[FormSave]\r\nCaption=Fen\xEAtre \xE9tendue\r\n[Lng]\r\nlngEdit=\xC9"
                     "diter\r\n");
    tinifile ini;
    QString message;
    ASSERT_TRUE(ReadLanguageFile(path, ini, &message)) << message.toStdString();
    EXPECT_EQ(ini.ReadString("FormSave", "Caption", ""), "Fenêtre étendue");
    tlngstrings strings;
    ReadLngStrings(ini, strings);
    EXPECT_EQ(strings.Edit, "Éditer");
    EXPECT_EQ(strings.SaveLng, "Enregistrer un Fichier Langue");
}

TEST(LngFile, DamagedFilesAreRefusedWithTheirCause) {
    QTemporaryDir dir;
    const QString garbage = dir.filePath("garbage.lng");
    QByteArray bytes(4096, '\0');
    for (int i = 0; i < bytes.size(); ++i) bytes[i] = char((i * 7919) & 0xff);
    bytes.replace('[', '(');
    writeBytes(garbage, bytes);
    const QString longLine = dir.filePath("long.lng");
    writeBytes(longLine, QByteArray(10 * 1024 * 1024, 'a'));
    const QString huge = dir.filePath("huge.lng");
    writeBytes(huge, "[FormSave]\nCaption=" + QByteArray(17 * 1024 * 1024, 'a'));
    const QString fifo = dir.filePath("fifo.lng");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    struct Case {
        QString path;
        const char* cause;
    };
    const Case cases[] = {
        {dir.filePath("none.lng"), "n'existe pas"},
        {garbage, "aucune section"},
        {longLine, "aucune section"},
        {huge, "trop grand"},
        {fifo, "pas un fichier ordinaire"},
        {dir.path(), "pas un fichier ordinaire"},
    };
    for (const Case& c : cases) {
        tinifile ini;
        ini.WriteString("Left", "Over", "1");
        QString message;
        EXPECT_FALSE(ReadLanguageFile(c.path, ini, &message)) << c.path.toStdString();
        EXPECT_TRUE(message.contains(c.path)) << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.cause))) << message.toStdString();
        EXPECT_TRUE(ini.Sections().isEmpty());
    }
}

TEST(LngFile, WrittenFileCarriesTheFreeStringsAndTheLanguage) {
    QTemporaryDir dir;
    const QString path = dir.filePath("sub/folder/new.lng");
    tlngstrings strings;
    strings.Language = "en";
    QString message;
    ASSERT_TRUE(WriteLanguageFile(path, strings, {sampleWindow()}, &message));
    tinifile ini;
    ASSERT_TRUE(ReadLanguageFile(path, ini, &message));
    EXPECT_EQ(ini.ReadString("File", "Name", ""), path);
    EXPECT_EQ(ini.ReadString("Lng", "lngSaveEdit", ""),
              "Voulez-vous enregistrer les  modifications ?");
    EXPECT_EQ(ini.ReadString("Messages", "lngquit", ""), "Quitter?");
    tlngstrings back;
    ReadLngStrings(ini, back);
    EXPECT_EQ(back.Language, "en");
    EXPECT_EQ(ini.Sections().first(), "File");
}

TEST(LngFile, RunTimeTextsTravelInTheTextsSection) {
    tinifile out;
    WriteLngStrings(out, tlngstrings());
    EXPECT_EQ(out.ReadString("Texts", "ShiftInfo", ""), "Depla :");
    EXPECT_EQ(out.Keys("Texts"), FreeTextKeys());
    tlngstrings strings;
    ReadLngStrings(parse("[Texts]\nShiftInfo=Shift:\nViewLeft=\nUnknown=x\n"), strings);
    EXPECT_EQ(FreeText("ShiftInfo"), "Shift:");
    EXPECT_EQ(FreeText("ViewLeft"), "Vue Gauche");
    EXPECT_EQ(FreeText("Unknown"), "Unknown");
    ResetFreeTexts();
    EXPECT_EQ(FreeText("ShiftInfo"), "Depla :");
}

TEST(LngFile, NamesResolveInTheUserFolderThenTheProgramFolder) {
    QTemporaryDir dir;
    const tlngfolders f{dir.filePath("prog"), dir.filePath("user")};
    writeBytes(f.program + "/english.lng", "[File]\n");
    writeBytes(f.program + "/both.lng", "[File]\n");
    writeBytes(f.user + "/both.lng", "[File]\n");
    struct Case {
        const char* name;
        QString expected;
    };
    const Case cases[] = {
        {"english", f.program + "/english.lng"},
        {"english.lng", f.program + "/english.lng"},
        {"C:\\other\\english.txt", f.program + "/english.lng"},
        {"both.lng", f.user + "/both.lng"},
        {"C:\\other\\fr.lng", f.user + "/fr.lng"},
        {"/tmp/x/fr", f.user + "/fr.lng"},
        {"", f.user + "/current.lng"},
    };
    for (const Case& c : cases) EXPECT_EQ(LngFilePath(f, c.name), c.expected) << c.name;
    EXPECT_EQ(NewLngPath(f), f.user + "/new.lng");
}

TEST(LngFile, UserFolderFollowsXdgDataHome) {
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", "/data/home");
    EXPECT_EQ(UserLngFolder(), "/data/home/kvtq/lng");
    // A relative XDG_DATA_HOME is ignored, as the base-directory rules say.
    qputenv("XDG_DATA_HOME", "rel");
    EXPECT_EQ(UserLngFolder(),
              QDir::cleanPath(qEnvironmentVariable("HOME") + "/.local/share/kvtq/lng"));
    qputenv("XDG_DATA_HOME", saved);
}

TEST(LngFile, ListingJoinsBothFoldersSortedWithoutDuplicates) {
    QTemporaryDir dir;
    const tlngfolders f{dir.filePath("prog"), dir.filePath("user")};
    writeBytes(f.program + "/english.lng", "");
    writeBytes(f.program + "/Deutsch.LNG", "");
    writeBytes(f.program + "/readme.txt", "");
    writeBytes(f.user + "/english.lng", "");
    writeBytes(f.user + "/.hidden.lng", "");
    writeBytes(f.user + "/current.lng", "");
    QDir().mkpath(f.user + "/folder.lng");
    EXPECT_EQ(ListLanguageFiles(f),
              (QStringList{".hidden.lng", "current.lng", "Deutsch.LNG", "english.lng"}));
    EXPECT_TRUE(ListLanguageFiles({dir.filePath("none"), QString()}).isEmpty());
}

TEST(LngChoice, OkCopiesTheChosenFileIntoCurrentAndAppliesIt) {
    QTemporaryDir dir;
    const tlngfolders f{dir.filePath("prog"), dir.filePath("user")};
    writeBytes(f.program + "/english.lng", "[File]\nLanguage=en\n");
    QFile::setPermissions(f.program + "/english.lng", QFileDevice::ReadOwner);
    writeBytes(f.user + "/current.lng", "[File]\nLanguage=fr\n");
    QStringList applied, saved;
    const tlngactions actions{[&](const QString& p) { return applied << p, true; },
                              [&](const QString& p) { return saved << p, true; }};
    EXPECT_EQ(ChooseLanguageOk(f, "english.lng", "current.lng", actions), "english.lng");
    EXPECT_EQ(readBytes(f.user + "/current.lng"), "[File]\nLanguage=en\n");
    EXPECT_TRUE(QFileInfo(f.user + "/current.lng").isWritable());
    EXPECT_EQ(applied, QStringList{f.user + "/current.lng"});
    EXPECT_TRUE(saved.isEmpty());
    // The shipped file is read, never written.
    EXPECT_EQ(readBytes(f.program + "/english.lng"), "[File]\nLanguage=en\n");
}

TEST(LngChoice, OkOnCurrentCopiesNothing) {
    QTemporaryDir dir;
    const tlngfolders f{dir.filePath("prog"), dir.filePath("user")};
    writeBytes(f.user + "/current.lng", "[File]\nLanguage=fr\n");
    QStringList applied;
    const tlngactions actions{[&](const QString& p) { return applied << p, true; }, nullptr};
    EXPECT_EQ(ChooseLanguageOk(f, "current.lng", "english.lng", actions), "current.lng");
    EXPECT_EQ(ChooseLanguageOk(f, "", "english.lng", actions), "current.lng");
    EXPECT_EQ(readBytes(f.user + "/current.lng"), "[File]\nLanguage=fr\n");
    EXPECT_EQ(applied.size(), 2);
}

TEST(LngChoice, MissingCurrentIsWrittenFromTheInterfaceFirst) {
    QTemporaryDir dir;
    const tlngfolders f{dir.filePath("prog"), dir.filePath("user")};
    QStringList order;
    const tlngactions actions{[&](const QString& p) { return order << "apply " + p, true; },
                              [&](const QString& p) {
                                  writeBytes(p, "[File]\n");
                                  return order << "save " + p, true;
                              }};
    const QString current = f.user + "/current.lng";
    EXPECT_EQ(ChooseLanguageCancel(f, actions), "current.lng");
    EXPECT_EQ(order, (QStringList{"save " + current, "apply " + current}));
    order.clear();
    // A chosen name that does not exist leaves the setting's name.
    EXPECT_EQ(ChooseLanguageOk(f, "gone.lng", "english.lng", actions), "english.lng");
    EXPECT_EQ(order, QStringList{"apply " + current});
}
