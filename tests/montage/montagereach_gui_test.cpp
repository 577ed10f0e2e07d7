// The Montage window at the width of the desktop arrangement: every menu,
// tool button, tab and control is in sight and inside the window, and showing
// the window brings the display's status back to the scratch point.
#include "app/appwindows_ui.h"
#include "core/desktoplayout.h"
#include "core/runflags.h"
#include "core/settings.h"
#include "display/tformmain.h"
#include "montage/flowbar_ui.h"
#include "montage/tformbuild2.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class MontageAtArrangedWidth : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        saved_ = Settings;
        Settings = tsettings();
        Settings.ExpertMode = true; // all seven tabs
        gStarted = false;
        AppWindows.FormMain = new TFormMain();
        form = new TFormBuild2();
        AppWindows.FormBuild2 = form;
        gStarted = true;
    }
    void TearDown() override {
        delete form;
        delete AppWindows.FormMain;
        AppWindows = tappwindows();
        Settings = saved_;
        CurPoint = 0;
        gStarted = false;
    }
    // Where w lies in the window, or an empty rect when it is not shown.
    QRect inWindow(const QWidget* w) const {
        if (!w->isVisibleTo(form)) return QRect();
        return QRect(w->mapTo(form, QPoint(0, 0)), w->size());
    }
    TFormBuild2* form = nullptr;

private:
    tsettings saved_;
};

TEST_P(MontageAtArrangedWidth, EveryControlIsInSightOnEveryTab) {
    const bool transparencyBar = GetParam();
    // The column the arrangement gives on a 1280 x 1024 screen.
    const QRect column = DesktopLayout(0, 1280, 1024, form->minimumSizeHint().width()).montage;
    EXPECT_EQ(column.width(), kMontageColumnWidth) << "the controls need a wider column";
    form->resize(column.size());
    form->show();
    if (transparencyBar) form->ToolButtonTransp->click();
    QApplication::processEvents();
    ASSERT_EQ(form->width(), column.width());
    const QRect window = form->rect();

    // No control waits behind an overflow button.
    for (const char* ext : {"qt_menubar_ext_button", "qt_toolbar_ext_button"})
        for (QWidget* b : form->findChildren<QWidget*>(QString::fromLatin1(ext)))
            EXPECT_FALSE(b->isVisibleTo(form)) << ext;

    // Every control of the tool bars is shown, none hidden for want of room.
    for (tflowbar* bar : {form->ToolBarGeometry, form->ToolBar1, form->ToolBar3,
                          form->ToolBarTransparence, form->ToolBar5, form->ToolBarInfo}) {
        if (bar == form->ToolBarTransparence && !transparencyBar) continue;
        for (QWidget* w : bar->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            EXPECT_TRUE(w->isVisibleTo(form)) << w->objectName().toStdString();
    }

    // Every menu of the bar, in a row of its own or after the others.
    ASSERT_EQ(form->MenuBarActions().size(), 8);
    for (QMenuBar* bar : form->menuWidget()->findChildren<QMenuBar*>())
        for (QAction* a : bar->actions())
            EXPECT_TRUE(window.contains(bar->actionGeometry(a).translated(inWindow(bar).topLeft())))
                << a->text().toStdString();

    // Every tab's caption inside the tab bar.
    QTabBar* tabs = form->PageControl1->tabBar();
    ASSERT_EQ(form->PageControl1->count(), 7);
    for (int i = 0; i < form->PageControl1->count(); ++i)
        EXPECT_TRUE(tabs->rect().contains(tabs->tabRect(i))) << "tab " << i;
    EXPECT_TRUE(window.contains(inWindow(tabs)));

    // On each tab, every control of the tab and of the tool bars.
    for (int tab = 0; tab < form->PageControl1->count(); ++tab) {
        form->PageControl1->setCurrentIndex(tab);
        QApplication::processEvents();
        for (QWidget* w : form->findChildren<QWidget*>()) {
            if (!qobject_cast<QAbstractButton*>(w) && !qobject_cast<QAbstractSlider*>(w) &&
                !qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(w) &&
                !qobject_cast<QLabel*>(w))
                continue;
            if (w->parentWidget() == tabs || w->objectName().startsWith(QLatin1String("qt_")))
                continue;
            const QRect r = inWindow(w);
            if (r.isEmpty()) continue; // on another tab or hidden on purpose
            EXPECT_TRUE(window.contains(r))
                << "tab " << tab << ": " << w->objectName().toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(TransparencyBar, MontageAtArrangedWidth, ::testing::Bool());

TEST_F(MontageAtArrangedWidth, ShowingTheWindowReturnsTheStatusToTheScratchPoint) {
    form->SBA1->click();
    ASSERT_EQ(CurPoint, 2);
    form->show();
    EXPECT_EQ(CurPoint, 0);
    EXPECT_TRUE(form->SBLockPoint->isChecked());
    EXPECT_EQ(AppWindows.FormMain->Display.StatusText[4], "courant :   0.00 -   0.00 ");
    EXPECT_EQ(AppWindows.FormMain->Display.StatusText[3], "RGB");
}

} // namespace
