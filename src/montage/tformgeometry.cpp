// The "Geometry" dialog: the magnification correction's own window, holding
// the distance mode, the factor label and the fine-step buttons.
#include "montage/tformgeometry.h"

#include "core/runflags.h"
#include "core/timg.h"
#include "montage/alignment.h"
#include "montage/magnification.h"

#include <QGridLayout>
#include <QLabel>
#include <QToolButton>

namespace {

QToolButton* Button(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(QString::fromUtf8(caption));
    return b;
}

} // namespace

TFormGeometry::TFormGeometry(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("FormGeometry"));
    setWindowTitle(QStringLiteral("Geometry"));

    LabelFactor = new QLabel(QStringLiteral("100.00"), this);
    LabelFactor->setObjectName(QStringLiteral("LabelFactor"));
    SpeedButtonZ1 = Button(this, "SpeedButtonZ1", "Z1");
    SpeedButtonZ2 = Button(this, "SpeedButtonZ2", "Z2");
    SpeedButtonLock = Button(this, "SpeedButtonLock", "Lock");
    SpeedButtonLock->setCheckable(true);
    SpeedButtonLock->setChecked(true);
    SpeedButtondz = Button(this, "SpeedButtondz", "Voir");
    SpeedButtonApplyZoom = Button(this, "SpeedButtonApplyZoom", "Appliquer");
    SpeedButtonZCancel = Button(this, "SpeedButtonZCancel", "Annuler");
    SpeedButtonZp = Button(this, "SpeedButtonZp", "+");
    SpeedButtonZm = Button(this, "SpeedButtonZm", "-");
    SpeedButtonZ0 = Button(this, "SpeedButtonZ0", "0");
    SpeedButtonLeft = Button(this, "SpeedButtonLeft", "<*");
    SpeedButtonRight = Button(this, "SpeedButtonRight", "*>");
    BitBtnClose = Button(this, "BitBtnClose", "Fermer");

    auto* grid = new QGridLayout(this);
    grid->addWidget(SpeedButtonZ1, 0, 0);
    grid->addWidget(SpeedButtonZ2, 0, 1);
    grid->addWidget(SpeedButtonLock, 0, 2);
    grid->addWidget(SpeedButtonLeft, 1, 0);
    grid->addWidget(LabelFactor, 1, 1, Qt::AlignCenter);
    grid->addWidget(SpeedButtonRight, 1, 2);
    grid->addWidget(SpeedButtonZm, 2, 0);
    grid->addWidget(SpeedButtonZ0, 2, 1);
    grid->addWidget(SpeedButtonZp, 2, 2);
    grid->addWidget(SpeedButtondz, 3, 0);
    grid->addWidget(SpeedButtonApplyZoom, 3, 1);
    grid->addWidget(SpeedButtonZCancel, 3, 2);
    grid->addWidget(BitBtnClose, 4, 2);

    connect(SpeedButtondz, &QToolButton::clicked, this, [this] { SpeedButtondzClick(); });
    connect(SpeedButtonApplyZoom, &QToolButton::clicked, this,
            [this] { SpeedButtonApplyZoomClick(); });
    connect(SpeedButtonZCancel, &QToolButton::clicked, this, [this] { SpeedButtonZCancelClick(); });
    connect(SpeedButtonZp, &QToolButton::clicked, this, [this] { SpeedButtonZpClick(); });
    connect(SpeedButtonZm, &QToolButton::clicked, this, [this] { SpeedButtonZmClick(); });
    connect(SpeedButtonZ0, &QToolButton::clicked, this, [this] { SpeedButtonZ0Click(); });
    connect(SpeedButtonZ1, &QToolButton::clicked, this, [this] { PointButtonClick(PtDz1); });
    connect(SpeedButtonZ2, &QToolButton::clicked, this, [this] { PointButtonClick(PtDz2); });
    connect(SpeedButtonLeft, &QToolButton::clicked, this, [this] { ViewButtonClick(true); });
    connect(SpeedButtonRight, &QToolButton::clicked, this, [this] { ViewButtonClick(false); });
    connect(BitBtnClose, &QToolButton::clicked, this, &QWidget::close);
    resize(320, 240);
}

void TFormGeometry::ShowFactorText(const QString& text) {
    LabelFactor->setText(text);
}

void TFormGeometry::PressLock() {
    SpeedButtonLock->setChecked(true);
}

void TFormGeometry::SpeedButtondzClick() {
    if (host_) ShowMagnification(*host_, DistanceMode);
}

bool TFormGeometry::SpeedButtonApplyZoomClick() {
    return host_ && ApplyMagnification(*host_, DistanceMode);
}

void TFormGeometry::SpeedButtonZCancelClick() {
    if (host_) CancelMagnification(*host_);
}

void TFormGeometry::SpeedButtonZpClick() {
    if (host_) StepScale(*host_, +1);
}

void TFormGeometry::SpeedButtonZmClick() {
    if (host_) StepScale(*host_, -1);
}

void TFormGeometry::SpeedButtonZ0Click() {
    if (host_) StepScale(*host_, 0);
}

void TFormGeometry::PointButtonClick(int tag) {
    CurPoint = tag;
}

void TFormGeometry::ViewButtonClick(bool left) {
    if (!host_) return;
    host_->MakeCurrent(left);
    const double scale = CurrentView(*host_).scale;
    if (scale != 0) ShowFactorText(FactorText(scale));
}
