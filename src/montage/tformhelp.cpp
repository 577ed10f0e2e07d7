// The help window over the pages of aide/.
#include "montage/tformhelp.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

TFormHelp::TFormHelp(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("FormHelp"));
    setWindowTitle(QStringLiteral("Aide"));
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    Browser = new QTextBrowser(this);
    Browser->setObjectName(QStringLiteral("HelpBrowser"));
    // Links to the web go to the desktop's browser; links between the pages
    // stay here.
    Browser->setOpenExternalLinks(true);
    v->addWidget(Browser);
    resize(640, 520);
}

bool TFormHelp::ShowPage(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    f.close();
    Browser->setSearchPaths({QFileInfo(path).absolutePath()});
    Browser->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    if (!isVisible()) {
        // First shown in the middle of the screen.
        if (QScreen* s = QGuiApplication::primaryScreen()) {
            QRect r(QPoint(0, 0), size());
            r.moveCenter(s->availableGeometry().center());
            move(r.topLeft());
        }
    }
    show();
    raise();
    activateWindow();
    return true;
}

TFormHelp* HelpWindow(QWidget* parent) {
    static QPointer<TFormHelp> window;
    if (!window) window = new TFormHelp(parent ? parent->window() : nullptr);
    return window;
}
