// The one QApplication of the input window tests, made on first use.
#pragma once

#include <QApplication>

inline QApplication* GuiApp() {
    static int argc = 1;
    static char name[] = "test_input_gui";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return app;
}
