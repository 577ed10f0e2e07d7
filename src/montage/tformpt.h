// The points table window ("FormPt"): points 0 to 12 of both views in a grid
// the user reads, edits, drags row onto row and writes back into the views.
#pragma once

#include "montage/pointstable.h"

#include <QPoint>
#include <QWidget>

class QTableWidget;
class QToolButton;

class TFormPt : public QWidget {
    Q_OBJECT
public:
    explicit TFormPt(QWidget* parent = nullptr);

    // Grid row 0 is the header; row i + 1 lists point i.
    QTableWidget* StringGrid1 = nullptr;
    QToolButton* SpeedButtonOk = nullptr;
    QToolButton* SpeedButtonApply = nullptr;
    QToolButton* SpeedButtonCancel = nullptr;
    QToolButton* SpeedButtonEdit = nullptr;

    // "Editer les points...": shown, raised and active.
    void ShowFromMenu();
    // Show and activation: the grid from the views, the backup taken.
    void FormShow();
    void FormActivate() { FormShow(); }
    // "Ok", "Appliquer", "Annuler", "Editer...".
    void SpeedButtonOkClick();
    void SpeedButtonApplyClick();
    void SpeedButtonGetClick();
    void SpeedButtonEditClick();
    // A press on grid cell (row, column): the view of the column and the
    // pair of the row become current; a drag of the row may follow.
    void StringGrid1MouseDown(int row, int column, bool shift);
    // The drag ends over grid row `row` (-1: outside the grid).
    void StringGrid1EndDrag(int row);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ReadGrid();
    void WriteGrid();
    void ApplyToViews();

    tpointstable table_;
    int dragRow_ = -1;
    bool dragShift_ = false;
    bool pressed_ = false;
    bool dragging_ = false;
    QPoint pressPos_;
};
