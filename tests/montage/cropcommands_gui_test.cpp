// The crop modes and the window tab's frame controls in the Montage window
// beside a display window: menu items, ratio box, frame button and size
// buttons, the right-click repeat, Ctrl+W, Esc and the alignment host.
#include "core/runflags.h"
#include "core/settings.h"
#include "display/tformmain.h"
#include "montage/programwindows_ui.h"
#include "montage/tformbuild2.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class CropCommands : public testing::Test {
protected:
    void SetUp() override {
        saved_ = Settings;
        Settings = tsettings();
        CurPoint = 0;
        WinRatioW = WinRatioH = 0;
        main = new TFormMain();
        AppWindows.FormMain = main;
        form = new TFormBuild2();
        AppWindows.FormBuild2 = form;
        gStarted = true;
        for (timg* v : {&main->ImgLeft(), &main->ImgRight()}) {
            v->bitmap = NewViewBitmap(400, 300);
            v->Reset();
        }
        main->Display.Zoom = 1;
        main->Display.ScrollX = main->Display.ScrollY = 0;
        main->UpdateLayout();
    }
    void TearDown() override {
        delete form;
        delete main;
        AppWindows = tappwindows();
        Settings = saved_;
        CurPoint = 0;
        WinRatioW = WinRatioH = 0;
        gStarted = false;
    }
    QAction* act(const char* name) { return form->Action(QString::fromUtf8(name)); }
    QLineEdit* field(const char* name) {
        return form->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    QToolButton* button(const char* name) {
        return form->findChild<QToolButton*>(QString::fromLatin1(name));
    }
    tdisplaystate& display() { return main->Display; }

    TFormMain* main = nullptr;
    TFormBuild2* form = nullptr;

private:
    tsettings saved_;
};

TEST_F(CropCommands, TheAutomaticCropShowsTheCropAndTogglesTheMarkersEachTime) {
    for (const char* n : {"MenuView_NoCrop", "MenuView_ApplyAutoCrop", "MenuView_ApplyManualCrop",
                          "MenuView_ApplyScreenCrop"})
        EXPECT_TRUE(act(n)->isEnabled()) << n;
    Settings.ShowGrid = true; // the markers shown
    main->ImgRight().posx = -20;
    act("MenuView_ApplyAutoCrop")->trigger();
    EXPECT_EQ(Settings.CropIndex, 1);
    EXPECT_TRUE(act("MenuView_ApplyAutoCrop")->isChecked());
    EXPECT_TRUE(display().CropOn);
    EXPECT_TRUE(Settings.AutoCrop);
    EXPECT_TRUE(form->ToolButtonLissage->isChecked());
    EXPECT_FALSE(Settings.ShowGrid) << "the first application hides the markers";
    EXPECT_EQ(form->LabelAutoWin->text(), QString::fromUtf8("Fenêtre Auto: 0380 * 0300"));
    act("MenuView_ApplyAutoCrop")->trigger();
    EXPECT_TRUE(Settings.ShowGrid) << "the second shows them again";

    // A right click on a crop button repeats a crop, never the uncropped view.
    Settings.CropIndex = 0;
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(2, 2), QPoint(2, 2));
    QApplication::sendEvent(form->ToolButtonCrop2, &e);
    EXPECT_EQ(Settings.CropIndex, 1);
    EXPECT_FALSE(Settings.ShowGrid) << "the third application hides them";

    Settings.GridIndex = 0;
    CurPoint = 2;
    act("MenuView_NoCrop")->trigger();
    EXPECT_FALSE(display().CropOn);
    EXPECT_EQ(Settings.CropIndex, 0);
    EXPECT_EQ(Settings.GridIndex, 1) << "the markers come back";
    EXPECT_EQ(CurPoint, 2);
}

TEST_F(CropCommands, TheRatioBoxSetsTheTermsAndItsEmptyItemShowsTheFirstRatio) {
    auto* ratio = form->findChild<QComboBox*>(QStringLiteral("ComboBoxWinSize"));
    ASSERT_TRUE(ratio->isEnabled());
    ASSERT_EQ(ratio->count(), 6);
    EXPECT_EQ(ratio->itemText(2), QString::fromUtf8("Fenêtre (3/2) paysage argentique "));
    ratio->setCurrentIndex(5);
    Q_EMIT ratio->activated(5);
    EXPECT_EQ(ratio->currentIndex(), 1);
    EXPECT_EQ(WinRatioW, 400);
    EXPECT_EQ(WinRatioH, 300);
    EXPECT_EQ(form->LabelAutoWin->text(), QString::fromUtf8("Fenêtre Auto: 0400 * 0300"));
}

