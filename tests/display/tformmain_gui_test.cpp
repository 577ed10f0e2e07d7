// The display window driven offscreen: its controls, the alternating timer,
// the scroll bars, the status bar's clicks, the centre button and painting.
#include "displayfixture.h"

#include "display/statuspanels.h"
#include "display/tformmain.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFontMetrics>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

namespace {

class FormMain : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        form = std::make_unique<TFormMain>();
        form->resize(1007, 627); // a drawing surface of 1000 x 600
        Install(form->ImgLeft(), FlatPicture(300, 200, 0xFFC00000));
        Install(form->ImgRight(), FlatPicture(300, 200, 0xFF0000C0));
        Settings.VisionMode = VisionParallel;
        Settings.Smoothing = false;
    }
    void TearDown() override {
        form.reset();
        DisplayTest::TearDown();
    }
    std::unique_ptr<TFormMain> form;
};

// The horizontal bar runs along the bottom edge above the status bar, the
// vertical one down the right edge, the centre button in the corner between
// them; none of them covers the views drawn on the surface.
TEST_F(FormMain, ControlsSitAroundTheDrawingSurface) {
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    EXPECT_EQ(form->Display.RectClient.right, 999);
    EXPECT_EQ(form->Display.RectClient.bottom, 599);
    auto expectAlongTheEdges = [&](int bottom) {
        const QRect x = form->ScrollBarX->geometry(), y = form->ScrollBarY->geometry();
        const QRect corner = form->SpeedButtonCentre->geometry();
        EXPECT_EQ(x.left(), 0);
        EXPECT_EQ(x.bottom(), bottom);
        EXPECT_EQ(x.right() + 1, y.left());
        EXPECT_EQ(y.top(), 0);
        EXPECT_EQ(y.right(), form->rect().right());
        EXPECT_EQ(y.bottom() + 1, x.top());
        EXPECT_EQ(corner, QRect(y.left(), x.top(), y.width(), x.height()));
        for (const tviewslot* slot : {&form->Display.Slot1, &form->Display.Slot2}) {
            const tscreenrect& r = slot->DrawRect;
            const QRect view(QPoint(r.left, r.top), QPoint(r.right, r.bottom));
            ASSERT_FALSE(view.isEmpty());
            EXPECT_FALSE(view.intersects(x) || view.intersects(y) || view.intersects(corner));
        }
    };
    const QRect status = form->StatusBar1->geometry();
    EXPECT_EQ(status.bottom(), form->rect().bottom());
    EXPECT_EQ(status.left(), 0);
    expectAlongTheEdges(status.top() - 1);
    // Without the status bar the bottom bar goes down to the window's edge.
    form->SetStatusBarVisible(false);
    EXPECT_EQ(form->Display.RectClient.bottom, 619);
    expectAlongTheEdges(form->rect().bottom());
}

TEST_F(FormMain, AlternatingModeSwapsTheViewsEveryHalfSecondUntilTheModeChanges) {
    std::vector<unsigned> shown;
    auto repaint = form->Display.Hooks.Repaint;
    form->Display.Hooks.Repaint = [&] {
        shown.push_back(form->Display.BmpWork.pixel(50, 50) & 0xFFFFFF);
        repaint();
    };
    form->show();
    form->SetVisionMode(VisionAlternating);
    EXPECT_TRUE(form->TimerSwap->isActive());
    EXPECT_EQ(form->TimerSwap->interval(), 500);
    EXPECT_TRUE(gBusy);
    // The timer's ticks, driven directly: each one shows the other view.
    shown.clear();
    for (int tick = 0; tick < 3; ++tick) QMetaObject::invokeMethod(form->TimerSwap, "timeout");
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_NE(shown[0], shown[1]);
    EXPECT_EQ(shown[0], shown[2]);
    for (unsigned c : shown) EXPECT_TRUE(c == 0xC00000u || c == 0x0000C0u) << std::hex << c;

    form->SetVisionMode(VisionParallel);
    EXPECT_FALSE(form->TimerSwap->isActive());
    EXPECT_FALSE(gBusy);
}

TEST_F(FormMain, ScrollBarsFollowTheOffsetsAndMoveThePicture) {
    Settings.ScrollDir = -1;
    Settings.ScrollSpeed = false;
    form->show();
    form->SetScrollRanges(300, 200);
    EXPECT_EQ(form->ScrollBarX->minimum(), -300);
    EXPECT_EQ(form->ScrollBarY->maximum(), 200);
    form->Display.SetScroll(-34, 12);
    EXPECT_EQ(form->ScrollBarX->value(), -12);
    EXPECT_EQ(form->ScrollBarY->value(), 34);

    form->ScrollBarX->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(form->ScrollBarX->value(), -11);
    EXPECT_EQ(form->Display.ScrollX, 11);
    // A page click only tells where the picture would go.
    form->ScrollBarY->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(form->Display.ScrollY, -34);
    EXPECT_TRUE(form->Display.StatusText[5].endsWith(
        QString::asprintf("%5.4d", -form->ScrollBarY->value())));
}

