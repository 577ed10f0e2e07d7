// "Distance  entre Points Homologues à l'infini (MAOFD)": the expert
// calculator of the infinity distance from pixels, a ratio or shooting data.
#include "montage/tformrearwinexpert.h"

#include "montage/alignment.h"
#include "montage/calculatorcontrols_ui.h"
#include "montage/stereowindow.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// A titled group of radio buttons; their ids are their positions.
QButtonGroup* Radios(QWidget* parent, const char* name, const char* title, const QStringList& items,
                     QBoxLayout* into) {
    auto* box = new QGroupBox(QString::fromUtf8(title), parent);
    box->setObjectName(QString::fromLatin1(name));
    auto* row = new QHBoxLayout(box);
    auto* group = new QButtonGroup(parent);
    for (int i = 0; i < items.size(); ++i) {
        auto* rb = new QRadioButton(items[i], box);
        rb->setObjectName(QStringLiteral("%1Item%2").arg(QString::fromLatin1(name)).arg(i));
        group->addButton(rb, i);
        row->addWidget(rb);
    }
    into->addWidget(box);
    return group;
}

} // namespace

TFormRearWinExpert::TFormRearWinExpert(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("FormRearWinExpert"));
    setWindowTitle(QString::fromUtf8("Distance  entre Points Homologues à l'infini (MAOFD)"));
    setModal(false);

    auto* v = new QVBoxLayout(this);
    RadioGroup2 = Radios(this, "RadioGroup2", "Choisir la valeur:",
                         {QStringLiteral("Calcul sur prise de vue"),
                          QStringLiteral("Dist. aux \"infinis\" en pixels"),
                          QStringLiteral("Rapport Dist. aux infinis/Largeur")},
                         v);
    EditRapport = NamedEdit(this, "EditRapport");
    Editmaofdpixel = NamedEdit(this, "Editmaofdpixel");
    auto* values = new QFormLayout;
    values->addRow(QStringLiteral("Rapport entre Distance aux Infinis et Largeur Image:"),
                   EditRapport);
    values->addRow(QStringLiteral("Distance aux \"infinis\" en Pixels:"), Editmaofdpixel);
    v->addLayout(values);

    auto* shooting = new QGroupBox(QStringLiteral("Données de la Prise de Vue (PDV):"), this);
    auto* sv = new QVBoxLayout(shooting);
    auto* sf = new QFormLayout;
    EditFocal = NamedEdit(shooting, "EditFocal");
    EditBase = NamedEdit(shooting, "EditBase");
    EditDistance = NamedEdit(shooting, "EditDistance");
    EditInfini = NamedEdit(shooting, "EditInfini");
    sf->addRow(QStringLiteral("Focale (en mm) :"), EditFocal);
    sf->addRow(QStringLiteral("Base (en mm) :"), EditBase);
    sf->addRow(QStringLiteral("Distance au Premier Plan (en mm) : "), EditDistance);
    sf->addRow(QStringLiteral("Distance aux infinis (en mm)"), EditInfini);
    sv->addLayout(sf);
    RadioGroup1 = Radios(shooting, "RadioGroup1", "", {"F", "B", "D", "E"}, sv);
    ButtonShooting =
        NamedButton(shooting, "ButtonShooting",
                    "Calculer paramètres de PDV - Dist. aux \"infinis\" = F * B / D - F");
    sv->addWidget(ButtonShooting);
    v->addWidget(shooting);

    auto* sensor = new QGroupBox(QStringLiteral("Surface Sensible (capteur):"), this);
    auto* sensorForm = new QFormLayout(sensor);
    EditLargeurSensible = NamedEdit(sensor, "EditLargeurSensible");
    ComboBox1 = new QComboBox(sensor);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItem(QStringLiteral("Taille Image Courante"));
    for (int r : trearwinexpert::kResolutions) ComboBox1->addItem(QString::number(r));
    EditImageSize = NamedEdit(sensor, "EditImageSize");
    sensorForm->addRow(QStringLiteral("Largeur de la Surface Sensible (en mm)"),
                       EditLargeurSensible);
    sensorForm->addRow(QString::fromUtf8("Résolution (en pixels)"), ComboBox1);
    sensorForm->addRow(QString(), EditImageSize);
    v->addWidget(sensor);

    LabelResultat = new QLabel(QString::fromUtf8("Résultat (en Pixels et % Largeur) "), this);
    LabelResultat->setObjectName(QStringLiteral("LabelResultat"));
    v->addWidget(LabelResultat);
    ButtonFix = NamedButton(this, "ButtonFix", "Fixer la MAOFD");
    ButtonDefault = NamedButton(this, "ButtonDefault", "Par Défaut");
    ButtonApply = NamedButton(this, "ButtonApply", "Appliquer");
    BitBtnOk = NamedButton(this, "BitBtnOk", "Ok..");
    BitBtnCancel = NamedButton(this, "BitBtnCancel", "Annuler");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {ButtonFix, ButtonDefault, ButtonApply, BitBtnOk, BitBtnCancel})
        buttons->addWidget(b);
    v->addLayout(buttons);

    // Entering a value field chooses it.
    EditRapport->installEventFilter(this);
    Editmaofdpixel->installEventFilter(this);
    for (QLineEdit* e : {EditRapport, Editmaofdpixel, EditImageSize})
        connect(e, &QLineEdit::textEdited, this, [this] { ButtonFixClick(); });
    connect(RadioGroup2, &QButtonGroup::idClicked, this, [this] { ButtonFixClick(); });
    connect(ComboBox1, &QComboBox::activated, this, [this](int index) {
        ReadControls();
        Fields.ChooseResolution(index, PictureWidth());
        ShowFields();
    });
    connect(ButtonShooting, &QPushButton::clicked, this, [this] { ButtonShootingClick(); });
    connect(ButtonFix, &QPushButton::clicked, this, [this] { ButtonFixClick(); });
    connect(ButtonDefault, &QPushButton::clicked, this, [this] { ButtonDefaultClick(); });
    connect(ButtonApply, &QPushButton::clicked, this, [this] { ButtonApplyClick(); });
    connect(BitBtnOk, &QPushButton::clicked, this, [this] {
        ButtonApplyClick();
        accept();
    });
    connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);

    RadioGroup2->button(trearwinexpert::ChoicePixels)->setChecked(true);
    RadioGroup1->button(trearwinexpert::UnknownE)->setChecked(true);
    ButtonDefaultClick();
    resize(480, 520);
}

