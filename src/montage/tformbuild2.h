// The "Montage" window: the floating control window that stays on top of the
// display and carries the main menu, the tool bars and the alignment steps.
#pragma once

#include <QMainWindow>

class TFormBuild2 : public QMainWindow {
    Q_OBJECT
public:
    TFormBuild2();

protected:
    void closeEvent(QCloseEvent* event) override;
};
