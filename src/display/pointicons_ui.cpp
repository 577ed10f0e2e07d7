// Point-pair icons of the status bar, drawn in code.
#include "display/pointicons_ui.h"

#include <QFont>
#include <QHash>
#include <QPainter>

namespace {

// What an icon shows: a cross-hair for the homologous pairs, a line for the
// orientation, two ticks for the magnification, a frame for the window and
// the crop corners, a padlock when no pair is being placed.
QImage MakeIcon(int index) {
    QImage img(16, 16, QImage::Format_ARGB32_Premultiplied);
    img.fill(QColor(236, 236, 236));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor teal(0, 128, 128), red(200, 0, 0), blue(0, 0, 200), dark(40, 40, 40);
    auto cross = [&](QColor c, int n) {
        p.setPen(c);
        p.drawLine(1, 7, 13, 7);
        p.drawLine(7, 1, 7, 13);
        p.drawEllipse(QPoint(7, 7), 4, 4);
        p.setPen(dark);
        for (int i = 0; i < n; ++i) p.drawLine(12 + i, 12, 12 + i, 15); // pair number as ticks
    };
    switch (index) {
    case 32:
        cross(red, 0);
        break;
    case 33:
        cross(teal, 1);
        break;
    case 98:
        cross(teal, 2);
        break;
    case 95:
    case 96:
        p.setPen(blue);
        p.drawLine(2, 13, 13, 2);
        p.drawRect(1, 12, 2, 2);
        if (index == 96) p.drawRect(12, 1, 2, 2);
        break;
    case 97:
        p.setPen(blue);
        p.drawRect(2, 3, 11, 9);
        p.setPen(red);
        p.drawLine(5, 7, 10, 7);
        break;
    case 110:
        p.setPen(QPen(dark, 1, Qt::DotLine));
        p.drawRect(2, 2, 11, 11);
        p.setPen(red);
        p.drawLine(1, 1, 4, 1);
        p.drawLine(1, 1, 1, 4);
        p.drawLine(14, 14, 11, 14);
        p.drawLine(14, 14, 14, 11);
        break;
    default: // 94: padlock
        p.setPen(dark);
        p.setBrush(QColor(200, 160, 40));
        p.drawRect(3, 7, 9, 7);
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRect(4, 2, 7, 9), 0, 180 * 16);
        break;
    }
    return img;
}

} // namespace

const QImage& PointIconImage(int imageIndex) {
    static QHash<int, QImage> icons;
    switch (imageIndex) {
    case 32:
    case 33:
    case 94:
    case 95:
    case 96:
    case 97:
    case 98:
    case 110:
        break;
    default:
        imageIndex = 94;
    }
    auto it = icons.find(imageIndex);
    if (it == icons.end()) it = icons.insert(imageIndex, MakeIcon(imageIndex));
    return it.value();
}
