// The Montage window.
#include "montage/tformbuild2.h"

#include "app/exitsequence_ui.h"

#include <QCloseEvent>

TFormBuild2::TFormBuild2() : QMainWindow(nullptr, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("FormBuild2"));
    setWindowTitle(QStringLiteral("Montage"));
    resize(360, 600);
}

void TFormBuild2::closeEvent(QCloseEvent* event) {
    // Closing the control window closes the program: the display window is
    // asked first, exactly as when it is closed itself.
    if (!MainCloseQuery(this)) {
        event->ignore();
        return;
    }
    event->accept();
    QuitApplication();
}
