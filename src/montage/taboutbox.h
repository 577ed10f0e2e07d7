// The about box: the program's version and date.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    QLabel* Version = nullptr;
    QLabel* Date = nullptr;
    QPushButton* OKButton = nullptr;

protected:
    // Centred on the screen each time it is shown.
    void showEvent(QShowEvent* event) override;
};
