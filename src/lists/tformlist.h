// The list window: the two columns of the list of pairs, the buttons that
// fill them and run the slideshow, the selection commands, drag and drop,
// and the batch's progress in its status bar.
#pragma once

#include "lists/tdiaporama.h"

#include <QWidget>

#include <functional>

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QStatusBar;
class TFormDiaporama;

class TFormList : public QWidget {
    Q_OBJECT
public:
    // The list belongs to the options window `diaporama`, which must outlive this one.
    explicit TFormList(TFormDiaporama& diaporama, QWidget* parent = nullptr);

    // Components.
    QPushButton* SpeedButtonLeft;
    QPushButton* SpeedButtonRight;
    QPushButton* SpeedButtonStereo;
    QPushButton* SpeedButtonParam;
    QPushButton* SpeedButtonSplit;
    QPushButton* SpeedButtonNew;
    QPushButton* SpeedButtonRun;
    QPushButton* SpeedButtonStop;
    QPushButton* SpeedButtonOptions;
    QListWidget* ListBoxL;
    QListWidget* ListBoxR;
    QMenu* PopupMenuSelection;
    QAction* DupliquerSelection1;
    QAction* EchangerSelection;
    QAction* SupprimerSelection;
    QAction* ToutSelectionner;
    QAction* InverserSelection;
    QStatusBar* StatusBar1;
    QLabel* LabelCounts;
    QLabel* LabelProgress;
    QProgressBar* ProgressBatch;

    void SpeedButtonLeftClick();
    void SpeedButtonRightClick();
    void SpeedButtonStereoClick();
    void SpeedButtonParamClick();
    void SpeedButtonSplitClick();
    void SpeedButtonNewClick();
    void SpeedButtonRunClick();
    void SpeedButtonStopClick();
    void SpeedButtonOptionsClick();
    void DupliquerSelection1Click();
    void EchangerSelectionClick();
    void SupprimerSelectionClick();
    void ToutSelectionnerClick();
    void InverserSelectionClick();

    // Both boxes and the caption follow the list.
    void RefreshLists();
    // The batch is saving entry `done` of `total`; done 0 clears the progress.
    void ShowProgress(int done, int total, const QString& file);
    // Drops from one box onto a box at `row` (-1: below the last entry).
    void DropFromBox(QListWidget* source, QListWidget* target, int row);
    // Files dropped on the window at x.
    void DropFiles(const QStringList& files, int x);

    // Replaceable by tests: the open dialog (title, folder, filter in pipe
    // form, several files) and the choice of the kind of stereo pictures,
    // which returns its position among kListKinds, -1 when cancelled.
    std::function<QStringList(const QString& title, const QString& folder, const QString& filter,
                              bool multi)>
        AskFiles;
    std::function<int(int current)> AskStereoKind;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QListWidget* FocusedBox() const;
    QList<int> SelectedRows(QListWidget* box) const;
    tcolumn ColumnOf(const QListWidget* box) const;
    void Edited();
    void Append(tcolumn c, const QString& title, QString& folder, const QString& filter);

    TFormDiaporama& diaporama_;
    tdiaporama& list_;
    QListWidget* focused_ = nullptr;
};
