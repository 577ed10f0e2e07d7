// Qt's own texts in the interface's language.
#include "lng/qtlanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {
QTranslator*& qtTranslator() {
    static QTranslator* t = nullptr;
    return t;
}
} // namespace

bool InstallQtTranslation(const QString& language) {
    auto* app = QCoreApplication::instance();
    if (!app) return false;
    QTranslator*& current = qtTranslator();
    if (current) {
        QCoreApplication::removeTranslator(current);
        delete current;
        current = nullptr;
    }
    // Owned by the application, so it lives as long as the texts are shown.
    auto* translator = new QTranslator(app);
    if (!translator->load(QStringLiteral("qtbase_") + language,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    current = translator;
    return QCoreApplication::installTranslator(translator);
}
