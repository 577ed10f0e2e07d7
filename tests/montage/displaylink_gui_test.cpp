// The display window's pointer hooks and commands reach the Montage window
// created beside it, and the display acts alone again once it is gone.
#include "montage/displaylink_ui.h"

#include "core/runflags.h"
#include "core/settings.h"
#include "display/tformmain.h"
#include "montage/programwindows_ui.h"
#include "montage/tformbuild2.h"

#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class DisplayLink : public testing::Test {
protected:
    void SetUp() override {
        saved_ = Settings;
        main = new TFormMain();
        AppWindows.FormMain = main;
        montage = new TFormBuild2();
        AppWindows.FormBuild2 = montage;
    }
    void TearDown() override {
        delete montage;
        delete main;
        AppWindows = tappwindows();
        Settings = saved_;
        CurPoint = 0;
    }

    TFormMain* main = nullptr;
    TFormBuild2* montage = nullptr;

private:
    tsettings saved_;
};

TEST_F(DisplayLink, TheMontageWindowAnswersThePointerAndTheCommands) {
    tpointerhooks& h = main->Pointer.Hooks;
    ASSERT_TRUE(h.ActiveTab && h.SetActiveTab && h.SelectPair && h.PlaceCurrentPoint &&
                h.SetViewRotation && main->OnMontageCommand);
    h.SetActiveTab(TabGeometry);
    EXPECT_EQ(montage->PageControl1->currentIndex(), int(TabGeometry));
    montage->PageControl1->setCurrentIndex(TabOrient);
    EXPECT_EQ(h.ActiveTab(), int(TabOrient));
    // The display's key for the Montage window shows it, then hides it.
    montage->hide();
    h.Command(tdisplaycommand::ToggleMontage);
    EXPECT_TRUE(montage->isVisible());
    h.Command(tdisplaycommand::ToggleMontage);
    EXPECT_FALSE(montage->isVisible());
}

TEST_F(DisplayLink, GoneTheMontageWindowLeavesTheDisplayAlone) {
    delete montage;
    montage = nullptr;
    AppWindows.FormBuild2 = nullptr;
    const tpointerhooks& h = main->Pointer.Hooks;
    EXPECT_FALSE(h.SelectPair || h.AdvanceAfterPair || h.PlaceCurrentPoint || h.ShowSelectedPair ||
                 h.ShowShiftInfo || h.ActiveTab || h.SetActiveTab || h.SetViewRotation ||
                 main->OnMontageCommand);
    // Its commands reach nobody; closing stays the display's own, and without
    // a program around it the window simply closes.
    main->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
    h.Command(tdisplaycommand::ToggleMontage);
    h.Command(tdisplaycommand::CloseDisplay);
    EXPECT_FALSE(main->isVisible());
}

} // namespace
