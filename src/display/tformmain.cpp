// The stereo display window.
#include "display/tformmain.h"

#include "app/exitsequence_ui.h"

#include <QCloseEvent>

TFormMain::TFormMain() : QWidget(nullptr, Qt::Window) {
    setObjectName(QStringLiteral("FormMain"));
    resize(1024, 700);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    UpdateCaption();
}

void TFormMain::UpdateCaption() {
    setWindowTitle(PairCaption(Pair));
}

void TFormMain::closeEvent(QCloseEvent* event) {
    if (!MainCloseQuery(this)) {
        event->ignore();
        return;
    }
    event->accept();
    QuitApplication();
}
