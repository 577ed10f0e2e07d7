// The clipboard watcher of the display window: tells when the system
// clipboard's content changed and empties it on request.
#pragma once

#include <QObject>

#include <functional>

class TClipboardMonitor : public QObject {
    Q_OBJECT
public:
    explicit TClipboardMonitor(QObject* owner);
    ~TClipboardMonitor() override;

    // Watching at all; true from creation.
    void SetEnabled(bool on) { enabled_ = on; }
    bool Enabled() const { return enabled_; }

    // The clipboard holds something new (never the emptying asked below).
    std::function<void()> OnDraw;
    // The clipboard was emptied by another program.
    std::function<void()> OnChange;

    // Empties the clipboard; the change it causes is not reported.
    void ClearClipboard();

private:
    void ClipboardChanged();

    bool enabled_ = true;
    bool clearing_ = false;
};
