// The settings file's view of the program's windows: names, visibility,
// bounds and the visibility markers that start-up reads once.
#pragma once

#include "core/settings.h"

#include <QList>
#include <QWidget>
#include <vector>

class tappwindowlist : public twindowlist {
public:
    explicit tappwindowlist(QList<QWidget*> windows);

    int WindowCount() const override;
    QString WindowName(int index) const override;
    bool WindowVisible(int index) const override;
    QRect WindowBounds(int index) const override;
    void ApplyWindow(int index, bool visible, const QRect* bounds) override;
    void SetWindowMarker(int index, int marker) override;

    int Marker(int index) const;

private:
    QList<QWidget*> windows_;
    std::vector<int> markers_;
};

// The list over the program's own windows, in their creation order.
tappwindowlist& AppWindowList();

// The settings file, the primary screen's size and the locale's separators.
tsettingsenv AppSettingsEnv();
