// Rows that wrap onto further rows where the width ends.
#include "montage/flowbar_ui.h"

#include <QWidget>

#include <algorithm>

tflowlayout::tflowlayout(QWidget* parent, int spacing) : QLayout(parent) {
    setSpacing(spacing);
    setContentsMargins(0, 0, 0, 0);
}

tflowlayout::~tflowlayout() {
    while (QLayoutItem* item = takeAt(0)) delete item;
}

void tflowlayout::addItem(QLayoutItem* item) {
    items_.append(item);
}

int tflowlayout::count() const {
    return int(items_.size());
}

QLayoutItem* tflowlayout::itemAt(int index) const {
    return index >= 0 && index < items_.size() ? items_.at(index) : nullptr;
}

QLayoutItem* tflowlayout::takeAt(int index) {
    return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

Qt::Orientations tflowlayout::expandingDirections() const {
    return {};
}

bool tflowlayout::hasHeightForWidth() const {
    return true;
}

int tflowlayout::heightForWidth(int width) const {
    return arrange(QRect(0, 0, width, 0), false);
}

QSize tflowlayout::minimumSize() const {
    // The widest single item: anything narrower is wrapped.
    QSize s;
    for (const QLayoutItem* item : items_) s = s.expandedTo(item->minimumSize());
    const QMargins m = contentsMargins();
    return s + QSize(m.left() + m.right(), m.top() + m.bottom());
}

QSize tflowlayout::sizeHint() const {
    // Everything on one row.
    int w = 0, h = 0, n = 0;
    for (const QLayoutItem* item : items_) {
        if (item->isEmpty()) continue;
        const QSize s = item->sizeHint();
        w += s.width() + (n++ ? spacing() : 0);
        h = std::max(h, s.height());
    }
    const QMargins m = contentsMargins();
    return QSize(w + m.left() + m.right(), h + m.top() + m.bottom());
}

void tflowlayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int tflowlayout::arrange(const QRect& rect, bool place) const {
    const QRect r = rect.marginsRemoved(contentsMargins());
    int x = r.x(), y = r.y(), rowHeight = 0;
    for (QLayoutItem* item : items_) {
        if (item->isEmpty()) continue;
        const QSize s = item->sizeHint().boundedTo(QSize(std::max(r.width(), 1), QWIDGETSIZE_MAX));
        if (x > r.x() && x + s.width() > r.x() + r.width()) {
            x = r.x();
            y += rowHeight + spacing();
            rowHeight = 0;
        }
        if (place) item->setGeometry(QRect(QPoint(x, y), s));
        x += s.width() + spacing();
        rowHeight = std::max(rowHeight, s.height());
    }
    return y + rowHeight - rect.y() + contentsMargins().bottom();
}

tflowbar::tflowbar(QWidget* parent) : QWidget(parent), layout_(new tflowlayout(this)) {
    QSizePolicy p(QSizePolicy::Preferred, QSizePolicy::Preferred);
    p.setHeightForWidth(true);
    setSizePolicy(p);
}

void tflowbar::addWidget(QWidget* w) {
    layout_->addWidget(w);
}
