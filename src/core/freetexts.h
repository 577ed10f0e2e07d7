// Texts the program builds at run time (read-outs, labels that follow the
// state), in the interface's language: a language file carries them in its
// [Texts] section, keyed by name, with the built-in French as the default.
#pragma once

#include <QString>
#include <QStringList>

// The text of key in the interface's language; key itself when unknown.
QString FreeText(const char* key);
// Every key in table order, and its built-in French text.
QStringList FreeTextKeys();
QString FreeTextBuiltIn(const QString& key);
// Replaces the text of a known key (an empty text is ignored); unknown keys
// are ignored.
void SetFreeText(const QString& key, const QString& text);
// Back to the built-in French texts.
void ResetFreeTexts();
