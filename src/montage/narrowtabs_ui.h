// A page control for a narrow column: every tab stays in sight, captions
// shortening to their first letter rather than sliding behind scroll arrows.
#pragma once

#include <QTabBar>
#include <QTabWidget>

class tnarrowtabbar : public QTabBar {
public:
    explicit tnarrowtabbar(QWidget* parent = nullptr);

protected:
    QSize minimumTabSizeHint(int index) const override;
};

class tnarrowtabs : public QTabWidget {
public:
    explicit tnarrowtabs(QWidget* parent = nullptr);
};
