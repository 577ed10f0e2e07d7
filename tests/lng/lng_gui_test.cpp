// Language files over the program's real windows: written, applied, written
// again; the shipped English file checked against the interface; the
// chooser and the editor.
#include "app/appwindows_ui.h"
#include "app/startup_ui.h"
#include "core/settings.h"
#include "core/uilanguage.h"
#include "display/tformmain.h"
#include "lng/lngwidgets_ui.h"
#include "lng/qtlanguage.h"
#include "lng/tformedit.h"
#include "lng/tlngform.h"
#include "montage/tformbuild2.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QTemporaryDir* home = nullptr;

class Language : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        home = new QTemporaryDir();
        qputenv("XDG_CONFIG_HOME", (home->path() + "/config").toUtf8());
        qputenv("XDG_DATA_HOME", (home->path() + "/data").toUtf8());
        InitSettingsUnit();
        CreateWindows();
    }
    static void TearDownTestSuite() {
        DestroyWindows();
        delete home;
    }
    // Back to the French of the interface after each test.
    void TearDown() override { ASSERT_TRUE(ApplyLanguageFile(french())); }
    static QString french() {
        static QString path;
        if (path.isEmpty()) {
            path = home->filePath("french.lng");
            EXPECT_TRUE(SaveLanguageFile(path));
        }
        return path;
    }
};

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

template <class T> T* find(QWidget* window, const char* name) {
    return window->findChild<T*>(QString::fromUtf8(name));
}

// Answers the next modal message box with the given button.
void answerNextBox(QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [button] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->button(button)->click();
    });
}

// Words written the same in both languages (and the short tool-button
// abbreviations and names the French interface already uses); a text made
// only of these, numbers and signs needs no translation.
bool sameInBothLanguages(const QString& value) {
    static const QStringList words{
        "OK",      "Ok",      "Zoom",     "In",    "Out",     "Options", "Crop",    "Transp",
        "Inv",     "Calc",    "Inf",      "Auto",  "Page",    "Double",  "Lock",    "Rot",
        "Add",     "Sub",     "Xor",      "Neg",   "NSub",    "GSub",    "GXor",    "Fast",
        "JPEG",    "Format",  "Geometry", "Split", "bits",    "ScrollX", "ScrollY", "Angle",
        "Orvanel", "Kelvado", "Version",  "Del",   "Info",    "Left",    "Right",   "Stop",
        "Points",  "Bi",      "XP",       "MPO",   "Rotation"};
    QString plain = value;
    plain.remove(u'&');
    const QStringList parts =
        plain.split(QRegularExpression(QStringLiteral("[^\\w]|\\d|_")), Qt::SkipEmptyParts);
    for (const QString& w : parts)
        if (w.size() > 1 && !words.contains(w)) return false;
    return true;
}

} // namespace

TEST_F(Language, WritingAfterApplyingGivesTheSameFileByteForByte) {
    const QString path = home->filePath("round.lng");
    ASSERT_TRUE(SaveLanguageFile(path));
    const QByteArray first = readBytes(path);
    ASSERT_TRUE(first.contains("[FormBuild2]"));
    ASSERT_TRUE(ApplyLanguageFile(path));
    ASSERT_TRUE(SaveLanguageFile(path));
    EXPECT_EQ(readBytes(path), first);
}

TEST_F(Language, AppliedTextsReachTheWidgetsOfEveryWindow) {
    tinifile ini(french());
    ini.WriteString("FormBuild2", "Caption", "Alignment");
    ini.WriteString("FormMain", "Caption", "Never shown");
    ini.WriteString("Langue1", "Caption", "Choose a language...");
    ini.WriteString("BitBtnOk", "Caption", "Fine");
    ini.WriteString("SpeedButtonApplyLng", "Hint", "Try it");
    // A window without caption keeps every text, its controls' too.
    ini.WriteString("LngForm", "Caption", "");
    ini.WriteString("BitBtnLngOk", "Caption", "Ignored");
    const QString path = home->filePath("edited.lng");
    ASSERT_TRUE(ini.SaveAs(path));
    const QString mainCaption = AppWindows.FormMain->windowTitle();

    ASSERT_TRUE(ApplyLanguageFile(path));
    EXPECT_EQ(AppWindows.FormBuild2->windowTitle(), "Alignment");
    EXPECT_EQ(AppWindows.FormMain->windowTitle(), mainCaption);
    EXPECT_EQ(find<QAction>(AppWindows.FormBuild2, "Langue1")->text(), "Choose a language...");
    // Two windows with a button named alike show the same caption.
    EXPECT_EQ(find<QAbstractButton>(AppWindows.FormEdit, "BitBtnOk")->text(), "Fine");
    EXPECT_EQ(find<QAbstractButton>(AppWindows.FormSize, "BitBtnOk")->text(), "Fine");
    EXPECT_EQ(find<QAbstractButton>(AppWindows.LngForm, "BitBtnLngOk")->text(), "OK");
    EXPECT_EQ(find<QAbstractButton>(AppWindows.LngForm, "SpeedButtonApplyLng")->toolTip(),
              "Essayer la langue choisie");
}

