// The exit sequence shared by the display and Montage windows.
#include "app/exitsequence_ui.h"

#include "app/windowlist_ui.h"
#include "core/runflags.h"
#include "core/settings.h"

#include <QApplication>
#include <QMessageBox>

namespace {
bool quitting = false;
}

bool MainCloseQuery(QWidget* parent) {
    if (quitting) return true;
    if (Settings.AskQuit) {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Orvanel"), QStringLiteral("Quitter?"),
                        QMessageBox::Ok | QMessageBox::Cancel, parent);
        if (box.exec() != QMessageBox::Ok) return false;
    }
    // The alternating display and any other timed sequence stop here.
    gBusy = false;
    SaveSettings(Settings, AppWindowList(), AppSettingsEnv());
    quitting = true;
    return true;
}

void QuitApplication() {
    quitting = true;
    QApplication::quit();
}
