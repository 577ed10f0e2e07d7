// The language the interface speaks ("fr" built in, "en"...), which the help
// pages follow.
#pragma once

#include <QString>

const QString& UiLanguage();
void SetUiLanguage(const QString& language);
