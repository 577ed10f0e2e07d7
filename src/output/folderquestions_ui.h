// The output folders' questions asked in message boxes and an input query.
#pragma once

#include "output/naming.h"

class QWidget;

class tformfolderquestions : public tfolderquestions {
public:
    explicit tformfolderquestions(QWidget* parent) : parent_(parent) {}

    tcreateanswer AskCreateDirectory(const QString& folder) override;
    bool EditNewFolder(QString& folder) override;
    void ShowError(const QString& text) override;

private:
    QWidget* parent_;
};
