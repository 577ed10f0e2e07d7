// Qt's own texts in French, from the translations of the Qt installation.
#include "app/qttranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool InstallQtFrench() {
    auto* app = QCoreApplication::instance();
    if (!app) return false;
    // Owned by the application, so it lives as long as the texts are shown.
    auto* translator = new QTranslator(app);
    if (!translator->load(QStringLiteral("qtbase_fr"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
