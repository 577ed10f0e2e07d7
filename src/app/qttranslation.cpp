// Qt's own texts in French, from the translations of the Qt installation.
#include "app/qttranslation.h"

#include "lng/qtlanguage.h"

bool InstallQtFrench() {
    return InstallQtTranslation(QStringLiteral("fr"));
}
