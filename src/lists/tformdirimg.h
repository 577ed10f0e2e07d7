// The directory pair sorter: the pictures of two folders side by side, each
// list with its picture, to bring the left and right views into step.
#pragma once

#include "lists/dirsorter.h"

#include <QImage>
#include <QWidget>

#include <functional>

class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QStatusBar;
class QToolButton;

class TFormDirImg : public QWidget {
    Q_OBJECT
public:
    explicit TFormDirImg(QWidget* parent = nullptr);

    // One half of the window.
    struct tside {
        tsortside Data;
        QGroupBox* GroupBox = nullptr;
        QListWidget* CheckListBox = nullptr;
        QWidget* Image = nullptr;
        QStatusBar* StatusBar = nullptr;
        QLabel* StatusFolder = nullptr;
        QLabel* StatusPosition = nullptr;
        QToolButton *ToolButtonOpen = nullptr, *ToolButtonP = nullptr, *ToolButtonN = nullptr,
                    *ToolButtonUp = nullptr, *ToolButtonDown = nullptr, *ToolButtonAdd = nullptr,
                    *ToolButtonDel = nullptr;
        QLabel* LabelInfo = nullptr;
        QImage Picture; // the selected entry's picture, empty when none
    };
    tside L, R;

    QToolButton *ToolButtonSwap, *ToolButtonOk, *ToolButtonPrevM, *ToolButtonNextM, *ToolButtonUpM,
        *ToolButtonDownM, *ToolButtonDelM, *ToolButtonInfo;
    QFrame* PanelInfo;

    // The commands of one side (and of the middle bar, which runs both).
    void OpenFolder(tside& s);
    void Previous(tside& s);
    void Next(tside& s);
    void MoveUp(tside& s);
    void MoveDown(tside& s);
    void Add(tside& s);
    // A press on Del: the left button greys the entry, another deletes it
    // after the confirmation.
    void DelPressed(tside& s, bool leftButton);
    void SelectRow(tside& s, int row);
    void ToolButtonSwapClick();
    // A drag from one box dropped on the other at `row` (-1: below the last).
    void DropAcross(tside& from, tside& to, int row);

    // The side's picture loaded again, then its list, buttons and status.
    void ShowPicture(tside& s);
    void RefreshSide(tside& s);
    void RefreshMiddle();

    // Replaceable by tests: the folder picker (the picture save dialog with
    // a title, a start folder and a proposed name; the chosen file, empty when
    // cancelled) and the Yes/No confirmation.
    std::function<QString(const QString& title, const QString& folder, const QString& name)>
        PickFile;
    std::function<bool(const QString& text, const QString& caption)> Confirm;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildSide(tside& s, bool left);
    void RefillBox(tside& s);
    tside& Other(const tside& s) { return &s == &L ? R : L; }
};
