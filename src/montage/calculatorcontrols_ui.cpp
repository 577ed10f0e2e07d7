// Controls the two stereo-window calculators build alike.
#include "montage/calculatorcontrols_ui.h"

#include <QLineEdit>
#include <QPushButton>

QPushButton* NamedButton(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    // Enter in a field must not press a button of the dialog.
    b->setAutoDefault(false);
    return b;
}

QLineEdit* NamedEdit(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    return e;
}

void SetFieldText(QLineEdit* edit, const QString& text) {
    if (edit->text() != text) edit->setText(text);
}