TEST_F(Language, DamagedFileLeavesTheFrenchTextsWithAMessage) {
    const QString path = home->filePath("damaged.lng");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(3000, '\x01') + "Caption=x\n");
    f.close();
    QString message;
    EXPECT_FALSE(ApplyLanguageFile(path, &message));
    EXPECT_TRUE(message.contains(path));
    EXPECT_EQ(AppWindows.FormBuild2->windowTitle(), "Montage");
    // Its window sections lost: the free strings are not taken either.
    const QString lost = home->filePath("lost.lng");
    QFile g(lost);
    ASSERT_TRUE(g.open(QIODevice::WriteOnly));
    g.write("[File]\nLanguage=en\n[Lng]\nlngEdit=Edit\n[Langue1]\nCaption=Language\n");
    g.close();
    EXPECT_FALSE(ApplyLanguageFile(lost, &message));
    EXPECT_TRUE(message.contains("aucune fenêtre")) << message.toStdString();
    EXPECT_EQ(LngStrings.Edit, "Editer");
    EXPECT_EQ(UiLanguage(), "fr");
    EXPECT_EQ(find<QAction>(AppWindows.FormBuild2, "Langue1")->text(), "Choisir une langue...");
}

TEST_F(Language, EnglishFileHasEveryTextOfTheInterface) {
    const QString englishPath = QStringLiteral(ORVANEL_SOURCE_DIR "/lng/english.lng");
    tinifile english;
    QString message;
    ASSERT_TRUE(ReadLanguageFile(englishPath, english, &message)) << message.toStdString();
    const tinifile interface(french());
    QStringList missing, untranslated;
    for (const QString& section : interface.Sections())
        for (const QString& key : interface.Keys(section)) {
            // The display window's caption is never replaced.
            if (section == "File" || section == "FormMain") continue;
            const QString fr = interface.ReadString(section, key, "");
            if (!english.ValueExists(section, key)) {
                missing << section + "/" + key;
                continue;
            }
            const QString en = english.ReadString(section, key, "");
            if (key != "ItemIndex" && key != "ItemsCount" && en == fr && !sameInBothLanguages(fr))
                untranslated << section + "/" + key + "=" + fr;
        }
    EXPECT_TRUE(missing.isEmpty()) << "not in english.lng:\n" << missing.join("\n").toStdString();
    EXPECT_TRUE(untranslated.isEmpty()) << "left in French:\n"
                                        << untranslated.join("\n").toStdString();
    EXPECT_EQ(english.ReadString("File", "Language", ""), "en");
}

TEST_F(Language, EnglishAppliesToEveryTextAndQtFollows) {
    const QString englishPath = QStringLiteral(ORVANEL_SOURCE_DIR "/lng/english.lng");
    ASSERT_TRUE(ApplyLanguageFile(englishPath));
    EXPECT_EQ(UiLanguage(), "en");
    // The read-outs the window builds itself follow at once.
    EXPECT_TRUE(find<QLabel>(AppWindows.FormBuild2, "LabelVisu")->text().startsWith("Viewing: "))
        << find<QLabel>(AppWindows.FormBuild2, "LabelVisu")->text().toStdString();
    EXPECT_EQ(AppWindows.FormBuild2->windowTitle(),
              tinifile(englishPath).ReadString("FormBuild2", "Caption", ""));
    // Written back, the interface gives the English file's texts.
    const QString path = home->filePath("english-again.lng");
    ASSERT_TRUE(SaveLanguageFile(path));
    const tinifile again(path);
    const tinifile english(englishPath);
    QStringList differ;
    for (const QString& section : again.Sections())
        for (const QString& key : again.Keys(section)) {
            if (section == "File" || key == "ItemIndex") continue;
            const QString en = english.ReadString(section, key, "");
            if (!en.isEmpty() && again.ReadString(section, key, "") != en)
                differ << section + "/" + key;
        }
    EXPECT_TRUE(differ.isEmpty()) << differ.join("\n").toStdString();
    // Qt's own buttons follow, when Qt's French is installed at all.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
    ASSERT_TRUE(ApplyLanguageFile(french()));
    EXPECT_EQ(UiLanguage(), "fr");
    if (InstallQtTranslation("fr"))
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Annuler");
    EXPECT_TRUE(find<QLabel>(AppWindows.FormBuild2, "LabelVisu")->text().startsWith("Vision "));
}

