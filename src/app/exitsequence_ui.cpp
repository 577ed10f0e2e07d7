// The exit sequence shared by the display and Montage windows.
#include "app/exitsequence_ui.h"

#include "core/runflags.h"
#include "core/settings.h"
#include "montage/windowlist_ui.h"

#include <QApplication>
#include <QMessageBox>

namespace {
bool quitting = false;
}

bool RunExitSequence(QWidget* parent) {
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

void EndEventLoop() {
    quitting = true;
    QApplication::quit();
}
