// The drag-and-drop options dialog over DragDropFileType and DragDropAsk.
#include "input/tformdragdropoptions.h"

#include "core/settings.h"
#include "core/stereokinds.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

TFormDragDropOptions::TFormDragDropOptions(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("FormDragDropOptions"));
    setWindowTitle(QStringLiteral("Glisser Déposer"));
    auto* layout = new QVBoxLayout(this);
    RadioGroupFileType = new QGroupBox(QStringLiteral("Type de Fichier à Ouvrir:"), this);
    RadioGroupFileType->setObjectName(QStringLiteral("RadioGroupFileType"));
    FileTypeButtons = new QButtonGroup(this);
    auto* items = new QVBoxLayout(RadioGroupFileType);
    // The kinds 0 to 6, then the parameter file (kind 10) as the eighth item.
    for (int i = 0; i < 8; ++i) {
        const int kind = i < 7 ? i : int(KindParams);
        auto* b = new QRadioButton(StereoKindNames[kind], RadioGroupFileType);
        FileTypeButtons->addButton(b, i);
        items->addWidget(b);
    }
    layout->addWidget(RadioGroupFileType);
    CheckBoxShow = new QCheckBox(QStringLiteral("Ne plus demander"), this);
    CheckBoxShow->setObjectName(QStringLiteral("CheckBoxShow"));
    layout->addWidget(CheckBoxShow);
    auto* row = new QHBoxLayout;
    BitBtnOk = new QPushButton(QStringLiteral("OK"), this);
    BitBtnOk->setObjectName(QStringLiteral("BitBtnOk"));
    BitBtnOk->setDefault(true);
    BitBtn1 = new QPushButton(QStringLiteral("Annuler"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    row->addStretch(1);
    row->addWidget(BitBtnOk);
    row->addWidget(BitBtn1);
    layout->addLayout(row);
    connect(BitBtnOk, &QPushButton::clicked, this, &TFormDragDropOptions::BitBtnOkClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormDragDropOptions::BitBtn1Click);
}

bool TFormDragDropOptions::Ask() {
    return exec() == QDialog::Accepted;
}

void TFormDragDropOptions::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TFormDragDropOptions::FormShow() {
    const int type = Settings.DragDropFileType;
    if (QAbstractButton* b = FileTypeButtons->button(type >= 0 && type < 8 ? type : 0))
        b->setChecked(true);
    CheckBoxShow->setChecked(!Settings.DragDropAsk);
}

void TFormDragDropOptions::BitBtnOkClick() {
    Settings.DragDropFileType = std::max(FileTypeButtons->checkedId(), 0);
    Settings.DragDropAsk = !CheckBoxShow->isChecked();
    accept();
}

void TFormDragDropOptions::BitBtn1Click() {
    reject();
}
