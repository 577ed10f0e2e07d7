// The stereo display window: the drawing surface, scroll bars, centre button,
// status bar and alternating timer around the display state.
#include "display/tformmain.h"

#include "core/programhooks.h"
#include "core/runflags.h"
#include "core/settings.h"
#include "display/clipboardmonitor_ui.h"
#include "display/pointicons_ui.h"
#include "display/statuspanels.h"

#include <QAbstractSlider>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDropEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

namespace {

constexpr int kStatusHeight = 20;

// The status bar under the picture: panels 0 to 2 drawn (mode code, pair icon,
// pixel colour), 3 to 5 written from the display's texts.
class tstatuspanels : public QWidget {
public:
    tstatuspanels(QWidget* parent, TFormMain& form) : QWidget(parent), form_(form) {
        setObjectName(QStringLiteral("StatusBar1"));
        codeFont_ = QFont(QStringLiteral("courrier"));
        codeFont_.setStyleHint(QFont::TypeWriter);
        codeFont_.setFixedPitch(true);
        codeFont_.setPixelSize(13);
        setAttribute(Qt::WA_OpaquePaintEvent);
        // The window's own palette is black; the bar keeps light panels.
        QPalette pal = palette();
        pal.setColor(QPalette::Window, QColor(236, 236, 236));
        pal.setColor(QPalette::WindowText, Qt::black);
        pal.setColor(QPalette::Mid, QColor(160, 160, 160));
        setPalette(pal);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        const tdisplaystate& d = form_.Display;
        QPainter p(this);
        p.fillRect(rect(), palette().window());
        // Each written panel is as wide as its text needs.
        const std::array<int, kStatusPanelCount> widths =
            StatusPanelWidths(d.StatusText, fontMetrics());
        int x = 0;
        for (int i = 0; i < kStatusPanelCount; ++i) {
            const QRect r(x, 0, widths[i] - 2, height());
            p.setPen(palette().color(QPalette::Mid));
            p.drawLine(r.right() + 1, 1, r.right() + 1, height() - 2);
            if (i == 0) {
                p.setFont(codeFont_);
                p.setBackgroundMode(Qt::OpaqueMode);
                p.setBackground(Qt::white);
                p.setPen(Qt::black);
                p.drawText(QRect(0, 0, r.width(), height()), Qt::AlignLeft | Qt::AlignTop,
                           d.VisionCode());
                p.setBackgroundMode(Qt::TransparentMode);
                p.setFont(font());
            } else if (i == 1) {
                p.drawImage(QPoint(x, 0), PointIconImage(d.PointIcon));
            } else if (i == 2) {
                p.fillRect(r, QColor::fromRgb(d.PixelColor));
            } else if (i < 6) {
                p.setPen(palette().color(QPalette::WindowText));
                p.drawText(r.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                           d.StatusText[i]);
            }
            x += widths[i];
        }
    }
    void mousePressEvent(QMouseEvent* e) override {
        const int x = int(e->position().x());
        if (x > 30 && x < 50 && form_.OnShowMontage) form_.OnShowMontage();
        e->accept();
    }
    void contextMenuEvent(QContextMenuEvent* e) override {
        if (e->pos().x() > 0 && e->pos().x() < 30 && form_.OnPopupVisionMenu)
            form_.OnPopupVisionMenu(e->globalPos());
        e->accept(); // no other context menu over the status bar
    }

private:
    TFormMain& form_;
    QFont codeFont_;
};

// The scroll-bar actions as the display knows them.
tscrollcode CodeOf(int action) {
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        return ScrollLineUp;
    case QAbstractSlider::SliderSingleStepAdd:
        return ScrollLineDown;
    case QAbstractSlider::SliderPageStepSub:
        return ScrollPageUp;
    case QAbstractSlider::SliderPageStepAdd:
        return ScrollPageDown;
    case QAbstractSlider::SliderMove:
        return ScrollThumbTrack;
    default:
        return ScrollThumbPosition;
    }
}

tshiftstate StateOf(Qt::KeyboardModifiers m, Qt::MouseButtons b) {
    tshiftstate s;
    s.shift = m & Qt::ShiftModifier;
    s.ctrl = m & Qt::ControlModifier;
    s.alt = m & Qt::AltModifier;
    s.keypad = m & Qt::KeypadModifier;
    s.left = b & Qt::LeftButton;
    s.right = b & Qt::RightButton;
    s.middle = b & Qt::MiddleButton;
    return s;
}

tmousebutton ButtonOf(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton:
        return tmousebutton::Left;
    case Qt::RightButton:
        return tmousebutton::Right;
    case Qt::MiddleButton:
        return tmousebutton::Middle;
    default:
        return tmousebutton::None;
    }
}

