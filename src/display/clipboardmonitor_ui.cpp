// The clipboard watcher over QClipboard::dataChanged.
#include "display/clipboardmonitor_ui.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

TClipboardMonitor::TClipboardMonitor(QObject* owner) : QObject(owner) {
    setObjectName(QStringLiteral("ClipboardMonitor"));
    if (QClipboard* c = QGuiApplication::clipboard())
        connect(c, &QClipboard::dataChanged, this, &TClipboardMonitor::ClipboardChanged);
}

TClipboardMonitor::~TClipboardMonitor() {
    OnDraw = nullptr;
    OnChange = nullptr;
}

void TClipboardMonitor::ClearClipboard() {
    QClipboard* c = QGuiApplication::clipboard();
    if (!c) return;
    // Some platforms report the emptying at once, others later: an empty
    // clipboard is never captured, so a late report finds nothing to take.
    clearing_ = true;
    c->clear();
    clearing_ = false;
}

void TClipboardMonitor::ClipboardChanged() {
    if (!enabled_ || clearing_) return;
    QClipboard* c = QGuiApplication::clipboard();
    const QMimeData* mime = c ? c->mimeData() : nullptr;
    if (!mime || mime->formats().isEmpty()) {
        if (OnChange) OnChange();
        return;
    }
    // The handler may empty the clipboard, which reports again.
    if (OnDraw) OnDraw();
}
