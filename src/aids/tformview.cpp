// The preview window's controls, painting and the routing of its mouse,
// wheel, keys, scroll bars and buttons to the preview logic.
#include "aids/tformview.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

// The drawing area keeps this margin from the bars and the window's edges.
constexpr int kMargin = 5;
constexpr int kPanelWidths[6] = {20, 120, 150, 200, 100, 50};

QToolButton* NewButton(QToolBar* bar, const char* name, const QString& text, bool checkable) {
    auto* b = new QToolButton(bar);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(text);
    b->setCheckable(checkable);
    b->setFocusPolicy(Qt::NoFocus);
    bar->addWidget(b);
    return b;
}

} // namespace

TFormView::TFormView() : QWidget(nullptr) {
    setObjectName(QStringLiteral("FormView"));
    setWindowTitle(QStringLiteral("View"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    // Wide enough for the six status panels side by side.
    resize(900, 600);

    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolButtonPview = NewButton(ToolBar1, "ToolButtonPview", QStringLiteral("P"), true);
    ToolButtonXview = NewButton(ToolBar1, "ToolButtonXview", QStringLiteral("X"), true);
    ToolButtonVview = NewButton(ToolBar1, "ToolButtonVview", QStringLiteral("V"), true);
    ToolButtonAview = NewButton(ToolBar1, "ToolButtonAview", QStringLiteral("A"), true);
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    for (QToolButton* b : {ToolButtonPview, ToolButtonXview, ToolButtonVview, ToolButtonAview})
        group->addButton(b);
    ToolButtonPview->setChecked(true);
    ToolBar1->addSeparator();
    ToolButtonAutozoom =
        NewButton(ToolBar1, "ToolButtonAutozoom", QStringLiteral("Ajuster (Ctrl+A)"), false);
    ToolButtonZoom100 = NewButton(ToolBar1, "ToolButtonZoom100", QStringLiteral("100%"), false);
    connect(ToolButtonPview, &QToolButton::clicked, this, &TFormView::ToolButtonPviewClick);
    connect(ToolButtonXview, &QToolButton::clicked, this, &TFormView::ToolButtonXviewClick);
    connect(ToolButtonVview, &QToolButton::clicked, this, &TFormView::ToolButtonVviewClick);
    connect(ToolButtonAview, &QToolButton::clicked, this, &TFormView::ToolButtonAviewClick);
    connect(ToolButtonAutozoom, &QToolButton::clicked, this, &TFormView::ToolButtonAutozoomClick);
    connect(ToolButtonZoom100, &QToolButton::clicked, this, &TFormView::ToolButtonZoom100Click);

    ScrollBarX = new QScrollBar(Qt::Horizontal, this);
    ScrollBarX->setObjectName(QStringLiteral("ScrollBarX"));
    ScrollBarY = new QScrollBar(Qt::Vertical, this);
    ScrollBarY->setObjectName(QStringLiteral("ScrollBarY"));
    for (QScrollBar* s : {ScrollBarX, ScrollBarY}) {
        s->setRange(-100, 100);
        s->setFocusPolicy(Qt::NoFocus);
    }
    connect(ScrollBarX, &QScrollBar::valueChanged, this, &TFormView::ScrollBarXScroll);
    connect(ScrollBarY, &QScrollBar::valueChanged, this, &TFormView::ScrollBarYScroll);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    // The texts must fit whole, whatever the font.
    const char* const widest[6] = {"",
                                   "RVB = 255-255-255",
                                   "X= -00000 / Y=-00000",
                                   "ScrollX = -00000 - ScrollY = -00000",
                                   "Zoom = 800",
                                   ""};
    for (int i = 0; i < 6; ++i) {
        Panels[i] = new QLabel(StatusBar1);
        Panels[i]->setMinimumWidth(std::max(
            kPanelWidths[i],
            Panels[i]->fontMetrics().horizontalAdvance(QString::fromLatin1(widest[i])) + 8));
        Panels[i]->setAutoFillBackground(i == 0);
        StatusBar1->addWidget(Panels[i], i == 5 ? 1 : 0);
    }

    measureLines_.OnChange = [this] { update(); };
    View.Measure.Canvas = &measureLines_;
    PlaceControls();
    View.Layout(ComputeArea());
    ShowZoom();
    ShowScroll();
}

TFormView::~TFormView() = default;

tpreviewarea TFormView::ComputeArea() const {
    tpreviewarea a;
    a.Left = kMargin;
    a.Right = width() - ScrollBarY->sizeHint().width() - kMargin;
    a.Top = ToolBar1->sizeHint().height() + kMargin;
    a.Bottom =
        height() - StatusBar1->sizeHint().height() - ScrollBarX->sizeHint().height() - kMargin;
    return a;
}

void TFormView::PlaceControls() {
    const int tb = ToolBar1->sizeHint().height();
    const int sb = StatusBar1->sizeHint().height();
    const int hx = ScrollBarX->sizeHint().height();
    const int vy = ScrollBarY->sizeHint().width();
    ToolBar1->setGeometry(0, 0, width(), tb);
    StatusBar1->setGeometry(0, height() - sb, width(), sb);
    ScrollBarX->setGeometry(0, height() - sb - hx, width() - vy, hx);
    ScrollBarY->setGeometry(width() - vy, tb, vy, height() - sb - hx - tb);
}

void TFormView::LayoutAndRender() {
    View.Layout(ComputeArea());
    update();
}

void TFormView::ShowWithCaption(const QString& caption) {
    setWindowTitle(caption);
    show();
    raise();
}

void TFormView::ShowPicture(const QImage& picture, int mode) {
    View.ShowPicture(picture, mode);
    measureLines_.Lines.clear(); // the measuring cursor starts again
    PressModeButton();
    setWindowTitle(View.Caption());
    ShowZoom();
    ShowScroll();
    ReadOut(View.Area.Left, View.Area.Top);
    LayoutAndRender();
}

void TFormView::PressModeButton() {
    QToolButton* b = View.PreviewMode == 2   ? ToolButtonXview
                     : View.PreviewMode == 4 ? ToolButtonVview
                     : View.PreviewMode == 8 ? ToolButtonAview
                                             : ToolButtonPview;
    b->setChecked(true);
}

void TFormView::RequestMode(int mode) {
    View.PreviewMode = mode;
    PressModeButton();
    if (RequestTarget) RequestTarget->PreviewModeRequested(mode);
}

void TFormView::ShowZoom() {
    const int wx = View.ScrollRangeX(), wy = View.ScrollRangeY();
    const QSignalBlocker bx(ScrollBarX), by(ScrollBarY);
    ScrollBarX->setRange(-wx, wx);
    ScrollBarY->setRange(-wy, wy);
    Panels[4]->setText(View.ZoomText());
}

void TFormView::ShowScroll() {
    const QSignalBlocker bx(ScrollBarX), by(ScrollBarY);
    ScrollBarX->setValue(-int(std::trunc(View.ScrollX)));
    ScrollBarY->setValue(-int(std::trunc(View.ScrollY)));
    Panels[3]->setText(View.ScrollText());
}

void TFormView::ReadOut(double x, double y) {
    const unsigned c = View.ColourAt(x, y);
    Panels[2]->setText(View.PositionText(x, y));
    Panels[1]->setText(tpreviewview::ColourText(c));
    Panels[5]->setText(View.Measure.Text(QLocale::system().decimalPoint().at(0)));
    QPalette p = Panels[0]->palette();
    p.setColor(QPalette::Window, QColor::fromRgb(c | 0xFF000000u));
    Panels[0]->setPalette(p);
    StatusBar1->repaint();
}

void TFormView::ToolButtonAutozoomClick() {
    View.FitZoom();
    ShowZoom();
    ShowScroll();
    LayoutAndRender();
}

void TFormView::ToolButtonZoom100Click() {
    View.SetZoom(1);
    ShowZoom();
    ShowScroll();
    LayoutAndRender();
}

void TFormView::ScrollBarXScroll(int position) {
    View.ScrollX = -position;
    Panels[3]->setText(View.ScrollText());
    LayoutAndRender();
}

void TFormView::ScrollBarYScroll(int position) {
    View.ScrollY = -position;
    Panels[3]->setText(View.ScrollText());
    LayoutAndRender();
}

void TFormView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    if (!View.Block.isEmpty())
        p.drawImage(View.Block.topLeft(), View.PreviewRender,
                    QRect(0, 0, View.Block.width(), View.Block.height()));
    if (measureLines_.Lines.isEmpty()) return;
    // Black with an inverting pen: each pixel becomes the inverse of what was there.
    p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    p.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    for (const QLine& l : measureLines_.Lines) p.drawLine(l);
}

void TFormView::resizeEvent(QResizeEvent*) {
    PlaceControls();
    LayoutAndRender();
}

void TFormView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_A && (event->modifiers() & Qt::ControlModifier)) {
        ToolButtonAutozoomClick();
    } else if (event->key() == Qt::Key_Space) {
        View.SwapHalves();
        ShowScroll();
        LayoutAndRender();
    } else {
        QWidget::keyPressEvent(event);
    }
}

