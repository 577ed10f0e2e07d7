// The save pass's questions about existing files, asked in a message box and
// the save-file dialog.
#pragma once

#include "output/savepass.h"

class QWidget;

class tformsavequestions : public tsavequestions {
public:
    explicit tformsavequestions(QWidget* parent) : parent_(parent) {}

    toverwriteanswer AskOverwrite(const QString& path) override;
    bool AskOtherName(int kind, QString& path) override;

private:
    QWidget* parent_;
};

// The save-file dialog's filter list in Qt's form and the one to select:
// JPEG when `jpeg`, else bitmap.
QString PictureSaveFilters();
QString PictureSaveFilterChoice(bool jpeg);
