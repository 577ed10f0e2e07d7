// The points table window beside a display window: what showing it lists,
// presses on its rows, rows dragged onto rows with and without Shift, typed
// cells, "Appliquer", "Annuler" and the menu command that shows it.
#include "core/runflags.h"
#include "core/settings.h"
#include "display/tformmain.h"
#include "montage/programwindows_ui.h"
#include "montage/tformbuild2.h"
#include "montage/tformpt.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class PointsWindow : public testing::Test {
protected:
    void SetUp() override {
        saved_ = Settings;
        Settings = tsettings();
        CurPoint = 0;
        main = new TFormMain();
        AppWindows.FormMain = main;
        pt = new TFormPt();
        AppWindows.FormPt = pt;
        for (timg* v : {&left(), &right()}) {
            v->bitmap = NewViewBitmap(1024, 768);
            v->Reset();
        }
        left().PlacePoint(1, 512.25, 384.5);
        right().PlacePoint(1, 500, 380);
        left().PlacePoint(2, 10, 20);
        right().PlacePoint(2, 11, 21);
        left().PlacePoint(3, 30, 40);
        right().PlacePoint(3, 31, 41);
        pt->FormShow();
    }
    void TearDown() override {
        delete pt;
        delete main;
        AppWindows = tappwindows();
        Settings = saved_;
        CurPoint = 0;
    }
    timg& left() { return main->ImgLeft(); }
    timg& right() { return main->ImgRight(); }
    QString cell(int row, int col) { return pt->StringGrid1->item(row, col)->text(); }
    QStringList row(int r) {
        QStringList all;
        for (int c = 0; c < kTableColumns; ++c) all << cell(r, c);
        return all;
    }
    // A press on one row, a move past the drag distance and a release on another.
    void drag(int from, int to, Qt::KeyboardModifiers mods) {
        QWidget* port = pt->StringGrid1->viewport();
        const QPoint a =
            pt->StringGrid1->visualRect(pt->StringGrid1->model()->index(from, 1)).center();
        const QPoint b =
            pt->StringGrid1->visualRect(pt->StringGrid1->model()->index(to, 1)).center();
        send(port, QEvent::MouseButtonPress, a, Qt::LeftButton, mods);
        send(port, QEvent::MouseMove, b, Qt::LeftButton, mods);
        send(port, QEvent::MouseButtonRelease, b, Qt::NoButton, mods);
    }
    static void send(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButtons buttons,
                     Qt::KeyboardModifiers mods) {
        QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, mods);
        QApplication::sendEvent(w, &e);
    }

    TFormMain* main = nullptr;
    TFormPt* pt = nullptr;

private:
    tsettings saved_;
};

TEST_F(PointsWindow, ShowingListsBothViewsPointsUnderTheirCaptions) {
    EXPECT_EQ(pt->windowTitle(), QStringLiteral("FormPt"));
    EXPECT_EQ(pt->StringGrid1->rowCount(), 14) << "a header row and points 0 to 12";
    EXPECT_EQ(row(0), QStringList({"Nom", "Index", "dfg", "xg", "yg", "dfd", "xd", "yd"}));
    EXPECT_EQ(row(2),
              QStringList({"stereo0", "1", "T", "512.25", "384.50", "T", "500.00", "380.00"}));
    EXPECT_EQ(cell(13, 0), QStringLiteral("cadre2"));
}

