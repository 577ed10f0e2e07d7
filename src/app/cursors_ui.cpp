// Drawing and registry of the program's cursors.
#include "app/cursors_ui.h"

#include <QBitmap>
#include <QMap>
#include <QPainter>
#include <QPixmap>

namespace {

QMap<int, QCursor>& registry() {
    static QMap<int, QCursor> cursors;
    return cursors;
}

// A target: a circle and a cross with a free centre, drawn in the main colour
// over a one-pixel halo of the other so it stays visible on any picture.
QCursor makeTarget(const QColor& main, const QColor& halo) {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    for (int pass = 0; pass < 2; ++pass) {
        QPen pen(pass == 0 ? halo : main);
        pen.setWidth(pass == 0 ? 3 : 1);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPoint(15, 15), 9, 9);
        p.drawLine(15, 2, 15, 11);
        p.drawLine(15, 19, 15, 28);
        p.drawLine(2, 15, 11, 15);
        p.drawLine(19, 15, 28, 15);
    }
    p.end();
    return QCursor(pm, 15, 15);
}

// A precision cursor: four thin arms that stop short of the hot pixel.
QCursor makePrecision(const QColor& main, const QColor& halo) {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    for (int pass = 0; pass < 2; ++pass) {
        QPen pen(pass == 0 ? halo : main);
        pen.setWidth(pass == 0 ? 3 : 1);
        p.setPen(pen);
        p.drawLine(15, 1, 15, 12);
        p.drawLine(15, 18, 15, 29);
        p.drawLine(1, 15, 12, 15);
        p.drawLine(18, 15, 29, 15);
    }
    p.end();
    return QCursor(pm, 15, 15);
}

} // namespace

void RegisterProgramCursors() {
    RegisterProgramCursor(CursorMireB, makeTarget(Qt::white, Qt::black));
    RegisterProgramCursor(CursorMireN, makeTarget(Qt::black, Qt::white));
    RegisterProgramCursor(CursorPrecisB, makePrecision(Qt::white, Qt::black));
    RegisterProgramCursor(CursorPrecisN, makePrecision(Qt::black, Qt::white));
}

void RegisterProgramCursor(int number, const QCursor& cursor) {
    registry()[number] = cursor;
}

QCursor ProgramCursor(int number) {
    auto it = registry().constFind(number);
    return it == registry().constEnd() ? QCursor(Qt::ArrowCursor) : *it;
}