TEST_F(Language, ChooserProposesCurrentWithoutSelectionAndAppliesNothing) {
    auto* chooser = qobject_cast<TLngForm*>(AppWindows.LngForm);
    ASSERT_NE(chooser, nullptr);
    chooser->RefreshList();
    chooser->ListBox1->setCurrentRow(-1);
    EXPECT_EQ(chooser->Selection(), "");
    EXPECT_EQ(chooser->ProposedNewPath(), CurrentLngPath(chooser->Folders));
    EXPECT_TRUE(chooser->ProposedNewPath().startsWith(home->path() + "/data/kvtq/lng/"));
    chooser->ApplyClick();
    EXPECT_EQ(AppWindows.FormBuild2->windowTitle(), "Montage");
}

TEST_F(Language, EditorFindsSavesAndKeepsUnsavedChangesOnCancel) {
    auto* editor = qobject_cast<TFormEdit*>(AppWindows.FormEdit);
    ASSERT_NE(editor, nullptr);
    const QString path = home->filePath("edit.lng");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[A]\nk=Fen\xEAtre\n[B]\nk=x\n");
    }
    editor->show();
    ASSERT_TRUE(editor->LoadFile(path));
    EXPECT_EQ(editor->RichEdit1->toPlainText(), QString::fromUtf8("[A]\nk=Fenêtre\n[B]\nk=x\n"));
    EXPECT_TRUE(editor->windowTitle().endsWith(" : " + path));
    EXPECT_TRUE(editor->FindNext("k="));
    EXPECT_EQ(editor->RichEdit1->textCursor().selectionStart(), 4);
    EXPECT_TRUE(editor->FindNext("k="));
    EXPECT_EQ(editor->RichEdit1->textCursor().selectionStart(), 18);
    EXPECT_FALSE(editor->FindNext("k="));
    EXPECT_EQ(editor->RichEdit1->textCursor().position(), 0);

    editor->RichEdit1->appendPlainText("[C]");
    answerNextBox(QMessageBox::Cancel);
    editor->accept();
    EXPECT_TRUE(editor->isVisible());
    EXPECT_TRUE(editor->RichEdit1->toPlainText().endsWith("[C]"));
    answerNextBox(QMessageBox::Yes);
    editor->accept();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(readBytes(path), QString::fromUtf8("[A]\nk=Fenêtre\n[B]\nk=x\n\n[C]\n").toUtf8());
}

TEST_F(Language, ChoosingEnglishSwitchesAtOnceAndStaysForTheNextStart) {
    auto* chooser = qobject_cast<TLngForm*>(AppWindows.LngForm);
    ASSERT_NE(chooser, nullptr);
    // The shipped file sits beside the test programs, as beside the program.
    if (!QFile::exists(chooser->Folders.program + "/english.lng"))
        GTEST_SKIP() << "english.lng is copied beside the program when it is built";
    const QString saved = Settings.LngFileName;
    chooser->show();
    const auto rows = chooser->ListBox1->findItems("english.lng", Qt::MatchFixedString);
    ASSERT_EQ(rows.size(), 1);
    chooser->ListBox1->setCurrentItem(rows.first());
    chooser->BitBtnLngOk->click();
    EXPECT_FALSE(chooser->isVisible());
    EXPECT_EQ(Settings.LngFileName, "english.lng");
    const QString current = CurrentLngPath(chooser->Folders);
    EXPECT_TRUE(current.startsWith(home->path() + "/data/kvtq/lng/"));
    EXPECT_EQ(readBytes(current), readBytes(chooser->Folders.program + "/english.lng"));
    EXPECT_EQ(find<QAction>(AppWindows.FormBuild2, "Langue1")->text(), "Choose a language...");

    // The next start applies the setting's language.
    ASSERT_TRUE(ApplyLanguageFile(french()));
    ApplySettingsLanguage();
    EXPECT_EQ(find<QAction>(AppWindows.FormBuild2, "Langue1")->text(), "Choose a language...");

    // Cancel after trying French brings back current.lng, English.
    chooser->show();
    ASSERT_TRUE(ApplyLanguageFile(french()));
    chooser->BitBtnLngCancel->click();
    EXPECT_EQ(find<QAction>(AppWindows.FormBuild2, "Langue1")->text(), "Choose a language...");
    EXPECT_EQ(Settings.LngFileName, "current.lng");
    QFile::remove(current);
    Settings.LngFileName = saved;
}
