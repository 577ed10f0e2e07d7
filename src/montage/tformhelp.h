// The help window: the pages shipped in aide/ beside the program, shown by
// the program itself so that help works on any desktop.
#pragma once

#include <QWidget>

class QTextBrowser;

class TFormHelp : public QWidget {
    Q_OBJECT
public:
    explicit TFormHelp(QWidget* parent = nullptr);

    // Shows the page at path (links between the pages follow inside the
    // window); false when the page cannot be read.
    bool ShowPage(const QString& path);

    QTextBrowser* Browser = nullptr;
};

// The one help window of the program, created on first use beside parent.
TFormHelp* HelpWindow(QWidget* parent);
