// Controls the two stereo-window calculators build alike: named buttons and
// fields, and field texts rewritten without moving the cursor of a field
// being typed in.
#pragma once

class QLineEdit;
class QPushButton;
class QString;
class QWidget;

QPushButton* NamedButton(QWidget* parent, const char* name, const char* caption);
QLineEdit* NamedEdit(QWidget* parent, const char* name);
// Rewrites the field only when its text changes.
void SetFieldText(QLineEdit* edit, const QString& text);
