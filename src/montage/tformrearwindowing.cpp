// "Fenêtrage Stéréo: Distance entre Points Homologues": the distance between
// homologous points from a width and a ratio, applied as the stereo window.
#include "montage/tformrearwindowing.h"

#include "montage/alignment.h"
#include "montage/calculatorcontrols_ui.h"
#include "montage/stereowindow.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

TFormRearWindowing::TFormRearWindowing(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("FormRearWindowing"));
    setWindowTitle(QString::fromUtf8("Fenêtrage Stéréo: Distance entre Points Homologues"));
    setModal(false);

    RadioButtonInf = new QRadioButton(QString::fromUtf8("Points à l'infini"), this);
    RadioButtonInf->setObjectName(QStringLiteral("RadioButtonInf"));
    RadioButtonWin = new QRadioButton(QString::fromUtf8("Points à la fenêtre"), this);
    RadioButtonWin->setObjectName(QStringLiteral("RadioButtonWin"));
    ComboBoxSize = new QComboBox(this);
    ComboBoxSize->setObjectName(QStringLiteral("ComboBoxSize"));
    ComboBoxSize->addItems({QStringLiteral("Cadre Auto"), QStringLiteral("Cadre Manuel"),
                            QStringLiteral("Taille saisie"), QStringLiteral("Taille Image")});
    EditLargeurImage = NamedEdit(this, "EditLargeurImage");
    LabelHeight = new QLabel(QStringLiteral("Hauteur Image:"), this);
    LabelHeight->setObjectName(QStringLiteral("LabelHeight"));
    EditRapport = NamedEdit(this, "EditRapport");
    EditDist = NamedEdit(this, "EditDist");
    ButtonCalc =
        NamedButton(this, "ButtonCalc", "Calculer la Distance selon les Données ci dessus...");
    ButtonDefault = NamedButton(this, "ButtonDefault", "Par Défaut");
    ButtonApply = NamedButton(this, "ButtonApply", "Appliquer");
    BitBtnOk = NamedButton(this, "BitBtnOk", "Ok..");
    BitBtnCancel = NamedButton(this, "BitBtnCancel", "Annuler");

    auto* v = new QVBoxLayout(this);
    auto* radios = new QHBoxLayout;
    radios->addWidget(RadioButtonInf);
    radios->addWidget(RadioButtonWin);
    v->addLayout(radios);
    v->addWidget(ComboBoxSize);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Largeur de l'Image  (en Pixels)"), EditLargeurImage);
    form->addRow(QString(), LabelHeight);
    form->addRow(QStringLiteral("Rapport entre Distance des Homologues et Largeur Image:"),
                 EditRapport);
    v->addLayout(form);
    v->addWidget(ButtonCalc);
    auto* dist = new QFormLayout;
    dist->addRow(QString::fromUtf8("Valeur de la Distance à Appliquer en Pixels:"), EditDist);
    v->addLayout(dist);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {ButtonDefault, ButtonApply, BitBtnOk, BitBtnCancel})
        buttons->addWidget(b);
    v->addLayout(buttons);

    connect(ComboBoxSize, &QComboBox::activated, this, [this] { Recalculate(); });
    // Any key in the width field makes the width a typed one.
    connect(EditLargeurImage, &QLineEdit::textEdited, this, [this] {
        {
            const QSignalBlocker block(ComboBoxSize);
            ComboBoxSize->setCurrentIndex(trearwindowing::SizeTyped);
        }
        Recalculate();
    });
    connect(EditRapport, &QLineEdit::textEdited, this, [this] { Recalculate(); });
    connect(RadioButtonInf, &QRadioButton::clicked, this, [this] { Recalculate(); });
    connect(RadioButtonWin, &QRadioButton::clicked, this, [this] { Recalculate(); });
    connect(ButtonCalc, &QPushButton::clicked, this, [this] { Recalculate(); });
    connect(ButtonDefault, &QPushButton::clicked, this, [this] { ButtonDefaultClick(); });
    connect(ButtonApply, &QPushButton::clicked, this, [this] { ButtonApplyClick(); });
    connect(BitBtnOk, &QPushButton::clicked, this, [this] {
        ButtonApplyClick();
        accept();
    });
    connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);

    ButtonDefaultClick();
    resize(420, 320);
}

twindowsources TFormRearWindowing::Sources() const {
    return host_ ? WindowSources(host_->Pair()) : twindowsources();
}

void TFormRearWindowing::ReadControls() {
    Fields.atInfinity = !RadioButtonWin->isChecked();
    Fields.sizeIndex = ComboBoxSize->currentIndex();
    Fields.width = EditLargeurImage->text();
    Fields.ratio = EditRapport->text();
    Fields.distance = EditDist->text();
}

void TFormRearWindowing::ShowFields() {
    const QSignalBlocker block(ComboBoxSize);
    RadioButtonInf->setChecked(Fields.atInfinity);
    RadioButtonWin->setChecked(!Fields.atInfinity);
    ComboBoxSize->setCurrentIndex(Fields.sizeIndex);
    // Rewriting the field being typed in would move its cursor.
    SetFieldText(EditLargeurImage, Fields.width);
    LabelHeight->setText(Fields.heightLabel);
    SetFieldText(EditRapport, Fields.ratio);
    EditDist->setText(Fields.distance);
}

void TFormRearWindowing::ButtonDefaultClick() {
    Fields.Defaults(Sources());
    ShowFields();
}

void TFormRearWindowing::Recalculate() {
    ReadControls();
    if (Fields.sizeIndex == trearwindowing::SizeAuto && host_) host_->SetAutomaticCrop();
    Fields.Recalculate(Sources());
    ShowFields();
}

void TFormRearWindowing::ButtonApplyClick() {
    ReadControls();
    const double d = Fields.DistanceToApply(Sources().pictureWidth);
    ShowFields();
    if (!host_) return;
    PlaceStereoWindow(*host_, d);
    host_->ShowShiftInfo();
}

void TFormRearWindowing::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Recalculate();
}
