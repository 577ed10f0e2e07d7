// Desktop arrangement of the windows.
#include "app/desktop_ui.h"

#include "app/appwindows_ui.h"
#include "core/desktoplayout.h"
#include "core/settings.h"
#include "display/tformmain.h"
#include "montage/tformbuild2.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

void place(QWidget* w, const QRect& r) {
    w->move(r.topLeft());
    w->resize(r.size());
}

} // namespace

void ArrangeDesktopWindows() {
    tappwindows& a = AppWindows;
    for (QWidget* w : a.InOrder()) {
        if (w != a.FormMain && w != a.FormBuild2 && w != a.FormZoom) w->hide();
    }
    QSize screen(1280, 1024);
    if (QScreen* s = QGuiApplication::primaryScreen()) screen = s->size();

    if (Settings.DesktopType == 0 || Settings.DesktopType == 1) {
        tdesktoplayout l = DesktopLayout(Settings.DesktopType, screen.width(), screen.height());
        a.FormMain->showNormal();
        place(a.FormMain, l.display);
        place(a.FormBuild2, l.montage);
        a.FormBuild2->show();
        if (Settings.ZoomVisible) {
            Settings.ZoomSize = 150;
            place(a.FormZoom, l.magnifier);
            a.FormZoom->show();
            a.FormZoom->raise();
        } else {
            a.FormZoom->hide();
        }
    } else {
        Settings.DesktopType = -1;
        a.FormBuild2->hide();
        a.FormZoom->hide();
        a.FormMain->showFullScreen();
    }
}
