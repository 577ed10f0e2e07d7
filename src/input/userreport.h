// How the loading code talks to the user without knowing about windows: the
// desktop program shows message boxes and the hour-glass, the command line
// prints, tests record.
#pragma once

#include <QImage>
#include <QString>

class tuserreport {
public:
    virtual ~tuserreport() = default;
    // A message box with the program's caption and an OK button.
    virtual void ShowMessage(const QString& text) = 0;
    // Hour-glass cursor on and off; calls nest.
    virtual void BeginBusy() {}
    virtual void EndBusy() {}
    // A coarse pass of a progressive JPEG, when progressive display is on.
    virtual void PicturePass(const QImage&) {}
};

// The program's caption, title of its message boxes.
extern const char* const ProductCaption;

// The report in use; the console one (messages on stderr) until another is set.
tuserreport& UserReport();
// Installs a report (not owned); nullptr goes back to the console one.
void SetUserReport(tuserreport* report);

// Hour-glass for the lifetime of the guard, so every exit path restores the cursor.
class tbusyguard {
public:
    explicit tbusyguard(tuserreport& report) : report_(report) { report_.BeginBusy(); }
    ~tbusyguard() { report_.EndBusy(); }
    tbusyguard(const tbusyguard&) = delete;
    tbusyguard& operator=(const tbusyguard&) = delete;

private:
    tuserreport& report_;
};
