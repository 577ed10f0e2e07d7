// Help pages through the desktop's own viewer.
#include "core/helpfile_ui.h"

#include "core/helpfile.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

void OpenHelpPage(const QString& name, QWidget* parent) {
    OpenHelpFile(
        QCoreApplication::applicationDirPath(), name,
        [](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); },
        [parent](const QString& text) {
            QMessageBox::warning(parent, QStringLiteral("Orvanel-3D"), text, QMessageBox::Ok);
        });
}