void TFormView::mousePressEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    if (View.HalfAt(at.x(), at.y()) == tpreviewview::HalfOutside) {
        View.ClickHalf = tpreviewview::HalfOutside;
        return;
    }
    View.Click(at.x(), at.y());
    if (event->button() == Qt::MiddleButton) panFrom_ = at.toPoint();
    if (event->button() == Qt::LeftButton) View.Measure.MouseDown(at.x(), at.y());
}

void TFormView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    if (View.HalfAt(at.x(), at.y()) == tpreviewview::HalfOutside) return;
    View.Click(at.x(), at.y());
    View.DoubleClickZoom();
    ShowZoom();
    ShowScroll();
    LayoutAndRender();
}

void TFormView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    if (event->buttons() & Qt::MiddleButton) {
        const QPoint p = at.toPoint();
        View.Pan(p.x() - panFrom_.x(), p.y() - panFrom_.y());
        panFrom_ = p;
        ShowScroll();
        LayoutAndRender();
    }
    if (event->buttons() & Qt::LeftButton) View.Measure.MouseMove(at.x(), at.y());
    ReadOut(at.x(), at.y());
}

void TFormView::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    View.Measure.MouseUp(at.x(), at.y());
    Panels[5]->setText(View.Measure.Text());
}

void TFormView::wheelEvent(QWheelEvent* event) {
    const int dy = event->angleDelta().y();
    if (dy == 0) return;
    if (dy < 0 ? View.WheelDown() : View.WheelUp()) {
        ShowZoom();
        ShowScroll();
    }
    LayoutAndRender();
}