TEST_F(FormMain, StatusBarClicksReachTheMontageWindow) {
    int shown = 0;
    QPoint popupAt;
    form->OnShowMontage = [&] { ++shown; };
    form->OnPopupVisionMenu = [&](QPoint p) { popupAt = p; };
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QTest::mouseClick(form->StatusBar1, Qt::LeftButton, {}, QPoint(40, 10));
    QTest::mouseClick(form->StatusBar1, Qt::LeftButton, {}, QPoint(100, 10));
    EXPECT_EQ(shown, 1);

    QContextMenuEvent outside(QContextMenuEvent::Mouse, QPoint(100, 5),
                              form->StatusBar1->mapToGlobal(QPoint(100, 5)));
    QCoreApplication::sendEvent(form->StatusBar1, &outside);
    EXPECT_TRUE(outside.isAccepted());
    EXPECT_EQ(popupAt, QPoint());
    QContextMenuEvent onCode(QContextMenuEvent::Mouse, QPoint(10, 5),
                             form->StatusBar1->mapToGlobal(QPoint(10, 5)));
    QCoreApplication::sendEvent(form->StatusBar1, &onCode);
    EXPECT_EQ(popupAt, form->StatusBar1->mapToGlobal(QPoint(10, 5)));
}

TEST_F(FormMain, DoubleClickOnTheCentreButtonCentresAgain) {
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    form->UpdateLayout();
    form->Display.Zoom = 1;
    form->Display.SetScroll(77, 999);
    QTest::mouseDClick(form->SpeedButtonCentre, Qt::LeftButton);
    // 495 * 1 / 2 - 300 / 2 and 590 / 2 - 200 / 2
    EXPECT_DOUBLE_EQ(form->Display.ScrollX, 97.5);
    EXPECT_DOUBLE_EQ(form->Display.ScrollY, 195);
}

TEST_F(FormMain, WindowShowsTheComposedPictureAndTheMarksOverIt) {
    gStarted = true;
    Settings.ShowGrid = true;
    Settings.MouseTool = 4;
    form->ImgLeft().PlacePoint(PtOrient1, 20, 40);
    form->ImgLeft().PlacePoint(PtOrient2, 120, 40);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    form->Compose();
    const QImage shot = form->grab().toImage();
    EXPECT_EQ(shot.pixel(100, 100) & 0xFFFFFF, 0xC00000u);
    EXPECT_EQ(shot.pixel(600, 100) & 0xFFFFFF, 0x0000C0u);
    EXPECT_EQ(shot.pixel(4, 4) & 0xFFFFFF, 0xFF00FFu); // focus frame of the left view
    // The orientation line inverts the picture under its dots.
    int inverted = 0;
    for (int x = 5 + 21; x < 5 + 119; ++x)
        if ((shot.pixel(x, 45) & 0xFFFFFF) == (~0xC00000u & 0xFFFFFF)) ++inverted;
    EXPECT_GT(inverted, 10); // dots and gaps alternate
    EXPECT_LT(inverted, 98);
}

TEST_F(FormMain, LoadingHostMovesTheCurrentSlotAndTheCaption) {
    form->show();
    form->UpdateLayout();
    tdisplayhost& host = form->DisplayHost;
    host.MakeCurrent(form->ImgRight());
    EXPECT_EQ(form->GetCurrent().img, &form->ImgRight());
    EXPECT_EQ(host.DisplayArea(form->ImgLeft()), QSize(495, 590));
    host.SetDisplayCentre(form->ImgRight(), 150, 100);
    const tpointd s = form->Display.PictureToScreen(form->GetCurrent(), 150, 100);
    EXPECT_DOUBLE_EQ(s.x, form->GetCurrent().Area.left + 495 / 2.0);
    EXPECT_TRUE(form->Display.ZoomAnchorSet);
    host.ReduceView(form->ImgRight(), 2);
    EXPECT_EQ(form->ImgRight().Width(), 150);
    form->ClearView(form->ImgLeft());
    EXPECT_TRUE(form->windowTitle().endsWith(QStringLiteral("Aucun Fichier Image Chargé")));
}

} // namespace

namespace {

TEST(StatusPanels, WrittenPanelsWidenToTheirTextAndDrawnPanelsKeepTheirPlace) {
    const QFontMetrics fm(QApplication::font());
    std::array<QString, kStatusPanelCount> texts;
    // Short texts keep the widths of the design.
    texts[3] = "RGB";
    texts[4] = "Pos";
    texts[5] = " Scroll = 0012 / -0034";
    EXPECT_EQ(StatusPanelWidths(texts, fm), kStatusPanelDesignWidths);
    // A long pointer text takes the room it needs; a text in a drawn panel
    // never moves panel 1, which a click finds between x 30 and 50.
    texts[0] = "a long text the panel does not write";
    texts[4] = " Img:-1595.00/-1995.00 - Vue:-1595.00/-1995.00";
    ASSERT_GT(fm.horizontalAdvance(texts[4]), 250);
    const auto w = StatusPanelWidths(texts, fm);
    EXPECT_EQ(w[0], 30);
    EXPECT_EQ(w[1], 20);
    EXPECT_EQ(w[4], std::max(250, fm.horizontalAdvance(texts[4]) + kStatusTextRoom));
    EXPECT_GE(w[4] - kStatusTextRoom, fm.horizontalAdvance(texts[4]));
    EXPECT_EQ(w[3], 150);
}

} // namespace
