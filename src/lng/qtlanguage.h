// Qt's own texts (standard buttons, file dialogs) in the interface's language.
#pragma once

#include <QString>

// Installs Qt's translations for language ("fr", "en") from the folder of the
// Qt installation, replacing the ones installed before; false when Qt has
// none for it (English then: Qt's own language).
bool InstallQtTranslation(const QString& language);
