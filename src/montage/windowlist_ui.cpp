// Window placement as the settings file stores it: the outer frame's
// top-left corner and the window's own width and height, so a saved window
// comes back where it was.
#include "montage/windowlist_ui.h"

#include "montage/programwindows_ui.h"

#include <QGuiApplication>
#include <QScreen>

tappwindowlist::tappwindowlist(QList<QWidget*> windows)
    : windows_(std::move(windows)), markers_(windows_.size(), 0) {}

int tappwindowlist::WindowCount() const {
    return windows_.size();
}

QString tappwindowlist::WindowName(int index) const {
    return windows_[index]->objectName();
}

bool tappwindowlist::WindowVisible(int index) const {
    return windows_[index]->isVisible();
}

QRect tappwindowlist::WindowBounds(int index) const {
    const QWidget* w = windows_[index];
    return QRect(w->frameGeometry().topLeft(), w->size());
}

void tappwindowlist::ApplyWindow(int index, bool visible, const QRect* bounds) {
    QWidget* w = windows_[index];
    if (!visible) w->hide();
    if (bounds && bounds->width() > 0 && bounds->height() > 0) {
        w->move(bounds->topLeft());
        w->resize(bounds->size());
    }
}

void tappwindowlist::SetWindowMarker(int index, int marker) {
    markers_[index] = marker;
}

int tappwindowlist::Marker(int index) const {
    return markers_[index];
}

tappwindowlist& AppWindowList() {
    static tappwindowlist list(AppWindows.InOrder());
    return list;
}

tsettingsenv AppSettingsEnv() {
    QSize screen(1024, 768);
    QRect desktop;
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        screen = s->size();
        desktop = s->availableVirtualGeometry();
    }
    tsettingsenv env = CurrentSettingsEnv(screen);
    env.desktop = desktop;
    return env;
}
