// The magnifier window: a small always-on-top window showing the followed
// point's neighbourhood four times enlarged, with the precision cross-hair.
#pragma once

#include "aids/magnifier.h"

#include <QWidget>

class QLabel;
class QToolButton;
class TFormMain;

class TFormZoom : public QWidget {
    Q_OBJECT
public:
    // Follows the views of `main` and takes over its magnifier hooks.
    explicit TFormZoom(TFormMain* main);
    ~TFormZoom() override;

    QWidget* Panel1 = nullptr;
    QToolButton* SpeedButton1 = nullptr; // "+"
    QToolButton* SpeedButton2 = nullptr; // "-"
    QLabel* Label1 = nullptr;

    // The picture, the followed slot and point.
    tmagnifier Zoom;

    // Follows source point (x, y) of the slot's view and redraws.
    void ZoomAt(const tviewslot& slot, double x, double y);
    // Names the followed view in Label1.
    void ZoomLabel(const tviewslot& slot);
    // Takes ZoomSize again: picture, rectangles and window size.
    void ZoomResize();

    void SpeedButton1Click();
    void SpeedButton2Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void FormActivate();
    void Redraw();

    TFormMain* main_;
    // The view Label1 names, once it names one.
    bool labelLeft_ = false;
    bool labelShown_ = false;
};
