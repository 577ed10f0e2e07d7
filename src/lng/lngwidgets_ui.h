// The walk over the live widgets that a language file describes, and the
// language applied to or written from every window of the program.
#pragma once

#include "lng/lngfile.h"

#include <QList>
#include <QWidget>

// The named controls of one window in child order, windows of their own
// (other than menus) left to their own walk.
tlngwindow DescribeLngWindow(QWidget* window);
// Puts the texts of a described window back on its widgets; a combo box
// whose items change keeps its selection without signalling a change.
void SetLngWindow(QWidget* window, const tlngwindow& texts);

// Applies path to windows in order (see ReadLngWindow), then tells each
// window with a LanguageChange event and follows the file's language with
// Qt's own texts. A file that cannot be used changes nothing; false with the
// message then.
bool ApplyLanguageToWindows(const QString& path, const QList<QWidget*>& windows,
                            QString* message = nullptr);
// Writes the texts of windows as they stand to path.
bool SaveLanguageOfWindows(const QString& path, const QList<QWidget*>& windows,
                           QString* message = nullptr);

// Where the program's windows come from, in their fixed order: the start-up
// installs it; without it the two calls below see no window.
void SetLngWindowSource(QList<QWidget*> (*source)());

// The same over the program's windows.
bool ApplyLanguageFile(const QString& path, QString* message = nullptr);
bool SaveLanguageFile(const QString& path, QString* message = nullptr);
