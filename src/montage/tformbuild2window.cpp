// The Montage window's stereo-window commands: W1's slider, the calculation
// modes and their tool button, the cancel items and the two calculators.
#include "montage/tformbuild2.h"

#include "core/settings.h"
#include "montage/programwindows_ui.h"
#include "montage/stereowindow.h"
#include "montage/tformrearwindowing.h"
#include "montage/tformrearwinexpert.h"

#include <QAbstractSlider>
#include <QActionGroup>
#include <QMenu>
#include <QScrollBar>
#include <QToolButton>

void TFormBuild2::BindStereoWindow() {
    QMenu* calc = Submenu(QStringLiteral("MenuBuild_CalcWindow"));
    const QList<QAction*> modes = calc->actions();
    for (int i = 0; i < modes.size(); ++i) {
        QAction* child = modes[i];
        if (child->isSeparator()) continue;
        if (i == CalcCancel) {
            // The cancel item is a command, not a mode to remember.
            if (child->actionGroup()) child->actionGroup()->removeAction(child);
            child->setCheckable(false);
            handlers_.insert(child, [this] { CancelWindowing(host_); });
        } else {
            handlers_.insert(child, [this, child, i] {
                child->setChecked(true);
                RunWindowMode(host_, i);
            });
        }
        connect(child, &QAction::triggered, this, [this, child] { RunAction(child); });
    }
    Bind("MenuRaz_Window", [this] { CancelWindowing(host_); });
    Bind("MenuBuild_MAOFD", [this] { ShowWindowExpert(); });
    Bind("MenuOptions_RearWindowing", [this] { ShowRearWindowing(); });
    if (auto* rear = findChild<QToolButton*>(QStringLiteral("ToolButtonRearWin"))) {
        rear->setEnabled(true);
        connect(rear, &QToolButton::clicked, this, [this] { ShowWindowExpert(); });
    }

    // The slider: a dragged thumb moves the left view by its own steps, the
    // arrows move the current view by the manual step.
    ScrollBar1->setEnabled(true);
    connect(ScrollBar1, &QAbstractSlider::actionTriggered, this, [this](int action) {
        switch (action) {
        case QAbstractSlider::SliderMove:
            SlideWindow(host_, ScrollBar1->value(), ScrollBar1->sliderPosition());
            break;
        case QAbstractSlider::SliderSingleStepSub:
            SlideWindowStep(host_, false);
            break;
        case QAbstractSlider::SliderSingleStepAdd:
            SlideWindowStep(host_, true);
            break;
        default:
            break;
        }
    });
}

void TFormBuild2::RunWindowCalculation() {
    DoMenuItem(Submenu(QStringLiteral("MenuBuild_CalcWindow")), Settings.DefCalcIndex);
}

void TFormBuild2::ShowRearWindowing() {
    if (auto* dialog = qobject_cast<TFormRearWindowing*>(AppWindows.FormRearWindowing)) {
        dialog->SetHost(&host_);
        dialog->show();
        dialog->raise();
    }
}

void TFormBuild2::ShowWindowExpert() {
    auto* dialog = qobject_cast<TFormRearWinExpert*>(AppWindows.FormRearWinExpert);
    if (!dialog) return;
    dialog->SetHost(&host_);
    dialog->RunImageWidthMode = [this] {
        // "calcul selon largeur image" becomes the remembered mode and runs.
        QMenu* calc = Submenu(QStringLiteral("MenuBuild_CalcWindow"));
        Settings.DefCalcIndex = CalcImageWidth;
        calc->actions()[CalcImageWidth]->setChecked(true);
        DoMenuItemChecked(calc, CalcImageWidth);
    };
    dialog->show();
    dialog->raise();
}
