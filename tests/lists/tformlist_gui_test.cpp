// The list window and the slideshow options window: texts, the buttons that
// fill the list, the selection commands on the focused box, the options'
// OK, the batch command without a save dialog and the progress shown.
#include "lists/tformdiaporama.h"
#include "lists/tformlist.h"

#include "core/runflags.h"
#include "core/settings.h"
#include "core/stereokinds.h"
#include "lists/batchsaver.h"
#include "lists/slideshow.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

namespace {

struct ListWindow : ::testing::Test {
    tsettings saved = Settings;
    // The kinds' names exist before any window, as at start-up.
    bool named = (InitStereoKinds(), true);
    TFormDiaporama options;
    std::unique_ptr<TFormList> form;
    QStringList asked; // title | folder of each open dialog
    QStringList answer;
    QStringList messages;

    void SetUp() override {
        form = std::make_unique<TFormList>(options);
        form->AskFiles = [this](const QString& t, const QString& f, const QString&, bool) {
            asked << t + "|" + f;
            return answer;
        };
        options.MessageBox = [this](const QString& text, const QString& caption) {
            messages << caption + ": " + text;
        };
        options.AskYesNo = [](const QString&, const QString&) {};
    }
    void TearDown() override {
        Settings = saved;
        gBusy = false;
    }
    tdiaporama& list() { return options.Diaporama; }
};

} // namespace

TEST_F(ListWindow, ControlsCarryTheirTexts) {
    EXPECT_EQ(form->objectName(), "FormList");
    EXPECT_EQ(form->windowTitle(), QString::fromUtf8("Liste:") + StereoKindNames[0]);
    EXPECT_EQ(form->SpeedButtonSplit->text(), ">> Split >>");
    EXPECT_EQ(form->SpeedButtonSplit->toolTip(),
              QString::fromUtf8("Déplace un Fichier sur 2 dans la Liste de Droite"));
    EXPECT_EQ(form->DupliquerSelection1->shortcut(), QKeySequence("Ctrl+D"));
    EXPECT_EQ(form->EchangerSelection->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(form->SupprimerSelection->shortcut(), QKeySequence(Qt::Key_Delete));
    EXPECT_EQ(form->InverserSelection->shortcut(), QKeySequence("Ctrl+I"));
    EXPECT_EQ(options.objectName(), "FormDiaporama");
    EXPECT_EQ(options.windowTitle(), "Liste");
    EXPECT_EQ(options.FileTypeButtons->buttons().size(), 8);
    EXPECT_EQ(options.FileTypeButtons->button(7)->text(), StereoKindNames[10]);
}

TEST_F(ListWindow, LeftViewsAfterParameterFilesSwitchToPairsAndKeepTheList) {
    Settings.OpenDirPrm = "/prm";
    Settings.OpenDirL = "/left";
    answer = {"/prm/a.prm"};
    form->SpeedButtonParamClick();
    EXPECT_EQ(list().ListKind, 10);
    answer = {"/left/l0.jpg", "/left/l1.jpg"};
    form->SpeedButtonLeftClick();
    EXPECT_EQ(list().ListKind, 1);
    EXPECT_EQ(list().ListL, (QStringList{"/prm/a.prm", "/left/l0.jpg", "/left/l1.jpg"}));
    EXPECT_EQ(asked, (QStringList{QString::fromUtf8("Ouvrir : Fichier de Paramètres|/prm"),
                                  "Ouvrir : Vue Gauche|/left"}));
    EXPECT_EQ(form->ListBoxL->count(), 3);
    EXPECT_EQ(form->LabelCounts->text(), "Gauche : 3   Droite : 0");
    EXPECT_EQ(form->windowTitle(), QString::fromUtf8("Liste:") + StereoKindNames[1]);
}

TEST_F(ListWindow, StereoButtonUsesTheRememberedKindWhenTheChoiceIsCancelled) {
    Settings.DragDropFileType = 2; // crossed
    Settings.OpenDirSX = "/x";
    form->AskStereoKind = [](int) { return -1; };
    answer = {"/x/1.jpg"};
    form->SpeedButtonStereoClick();
    EXPECT_EQ(list().ListKind, 2);
    EXPECT_EQ(asked, QStringList{QString::fromUtf8("Ouvrir : Stéréo Croisée|/x")});
    EXPECT_EQ(list().ListL, QStringList{"/x/1.jpg"});
    // A chosen kind is remembered.
    form->AskStereoKind = [](int) { return 5; };
    form->SpeedButtonStereoClick();
    EXPECT_EQ(Settings.DragDropFileType, 5);
    EXPECT_EQ(list().ListKind, 5);
}

TEST_F(ListWindow, SelectionCommandsActOnlyOnTheBoxPressedLast) {
    list().ListL = {"a", "b", "c", "d", "e"};
    list().ListR = {"r0"};
    form->RefreshLists();
    form->show();
    form->ListBoxL->item(1)->setSelected(true);
    form->DupliquerSelection1Click(); // no box was pressed yet
    EXPECT_EQ(list().ListL.size(), 5);
    auto click = [](QListWidget* box, int row, Qt::KeyboardModifiers keys) {
        QTest::mouseClick(box->viewport(), Qt::LeftButton, keys,
                          box->visualItemRect(box->item(row)).center());
    };
    click(form->ListBoxL, 1, Qt::NoModifier);
    click(form->ListBoxL, 3, Qt::ControlModifier);
    form->DupliquerSelection1Click();
    EXPECT_EQ(list().ListL, (QStringList{"a", "b", "c", "d", "b", "d", "e"}));
    EXPECT_EQ(form->ListBoxL->count(), 7);
    // Delete acts on the right box once it was pressed.
    click(form->ListBoxR, 0, Qt::NoModifier);
    form->SupprimerSelectionClick();
    EXPECT_TRUE(list().ListR.isEmpty());
    EXPECT_EQ(list().ListL.size(), 7);
}

TEST_F(ListWindow, OptionsOkMakesTheListReadyWithItsValues) {
    list().ListKind = 7; // not offered: the first kind is taken
    options.FormShow();
    EXPECT_EQ(list().ListKind, 0);
    options.FileTypeButtons->button(7)->setChecked(true);
    options.EditParams->setText(" /p/all.prm ");
    options.EditInterval->setText("abc");
    list().IndexL = 4;
    options.BitBtnOkClick();
    EXPECT_TRUE(list().Ready);
    EXPECT_EQ(list().ListKind, 10);
    EXPECT_EQ(list().ParamsFile, "/p/all.prm");
    EXPECT_EQ(list().Interval, 100); // not a number
    EXPECT_EQ(list().IndexL, 0);
    EXPECT_EQ(form->windowTitle(), QString::fromUtf8("Liste:") + StereoKindNames[10]);
    options.CheckBoxBoucle->setChecked(true);
    EXPECT_TRUE(list().Loop);
}

TEST_F(ListWindow, BatchWithoutTheSaveDialogSaysSoAndSavesNothing) {
    SetBatchSaver(nullptr);
    list().ListL = {"a", "b"};
    // The options window closes with OK at once.
    QTimer::singleShot(0, &options, [this] { options.BitBtnOkClick(); });
    options.SaveBatchCommand();
    EXPECT_TRUE(list().Ready);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Diaporama: ") +
                                    QString::fromUtf8(BatchSaverMissingText)});
    EXPECT_FALSE(gBusy);
    EXPECT_FALSE(options.Timer1->isActive());
}

