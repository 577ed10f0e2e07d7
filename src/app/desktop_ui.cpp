// Desktop arrangement of the windows.
#include "app/desktop_ui.h"

#include "aids/tformzoom.h"
#include "app/appwindows_ui.h"
#include "core/desktoplayout.h"
#include "core/settings.h"
#include "display/tformmain.h"
#include "montage/fullscreen_ui.h"
#include "montage/tformbuild2.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTabWidget>

namespace {

void place(QWidget* w, const QRect& r) {
    // Placed while hidden, so that a window manager shows it where it belongs
    // instead of where it first put it.
    w->resize(r.size());
    w->move(r.topLeft());
}

} // namespace

void ArrangeDesktopWindows() {
    tappwindows& a = AppWindows;
    for (QWidget* w : a.InOrder()) {
        if (w != a.FormMain && w != a.FormBuild2 && w != a.FormZoom) w->hide();
    }
    // The arrangement uses the screen the display window is on.
    QRect screen(0, 0, 1280, 1024);
    if (QScreen* s = a.FormMain->screen())
        screen = s->geometry();
    else if (QScreen* p = QGuiApplication::primaryScreen())
        screen = p->geometry();

    if (Settings.DesktopType == 0 || Settings.DesktopType == 1) {
        TFormBuild2* montage = a.FormBuild2;
        montage->PageControl1->setMinimumHeight(260);
        montage->PageControl1->setTabPosition(QTabWidget::North);
        // The column takes the width the Montage window's controls need.
        const int needed = montage->minimumSizeHint().width();
        tdesktoplayout l =
            DesktopLayout(Settings.DesktopType, screen.width(), screen.height(), needed);
        for (QRect* r : {&l.display, &l.montage, &l.magnifier}) r->translate(screen.topLeft());
        // Out of full-screen viewing first: frame, controls and bounds back.
        a.FormMain->LeaveFullScreenLayout();
        a.FormMain->setWindowState(
            a.FormMain->windowState() &
            ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
        place(a.FormMain, l.display);
        place(montage, l.montage);
        a.FormMain->show();
        montage->show();
        if (Settings.ZoomVisible) {
            Settings.ZoomSize = 150;
            place(a.FormZoom, l.magnifier);
            if (auto* zoom = qobject_cast<TFormZoom*>(a.FormZoom)) zoom->ZoomResize();
            a.FormZoom->show();
            a.FormZoom->raise();
        } else {
            a.FormZoom->hide();
        }
    } else {
        Settings.DesktopType = -1;
        a.FormMain->Display.FullScreen = false;
        SwitchFullScreen();
    }
}
