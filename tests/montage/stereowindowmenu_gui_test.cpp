// The stereo window's commands in the Montage window: every calculation mode
// enabled and run through the menu, the cancel items, the tool button's
// repeat, the slider and the expert calculator's "Appliquer".
#include "app/appwindows_ui.h"
#include "core/runflags.h"
#include "core/settings.h"
#include "display/alignsteps.h"
#include "display/tformmain.h"
#include "montage/stereowindow.h"
#include "montage/tformbuild2.h"
#include "montage/tformrearwindowing.h"
#include "montage/tformrearwinexpert.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class StereoWindowMenu : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Settings;
        Settings = tsettings();
        InfinityFraction = 0.0417;
        gStarted = false;
        AppWindows.FormMain = new TFormMain();
        form = new TFormBuild2();
        AppWindows.FormBuild2 = form;
        expert = new TFormRearWinExpert();
        AppWindows.FormRearWinExpert = expert;
        rear = new TFormRearWindowing();
        AppWindows.FormRearWindowing = rear;
        gStarted = true;
        for (timg* v : {&L(), &R()}) {
            v->bitmap = NewViewBitmap(2000, 100);
            v->Reset();
        }
    }
    void TearDown() override {
        delete rear;
        delete expert;
        delete form;
        delete AppWindows.FormMain;
        AppWindows = tappwindows();
        Settings = saved_;
        InfinityFraction = 0.0417;
        CurPoint = 0;
        gStarted = false;
    }
    timg& L() { return AppWindows.FormMain->ImgLeft(); }
    timg& R() { return AppWindows.FormMain->ImgRight(); }
    QAction* Item(const char* name) { return form->Action(QString::fromLatin1(name)); }

    TFormBuild2* form = nullptr;
    TFormRearWinExpert* expert = nullptr;
    TFormRearWindowing* rear = nullptr;

private:
    tsettings saved_;
};

} // namespace

TEST_F(StereoWindowMenu, ModesRunFromTheMenuTheButtonRepeatsAndCancelKeepsTheMode) {
    for (const char* n :
         {"MenuCalcWin_AtWindow", "MenuCalcWin_userwidth", "MenuCalcWin_ArgenticHeight",
          "MenuCalcWin_NumericHeight", "MenuCalcWin_ImageWidth", "MenuCalcWin_Raz",
          "MenuRaz_Window", "MenuBuild_MAOFD", "MenuOptions_RearWindowing"})
        EXPECT_TRUE(Item(n)->isEnabled()) << n;

    Item("MenuCalcWin_ImageWidth")->trigger();
    // 2000 x 0.0417, the slider at its rounded value.
    EXPECT_NEAR(R().posx, 83.4, 1e-9);
    EXPECT_DOUBLE_EQ(L().posx, 0);
    EXPECT_EQ(Settings.DefCalcIndex, CalcImageWidth);
    EXPECT_TRUE(Item("MenuCalcWin_ImageWidth")->isChecked());
    EXPECT_EQ(form->ScrollBar1->value(), 83);

    Item("MenuCalcWin_Raz")->trigger();
    EXPECT_DOUBLE_EQ(R().posx, 0);
    EXPECT_EQ(Settings.DefCalcIndex, CalcImageWidth);
    EXPECT_FALSE(Item("MenuCalcWin_Raz")->isCheckable());

    // A right click on the tool button runs the remembered mode again.
    Q_EMIT form->ToolButtonFrontWin->customContextMenuRequested(QPoint(1, 1));
    EXPECT_NEAR(R().posx, 83.4, 1e-9);
    Item("MenuRaz_Window")->trigger();
    EXPECT_DOUBLE_EQ(R().posx, 0);

    // Dragging the slider's thumb moves the left view by its own steps.
    form->ScrollBar1->setSliderPosition(10);
    form->ScrollBar1->triggerAction(QAbstractSlider::SliderMove);
    EXPECT_DOUBLE_EQ(L().posx, 10);
}

TEST_F(StereoWindowMenu, ExpertApplyMakesItsRatioTheImageWidthMode) {
    Settings.DefCalcIndex = CalcAtWindow;
    Item("MenuBuild_MAOFD")->trigger();
    EXPECT_TRUE(expert->isVisible());
    expert->Editmaofdpixel->setText("100");
    expert->ButtonApply->click();
    // 100 px on a 2000 px picture: 0.05 of the width.
    EXPECT_DOUBLE_EQ(InfinityFraction, 0.05);
    EXPECT_EQ(Settings.DefCalcIndex, CalcImageWidth);
    EXPECT_TRUE(Item("MenuCalcWin_ImageWidth")->isChecked());
    EXPECT_NEAR(R().posx, 100, 1e-9);
    expert->hide();
}

TEST_F(StereoWindowMenu, CompletedW1RunsTheRememberedModeAndNextPairShowsTheDistanceDialog) {
    L().PlacePoint(PtWin1, 400, 50);
    R().PlacePoint(PtWin1, 380, 50);
    Settings.CalAuto = true;
    Settings.DefCalcIndex = CalcAtWindow;
    form->PageControl1->setCurrentIndex(TabWindow);
    ASSERT_EQ(CurPoint, PtWin1);
    form->AdvanceAfterPair();
    EXPECT_DOUBLE_EQ(R().posx, 20);

    form->NextPair();
    ASSERT_TRUE(rear->isVisible());
    // The distance dialog measures the window left by the 20 px shift: 1980 x 0.042.
    EXPECT_EQ(rear->EditDist->text(), "83.160000");
    rear->ButtonApply->click();
    EXPECT_NEAR(R().posx, 103.16, 1e-9);
    rear->hide();
}
