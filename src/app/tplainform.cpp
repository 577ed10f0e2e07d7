// Placeholder windows: named, captioned, sized, hidden.
#include "app/tplainform.h"

TPlainForm::TPlainForm(const QString& name, const QString& caption, const QSize& designSize,
                       bool stayOnTop)
    : QWidget(nullptr, Qt::Window | (stayOnTop ? Qt::WindowStaysOnTopHint : Qt::Widget)) {
    setObjectName(name);
    setWindowTitle(caption);
    resize(designSize);
}
