// The help pages opened in the help window, warnings in message boxes.
#pragma once

#include <QString>

class QWidget;

// name relative to the program's folder, e.g. HelpMainPage.
void OpenHelpPage(const QString& name, QWidget* parent = nullptr);
