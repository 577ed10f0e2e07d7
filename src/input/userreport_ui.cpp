// Message boxes and the hour-glass of the desktop program.
#include "input/userreport_ui.h"

#include <QApplication>
#include <QCursor>
#include <QMessageBox>

void tmessageboxreport::ShowMessage(const QString& text) {
    // The hour-glass must not hide the pointer while the user reads.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    QMessageBox::warning(parent_, QString::fromUtf8(ProductCaption), text, QMessageBox::Ok);
    if (busy) QApplication::restoreOverrideCursor();
}

void tmessageboxreport::BeginBusy() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void tmessageboxreport::EndBusy() {
    QApplication::restoreOverrideCursor();
}
