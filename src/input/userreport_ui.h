// The desktop program's way of telling the user: message boxes with the
// program's caption, the hour-glass as an application-wide cursor.
#pragma once

#include "input/userreport.h"

class QWidget;

class tmessageboxreport : public tuserreport {
public:
    // Message boxes are centred on `parent` (may be null).
    explicit tmessageboxreport(QWidget* parent = nullptr) : parent_(parent) {}
    void ShowMessage(const QString& text) override;
    void BeginBusy() override;
    void EndBusy() override;

private:
    QWidget* parent_;
};