Qt::CursorShape ShapeOf(tcursorshape c) {
    switch (c) {
    case tcursorshape::SizeWE:
        return Qt::SizeHorCursor;
    case tcursorshape::SizeNS:
        return Qt::SizeVerCursor;
    case tcursorshape::SizeNWSE:
        return Qt::SizeFDiagCursor;
    case tcursorshape::SizeNESW:
        return Qt::SizeBDiagCursor;
    case tcursorshape::SizeAll:
        return Qt::SizeAllCursor;
    case tcursorshape::Hand:
        return Qt::PointingHandCursor;
    default:
        return Qt::ArrowCursor;
    }
}

QIcon CentreButtonIcon() {
    QPixmap pm(8, 8);
    pm.fill(Qt::lightGray);
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawLine(1, 4, 6, 4);
    p.drawLine(4, 1, 4, 6);
    return QIcon(pm);
}

} // namespace

TFormMain::TFormMain() : QWidget(nullptr, Qt::Window), Display(Pair) {
    setObjectName(QStringLiteral("FormMain"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);

    ScrollBarX = new QScrollBar(Qt::Horizontal, this);
    ScrollBarX->setObjectName(QStringLiteral("ScrollBarX"));
    ScrollBarY = new QScrollBar(Qt::Vertical, this);
    ScrollBarY->setObjectName(QStringLiteral("ScrollBarY"));
    for (QScrollBar* bar : {ScrollBarX, ScrollBarY}) {
        bar->setRange(-100, 100);
        bar->setValue(0);
        bar->setAutoFillBackground(true);
    }
    SpeedButtonCentre = new QToolButton(this);
    SpeedButtonCentre->setObjectName(QStringLiteral("SpeedButtonCentre"));
    SpeedButtonCentre->setIcon(CentreButtonIcon());
    SpeedButtonCentre->setIconSize(QSize(8, 8));
    SpeedButtonCentre->installEventFilter(this);
    auto* status = new tstatuspanels(this, *this);
    StatusBar1 = status;
    TimerSwap = new QTimer(this);
    TimerSwap->setObjectName(QStringLiteral("TimerSwap"));
    TimerSwap->setInterval(500);
    ClipboardMonitor = new TClipboardMonitor(this);
    // Files from other programs and pictures from the program's own windows.
    setAcceptDrops(true);

    auto connectBar = [this](QScrollBar* bar, bool horizontal) {
        auto handle = [this, horizontal](tscrollcode code, int pos) {
            if (horizontal)
                ScrollBarXScroll(code, pos);
            else
                ScrollBarYScroll(code, pos);
        };
        connect(bar, &QAbstractSlider::actionTriggered, this, [bar, handle](int action) {
            const tscrollcode code = CodeOf(action);
            handle(code, bar->sliderPosition());
            // A click on an arrow or the track ends its scroll at once.
            if (code == ScrollLineUp || code == ScrollLineDown || code == ScrollPageUp ||
                code == ScrollPageDown)
                handle(ScrollEndScroll, bar->sliderPosition());
        });
        connect(bar, &QAbstractSlider::sliderReleased, this,
                [bar, handle] { handle(ScrollEndScroll, bar->sliderPosition()); });
    };
    connectBar(ScrollBarX, true);
    connectBar(ScrollBarY, false);
    connect(TimerSwap, &QTimer::timeout, this, &TFormMain::TimerSwapTimer);

    tdisplayhooks& h = Display.Hooks;
    h.Repaint = [this] { repaint(); };
    h.StatusRepaint = [this] { StatusBar1->update(); };
    h.ScrollBarsMoved = [this] { FollowScrollBars(); };
    h.CaptionChanged = [this] { UpdateCaption(); };
    h.AlternationTimer = [this](bool run) {
        if (run) {
            TimerSwap->setInterval(500);
            TimerSwap->start();
        } else {
            TimerSwap->stop();
        }
    };

    // Keys reach the window itself, never its scroll bars.
    setFocusPolicy(Qt::StrongFocus);
    ScrollBarX->setFocusPolicy(Qt::NoFocus);
    ScrollBarY->setFocusPolicy(Qt::NoFocus);
    SpeedButtonCentre->setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    ConnectPointer();

    resize(1024, 700);
    Display.SetClientSize(width(), height());
    UpdateLayout();
    UpdateCaption();
}

TFormMain::~TFormMain() {
    Display.Hooks = tdisplayhooks{};
    Pointer.Hooks = tpointerhooks{};
    TimerSwap->stop();
}

void TFormMain::UpdateCaption() {
    setWindowTitle(Display.Caption());
}

void TFormMain::UpdateLayout() {
    Display.UpdateLayout();
    PlaceControls();
}

void TFormMain::PlaceControls() {
    const int cw = width(), ch = height();
    const int s = StatusBar1->isVisibleTo(this) ? kStatusHeight : 0;
    ScrollBarX->setGeometry(0, ch - 8 - s, std::max(cw - 8, 0), 8);
    ScrollBarY->setGeometry(cw - 8, 0, 8, std::max(ch - 8 - s, 0));
    SpeedButtonCentre->setGeometry(cw - 8, ch - 8 - s, 8, 8);
    if (s) StatusBar1->setGeometry(0, ch - s, std::max(cw - 8, 0), s);
}

void TFormMain::SetStatusBarVisible(bool visible) {
    StatusBar1->setVisible(visible);
    Display.StatusBarVisible = visible;
    UpdateLayout();
    update();
}

void TFormMain::SetScrollRanges(int width, int height) {
    const QSignalBlocker bx(ScrollBarX), by(ScrollBarY);
    ScrollBarX->setRange(-std::abs(width), std::abs(width));
    ScrollBarY->setRange(-std::abs(height), std::abs(height));
}

void TFormMain::FollowScrollBars() {
    const QSignalBlocker bx(ScrollBarX), by(ScrollBarY);
    ScrollBarX->setValue(Display.ScrollBarXPosition);
    ScrollBarY->setValue(Display.ScrollBarYPosition);
    StatusBar1->update();
}

void TFormMain::ScrollBarXScroll(tscrollcode code, int pos) {
    if (Display.ScrollBarEvent(true, code, pos)) repaint();
}

void TFormMain::ScrollBarYScroll(tscrollcode code, int pos) {
    if (Display.ScrollBarEvent(false, code, pos)) repaint();
}

void TFormMain::TimerSwapTimer() {
    TimerSwap->stop();
    QCoreApplication::processEvents();
    Display.Compose();
    QCoreApplication::processEvents();
    if (gBusy) TimerSwap->start();
}

void TFormMain::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Display.SetClientSize(width(), height());
    UpdateLayout();
    update();
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == SpeedButtonCentre && event->type() == QEvent::MouseButtonDblClick) {
        SpeedButtonCentreDblClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TFormMain::paintEvent(QPaintEvent*) {
    FormPaint();
}

void TFormMain::FormPaint() {
    QPainter p(this);
    const tscreenrect& C = Display.RectClient;
    const QImage& work = Display.BmpWork;
    if (!work.isNull()) p.drawImage(QPoint(C.left, C.top), work);
    // Whatever the picture does not cover stays in the window's black.
    const int right = work.isNull() ? C.left : C.left + work.width();
    const int bottom = work.isNull() ? C.top : C.top + work.height();
    if (right < width()) p.fillRect(right, 0, width() - right, height(), Qt::black);
    if (bottom < height()) p.fillRect(0, bottom, width(), height() - bottom, Qt::black);

    Display.BuildMarks(Marks);
    if (Marks.empty()) return;
    // The pens are made once: marks come in white or black only.
    static const QPen white(Qt::white, 1), black(Qt::black, 1);
    static const QPen dotted(Qt::white, 1, Qt::DotLine);
    static const QBrush gaps(Qt::black);
    p.setBackground(gaps);
    p.setBrush(Qt::NoBrush);
    for (const tmark& m : Marks) {
        const QPen& solid = (m.colour & 0xFFFFFF) ? white : black;
        switch (m.kind) {
        case tmark::Line:
            p.setPen(solid);
            p.drawLine(m.x1, m.y1, m.x2, m.y2);
            break;
        case tmark::DottedLine:
            p.setBackgroundMode(Qt::OpaqueMode);
            p.setPen(dotted);
            p.drawLine(m.x1, m.y1, m.x2, m.y2);
            p.setBackgroundMode(Qt::TransparentMode);
            break;
        case tmark::XorDottedLine:
            p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            p.setPen(dotted);
            p.drawLine(m.x1, m.y1, m.x2, m.y2);
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
            break;
        case tmark::Circle:
            p.setPen(solid);
            p.drawEllipse(QPoint(m.x1, m.y1), m.x2, m.x2);
            break;
        case tmark::Text:
            p.setPen(solid);
            p.drawText(QRect(m.x1, m.y1, 400, 40), Qt::AlignLeft | Qt::AlignTop, m.text);
            break;
        }
    }
}

void TFormMain::closeEvent(QCloseEvent* event) {
    if (!MainCloseQuery(this)) {
        event->ignore();
        return;
    }
    Display.StopAlternation();
    event->accept();
    QuitApplication();
}

// ---------------------------------------------------------------- pointer and keys

void TFormMain::ConnectPointer() {
    // The Montage window adds its own hooks when it is created (LinkDisplayToMontage).
    tpointerhooks& h = Pointer.Hooks;
    h.SetCursor = [this](tcursorshape shape) {
        if (shape == tcursorshape::Default)
            unsetCursor();
        else
            setCursor(ShapeOf(shape));
    };
    h.Command = [this](tdisplaycommand c) { RunCommand(c); };
}

void TFormMain::RunCommand(tdisplaycommand c) {
    if (c == tdisplaycommand::CloseDisplay) {
        close();
        return;
    }
    // Every other command is the Montage window's.
    if (OnMontageCommand) OnMontageCommand(c);
}

void TFormMain::FormMouseDown(QMouseEvent* e, bool doubleClick) {
    tshiftstate s = StateOf(e->modifiers(), e->buttons());
    s.doubleClick = doubleClick;
    Pointer.MouseDown(ButtonOf(e->button()), s, e->position().x(), e->position().y());
}

void TFormMain::FormMouseMove(QMouseEvent* e) {
    Pointer.MouseMove(StateOf(e->modifiers(), e->buttons()), e->position().x(), e->position().y());
}

void TFormMain::FormMouseUp(QMouseEvent* e) {
    Pointer.MouseUp(ButtonOf(e->button()), StateOf(e->modifiers(), e->buttons()), e->position().x(),
                    e->position().y());
}

void TFormMain::FormMouseWheel(QWheelEvent* e) {
    // With Alt some platforms turn the wheel sideways.
    const QPoint a = e->angleDelta();
    Pointer.MouseWheel(a.y() != 0 ? a.y() : a.x(), StateOf(e->modifiers(), e->buttons()));
    e->accept();
}

bool TFormMain::FormKeyDown(QKeyEvent* e) {
    return Pointer.KeyDown(e->key(), StateOf(e->modifiers(), Qt::NoButton));
}

void TFormMain::mousePressEvent(QMouseEvent* e) {
    FormMouseDown(e, false);
    e->accept();
}

void TFormMain::mouseDoubleClickEvent(QMouseEvent* e) {
    FormMouseDown(e, true);
    e->accept();
}

void TFormMain::mouseMoveEvent(QMouseEvent* e) {
    FormMouseMove(e);
    e->accept();
}

void TFormMain::mouseReleaseEvent(QMouseEvent* e) {
    FormMouseUp(e);
    e->accept();
}

void TFormMain::wheelEvent(QWheelEvent* e) {
    FormMouseWheel(e);
}

void TFormMain::keyPressEvent(QKeyEvent* e) {
    if (FormKeyDown(e))
        e->accept();
    else
        e->ignore();
}

void TFormMain::leaveEvent(QEvent* e) {
    Pointer.FrameMove();
    QWidget::leaveEvent(e);
}

// ---------------------------------------------------------------- full screen

void TFormMain::EnterFullScreenLayout() {
    Display.FullScreen = true;
    ScrollBarX->hide();
    ScrollBarY->hide();
    SpeedButtonCentre->hide();
    StatusBar1->hide();
    Display.StatusBarVisible = false;
    if (!NormalBounds) NormalBounds = geometry();
    QScreen* s = screen();
    const QRect whole = s ? s->geometry() : QRect(0, 0, 1280, 1024);
    // Changing the flags takes the window down; it is shown again over its screen.
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    setGeometry(whole);
    show();
    raise();
    activateWindow();
    UpdateLayout();
}

void TFormMain::LeaveFullScreenLayout() {
    Display.FullScreen = false;
    ScrollBarX->show();
    ScrollBarY->show();
    SpeedButtonCentre->show();
    StatusBar1->show();
    Display.StatusBarVisible = true;
    // Changing the flags takes the window down; the caller shows it once it
    // is placed, so that a window manager frames it where it belongs.
    if (windowFlags() & Qt::FramelessWindowHint)
        setWindowFlags(windowFlags() & ~Qt::FramelessWindowHint);
    if (NormalBounds) {
        setGeometry(*NormalBounds);
        NormalBounds.reset();
    }
    UpdateLayout();
}

// ---------------------------------------------------------------- drops

void TFormMain::dragEnterEvent(QDragEnterEvent* e) {
    const QMimeData* m = e->mimeData();
    if (m && (m->hasUrls() || m->hasImage())) {
        // Files are copied or linked, never moved away from their program.
        if (e->source() == nullptr && (e->possibleActions() & Qt::CopyAction))
            e->setDropAction(Qt::CopyAction);
        e->accept();
    } else {
        e->ignore();
    }
}

void TFormMain::dragMoveEvent(QDragMoveEvent* e) {
    e->accept();
}

void TFormMain::dropEvent(QDropEvent* e) {
    const QMimeData* m = e->mimeData();
    if (!m || !OnDrop) {
        e->ignore();
        return;
    }
    double rx = 0, ry = 0;
    tviewslot& slot = Display.SlotAt(e->position().x(), e->position().y(), rx, ry);
    timg& target = slot.img ? *slot.img : ImgLeft();
    if (e->source() == nullptr) e->setDropAction(Qt::CopyAction);
    e->accept();
    OnDrop(*m, target);
}
