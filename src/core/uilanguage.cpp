// The language the interface speaks.
#include "core/uilanguage.h"

namespace {
QString& language() {
    static QString l = QStringLiteral("fr");
    return l;
}
} // namespace

const QString& UiLanguage() {
    return language();
}

void SetUiLanguage(const QString& l) {
    language() = l.isEmpty() ? QStringLiteral("fr") : l;
}
