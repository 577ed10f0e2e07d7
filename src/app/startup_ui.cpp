// Start-up sequence of the desktop program.
#include "app/startup_ui.h"

#include <QApplication>
#include <QWidget>

int RunApplication(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget w;
    w.setWindowTitle("Orvanel-3D");
    w.show();
    return app.exec();
}
