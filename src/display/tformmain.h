// The stereo display window, the program's main window: it owns the two views
// and shows the aligned pair.
#pragma once

#include "core/viewpair.h"
#include "display/displayhost_ui.h"
#include "display/displaystate.h"
#include "display/pointerinput.h"

#include <QPoint>
#include <QWidget>

#include <QRect>

#include <functional>
#include <optional>
#include <vector>

class QKeyEvent;
class QMimeData;
class TClipboardMonitor;
class QMouseEvent;
class QScrollBar;
class QWheelEvent;
class QTimer;
class QToolButton;

class TFormMain : public QWidget {
    Q_OBJECT
public:
    TFormMain();
    ~TFormMain() override;

    // The pair on screen: ImgLeft, ImgRight, StereoType, ImageInfo.
    tviewpair Pair;
    timg& ImgLeft() { return Pair.ImgLeft; }
    timg& ImgRight() { return Pair.ImgRight; }

    // Slots, zoom, offsets, masks and status texts; other windows set its
    // hooks to follow the display.
    tdisplaystate Display;
    // What picture loading asks of the display window.
    tformmainhost DisplayHost{*this};
    // Pointer and key handling; the handlers below only translate events.
    tpointerinput Pointer{Display};

    QScrollBar* ScrollBarX = nullptr;
    QScrollBar* ScrollBarY = nullptr;
    QToolButton* SpeedButtonCentre = nullptr;
    QWidget* StatusBar1 = nullptr;
    QTimer* TimerSwap = nullptr;
    // Tells when the system clipboard changes; its OnDraw is the clipboard capture.
    TClipboardMonitor* ClipboardMonitor = nullptr;

    // The status bar's clicks that reach the Montage window.
    std::function<void()> OnShowMontage;
    std::function<void(QPoint globalPos)> OnPopupVisionMenu;
    // The display's commands the Montage window carries out (all but closing).
    std::function<void(tdisplaycommand command)> OnMontageCommand;
    // Files or a picture dropped over a view (the view under the drop point).
    std::function<void(const QMimeData& data, timg& target)> OnDrop;

    // Full-screen viewing of this window alone: the flag set, scroll bars,
    // centre button and status bar hidden, the normal bounds remembered
    // unless already remembered, no frame nor sizing border, the window over
    // the whole screen it is on.
    void EnterFullScreenLayout();
    // The controls and the frame back, the remembered bounds restored and
    // forgotten; the window is left hidden when the frame came back.
    void LeaveFullScreenLayout();
    // The bounds to come back to, while full-screen viewing lasts.
    std::optional<QRect> NormalBounds;

    void UpdateCaption();
    void UpdateLayout();
    void Compose() { Display.Compose(); }
    void FitAndCompose() { Display.FitAndCompose(); }
    void SetVisionMode(int mode) { Display.SetVisionMode(mode); }
    const tviewslot& GetCurrent() { return Display.GetCurrent(); }
    void SetCurrent(const tviewslot& slot) { Display.SetCurrent(slot); }
    void ClearView(timg& view) { Display.ClearView(view); }
    void ResetViews() { Display.ResetViews(); }
    void SwapViews() { Display.SwapViews(); }

    // The scroll ranges follow the installed picture: -width..width, -height..height.
    void SetScrollRanges(int width, int height);
    void SetStatusBarVisible(bool visible);

    void TimerSwapTimer();
    void ScrollBarXScroll(tscrollcode code, int pos);
    void ScrollBarYScroll(tscrollcode code, int pos);
    void SpeedButtonCentreDblClick() { Display.Recentre(); }

    void FormMouseDown(QMouseEvent* event, bool doubleClick);
    void FormMouseMove(QMouseEvent* event);
    void FormMouseUp(QMouseEvent* event);
    void FormMouseWheel(QWheelEvent* event);
    // True when the key is consumed; the Montage window and the magnifier
    // send their keys here first.
    bool FormKeyDown(QKeyEvent* event);
    // The Montage window left the crop frame tool.
    void LeaveFrameDrawing() { Pointer.LeaveFrameDrawing(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void FormPaint();
    void PlaceControls();
    void FollowScrollBars();
    void ConnectPointer();
    void RunCommand(tdisplaycommand command);

    std::vector<tmark> Marks; // reused from one paint to the next
};
