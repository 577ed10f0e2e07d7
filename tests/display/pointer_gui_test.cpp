// The display window's pointer and keys driven offscreen with the Montage
// window beside it: clicks place points through the pair sequencing, keys
// typed in the Montage window reach the display first, the double-click zoom
// and a crop frame drawn with the mouse.
#include "displayfixture.h"

#include "app/appwindows_ui.h"
#include "display/tformmain.h"
#include "montage/sequencing.h"
#include "montage/tformbuild2.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {

class PointerWindow : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        Settings.VisionMode = VisionParallel;
        Settings.Smoothing = false;
        main = new TFormMain();
        AppWindows.FormMain = main;
        montage = new TFormBuild2();
        AppWindows.FormBuild2 = montage;
        gStarted = true;
        main->resize(1007, 627);
        Install(main->ImgLeft(), FlatPicture(300, 200, 0xFFC00000));
        Install(main->ImgRight(), FlatPicture(300, 200, 0xFF0000C0));
        main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
        main->UpdateLayout();
        main->Display.SetScroll(0, 0);
        main->Compose();
        main->Pointer.FirstMove = false;
    }
    void TearDown() override {
        delete montage;
        delete main;
        AppWindows = tappwindows();
        DisplayTest::TearDown();
    }
    // A window point at a position relative to the left view's area.
    QPoint At(int rx, int ry) const {
        return {main->Display.Slot1.Area.left + rx, main->Display.Slot1.Area.top + ry};
    }
    bool Consumed(int key, Qt::KeyboardModifiers m) {
        QKeyEvent e(QEvent::KeyPress, key, m);
        e.setAccepted(false);
        QCoreApplication::sendEvent(main, &e);
        return e.isAccepted();
    }

    TFormMain* main = nullptr;
    TFormBuild2* montage = nullptr;
};

TEST_F(PointerWindow, FirstRightClickOfAnAutomaticSequencePlacesTheCentre) {
    Settings.MaxPtsIndex = 3;
    Settings.CalAuto = true;
    montage->PageControl1->setCurrentIndex(TabPoint);
    CurPoint = 0;
    QTest::mouseClick(main, Qt::RightButton, {}, At(120, 80));
    EXPECT_TRUE(main->ImgLeft().pt[1].d);
    EXPECT_DOUBLE_EQ(main->ImgLeft().pt[1].x, 120);
    EXPECT_DOUBLE_EQ(main->ImgLeft().pt[1].y, 80);
    EXPECT_FALSE(main->ImgRight().pt[1].d);
    EXPECT_TRUE(montage->SBCPoint->isChecked());
}

TEST_F(PointerWindow, LeftDragMovesThePicture) {
    QTest::mousePress(main, Qt::LeftButton, {}, At(100, 100));
    QTest::mouseMove(main, At(130, 90));
    QTest::mouseRelease(main, Qt::LeftButton, {}, At(130, 90));
    EXPECT_DOUBLE_EQ(main->Display.ScrollX, 30 * main->Display.Zoom);
    EXPECT_DOUBLE_EQ(main->Display.ScrollY, -10 * main->Display.Zoom);
}

TEST_F(PointerWindow, ShiftArrowTypedInTheMontageWindowMovesTheCurrentPoint) {
    main->ImgLeft().PlacePoint(2, 50, 60);
    main->SetCurrent(main->Display.Slot1);
    montage->show();
    montage->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(montage));
    // Showing the Montage window returns to the scratch point; A1 is chosen after.
    CurPoint = 2;
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : montage, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_DOUBLE_EQ(main->ImgLeft().pt[2].x, 50.25);
    EXPECT_DOUBLE_EQ(main->ImgLeft().pt[2].y, 60);
}

TEST_F(PointerWindow, KeysTheDisplayDoesNotTakeGoOnToTheFocusedControl) {
    EXPECT_TRUE(Consumed(Qt::Key_A, Qt::ControlModifier));
    EXPECT_TRUE(Consumed(Qt::Key_Down, Qt::NoModifier));
    EXPECT_FALSE(Consumed(Qt::Key_X, Qt::NoModifier));
    EXPECT_FALSE(Consumed(Qt::Key_Tab, Qt::NoModifier));
}

TEST_F(PointerWindow, DoubleClickJumpsToFourHundredPercentAndBack) {
    main->FitAndCompose();
    const double fit = main->Display.FitPercent;
    QTest::mouseDClick(main, Qt::LeftButton, {}, At(150, 100));
    EXPECT_DOUBLE_EQ(main->Display.ZoomPercent, 400);
    QTest::mouseDClick(main, Qt::LeftButton, {}, At(150, 100));
    EXPECT_DOUBLE_EQ(main->Display.ZoomPercent, fit);
}

TEST_F(PointerWindow, CropFrameDrawnUpwardsWithTheMouse) {
    main->Display.Zoom = 1;
    main->Display.SetScroll(0, 0);
    CurPoint = 11;
    Settings.MouseTool = 64;
    QTest::mousePress(main, Qt::RightButton, {}, At(250, 150));
    QTest::mouseMove(main, At(200, 120));
    QTest::mouseMove(main, At(150, 100));
    QTest::mouseRelease(main, Qt::RightButton, {}, At(150, 100));
    const timg& v = main->ImgLeft();
    EXPECT_TRUE(v.mancropd);
    EXPECT_DOUBLE_EQ(v.mancropl, 150);
    EXPECT_DOUBLE_EQ(v.mancropt, 100);
    EXPECT_DOUBLE_EQ(v.mancropw, 101);
    EXPECT_DOUBLE_EQ(v.mancroph, 51);
}

TEST_F(PointerWindow, ChoosingAPairWithoutTheFrameToolEndsFrameDrawing) {
    Settings.MouseTool = 64;
    main->Pointer.FrameDrawing = main->Pointer.Dragging = true;
    montage->SelectPair(11);
    EXPECT_TRUE(main->Pointer.FrameDrawing);
    montage->SelectPair(2);
    EXPECT_FALSE(main->Pointer.FrameDrawing);
    EXPECT_FALSE(main->Pointer.Dragging);
}

TEST_F(PointerWindow, RedefinitionItemTakesTheNextKeyAsTheMontageWindowKey) {
    QAction* item = montage->Action(QStringLiteral("MenuOptions_defkeyF2"));
    ASSERT_TRUE(item->isEnabled());
    item->trigger();
    EXPECT_TRUE(DefKeyF2);
    QTest::keyClick(main, Qt::Key_F7);
    EXPECT_FALSE(DefKeyF2);
    EXPECT_EQ(MontageKey, int(Qt::Key_F7));
    MontageKey = Qt::Key_Less;
}

} // namespace