TEST_F(ListWindow, BatchProgressShowsCountAndFile) {
    form->ShowProgress(12, 240, "/v/a.jpg");
    EXPECT_EQ(form->LabelProgress->text(), "12 / 240  /v/a.jpg");
    EXPECT_EQ(form->ProgressBatch->value(), 12);
    EXPECT_EQ(form->ProgressBatch->maximum(), 240);
    form->ShowProgress(0, 240, QString());
    EXPECT_TRUE(form->LabelProgress->text().isEmpty());
}

namespace {

struct RecordingDisplay : tlistdisplay {
    QStringList calls;
    void SetFileNames(const QString& l, const QString& r, int kind) override {
        calls << QStringLiteral("names %1|%2 %3").arg(l, r).arg(kind);
    }
    void ReadParamFile(const QString& f, bool) override { calls << "prm " + f; }
    void LoadViews(int kind) override { calls << QStringLiteral("load %1").arg(kind); }
    void Refresh() override {}
};

} // namespace

TEST_F(ListWindow, DoubleClickShowsThatPair) {
    RecordingDisplay display;
    options.SetDisplay(&display);
    list().ListKind = 1;
    list().ListL = {"/v/l0.jpg", "/v/l1.jpg"};
    list().ListR = {"/v/r0.jpg", "/v/r1.jpg"};
    form->RefreshLists();
    form->show();
    QListWidget* box = form->ListBoxR;
    const QPoint at = box->visualItemRect(box->item(1)).center();
    // A double click is a press and release, then the double press.
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(box->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(display.calls, (QStringList{"names /v/l1.jpg|/v/r1.jpg 1", "load 1"}));
    EXPECT_EQ(list().IndexL, 1);
    options.SetDisplay(nullptr);
}

TEST_F(ListWindow, DragToTheOtherBoxMovesTheSelection) {
    list().ListL = {"a", "b", "c"};
    list().ListR = {"x"};
    form->RefreshLists();
    form->ListBoxL->item(0)->setSelected(true);
    form->ListBoxL->item(2)->setSelected(true);
    form->DropFromBox(form->ListBoxL, form->ListBoxR, 0);
    EXPECT_EQ(list().ListL, QStringList{"b"});
    EXPECT_EQ(list().ListR, (QStringList{"a", "c", "x"}));
    EXPECT_EQ(form->ListBoxR->count(), 3);
}