int TFormRearWinExpert::PictureWidth() const {
    return host_ ? host_->Pair().ImgLeft.Width() : 0;
}

void TFormRearWinExpert::ReadControls() {
    Fields.choice = RadioGroup2->checkedId();
    Fields.unknown = RadioGroup1->checkedId();
    Fields.resolutionIndex = ComboBox1->currentIndex();
    Fields.ratio = EditRapport->text();
    Fields.pixels = Editmaofdpixel->text();
    Fields.focal = EditFocal->text();
    Fields.base = EditBase->text();
    Fields.distance = EditDistance->text();
    Fields.infinity = EditInfini->text();
    Fields.sensorWidth = EditLargeurSensible->text();
    Fields.imageSize = EditImageSize->text();
}

void TFormRearWinExpert::ShowFields() {
    if (QAbstractButton* b = RadioGroup2->button(Fields.choice)) b->setChecked(true);
    if (QAbstractButton* b = RadioGroup1->button(Fields.unknown)) b->setChecked(true);
    ComboBox1->setCurrentIndex(Fields.resolutionIndex);
    SetFieldText(EditRapport, Fields.ratio);
    SetFieldText(Editmaofdpixel, Fields.pixels);
    SetFieldText(EditFocal, Fields.focal);
    SetFieldText(EditBase, Fields.base);
    SetFieldText(EditDistance, Fields.distance);
    SetFieldText(EditInfini, Fields.infinity);
    SetFieldText(EditLargeurSensible, Fields.sensorWidth);
    SetFieldText(EditImageSize, Fields.imageSize);
    LabelResultat->setText(Fields.result);
}

void TFormRearWinExpert::ShowCurrentSize() {
    ReadControls();
    Fields.ShowCurrentSize(PictureWidth());
    ShowFields();
}

void TFormRearWinExpert::ButtonDefaultClick() {
    ReadControls();
    Fields.Defaults(PictureWidth());
    ShowFields();
}

void TFormRearWinExpert::ButtonFixClick() {
    ReadControls();
    Fields.Compute(PictureWidth());
    ShowFields();
}

void TFormRearWinExpert::ButtonShootingClick() {
    ReadControls();
    Fields.ComputeShooting(PictureWidth());
    ShowFields();
}

void TFormRearWinExpert::ButtonApplyClick() {
    ButtonFixClick();
    InfinityFraction = Fields.MaofdRatio;
    if (RunImageWidthMode)
        RunImageWidthMode();
    else if (host_)
        RunWindowMode(*host_, CalcImageWidth);
}

void TFormRearWinExpert::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ShowCurrentSize();
}

void TFormRearWinExpert::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) ShowCurrentSize();
}

bool TFormRearWinExpert::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        const int choice =
            watched == EditRapport ? trearwinexpert::ChoiceRatio : trearwinexpert::ChoicePixels;
        if (RadioGroup2->checkedId() != choice) {
            RadioGroup2->button(choice)->setChecked(true);
            ButtonFixClick();
        }
    }
    return QDialog::eventFilter(watched, event);
}
