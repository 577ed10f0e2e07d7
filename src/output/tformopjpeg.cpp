// The JPEG options window's controls, the quality field's buttons and the
// preview of the left view through the chosen options.
#include "output/tformopjpeg.h"

#include "core/settings.h"
#include "core/viewpair.h"
#include "output/jpegpreview.h"
#include "output/jpegquality.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Both pictures of the preview have this size.
constexpr int kPreviewSide = 220;

QCheckBox* NewCheck(QWidget* parent, const char* name, const char* text) {
    auto* c = new QCheckBox(QString::fromUtf8(text), parent);
    c->setObjectName(QString::fromLatin1(name));
    return c;
}

QComboBox* NewCombo(QWidget* parent, const char* name, std::initializer_list<const char*> items) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    for (const char* i : items) c->addItem(QString::fromUtf8(i));
    return c;
}

QLabel* NewPicture(QWidget* parent, const char* name) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setFixedSize(kPreviewSide, kPreviewSide);
    l->setStyleSheet(QStringLiteral("background: black"));
    return l;
}

} // namespace

TFormOpJpeg::TFormOpJpeg(const tviewpair* pair) : QWidget(nullptr), pair_(pair) {
    setObjectName(QStringLiteral("FormOpJpeg"));
    setWindowTitle(QStringLiteral("Options Jpeg"));

    auto* quality = new QHBoxLayout;
    quality->addWidget(new QLabel(QString::fromUtf8("Qualité de Compression:"), this));
    EditCompressionQuality = new QLineEdit(this);
    EditCompressionQuality->setObjectName(QStringLiteral("EditCompressionQuality"));
    EditCompressionQuality->setMaximumWidth(60);
    SpeedButtonUp = new QToolButton(this);
    SpeedButtonUp->setObjectName(QStringLiteral("SpeedButtonUp"));
    SpeedButtonUp->setText(QStringLiteral("+"));
    SpeedButtonDown = new QToolButton(this);
    SpeedButtonDown->setObjectName(QStringLiteral("SpeedButtonDown"));
    SpeedButtonDown->setText(QStringLiteral("-"));
    quality->addWidget(EditCompressionQuality);
    quality->addWidget(SpeedButtonUp);
    quality->addWidget(SpeedButtonDown);
    quality->addStretch(1);

    CheckBoxGrayScale = NewCheck(this, "CheckBoxGrayScale", "Sauver en Niveaux de Gris");
    CheckBoxProgressiveEncoding =
        NewCheck(this, "CheckBoxProgressiveEncoding", "Encoder en JPEG Progressif");
    CheckBoxDisableHorzSubSampling = NewCheck(this, "CheckBoxDisableHorzSubSampling",
                                              "Désactiver le Sous Echantillonage Horizontal");
    CheckBoxDisableVertSubSampling = NewCheck(this, "CheckBoxDisableVertSubSampling",
                                              "Désactiver le Sous Echantillonage Vertical");

    GroupBoxRead = new QGroupBox(QStringLiteral("Options de Lecture:"), this);
    GroupBoxRead->setObjectName(QStringLiteral("GroupBoxRead"));
    ComboBoxPerformance = NewCombo(GroupBoxRead, "ComboBoxPerformance", {"Qualité", "Vitesse"});
    ComboBoxPixelFormat = NewCombo(GroupBoxRead, "ComboBoxPixelFormat", {"24 bits", "8 bits"});
    CheckBoxProgressiveDisplay =
        NewCheck(GroupBoxRead, "CheckBoxProgressiveDisplay", "Affichage Progressif");
    ComboBoxScale =
        NewCombo(GroupBoxRead, "ComboBoxScale",
                 {"Pleine Taille", "Demie Taille", "Quart de Taille", "Huitième de Taille"});
    ComboBoxScale->setEnabled(false);
    CheckBoxSmoothing = NewCheck(GroupBoxRead, "CheckBoxSmoothing", "Lissage");
    auto* read = new QVBoxLayout(GroupBoxRead);
    for (QWidget* w : std::initializer_list<QWidget*>{ComboBoxPerformance, ComboBoxPixelFormat,
                                                      CheckBoxProgressiveDisplay, ComboBoxScale,
                                                      CheckBoxSmoothing})
        read->addWidget(w);

    SpeedButtonPreview = new QPushButton(QStringLiteral(">> Voir   >>"), this);
    SpeedButtonPreview->setObjectName(QStringLiteral("SpeedButtonPreview"));
    SpeedButtonDefault = new QPushButton(QString::fromUtf8("Défaut"), this);
    SpeedButtonDefault->setObjectName(QStringLiteral("SpeedButtonDefault"));
    BitBtnOk = new QPushButton(QStringLiteral("OK"), this);
    BitBtnOk->setObjectName(QStringLiteral("BitBtnOk"));

    ImageSRC = NewPicture(this, "ImageSRC");
    ImageDST = NewPicture(this, "ImageDST");
    ScrollBarH = new QScrollBar(Qt::Horizontal, this);
    ScrollBarH->setObjectName(QStringLiteral("ScrollBarH"));
    ScrollBarV = new QScrollBar(Qt::Vertical, this);
    ScrollBarV->setObjectName(QStringLiteral("ScrollBarV"));

    auto* options = new QVBoxLayout;
    options->addLayout(quality);
    for (QWidget* w : std::initializer_list<QWidget*>{
             CheckBoxGrayScale, CheckBoxProgressiveEncoding, CheckBoxDisableHorzSubSampling,
             CheckBoxDisableVertSubSampling, GroupBoxRead})
        options->addWidget(w);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SpeedButtonDefault);
    buttons->addStretch(1);
    buttons->addWidget(BitBtnOk);
    options->addStretch(1);
    options->addLayout(buttons);

    auto* pictures = new QGridLayout;
    pictures->addWidget(ImageSRC, 0, 0);
    pictures->addWidget(SpeedButtonPreview, 0, 1, Qt::AlignVCenter);
    pictures->addWidget(ImageDST, 0, 2);
    pictures->addWidget(ScrollBarV, 0, 3);
    pictures->addWidget(ScrollBarH, 1, 0, 1, 3);
    pictures->setRowStretch(2, 1);

    auto* top = new QHBoxLayout(this);
    top->addLayout(options);
    top->addLayout(pictures);

    connect(SpeedButtonUp, &QToolButton::clicked, this, &TFormOpJpeg::SpeedButtonUpClick);
    connect(SpeedButtonDown, &QToolButton::clicked, this, &TFormOpJpeg::SpeedButtonDownClick);
    connect(EditCompressionQuality, &QLineEdit::textChanged, this,
            &TFormOpJpeg::EditCompressionQualityChange);
    connect(SpeedButtonPreview, &QPushButton::clicked, this, &TFormOpJpeg::PreviewJpeg);
    connect(SpeedButtonDefault, &QPushButton::clicked, this, &TFormOpJpeg::ResetJpegOptions);
    connect(BitBtnOk, &QPushButton::clicked, this, [this] {
        StoreJpegOptions();
        close();
    });
    // The preview follows a scroll bar when its scroll ends, not on every step.
    for (QScrollBar* s : {ScrollBarH, ScrollBarV}) {
        connect(s, &QScrollBar::sliderReleased, this, &TFormOpJpeg::PreviewJpeg);
        connect(s, &QScrollBar::actionTriggered, this, [this, s](int action) {
            if (action != QAbstractSlider::SliderMove && !s->isSliderDown())
                QMetaObject::invokeMethod(this, &TFormOpJpeg::PreviewJpeg, Qt::QueuedConnection);
        });
    }

    ResetJpegOptions();
}

