// A language file's content: the texts of the windows described as plain
// records, written to and applied from the file without any widget.
#pragma once

#include "core/inifile.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <vector>

// The kinds of control that carry texts in a language file.
enum class tlngkind {
    Button,   // push button: Caption, Hint
    Edit,     // edit field: Hint (its text is the user's value)
    Caption,  // menu item, menu, tool button, label, check box: Caption, Hint
    Combo,    // combo box: Hint, ItemsCount, ItemsString<k>, ItemIndex
    Tabs,     // tab pages: Hint, ItemsCount, ItemsString<k>
    Group,    // group box: Caption
    HintOnly, // any other named control: Hint
};

// One named control of a window, as the widget walk found it. object lets
// the walk find the widget again when the texts are applied.
struct tlngcontrol {
    tlngkind kind = tlngkind::HintOnly;
    QString name;
    QString caption;
    QString hint;
    QStringList items;
    int itemIndex = -1;
    QObject* object = nullptr;
};

// One window: its section name, its caption and its controls in order.
struct tlngwindow {
    QString name;
    QString caption;
    std::vector<tlngcontrol> controls;
};

// The display window keeps its own caption whatever the file says.
inline constexpr const char* LngMainWindowName = "FormMain";

// Writes one window's section and its controls' sections. A section shared
// by controls of the same name takes the last writer's texts.
void WriteLngWindow(tinifile& ini, const tlngwindow& window);

// Reads the texts of the file into window: nothing changes when the window's
// section has no Caption (or an empty one). An empty value never replaces a
// text. A combo box or tab list takes the file's items when the file has as
// many as it (a list of another length belongs to another control of the
// same name) and keeps its selection. True when the window's section had a
// caption.
bool ReadLngWindow(const tinifile& ini, tlngwindow& window);

// The key of item k: "ItemsString0", "ItemsString1"...
QString LngItemKey(int k);

// Combo-box and tab lists longer than this in a file are refused (read as
// no list), so a damaged count cannot make thousands of items.
inline constexpr int LngMaxItems = 1000;
