// The folder redirection dialog: its controls, texts and handlers.
#include "lists/tformrepopenimg.h"

#include "core/runflags.h"
#include "core/settings.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString SaveFileAsFolderPicker(QWidget* parent, const QString& title, const QString& folder,
                               const QString& fileName) {
    // The save-file dialog serves as a folder picker: the chosen file's folder is taken.
    QFileDialog dialog(parent, title, folder, QStringLiteral("*.*"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setSizeGripEnabled(true);
    dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

} // namespace

TFormRepOpenImg::TFormRepOpenImg(QWidget* parent) : QDialog(parent) {
    setObjectName("FormRepOpenImg");
    setWindowTitle(QString::fromUtf8("Redirection des Chemins d'accès aux Images"));

    auto* labelL = new QLabel(QString::fromUtf8("Répertoire de recherche des vues Gauche:"));
    labelL->setObjectName("LabelRepL");
    EditRepL = new QLineEdit;
    EditRepL->setObjectName("EditRepL");
    SpeedButtonRepL = new QPushButton(QStringLiteral("..."));
    SpeedButtonRepL->setObjectName("SpeedButtonRepL");
    auto* labelR = new QLabel(QString::fromUtf8("Répertoire de recherche des vues Droites:"));
    labelR->setObjectName("LabelRepR");
    EditRepR = new QLineEdit;
    EditRepR->setObjectName("EditRepR");
    SpeedButtonRepR = new QPushButton(QStringLiteral("..."));
    SpeedButtonRepR->setObjectName("SpeedButtonRepR");
    CheckBoxForceDir =
        new QCheckBox(QString::fromUtf8("Redirection des Chemins d'accès aux Images"));
    CheckBoxForceDir->setObjectName("CheckBoxForceDir");
    BitBtnOk = new QPushButton(QStringLiteral("OK"));
    BitBtnOk->setObjectName("BitBtnOk");
    BitBtnOk->setDefault(true);
    BitBtnCancel = new QPushButton(QStringLiteral("Annuler"));
    BitBtnCancel->setObjectName("BitBtnCancel");

    auto* grid = new QGridLayout;
    grid->addWidget(labelL, 0, 0, 1, 2);
    grid->addWidget(EditRepL, 1, 0);
    grid->addWidget(SpeedButtonRepL, 1, 1);
    grid->addWidget(labelR, 2, 0, 1, 2);
    grid->addWidget(EditRepR, 3, 0);
    grid->addWidget(SpeedButtonRepR, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtnOk);
    buttons->addWidget(BitBtnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(CheckBoxForceDir);
    layout->addLayout(buttons);
    resize(520, 220);

    PickFile = [this](const QString& title, const QString& folder, const QString& fileName) {
        return SaveFileAsFolderPicker(this, title, folder, fileName);
    };
    connect(SpeedButtonRepL, &QPushButton::clicked, this, &TFormRepOpenImg::SpeedButtonRepLClick);
    connect(SpeedButtonRepR, &QPushButton::clicked, this, &TFormRepOpenImg::SpeedButtonRepRClick);
    connect(BitBtnOk, &QPushButton::clicked, this, &TFormRepOpenImg::BitBtnOkClick);
    connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormRepOpenImg::SetRedirectFields(const QString& leftFolder, const QString& rightFolder) {
    EditRepL->setText(leftFolder);
    EditRepR->setText(rightFolder);
}

void TFormRepOpenImg::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TFormRepOpenImg::FormShow() {
    EditRepL->setText(Settings.DirOpenImgL);
    if (!Settings.DirOpenImgR.isEmpty())
        EditRepR->setText(Settings.DirOpenImgR);
    else if (!EditRepR->text().isEmpty())
        EditRepR->clear();
    else
        EditRepR->setText(Settings.DirOpenImgL);
    CheckBoxForceDir->setChecked(RedirectOpen);
}

void TFormRepOpenImg::Browse(const QString& title, const QString& folder, const QString& fileName,
                             QLineEdit* edit) {
    const QString chosen = PickFile(title, folder, fileName);
    if (chosen.isEmpty()) return;
    edit->setText(QFileInfo(chosen).absolutePath());
    // Choosing a folder means the user wants it used.
    CheckBoxForceDir->setChecked(true);
}

void TFormRepOpenImg::SpeedButtonRepLClick() {
    Browse(QString::fromUtf8("Choisir Répertoire des Vues Gauches"), Settings.DirOpenImgL,
           QStringLiteral("Left_Folder"), EditRepL);
}

void TFormRepOpenImg::SpeedButtonRepRClick() {
    Browse(QString::fromUtf8("Choisir Répertoire des Vues Droites"), Settings.DirOpenImgR,
           QStringLiteral("Right_Folder"), EditRepR);
}

void TFormRepOpenImg::BitBtnOkClick() {
    RedirectOpen = CheckBoxForceDir->isChecked();
    Settings.DirOpenImgL = EditRepL->text().trimmed();
    const QString right = EditRepR->text().trimmed();
    Settings.DirOpenImgR = right.isEmpty() ? Settings.DirOpenImgL : right;
    accept();
}
