// The slideshow options window: its controls, the timer and the commands.
#include "lists/tformdiaporama.h"

#include "core/settings.h"
#include "core/stereokinds.h"
#include "lists/batchsaver.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const char* const BatchWarningText = "Initialisez ou Vérifiez les options de Diaporama et de "
                                     "Sauvegarde avant de Lancer cette Fonction";
const char* const BatchWarningCaption = "Batch de Sauvegarde";
// A display time that is not a number.
constexpr int kFallbackInterval = 100;

} // namespace

TFormDiaporama::TFormDiaporama(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormDiaporama"));
    setWindowTitle(QStringLiteral("Liste"));

    RadioGroupFileType = new QGroupBox(QString::fromUtf8("Type de Fichiers Stéréo:"));
    RadioGroupFileType->setObjectName(QStringLiteral("RadioGroupFileType"));
    FileTypeButtons = new QButtonGroup(this);
    auto* radios = new QVBoxLayout(RadioGroupFileType);
    for (int i = 0; i < static_cast<int>(kListKinds.size()); ++i) {
        auto* b = new QRadioButton(StereoKindNames[kListKinds[i]]);
        FileTypeButtons->addButton(b, i);
        radios->addWidget(b);
    }
    FileTypeButtons->button(0)->setChecked(true);

    auto* labelParams = new QLabel(QString::fromUtf8("Fichier de Paramètres:"));
    EditParams = new QLineEdit;
    EditParams->setObjectName(QStringLiteral("EditParams"));
    SpeedButtonOpenParams = new QPushButton(QStringLiteral("..."));
    SpeedButtonOpenParams->setObjectName(QStringLiteral("SpeedButtonOpenParams"));
    CheckBoxApplyParams =
        new QCheckBox(QString::fromUtf8("Appliquer le Fichier Paramètres à toutes les Images"));
    CheckBoxApplyParams->setObjectName(QStringLiteral("CheckBoxApplyParams"));
    auto* labelInterval = new QLabel(QString::fromUtf8("Durée d'affichage (ms) :"));
    EditInterval = new QLineEdit(QString::number(Diaporama.Interval));
    EditInterval->setObjectName(QStringLiteral("EditInterval"));
    CheckBoxBoucle = new QCheckBox(QStringLiteral("Jouer en Boucle"));
    CheckBoxBoucle->setObjectName(QStringLiteral("CheckBoxBoucle"));
    CheckBoxBoucle->setChecked(Diaporama.Loop);
    SpeedButtonRedir =
        new QPushButton(QString::fromUtf8("Redirection des Chemins d'accès aux Images"));
    SpeedButtonRedir->setObjectName(QStringLiteral("SpeedButtonRedir"));
    BitBtnOk = new QPushButton(QStringLiteral("OK"));
    BitBtnOk->setObjectName(QStringLiteral("BitBtnOk"));
    BitBtnOk->setDefault(true);
    BitBtnCancel = new QPushButton(QStringLiteral("Annuler"));
    BitBtnCancel->setObjectName(QStringLiteral("BitBtnCancel"));
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);

    auto* grid = new QGridLayout;
    grid->addWidget(labelParams, 0, 0, 1, 2);
    grid->addWidget(EditParams, 1, 0);
    grid->addWidget(SpeedButtonOpenParams, 1, 1);
    grid->addWidget(CheckBoxApplyParams, 2, 0, 1, 2);
    auto* interval = new QHBoxLayout;
    interval->addWidget(labelInterval);
    interval->addWidget(EditInterval);
    interval->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtnOk);
    buttons->addWidget(BitBtnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RadioGroupFileType);
    layout->addLayout(grid);
    layout->addLayout(interval);
    layout->addWidget(CheckBoxBoucle);
    layout->addWidget(SpeedButtonRedir);
    layout->addLayout(buttons);
    resize(420, 480);

    MessageBox = [this](const QString& text, const QString& caption) {
        QMessageBox::information(this, caption, text);
    };
    AskYesNo = [this](const QString& text, const QString& caption) {
        QMessageBox::question(this, caption, text, QMessageBox::Yes | QMessageBox::No);
    };
    PickParamFile = [this](const QString& folder) {
        return QFileDialog::getOpenFileName(this, QString(), folder,
                                            PipeFilterToQt(QString::fromUtf8(ParamFileFilter)));
    };
    RunPendingEvents = [] { QCoreApplication::processEvents(); };

    connect(Timer1, &QTimer::timeout, this, [this] { Sequence.Tick(); });
    connect(CheckBoxBoucle, &QCheckBox::toggled, this, [this](bool on) { Diaporama.Loop = on; });
    connect(CheckBoxApplyParams, &QCheckBox::toggled, this,
            [this](bool on) { Sequence.ApplyParams = on; });
    connect(SpeedButtonOpenParams, &QPushButton::clicked, this,
            &TFormDiaporama::SpeedButtonOpenParamsClick);
    connect(SpeedButtonRedir, &QPushButton::clicked, this, &TFormDiaporama::SpeedButtonRedirClick);
    connect(BitBtnOk, &QPushButton::clicked, this, &TFormDiaporama::BitBtnOkClick);
    connect(BitBtnCancel, &QPushButton::clicked, this, &TFormDiaporama::BitBtnCancelClick);
}

