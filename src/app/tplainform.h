// A window that exists from start-up with its name and caption and no
// controls yet: it keeps its place in the window order and in the settings
// file until its own controls are built.
#pragma once

#include <QWidget>

class TPlainForm : public QWidget {
    Q_OBJECT
public:
    // name is the window's settings section ("FormZoom"); caption its title.
    TPlainForm(const QString& name, const QString& caption, const QSize& designSize,
               bool stayOnTop = false);
};
