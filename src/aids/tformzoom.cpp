// The magnifier window: its tool panel, its painting and the forwarding of
// keys and wheel turns to the display window.
#include "aids/tformzoom.h"

#include "core/runflags.h"
#include "core/settings.h"
#include "display/tformmain.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QToolButton>
#include <QWheelEvent>

namespace {

// The picture sits below the 25-pixel tool panel, 5 pixels from the left.
constexpr int kPictureLeft = 5;
constexpr int kPictureTop = 30;
constexpr int kPanelHeight = 25;

QColor PlatformColor(unsigned c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

} // namespace

TFormZoom::TFormZoom(TFormMain* main)
    : QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint), main_(main) {
    setObjectName(QStringLiteral("FormZoom"));
    setWindowTitle(QStringLiteral("Zoom"));
    // Every pixel is painted each time: no background erase, no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* row = new QHBoxLayout(Panel1);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(2);
    SpeedButton1 = new QToolButton(Panel1);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("+"));
    SpeedButton2 = new QToolButton(Panel1);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setText(QStringLiteral("-"));
    Label1 = new QLabel(Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    // Names the followed view in the interface's language itself.
    Label1->setProperty("lngRuntime", true);
    // Keys typed with the buttons under the pointer still reach the display.
    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    SpeedButton2->setFocusPolicy(Qt::NoFocus);
    row->addWidget(SpeedButton1);
    row->addWidget(SpeedButton2);
    row->addWidget(Label1, 1);
    connect(SpeedButton1, &QToolButton::clicked, this, &TFormZoom::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TFormZoom::SpeedButton2Click);

    // It starts on the left view's point (0, 0).
    if (main_) Zoom.Slot = main_->Display.SlotOf(&main_->ImgLeft());
    ZoomResize();

    if (main_) {
        tdisplayhooks& h = main_->Display.Hooks;
        h.MagnifierVisible = [this] { return isVisible(); };
        h.MagnifierShow = [this](const tviewslot& slot, double x, double y) { ZoomAt(slot, x, y); };
        main_->Pointer.ZoomFollow = true;
    }
}

TFormZoom::~TFormZoom() {
    if (main_) {
        tdisplayhooks& h = main_->Display.Hooks;
        h.MagnifierVisible = nullptr;
        h.MagnifierShow = nullptr;
    }
}

void TFormZoom::ZoomAt(const tviewslot& slot, double x, double y) {
    if (!slot.img || slot.img->bitmap.isNull()) return;
    ZoomLabel(slot);
    const unsigned marker = main_ ? main_->Display.MarkerColor : 0x808000u;
    if (Zoom.ZoomAt(slot, x, y, marker)) repaint();
}

void TFormZoom::ZoomLabel(const tviewslot& slot) {
    const bool left = main_ && slot.img == &main_->ImgLeft();
    labelLeft_ = left;
    labelShown_ = true;
    Label1->setText(ZoomLabelText(left));
    QPalette p = Label1->palette();
    p.setColor(QPalette::WindowText, PlatformColor(ZoomLabelColor(left)));
    Label1->setPalette(p);
}

void TFormZoom::ZoomResize() {
    Zoom.Resize(Settings.ZoomSize);
    const int size = Zoom.Size;
    resize(size + 15, size + 55);
    Panel1->setGeometry(0, 0, size + 15, kPanelHeight);
    // The picture keeps showing the followed point rather than going blank.
    Redraw();
    update();
}

void TFormZoom::Redraw() {
    if (!Zoom.Slot.img || Zoom.Slot.img->bitmap.isNull()) return;
    ZoomLabel(Zoom.Slot);
    Zoom.Redraw(main_ ? main_->Display.MarkerColor : 0x808000u);
}

void TFormZoom::SpeedButton1Click() {
    Settings.ZoomSize = ZoomSizeUp(Settings.ZoomSize);
    ZoomResize();
    repaint();
}

void TFormZoom::SpeedButton2Click() {
    Settings.ZoomSize = ZoomSizeDown(Settings.ZoomSize);
    ZoomResize();
    repaint();
}

void TFormZoom::FormActivate() {
    ZoomResize();
    unsetCursor();
}

void TFormZoom::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect picture(kPictureLeft, kPictureTop, Zoom.Size, Zoom.Size);
    // The margins around the picture, then the picture itself.
    const QRegion margins = QRegion(rect()) - QRegion(picture);
    for (const QRect& r : margins) p.fillRect(r, palette().window());
    p.drawImage(picture.topLeft(), Zoom.ZoomBitmap);
}

void TFormZoom::showEvent(QShowEvent* event) {
    Settings.ZoomVisible = true;
    if (main_) main_->Pointer.ZoomFollow = true;
    // The desktop arrangement may have changed the size while hidden.
    ZoomResize();
    QWidget::showEvent(event);
}

void TFormZoom::closeEvent(QCloseEvent* event) {
    Settings.ZoomVisible = false;
    if (main_) main_->Pointer.ZoomFollow = false;
    QWidget::closeEvent(event);
}

void TFormZoom::keyPressEvent(QKeyEvent* event) {
    if (main_ && main_->FormKeyDown(event))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

void TFormZoom::wheelEvent(QWheelEvent* event) {
    if (gStarted && main_)
        main_->FormMouseWheel(event);
    else
        event->ignore();
}

void TFormZoom::mousePressEvent(QMouseEvent* event) {
    // A click on the picture takes the keys, which then go to the display,
    // and the magnifier follows the pointer again.
    setFocus(Qt::MouseFocusReason);
    if (main_) main_->Pointer.ZoomFollow = true;
    event->accept();
}

bool TFormZoom::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) FormActivate();
    if (event->type() == QEvent::LanguageChange && labelShown_)
        Label1->setText(ZoomLabelText(labelLeft_));
    return QWidget::event(event);
}