void TFormOpJpeg::EditCompressionQualityChange() {
    const QString clean = CleanJpegQualityText(EditCompressionQuality->text());
    if (clean != EditCompressionQuality->text()) EditCompressionQuality->setText(clean);
}

void TFormOpJpeg::SpeedButtonUpClick() {
    EditCompressionQuality->setText(
        StepJpegQualityText(EditCompressionQuality->text(), JpegQualityStep));
}

void TFormOpJpeg::SpeedButtonDownClick() {
    EditCompressionQuality->setText(
        StepJpegQualityText(EditCompressionQuality->text(), -JpegQualityStep));
}

void TFormOpJpeg::StoreJpegOptions() {
    tjpegoptions& o = JpegDefaults;
    o.quality = JpegQualityOf(EditCompressionQuality->text());
    o.grayscale = CheckBoxGrayScale->isChecked();
    o.performance = ComboBoxPerformance->currentIndex() == 1 ? JpegBestSpeed : JpegBestQuality;
    o.pixelFormat = ComboBoxPixelFormat->currentIndex() == 1 ? JpegPixels8 : JpegPixels24;
    o.progressiveDisplay = CheckBoxProgressiveDisplay->isChecked();
    o.progressiveEncoding = CheckBoxProgressiveEncoding->isChecked();
    o.scale = std::max(0, ComboBoxScale->currentIndex());
    o.smoothing = CheckBoxSmoothing->isChecked();
    o.hSubsampling = !CheckBoxDisableHorzSubSampling->isChecked();
    o.vSubsampling = !CheckBoxDisableVertSubSampling->isChecked();
    Settings.JpegHSampling = o.hSubsampling;
    Settings.JpegVSampling = o.vSubsampling;
}

