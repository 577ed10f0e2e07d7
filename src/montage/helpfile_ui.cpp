// Help pages in the program's own help window.
#include "montage/helpfile_ui.h"

#include "core/helpfile.h"
#include "core/uilanguage.h"
#include "montage/tformhelp.h"

#include <QCoreApplication>
#include <QMessageBox>

void OpenHelpPage(const QString& name, QWidget* parent) {
    const QString folder = QCoreApplication::applicationDirPath();
    OpenHelpFile(
        folder, LocalizedHelpName(folder, name, UiLanguage()),
        [parent](const QString& path) { return HelpWindow(parent)->ShowPage(path); },
        [parent](const QString& text) {
            QMessageBox::warning(parent, QStringLiteral("Orvanel-3D"), text, QMessageBox::Ok);
        });
}
