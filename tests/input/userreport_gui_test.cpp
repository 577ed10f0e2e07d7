// The desktop report: message boxes under the program's caption, the
// hour-glass on and off.
#include "input/userreport_ui.h"

#include "guiapp.h"
#include "inputfixtures.h"

#include <QMessageBox>
#include <QTimer>

namespace {

TEST(MessageBoxReport, HourGlassComesAndGoesWithNesting) {
    GuiApp();
    tmessageboxreport report;
    report.BeginBusy();
    report.BeginBusy();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    report.EndBusy();
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    report.EndBusy();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(MessageBoxReport, MessageShowsUnderTheProgramCaptionWithAnArrow) {
    GuiApp();
    tmessageboxreport report;
    QString title, text;
    int shape = -1;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        shape = QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : -1;
        box->accept();
    });
    report.BeginBusy();
    report.ShowMessage("Type de Fichier Image Inconnu : .XYZ");
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    report.EndBusy();
    EXPECT_EQ(title, "Orvanel-3D");
    EXPECT_EQ(text, "Type de Fichier Image Inconnu : .XYZ");
    EXPECT_EQ(shape, Qt::ArrowCursor);
}

} // namespace
