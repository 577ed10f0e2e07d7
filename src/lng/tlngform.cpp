// The language chooser window.
#include "lng/tlngform.h"

#include "lng/lngchoice.h"
#include "lng/lngwidgets_ui.h"
#include "lng/tformedit.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

TLngForm::TLngForm(TFormEdit* editor, QString* settingName, QWidget* parent)
    : QDialog(parent, Qt::Window), Folders(DefaultLngFolders()), Editor(editor),
      SettingName(settingName) {
    setObjectName(QStringLiteral("LngForm"));
    setWindowTitle(QStringLiteral("Fichiers de Traduction"));
    resize(420, 360);
    if (SettingName) SelectedName = *SettingName;

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    auto tool = [this](const char* name, const char* caption, const char* hint) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromUtf8(name));
        b->setText(QString::fromUtf8(caption));
        b->setToolTip(QString::fromUtf8(hint));
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        return b;
    };
    SpeedButtonApplyLng = tool("SpeedButtonApplyLng", "Appliquer", "Essayer la langue choisie");
    SpeedButtonSaveLng = tool("SpeedButtonSaveLng", "Créer...",
                              "Créer un fichier langue à partir des textes affichés");
    SpeedButtonEditLng = tool("SpeedButtonEditLng", "Editer", "Editer le fichier langue choisi");
    BitBtnLngOk = new QPushButton(QStringLiteral("OK"), this);
    BitBtnLngOk->setObjectName(QStringLiteral("BitBtnLngOk"));
    BitBtnLngCancel = new QPushButton(QStringLiteral("Annuler"), this);
    BitBtnLngCancel->setObjectName(QStringLiteral("BitBtnLngCancel"));

    auto* tools = new QHBoxLayout();
    for (QToolButton* b : {SpeedButtonApplyLng, SpeedButtonSaveLng, SpeedButtonEditLng})
        tools->addWidget(b);
    tools->addStretch();
    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    buttons->addWidget(BitBtnLngOk);
    buttons->addWidget(BitBtnLngCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(ListBox1);
    layout->addLayout(buttons);

    connect(SpeedButtonApplyLng, &QToolButton::clicked, this, &TLngForm::ApplyClick);
    connect(SpeedButtonSaveLng, &QToolButton::clicked, this, &TLngForm::CreateClick);
    connect(SpeedButtonEditLng, &QToolButton::clicked, this, &TLngForm::EditClick);
    connect(BitBtnLngOk, &QPushButton::clicked, this, &TLngForm::OkClick);
    connect(BitBtnLngCancel, &QPushButton::clicked, this, [this] {
        CancelPressed = true;
        reject();
    });
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { ApplyClick(); });
    connect(ListBox1, &QListWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (QListWidgetItem* item = ListBox1->itemAt(at)) ListBox1->setCurrentItem(item);
        EditClick();
    });
}

void TLngForm::showEvent(QShowEvent* event) {
    RefreshList();
    QDialog::showEvent(event);
}

void TLngForm::RefreshList() {
    ListBox1->clear();
    ListBox1->addItems(ListLanguageFiles(Folders));
    const auto match = ListBox1->findItems(SelectedName, Qt::MatchFixedString);
    if (!match.isEmpty())
        ListBox1->setCurrentItem(match.first());
    else
        ListBox1->setCurrentRow(-1);
}

QString TLngForm::Selection() const {
    const QListWidgetItem* item = ListBox1->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void TLngForm::Apply(const QString& path) {
    QString message;
    if (!ApplyLanguageFile(path, &message)) QMessageBox::warning(this, windowTitle(), message);
}

void TLngForm::ApplyClick() {
    const QString name = Selection();
    if (!name.isEmpty()) Apply(LngFilePath(Folders, name));
}

QString TLngForm::ProposedNewPath() const {
    const QString name = QFileInfo(LngFilePath(Folders, Selection())).fileName();
    return QDir(Folders.user).filePath(name);
}

void TLngForm::CreateClick() {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    ApplyClick();
    QGuiApplication::restoreOverrideCursor();
    QDir().mkpath(Folders.user);
    QString path = QFileDialog::getSaveFileName(this, LngStrings.SaveLng, ProposedNewPath(),
                                                QStringLiteral("*.lng"));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".lng");
    QString message;
    if (!SaveLanguageFile(path, &message)) QMessageBox::warning(this, windowTitle(), message);
    RefreshList();
}

void TLngForm::EditClick() {
    if (!Editor) return;
    const QString name = Selection();
    const QString path = name.isEmpty() ? CurrentLngPath(Folders) : LngFilePath(Folders, name);
    Editor->OpenInEditor(path, Folders.user, LngStrings.Filter);
    RefreshList();
}

void TLngForm::OkClick() {
    // The trial languages are forgotten: the one of the settings first.
    ApplyLanguageFile(LngFilePath(Folders, SettingName ? *SettingName : QString()));
    accept();
}

void TLngForm::done(int result) {
    const bool cancelled = CancelPressed;
    CancelPressed = false;
    if (result != QDialog::Accepted && !cancelled) {
        QDialog::done(result);
        return;
    }
    const tlngactions actions{[this](const QString& p) {
                                  Apply(p);
                                  return true;
                              },
                              [](const QString& p) { return SaveLanguageFile(p); }};
    if (result == QDialog::Accepted)
        SelectedName = ChooseLanguageOk(Folders, Selection(), SelectedName, actions);
    else
        SelectedName = ChooseLanguageCancel(Folders, actions);
    if (SettingName) *SettingName = SelectedName;
    QDialog::done(result);
}
