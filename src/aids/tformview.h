// The preview window: one composed output picture with zoom, scrolling,
// panning, a pixel read-out, the measuring cursor and the four presentation
// buttons that ask the picture's source for another presentation.
#pragma once

#include "aids/previewview.h"
#include "core/previewlink.h"

#include <QWidget>

class QLabel;
class QScrollBar;
class QStatusBar;
class QToolBar;
class QToolButton;

class TFormView : public QWidget, public tpreviewwindow {
    Q_OBJECT
public:
    TFormView();
    ~TFormView() override;

    QToolBar* ToolBar1 = nullptr;
    QToolButton* ToolButtonPview = nullptr; // "P"
    QToolButton* ToolButtonXview = nullptr; // "X"
    QToolButton* ToolButtonVview = nullptr; // "V"
    QToolButton* ToolButtonAview = nullptr; // "A"
    QToolButton* ToolButtonAutozoom = nullptr;
    QToolButton* ToolButtonZoom100 = nullptr;
    QScrollBar* ScrollBarX = nullptr;
    QScrollBar* ScrollBarY = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    // Panels 0..5: colour, "RVB = …", "X= … / Y=…", scroll, zoom, measure.
    QLabel* Panels[6] = {};

    // The picture, zoom, scroll, click point and measuring cursor.
    tpreviewview View;

    // tpreviewwindow
    void SetRequestTarget(tpreviewsource* target) override { RequestTarget = target; }
    int PreviewMode() const override { return View.PreviewMode; }
    void ShowWithCaption(const QString& caption) override;
    void ShowPicture(const QImage& picture, int mode) override;

    tpreviewsource* RequestTarget = nullptr;

    void ToolButtonAutozoomClick();
    void ToolButtonZoom100Click();
    void ToolButtonPviewClick() { RequestMode(0); }
    void ToolButtonXviewClick() { RequestMode(2); }
    void ToolButtonVviewClick() { RequestMode(4); }
    void ToolButtonAviewClick() { RequestMode(8); }
    void ScrollBarXScroll(int position);
    void ScrollBarYScroll(int position);

    // The drawing area for the window's present size.
    tpreviewarea ComputeArea() const;
    // Recomputes the area and renders.
    void LayoutAndRender();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void RequestMode(int mode);
    void PressModeButton();
    void ShowZoom();
    void ShowScroll();
    void ReadOut(double x, double y);
    void PlaceControls();

    // The measuring cursor's lines now on screen.
    txorlines measureLines_;
    QPoint panFrom_;
};
