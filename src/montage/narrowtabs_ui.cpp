// A page control whose tabs all stay in sight in a narrow column.
#include "montage/narrowtabs_ui.h"

#include <QFontMetrics>

#include <algorithm>

tnarrowtabbar::tnarrowtabbar(QWidget* parent) : QTabBar(parent) {
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideRight);
    // Slim tabs: the five steps of the usual work fit the column unshortened.
    setStyleSheet(QStringLiteral(
        "QTabBar::tab { padding: 3px 3px; border: 1px solid palette(mid); border-bottom: none; }"
        "QTabBar::tab:selected { background: palette(base); }"
        "QTabBar::tab:!selected { background: palette(button); margin-top: 2px; }"));
}

QSize tnarrowtabbar::minimumTabSizeHint(int index) const {
    // Qt keeps three letters of an elided caption; one letter and the hint
    // of the tab are enough to find a step.
    QSize s = QTabBar::minimumTabSizeHint(index);
    const QString text = tabText(index);
    const QFontMetrics fm(font());
    const int spare = fm.horizontalAdvance(text.left(3)) - fm.horizontalAdvance(text.left(1));
    s.setWidth(std::max(s.width() - spare, 16));
    return s;
}

tnarrowtabs::tnarrowtabs(QWidget* parent) : QTabWidget(parent) {
    setTabBar(new tnarrowtabbar(this));
}