void TFormDiaporama::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TFormDiaporama::FormShow() {
    const int position = ListKindPosition(Diaporama.ListKind);
    FileTypeButtons->button(position < 0 ? 0 : position)->setChecked(true);
    Diaporama.ListKind = kListKinds[FileTypeButtons->checkedId()];
    CheckBoxBoucle->setChecked(Diaporama.Loop);
    EditInterval->setText(QString::number(Diaporama.Interval));
}

void TFormDiaporama::BitBtnOkClick() {
    Diaporama.ListKind = kListKinds[FileTypeButtons->checkedId()];
    Diaporama.ParamsFile = EditParams->text().trimmed();
    Diaporama.IndexL = Diaporama.IndexR = Diaporama.IndexPrm = 0;
    Diaporama.Ready = true;
    bool ok = false;
    const int interval = EditInterval->text().trimmed().toInt(&ok);
    Diaporama.Interval = ok && interval > 0 ? interval : kFallbackInterval;
    // The redirection switch stays as its own dialog set it.
    StopSequence();
    if (OnListChanged) OnListChanged();
    accept();
}

void TFormDiaporama::BitBtnCancelClick() {
    StopSequence();
    reject();
}

void TFormDiaporama::SpeedButtonOpenParamsClick() {
    const QString file = PickParamFile(Settings.OpenDirPrm);
    if (!file.isEmpty()) EditParams->setText(file);
}

void TFormDiaporama::SpeedButtonRedirClick() {
    if (ShowRedirection) ShowRedirection();
}

bool TFormDiaporama::ExecOptions() {
    return exec() == QDialog::Accepted;
}

bool TFormDiaporama::NextEntry() {
    return Sequence.NextEntry();
}

bool TFormDiaporama::PreviousEntry() {
    return Sequence.PreviousEntry();
}

void TFormDiaporama::GoToEntry(int i) {
    Sequence.GoToEntry(i);
}

void TFormDiaporama::StartSlideshow() {
    Sequence.StartSlideshow();
}

void TFormDiaporama::ContinueSlideshow() {
    Sequence.ContinueSlideshow();
}

void TFormDiaporama::StopSequence() {
    Sequence.StopSequence();
}

void TFormDiaporama::SaveBatchCommand() {
    // The answer does not matter: the options window follows either way.
    AskYesNo(QString::fromUtf8(BatchWarningText), QString::fromUtf8(BatchWarningCaption));
    ExecOptions();
    if (!Diaporama.Ready) return;
    tbatchsaver* saver = BatchSaver();
    if (saver && !saver->AskSaveOptions()) return;
    Sequence.StartBatch(saver);
}

void TFormDiaporama::StartTimer(int ms) {
    Timer1->start(ms);
}

void TFormDiaporama::StopTimer() {
    Timer1->stop();
}

void TFormDiaporama::ProcessEvents() {
    if (RunPendingEvents) RunPendingEvents();
}

void TFormDiaporama::ShowMessage(const QString& text, const QString& caption) {
    MessageBox(text, caption);
}

void TFormDiaporama::BatchProgress(int done, int total, const QString& file) {
    if (OnProgress) OnProgress(done, total, file);
}
