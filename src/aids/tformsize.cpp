// The image size dialog: its controls and its results.
#include "aids/tformsize.h"

#include "aids/imagesize.h"
#include "core/settings.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

TFormSize::TFormSize(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormSize"));
    setWindowTitle(QStringLiteral("Taille d'Image"));
    auto* top = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    ComboBoxSource = new QComboBox(this);
    ComboBoxSource->setObjectName(QStringLiteral("ComboBoxSource"));
    ComboBoxSource->addItems(
        {QStringLiteral("Source = Cadre Auto"), QStringLiteral("Source = Cadre Manuel")});
    form->addRow(ComboBoxSource);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    for (const char* item : ImageSizeItems) ComboBox1->addItem(QString::fromUtf8(item));
    form->addRow(QStringLiteral("Taille d'une Vue:"), ComboBox1);
    Edit1 = new QSpinBox(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setRange(0, 500);
    form->addRow(QStringLiteral("Séparation:"), Edit1);
    top->addLayout(form);
    auto* buttons = new QHBoxLayout;
    BitBtnOk = new QPushButton(QStringLiteral("OK"), this);
    BitBtnOk->setObjectName(QStringLiteral("BitBtnOk"));
    BitBtnOk->setDefault(true);
    BitBtnCancel = new QPushButton(QStringLiteral("Annuler"), this);
    BitBtnCancel->setObjectName(QStringLiteral("BitBtnCancel"));
    buttons->addStretch(1);
    buttons->addWidget(BitBtnOk);
    buttons->addWidget(BitBtnCancel);
    top->addLayout(buttons);

    // The source follows AutoCrop at once, even when the dialog is cancelled.
    connect(ComboBoxSource, &QComboBox::activated, this,
            [](int index) { Settings.AutoCrop = index == 0; });
    connect(BitBtnOk, &QPushButton::clicked, this, [this] { BitBtnOkClick(); });
    connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormSize::FormActivate() {
    ComboBoxSource->setCurrentIndex(Settings.AutoCrop ? 0 : 1);
}

void TFormSize::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TFormSize::BitBtnOkClick() {
    SizeSepar = Edit1->value();
    const QSize size = ImageSizeOfItem(ComboBox1->currentIndex(), AutoSize);
    SizeW = size.width();
    SizeH = size.height();
    SizeSource = ComboBoxSource->currentIndex();
    accept();
}
