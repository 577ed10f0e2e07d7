// The Montage window and the windows around it: showing and hiding the
// display window and the magnifier, the connection to the display state,
// the vision modes, transparency and colour masks.
#include "montage/tformbuild2.h"

#include "aids/tformzoom.h"
#include "core/desktoplayout.h"
#include "core/programhooks.h"
#include "core/runflags.h"
#include "core/settings.h"
#include "display/tformmain.h"
#include "montage/displaylink_ui.h"
#include "montage/imagehandoff.h"
#include "montage/programwindows_ui.h"
#include "montage/tformsave.h"
#include "montage/windowlist_ui.h"
#include "output/savepass.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QScrollBar>
#include <QToolButton>

void TFormBuild2::ToggleMontageWindow() {
    if (isVisible()) {
        hide();
        return;
    }
    QSize screen(1280, 1024);
    if (QScreen* s = QGuiApplication::primaryScreen()) screen = s->size();
    move(PullOntoScreen(frameGeometry(), screen.width(), screen.height()));
    show();
    raise();
    if (Settings.ZoomVisible && AppWindows.FormZoom) AppWindows.FormZoom->raise();
}

void TFormBuild2::ToggleDisplayWindow() {
    QWidget* main = AppWindows.FormMain;
    if (!main) return;
    if (!main->isMinimized()) {
        main->showMinimized();
        return;
    }
    QSize screen(1280, 1024);
    if (QScreen* s = QGuiApplication::primaryScreen()) screen = s->size();
    QRect r = main->geometry();
    if (r.left() > screen.width() / 2) r.moveLeft(0);
    if (r.top() > screen.height() / 2) r.moveTop(0);
    r.setWidth(std::max(r.width(), 100));
    r.setHeight(std::max(r.height(), 100));
    main->setGeometry(r);
    main->showNormal();
}

void TFormBuild2::ToggleMagnifier() {
    QWidget* zoom = AppWindows.FormZoom;
    if (!zoom) return;
    if (zoom->isVisible()) {
        zoom->hide();
        Settings.ZoomVisible = false;
        return;
    }
    QSize screen(1280, 1024);
    if (QScreen* s = QGuiApplication::primaryScreen()) screen = s->size();
    zoom->move(PullOntoScreen(zoom->frameGeometry(), screen.width(), screen.height()));
    zoom->show();
    zoom->raise();
    Settings.ZoomVisible = true;
}

void TFormBuild2::ResetStartupSettings() {
    ResetSettings(SettingsFile());
    LoadSettings(Settings, AppWindowList(), AppSettingsEnv());
    RunAction(Action(QStringLiteral("MenuMode_P")));
    Settings.DesktopType = 0;
    ArrangeDesktop();
}

void TFormBuild2::HandOffToImageProgram() {
    timagehandoff h;
    h.programFolder = QCoreApplication::applicationDirPath();
    h.settingsFolder = SettingsFolder();
    h.warn = [this](const QString& text) {
        QMessageBox::warning(this, QString(), text, QMessageBox::Ok);
    };
    if (TFormMain* main = AppWindows.FormMain) {
        // The views are handed over at the size the save dialog gives the
        // export: the automatic frame or the manual crop.
        h.writeViews = [main](const QString& left, const QString& right) {
            const int manual = Settings.AutoCrop ? 0 : 1;
            QSize size;
            if (auto* save = qobject_cast<TFormSave*>(AppWindows.FormSave))
                size = save->ExportFrameSize(Settings.AutoCrop);
            const bool l = RenderKind(main->Pair, left, KindLeft, manual, 0, size.height(),
                                      size.width(), Settings.Save24bit);
            const bool r = RenderKind(main->Pair, right, KindRight, manual, 0, size.height(),
                                      size.width(), Settings.Save24bit);
            return l && r;
        };
    }
    h.launch = [](const QString& exe, const QStringList& args, const QString& folder) {
        return QProcess::startDetached(exe, args, folder);
    };
    RunImageHandOff(h);
}

void TFormBuild2::Redraw() {
    if (AppWindows.FormMain) AppWindows.FormMain->Compose();
}

tdisplaystate* TFormBuild2::Display() const {
    return AppWindows.FormMain ? &AppWindows.FormMain->Display : nullptr;
}

void TFormBuild2::ConnectDisplay() {
    TFormMain* main = AppWindows.FormMain;
    if (!main) return;
    tdisplayhooks& h = main->Display.Hooks;
    h.CurrentChanged = [this](const tviewslot& current) {
        ShowFocusButtons(current.img);
        ShowShiftInfo();
        // The magnifier names the view it follows.
        if (auto* zoom = qobject_cast<TFormZoom*>(AppWindows.FormZoom)) zoom->ZoomLabel(current);
    };
    h.ZoomText = [this](const QString& text) { EditZoom->setText(text); };
    h.WindowFrameSize = [this](int height, int width) {
        findChild<QLineEdit*>(QStringLiteral("EditWinH"))->setText(QString::number(height));
        findChild<QLineEdit*>(QStringLiteral("EditWinW"))->setText(QString::number(width));
    };
    h.ColorMaskChanged = [this](int mask) { ShowColorMaskButtons(mask); };
    h.PairButton = [this](tpairbutton) { ShowSelectedPair(); };
    h.SmoothingButtonDown = [this] { return ToolButtonLissage->isChecked(); };
    h.ReleaseSmoothingButton = [this] { ToolButtonLissage->setChecked(false); };
    main->OnShowMontage = [this] { RunAction(Action(QStringLiteral("MenuView_Build"))); };
    main->OnPopupVisionMenu = [this](QPoint p) { PopupVisionMenu(p.x(), p.y()); };
    LinkDisplayToMontage(*main, *this);
}

void TFormBuild2::SetVision(int mode) {
    tdisplaystate* d = Display();
    if (!d) return;
    d->Transp1 = ScrollBarTransp->value();
    d->Transp2 = ScrollBarTransp2->value();
    AppWindows.FormMain->SetVisionMode(mode);
    AppWindows.FormMain->UpdateLayout();
    AppWindows.FormMain->FitAndCompose();
    WriteLabelVisu();
}

void TFormBuild2::ApplyTransparency(QAction* op, bool check) {
    tdisplaystate* d = Display();
    if (!d || !op) return;
    if (check) op->setChecked(true);
    TranspMode = op->data().toInt();
    d->Transp1 = ScrollBarTransp->value();
    d->Transp2 = ScrollBarTransp2->value();
    Redraw();
}

void TFormBuild2::SetMask(int mask) {
    if (tdisplaystate* d = Display()) {
        d->SetColorMask(mask);
        ShowColorMaskButtons(mask);
        Redraw();
    }
}
