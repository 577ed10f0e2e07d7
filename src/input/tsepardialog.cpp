// The separation dialog: its controls, texts and handlers.
#include "input/tsepardialog.h"

#include "core/settings.h"
#include "core/viewpair.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// Item texts are the program's own; two spaces after "Jamais," as always shown.
const char* const kAskItems[] = {"Toujours", "Jamais,  Prendre Séparation Nulle",
                                 "Jamais,  Prendre Valeur Manuelle",
                                 "Jamais,  Prendre Valeur Automatique"};

} // namespace

TSeparDialog::TSeparDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("SeparDialog");
    setWindowTitle(QString::fromUtf8("Extraction des Vues Stéréo"));

    auto* sizeBox =
        new QGroupBox(QString::fromUtf8("Taille de la Séparation entre les Vues (en pixels):"));
    sizeBox->setObjectName("RadioGroup1");
    RadioGroup1 = new QButtonGroup(this);
    auto* autoButton = new QRadioButton(QString::fromUtf8("Valeur Automatique"));
    auto* manualButton = new QRadioButton(QString::fromUtf8("Valeur Manuelle"));
    RadioGroup1->addButton(autoButton, 0);
    RadioGroup1->addButton(manualButton, 1);
    EditSeparAuto = new QLineEdit;
    EditSeparAuto->setObjectName("EditSeparAuto");
    EditSeparAuto->setEnabled(false);
    EditSeparManuel = new QLineEdit;
    EditSeparManuel->setObjectName("EditSeparManuel");
    auto* sizeGrid = new QVBoxLayout(sizeBox);
    auto* autoRow = new QHBoxLayout;
    autoRow->addWidget(autoButton);
    autoRow->addWidget(EditSeparAuto);
    auto* manualRow = new QHBoxLayout;
    manualRow->addWidget(manualButton);
    manualRow->addWidget(EditSeparManuel);
    sizeGrid->addLayout(autoRow);
    sizeGrid->addLayout(manualRow);

    auto* askBox = new QGroupBox(QString::fromUtf8("Afficher cette Fenêtre:"));
    askBox->setObjectName("RadioGroupDemander");
    RadioGroupDemander = new QButtonGroup(this);
    auto* askLayout = new QVBoxLayout(askBox);
    for (int i = 0; i < 4; ++i) {
        auto* b = new QRadioButton(QString::fromUtf8(kAskItems[i]));
        RadioGroupDemander->addButton(b, i);
        askLayout->addWidget(b);
    }

    BitBtnIgnore = new QPushButton(QString::fromUtf8("Ignorer"));
    BitBtnIgnore->setObjectName("BitBtnIgnore");
    BitBtnOk = new QPushButton(QString::fromUtf8("OK"));
    BitBtnOk->setObjectName("BitBtnOk");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtnIgnore);
    buttons->addWidget(BitBtnOk);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sizeBox);
    layout->addWidget(askBox);
    layout->addLayout(buttons);

    connect(BitBtnIgnore, &QPushButton::clicked, this, &TSeparDialog::BitBtnIgnoreClick);
    connect(BitBtnOk, &QPushButton::clicked, this, &TSeparDialog::BitBtnOkClick);
    FormCreate();
}

void TSeparDialog::FormCreate() {
    EditSeparAuto->setText("0");
    EditSeparManuel->setText("0");
    RadioGroup1->button(0)->setChecked(true);
}

void TSeparDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TSeparDialog::FormShow() {
    EditSeparManuel->setText(QString::number(Settings.OpenSepar));
    const int option = Settings.ExtractOption;
    if (option >= 0 && option < 4) RadioGroupDemander->button(option)->setChecked(true);
    if (option == 1) {
        RadioGroup1->button(1)->setChecked(true);
        EditSeparManuel->setText("0");
    } else if (option == 2) {
        RadioGroup1->button(1)->setChecked(true);
    } else if (option >= 3) {
        RadioGroup1->button(0)->setChecked(true);
    }
    BitBtnIgnore->setFocus();
}

void TSeparDialog::ShowFromMenu(const tviewpair& pair) {
    EditSeparAuto->setText(QString::number(AutoSeparation(pair.ImgLeft.bitmap, pair.StereoType)));
    show();
    raise();
}

void TSeparDialog::BitBtnIgnoreClick() {
    EditSeparAuto->setText("0");
    done(IgnoreResult);
}

void TSeparDialog::BitBtnOkClick() {
    // Stored as typed: the even rounding belongs to SetManualSeparation only.
    Settings.OpenSepar = SeparationFieldValue(EditSeparManuel->text());
    Settings.ExtractOption = AskChoice();
    accept();
}

QString TSeparDialog::AutoText() const {
    return EditSeparAuto->text();
}
void TSeparDialog::SetAutoText(const QString& text) {
    EditSeparAuto->setText(text);
}
QString TSeparDialog::ManualText() const {
    return EditSeparManuel->text();
}
void TSeparDialog::SetManualText(const QString& text) {
    EditSeparManuel->setText(text);
}

bool TSeparDialog::AskForSplit() {
    hide(); // it may be open from the menu; a split asks modally
    return exec() != IgnoreResult;
}

int TSeparDialog::AskChoice() const {
    const int id = RadioGroupDemander->checkedId();
    return id >= 0 ? id : Settings.ExtractOption;
}

bool TSeparDialog::ManualChosen() const {
    return RadioGroup1->checkedId() == 1;
}