TEST_F(CropCommands, TheSizeFieldsAreEnabledExactlyWhileTheFrameButtonIsDown) {
    ASSERT_TRUE(form->SBCadre1->isEnabled());
    EXPECT_FALSE(field("EditWinW")->isEnabled());
    form->SBCadre1->click();
    EXPECT_TRUE(field("EditWinW")->isEnabled());
    EXPECT_TRUE(field("EditWinH")->isEnabled());
    EXPECT_EQ(CurPoint, 11);
    EXPECT_EQ(Settings.MouseTool, 64);
    form->SBCadre1->click();
    EXPECT_FALSE(field("EditWinH")->isEnabled());
    EXPECT_TRUE(form->ToolButtonLockWindow->isChecked());
    // W1 releases the frame button, and the fields follow.
    form->SBCadre1->click();
    form->ToolButtonW1->click();
    EXPECT_FALSE(field("EditWinW")->isEnabled());
}

TEST_F(CropCommands, ThePageAndTypedSizeButtonsSetBothViewsFrames) {
    button("ToolButtonGetCropSize")->click();
    EXPECT_TRUE(main->ImgLeft().mancropd && main->ImgRight().mancropd);
    EXPECT_EQ(field("EditWinW")->text(), QString::asprintf("%4d", display().Slot1.Area.Width()));
    EXPECT_TRUE(form->SBCadre1->isChecked());

    field("EditWinW")->setText(QStringLiteral(" 120"));
    field("EditWinH")->setText(QStringLiteral("xyz"));
    button("ToolButtonSetCropSize")->click();
    EXPECT_DOUBLE_EQ(main->ImgLeft().mancropw, 120);
    EXPECT_DOUBLE_EQ(main->ImgRight().mancroph, 0);
}

TEST_F(CropCommands, CtrlWAppliesTheTypedSizeOnceThePopupCloses) {
    field("EditWinW")->setText(QStringLiteral(" 200"));
    field("EditWinH")->setText(QStringLiteral(" 100"));
    form->PopupCropMenu(10, 10);
    QMenu* copy = form->PopupCopy(form->Submenu(QStringLiteral("MenuView_Crop")));
    ASSERT_NE(copy, nullptr);
    copy->close();
    QTest::qWait(20);
    EXPECT_DOUBLE_EQ(main->ImgLeft().mancropw, 200);
    EXPECT_DOUBLE_EQ(main->ImgRight().mancroph, 100);
    EXPECT_EQ(CurPoint, 11);
}

TEST_F(CropCommands, EscOnTheDisplayDropsTheRatioAndShowsTheWholeAutomaticWindow) {
    WinRatioW = 4;
    WinRatioH = 3;
    main->Pointer.KeyDown(Qt::Key_Escape, tshiftstate{});
    EXPECT_EQ(WinRatioW, 0);
    EXPECT_EQ(WinRatioH, 0);
    EXPECT_EQ(form->LabelAutoWin->text(), QString::fromUtf8("Fenêtre Auto: 0400 * 0300"));
}

TEST_F(CropCommands, TheAlignmentHostRunsTheCropModesAndKeepsTheFrameOnTheScreen) {
    talignhost& host = form->AlignHost();
    host.SetAutomaticCrop();
    EXPECT_EQ(Settings.CropIndex, 1);
    EXPECT_TRUE(act("MenuView_ApplyAutoCrop")->isChecked());
    Settings.CropIndex = 3;
    host.RerunCropMode();
    EXPECT_TRUE(main->ImgLeft().mancropd);
    EXPECT_TRUE(act("MenuView_ApplyScreenCrop")->isChecked());

    // Moving a view under the frame keeps the frame where it is on the screen.
    const double right = main->ImgRight().mancropl, left = main->ImgLeft().mancropl;
    SetViewPos(host, main->ImgRight(), 0, 25);
    EXPECT_DOUBLE_EQ(main->ImgRight().mancropl, right - 25);
    EXPECT_DOUBLE_EQ(main->ImgLeft().mancropl, left);
}

} // namespace