TEST_F(PointsWindow, DraggingARowSwapsItOrCopiesItWithShiftUntilApplied) {
    pt->show();
    QApplication::processEvents();
    drag(3, 4, Qt::NoModifier); // A1 onto A2
    EXPECT_EQ(cell(4, 3), QStringLiteral("10.00"));
    EXPECT_EQ(cell(3, 3), QStringLiteral("30.00"));
    EXPECT_EQ(cell(3, 0), QStringLiteral("stereo1")) << "captions stay";
    EXPECT_DOUBLE_EQ(left().pt[2].x, 10) << "only the grid changes";
    drag(3, 4, Qt::ShiftModifier);
    EXPECT_EQ(cell(4, 3), QStringLiteral("30.00"));
    EXPECT_EQ(cell(3, 3), QStringLiteral("30.00"));

    pt->SpeedButtonApply->click();
    EXPECT_DOUBLE_EQ(left().pt[2].x, 30);
    EXPECT_DOUBLE_EQ(right().pt[3].y, 41);
    EXPECT_EQ(left().pt[3].c, QStringLiteral("stereo2"));

    // "Annuler" puts back the grid of the last showing and applies it.
    pt->SpeedButtonCancel->click();
    EXPECT_DOUBLE_EQ(left().pt[2].x, 10);
    EXPECT_EQ(cell(3, 3), QStringLiteral("10.00"));
    pt->SpeedButtonEdit->click();
    EXPECT_NE(pt->StringGrid1->editTriggers(), QAbstractItemView::NoEditTriggers);

    // A drag released outside the grid changes nothing.
    QWidget* port = pt->StringGrid1->viewport();
    const QPoint a = pt->StringGrid1->visualRect(pt->StringGrid1->model()->index(5, 1)).center();
    const QStringList before = row(5);
    send(port, QEvent::MouseButtonPress, a, Qt::LeftButton, Qt::NoModifier);
    send(port, QEvent::MouseMove, QPoint(-50, -50), Qt::LeftButton, Qt::NoModifier);
    send(port, QEvent::MouseButtonRelease, QPoint(-50, -50), Qt::NoButton, Qt::NoModifier);
    EXPECT_EQ(row(5), before);
}

TEST_F(PointsWindow, ACellBeingTypedIsAppliedByTheButton) {
    pt->show();
    QApplication::setActiveWindow(pt);
    pt->SpeedButtonEdit->click();
    const QModelIndex x = pt->StringGrid1->model()->index(2, ColLeftX);
    pt->StringGrid1->setCurrentIndex(x);
    pt->StringGrid1->edit(x);
    auto* editor = qobject_cast<QLineEdit*>(pt->StringGrid1->viewport()->focusWidget());
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("abc"));
    QTest::mouseClick(pt->SpeedButtonApply, Qt::LeftButton);
    EXPECT_EQ(cell(2, ColLeftX), QStringLiteral("abc"));
    EXPECT_DOUBLE_EQ(left().pt[1].x, 0) << "an unreadable coordinate is stored as 0";
}

TEST_F(PointsWindow, APressMakesTheRowsPairAndTheColumnsViewCurrent) {
    main->SetCurrent(main->Display.SlotOf(&left()));
    pt->StringGrid1MouseDown(4, ColRightX, false);
    EXPECT_EQ(CurPoint, 3);
    EXPECT_EQ(main->GetCurrent().img, &right());
    pt->StringGrid1MouseDown(0, ColLeftY, false);
    EXPECT_EQ(CurPoint, 1) << "the header row selects pair 1";
    EXPECT_EQ(main->GetCurrent().img, &left());
}

TEST_F(PointsWindow, TheMontageMenuShowsTheTable) {
    auto* form = new TFormBuild2();
    AppWindows.FormBuild2 = form;
    Q_EMIT form->Submenu(QStringLiteral("MenuBuild"))->aboutToShow();
    QAction* edit = form->Action(QStringLiteral("MenuBuild_EditPoints"));
    ASSERT_TRUE(edit->isEnabled());
    edit->trigger();
    EXPECT_TRUE(pt->isVisible());
    const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((pt->frameGeometry().center() - centre).manhattanLength(), 2)
        << "the first showing opens centred on the screen";
    pt->SpeedButtonOk->click();
    EXPECT_FALSE(pt->isVisible());
    delete form;
    AppWindows.FormBuild2 = nullptr;
}

} // namespace