void TFormOpJpeg::LoadJpegOptions(const tjpegoptions& o) {
    EditCompressionQuality->setText(QString::number(o.quality));
    CheckBoxGrayScale->setChecked(o.grayscale);
    ComboBoxPerformance->setCurrentIndex(o.performance == JpegBestSpeed ? 1 : 0);
    ComboBoxPixelFormat->setCurrentIndex(o.pixelFormat == JpegPixels8 ? 1 : 0);
    CheckBoxProgressiveDisplay->setChecked(o.progressiveDisplay);
    CheckBoxProgressiveEncoding->setChecked(o.progressiveEncoding);
    ComboBoxScale->setCurrentIndex(o.scale >= 0 && o.scale <= 3 ? o.scale : 0);
    CheckBoxSmoothing->setChecked(o.smoothing);
    CheckBoxDisableHorzSubSampling->setChecked(!o.hSubsampling);
    CheckBoxDisableVertSubSampling->setChecked(!o.vSubsampling);
}

void TFormOpJpeg::ResetJpegOptions() {
    tjpegoptions o;
    ::ResetJpegOptions(o, Settings.JpegHSampling, Settings.JpegVSampling);
    LoadJpegOptions(o);
    StoreJpegOptions();
}

void TFormOpJpeg::FormActivate() {
    const int w = pair_ ? pair_->ImgLeft.bitmap.width() : 0;
    const int h = pair_ ? pair_->ImgLeft.bitmap.height() : 0;
    const QSignalBlocker bh(ScrollBarH), bv(ScrollBarV);
    ScrollBarH->setRange(-w, w);
    ScrollBarV->setRange(-h, h);
}

void TFormOpJpeg::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The options may have been set since (start-up, the command line): the
    // controls show the ones in force.
    LoadJpegOptions(JpegDefaults);
    FormActivate();
    PreviewJpeg();
}

void TFormOpJpeg::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Another pair may have been opened since the window was last active.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void TFormOpJpeg::PreviewJpeg() {
    StoreJpegOptions();
    static const timg noView;
    const timg& view = pair_ ? pair_->ImgLeft : noView;
    QImage result;
    if (ComposeJpegPreview(view, ImageSRC->width(), ImageSRC->height(), ScrollBarH->value(),
                           ScrollBarV->value(), JpegDefaults, PreviewSource, result))
        PreviewResult = result;
    ImageSRC->setPixmap(QPixmap::fromImage(PreviewSource));
    if (!PreviewResult.isNull()) ImageDST->setPixmap(QPixmap::fromImage(PreviewResult));
}
