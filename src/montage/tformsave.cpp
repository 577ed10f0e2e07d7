// The save dialog: its controls, their routing to the save values and the
// pass, the name list and disk status, and the preview request.
#include "montage/tformsave.h"

#include "core/paramfile.h"
#include "core/paths.h"
#include "core/runflags.h"
#include "core/settings.h"
#include "core/stereokinds.h"
#include "display/tformmain.h"
#include "montage/paramhost_ui.h"
#include "montage/programwindows_ui.h"
#include "output/folderquestions_ui.h"
#include "output/savequestions_ui.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

struct trowcontrols {
    int kind;
    const char* tick;
    const char* folder;
    const char* suffix;
    const char* button;
    const char* caption;
};

// The kinds in the order of the dialog's rows.
const trowcontrols KindRows[] = {
    {KindLeft, "CheckBoxL", "EditRepL", "EditSufL", "SpeedButtonRepL", "Vue Gauche"},
    {KindRight, "CheckBoxR", "EditRepR", "EditSufR", "SpeedButtonRepR", "Vue Droite"},
    {KindCrossed, "CheckBoxSX", "EditRepSX", "EditSufSX", "SpeedButtonSX", "Stéréo Croisée"},
    {KindParallel, "CheckBoxSP", "EditRepSP", "EditSufSP", "SpeedButtonSP", "Stéréo Parallèle"},
    {KindOverUnder, "CheckBoxSV", "EditRepSV", "EditSufSV", "SpeedButtonSV", "Stéréo Verticale "},
    {KindAnaglyph, "CheckBoxAna", "EditRepAna", "EditSufAna", "SpeedButtonAna", "Anaglyphe"},
    {KindDouble, "CheckBoxBi", "EditRepBi", "EditSufBi", "SpeedButtonBi", "BiStéréo ( G-D-G )"},
    {KindParams, "CheckBoxPrm", "EditRepPrm", "EditSufPrm", "SpeedButtonPrm", "Paramètres"},
    // The camera and television kinds, captioned with their names.
    {KindMpo, "CheckBoxMPO", "EditRepMPO", "EditSufMPO", "SpeedButtonMPO", nullptr},
    {KindHsbs, "CheckBoxHSBS", "EditRepHSBS", "EditSufHSBS", "SpeedButtonHSBS", nullptr},
    {KindHou, "CheckBoxHOU", "EditRepHOU", "EditSufHOU", "SpeedButtonHOU", nullptr},
};

const char* const AnaglyphItems[] = {"Anaglyphe couleur", "Anaglyphe demi-couleur",
                                     "Anaglyphe gris", "Anaglyphe Dubois"};

const char* const AdaptItems[] = {"Hauteur et largeur d'enregistrement fixée",
                                  "Largeur d'enregistrement fixée - Adapter hauteur",
                                  "Hauteur d'enregistrement fixée - Adapter largeur"};
const char* const SourceItems[] = {"Source = Cadre Auto", "Source = Cadre Manuel"};

template <class T> T* Named(T* w, const char* name) {
    w->setObjectName(QString::fromUtf8(name));
    return w;
}

QLineEdit* SizeEdit(QWidget* parent, const char* name) {
    auto* e = Named(new QLineEdit(parent), name);
    e->setMaximumWidth(90);
    e->setAlignment(Qt::AlignRight);
    return e;
}

} // namespace

TFormSave::TFormSave(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormSave"));
    setWindowTitle(QStringLiteral("Sauvegarde"));
    BuildControls();
    // On creation: the built-in defaults, then the forced ticks.
    SpeedButtonShowDefaultValuesClick();
    values_.ForceBase = Settings.ForceRepBase;
    values_.naming.Rename = Settings.ForceFileName;
    WriteControls();
    ConnectControls();
    // A new pair changes the real size the fields show.
    if (TFormMain* main = AppWindows.FormMain)
        main->DisplayHost.OnRefreshSaveSizes = [this] {
            if (isVisible() && !saving_) ComboBoxSizeChange();
        };
}

TFormSave::~TFormSave() {
    if (TFormMain* main = AppWindows.FormMain) main->DisplayHost.OnRefreshSaveSizes = nullptr;
}

void TFormSave::BuildControls() {
    auto* top = new QVBoxLayout(this);

    // Kinds: tick, folder, folder button, suffix.
    auto* kinds = new QGroupBox(QStringLiteral("Enregistrement multiple en une passe"), this);
    auto* grid = new QGridLayout(kinds);
    grid->addWidget(new QLabel(QStringLiteral("Dossier"), kinds), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Suffixe"), kinds), 0, 3);
    int line = 1;
    for (const trowcontrols& r : KindRows) {
        tkindrow& row = Rows[std::size_t(r.kind)];
        const QString caption = r.caption ? QString::fromUtf8(r.caption) : OutputKindName(r.kind);
        row.tick = Named(new QCheckBox(caption, kinds), r.tick);
        row.folder = Named(new QLineEdit(kinds), r.folder);
        row.button = Named(new QToolButton(kinds), r.button);
        row.button->setText(QStringLiteral("..."));
        row.suffix = Named(new QLineEdit(kinds), r.suffix);
        row.suffix->setMaximumWidth(70);
        grid->addWidget(row.tick, line, 0);
        grid->addWidget(row.folder, line, 1);
        grid->addWidget(row.button, line, 2);
        grid->addWidget(row.suffix, line, 3);
        ++line;
    }
    CheckBoxBase = Named(new QCheckBox(QStringLiteral("Déplacer vers:"), kinds), "CheckBoxBase");
    EditRepBase = Named(new QLineEdit(kinds), "EditRepBase");
    SpeedButtonRepBase = Named(new QToolButton(kinds), "SpeedButtonRepBase");
    SpeedButtonRepBase->setText(QStringLiteral("..."));
    grid->addWidget(CheckBoxBase, line, 0);
    grid->addWidget(EditRepBase, line, 1);
    grid->addWidget(SpeedButtonRepBase, line, 2);
    ++line;
    CheckBoxFileName = Named(new QCheckBox(QStringLiteral("Renommer:"), kinds), "CheckBoxFileName");
    EditFileName = Named(new QLineEdit(kinds), "EditFileName");
    SpeedButtonFileName =
        Named(new QPushButton(QStringLiteral("Défaut"), kinds), "SpeedButtonFileName");
    SpeedButtonFileName->setAutoDefault(false);
    grid->addWidget(CheckBoxFileName, line, 0);
    grid->addWidget(EditFileName, line, 1);
    grid->addWidget(SpeedButtonFileName, line, 2, 1, 2);
    ++line;
    CheckBoxJPEG = Named(new QCheckBox(QStringLiteral(" JPEG Format"), kinds), "CheckBoxJPEG");
    grid->addWidget(CheckBoxJPEG, line, 0);
    ComboBoxAnaglyph = Named(new QComboBox(kinds), "ComboBoxAnaglyph");
    for (const char* item : AnaglyphItems) ComboBoxAnaglyph->addItem(QString::fromUtf8(item));
    grid->addWidget(ComboBoxAnaglyph, line, 1);
    CheckBoxExif = Named(new QCheckBox(QStringLiteral("Garder l'EXIF"), kinds), "CheckBoxExif");
    grid->addWidget(CheckBoxExif, line, 2, 1, 2);
    top->addWidget(kinds);

    // Sizes.
    auto* sizes = new QGroupBox(QStringLiteral("Taille d'enregistrement"), this);
    auto* sg = new QGridLayout(sizes);
    ComboBoxSize = Named(new QComboBox(sizes), "ComboBoxSize");
    for (const char* name : SizePresetNames) ComboBoxSize->addItem(QString::fromUtf8(name));
    ComboBoxSize->setToolTip(QStringLiteral("Tailles Destinations prédéfinies"));
    ComboBoxAdaptImage = Named(new QComboBox(sizes), "ComboBoxAdaptImage");
    for (const char* item : AdaptItems) ComboBoxAdaptImage->addItem(QString::fromUtf8(item));
    ComboBoxAdaptImage->setToolTip(QStringLiteral("Mode de Calcul de la Taille de l'Image"));
    ComboBoxSource = Named(new QComboBox(sizes), "ComboBoxSource");
    for (const char* item : SourceItems) ComboBoxSource->addItem(QString::fromUtf8(item));
    sg->addWidget(ComboBoxSize, 0, 0, 1, 2);
    sg->addWidget(ComboBoxSource, 0, 2, 1, 3);
    sg->addWidget(ComboBoxAdaptImage, 1, 0, 1, 5);
    RadioButtonImageSize =
        Named(new QRadioButton(QStringLiteral("Vue"), sizes), "RadioButtonImageSize");
    RadioButtonCoupleSize =
        Named(new QRadioButton(QStringLiteral("Couple"), sizes), "RadioButtonCoupleSize");
    RadioButtonImageSize->setChecked(true);
    EditW = SizeEdit(sizes, "EditW");
    EditH = SizeEdit(sizes, "EditH");
    EditWt = SizeEdit(sizes, "EditWt");
    EditHt = SizeEdit(sizes, "EditHt");
    sg->addWidget(RadioButtonImageSize, 2, 0);
    sg->addWidget(EditW, 2, 1);
    sg->addWidget(new QLabel(QStringLiteral("*"), sizes), 2, 2);
    sg->addWidget(EditH, 2, 3);
    sg->addWidget(RadioButtonCoupleSize, 3, 0);
    sg->addWidget(EditWt, 3, 1);
    sg->addWidget(new QLabel(QStringLiteral("*"), sizes), 3, 2);
    sg->addWidget(EditHt, 3, 3);
    RadioGroupCouple = Named(new QGroupBox(sizes), "RadioGroupCouple");
    auto* cl = new QVBoxLayout(RadioGroupCouple);
    CoupleButtons = new QButtonGroup(RadioGroupCouple);
    const char* couples[] = {"V", "XP", "Bi"};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QRadioButton(QString::fromUtf8(couples[i]), RadioGroupCouple);
        CoupleButtons->addButton(b, i);
        cl->addWidget(b);
    }
    sg->addWidget(RadioGroupCouple, 2, 4, 3, 1);
    sg->addWidget(new QLabel(QStringLiteral("Séparation entre les Vues:"), sizes), 4, 0, 1, 2);
    EditSepar = SizeEdit(sizes, "EditSepar");
    sg->addWidget(EditSepar, 4, 3);
    CheckBoxCentre =
        Named(new QCheckBox(QStringLiteral("Centrer les Vues"), sizes), "CheckBoxCentre");
    CheckBoxRatio =
        Named(new QCheckBox(QStringLiteral("Saisir en Conservant Rapport L/H courant"), sizes),
              "CheckBoxRatio");
    sg->addWidget(CheckBoxCentre, 5, 0, 1, 2);
    sg->addWidget(CheckBoxRatio, 5, 2, 1, 3);
    top->addWidget(sizes);

    // Log, status and buttons.
    ListBoxName = Named(new QListWidget(this), "ListBoxName");
    ListBoxName->setMinimumHeight(110);
    top->addWidget(ListBoxName);
    auto* status = Named(new QWidget(this), "StatusBar1");
    auto* sl = new QHBoxLayout(status);
    sl->setContentsMargins(2, 0, 2, 0);
    StatusDrive = Named(new QLabel(status), "diskname");
    StatusSpace = Named(new QLabel(status), "diskspace");
    StatusDrive->setFrameShape(QFrame::Panel);
    StatusSpace->setFrameShape(QFrame::Panel);
    StatusDrive->installEventFilter(this);
    sl->addWidget(StatusDrive);
    sl->addWidget(StatusSpace, 1);
    top->addWidget(status);

    auto button = [this](const char* name, const char* caption) {
        auto* b = Named(new QPushButton(QString::fromUtf8(caption), this), name);
        b->setAutoDefault(false);
        return b;
    };
    SpeedButtonSave = button("SpeedButtonSave", "Enregistrer...");
    SpeedButtonSave->setDefault(true);
    SpeedButtonPrevisu = button("SpeedButtonPrevisu", "Previsu");
    SpeedButtonOpjpeg = button("SpeedButtonOpjpeg", "Options JPEG");
    SpeedButtonGetFicName = button("SpeedButtonGetFicName", "Voir les Noms de Fichiers");
    SpeedButtonShowCurrentValues = button("SpeedButtonShowCurrentValues", "Paramètres Courants");
    SpeedButtonShowDefaultValues = button("SpeedButtonShowDefaultValues", "Paramètres par Défaut");
    SpeedButtonShowDefaultValues->hide();
    SpeedButtonSaveCurrentValues =
        button("SpeedButtonSaveCurrentValues", "Mémoriser les Paramètres");
    SpeedButtonForceRelatif = button("SpeedButtonForceRelatif", "Ecrit les Dossiers en Relatifs");
    SpeedButtonForceRelatif->hide();
    SpeedButtonCancel = button("SpeedButtonCancel", "Fermer");
    SpeedButtonCancel->setToolTip(
        QStringLiteral("Fermer la Fenêtre sans Sauvegarder les paramètres de Sauvegarde"));
    auto* row1 = new QHBoxLayout;
    for (QPushButton* b : {SpeedButtonGetFicName, SpeedButtonShowCurrentValues,
                           SpeedButtonSaveCurrentValues, SpeedButtonOpjpeg})
        row1->addWidget(b);
    top->addLayout(row1);
    auto* row2 = new QHBoxLayout;
    row2->addWidget(SpeedButtonPrevisu);
    row2->addStretch(1);
    row2->addWidget(SpeedButtonSave);
    row2->addWidget(SpeedButtonCancel);
    top->addLayout(row2);
}

void TFormSave::ConnectControls() {
    auto refresh = [this] {
        if (!updating_) SpeedButtonGetFicNameClick();
    };
    // CheckBoxClick: the ticks stored, the edits they enable, the name list.
    auto tickClick = [this] {
        if (updating_) return;
        StoreDialogValues();
        EditRepBase->setEnabled(CheckBoxBase->isChecked());
        EditFileName->setEnabled(CheckBoxFileName->isChecked());
        SpeedButtonGetFicNameClick();
    };
    for (const trowcontrols& r : KindRows) {
        tkindrow& row = Rows[std::size_t(r.kind)];
        connect(row.tick, &QCheckBox::clicked, this, tickClick);
        connect(row.folder, &QLineEdit::textEdited, this, refresh);
        connect(row.suffix, &QLineEdit::textEdited, this, refresh);
        QString tsettings::*setting = KindFolderSetting(r.kind);
        QLineEdit* edit = row.folder;
        connect(row.button, &QToolButton::clicked, this,
                [this, edit, setting] { BrowseFolder(edit, setting); });
    }
    connect(CheckBoxBase, &QCheckBox::clicked, this, tickClick);
    connect(CheckBoxFileName, &QCheckBox::clicked, this, tickClick);
    connect(EditRepBase, &QLineEdit::textEdited, this, refresh);
    connect(EditFileName, &QLineEdit::textEdited, this, refresh);
    connect(SpeedButtonRepBase, &QToolButton::clicked, this,
            [this] { BrowseFolder(EditRepBase, &tsettings::DirBase); });
    connect(SpeedButtonFileName, &QPushButton::clicked, this, [this] {
        ReadControls();
        DefaultFileNameField(values_.naming);
        WriteControls();
        SpeedButtonGetFicNameClick();
    });
    connect(CheckBoxJPEG, &QCheckBox::clicked, this, [this](bool on) {
        Settings.SaveJpeg = on;
        SpeedButtonGetFicNameClick();
    });
    // The display's anaglyph follows the method chosen for the outputs.
    connect(ComboBoxAnaglyph, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (updating_ || index < 0) return;
        Settings.AnaglyphMethod = index;
        if (TFormMain* main = AppWindows.FormMain) main->Compose();
    });
    connect(CheckBoxExif, &QCheckBox::clicked, this, [](bool on) { Settings.KeepExif = on; });
    connect(ComboBoxSource, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (updating_) return;
        Settings.AutoCrop = index == 0;
        ComboBoxSizeChange();
    });
    for (QComboBox* c : {ComboBoxSize, ComboBoxAdaptImage})
        connect(c, &QComboBox::currentIndexChanged, this, [this] {
            if (!updating_) ComboBoxSizeChange();
        });
    connect(CoupleButtons, &QButtonGroup::idClicked, this, [this] { ComboBoxSizeChange(); });
    for (QRadioButton* b : {RadioButtonImageSize, RadioButtonCoupleSize})
        connect(b, &QRadioButton::clicked, this, [this] { ComboBoxSizeChange(); });
    connect(EditW, &QLineEdit::textEdited, this, [this] { SizeTyped(FieldW); });
    connect(EditH, &QLineEdit::textEdited, this, [this] { SizeTyped(FieldH); });
    connect(EditWt, &QLineEdit::textEdited, this, [this] { SizeTyped(FieldWt); });
    connect(EditHt, &QLineEdit::textEdited, this, [this] { SizeTyped(FieldHt); });
    connect(EditSepar, &QLineEdit::textEdited, this, [this] {
        int s = 0;
        // A half-typed separation waits until it is a number.
        if (ReadSizeField(EditSepar->text(), s)) ComboBoxSizeChange();
    });

    connect(SpeedButtonSave, &QPushButton::clicked, this, [this] { SpeedButtonSaveClick(); });
    connect(SpeedButtonPrevisu, &QPushButton::clicked, this, [this] { SpeedButtonPrevisuClick(); });
    connect(SpeedButtonOpjpeg, &QPushButton::clicked, this, [] {
        if (QWidget* options = AppWindows.FormOpJpeg) {
            options->show();
            options->raise();
            options->activateWindow();
        }
    });
    connect(SpeedButtonGetFicName, &QPushButton::clicked, this,
            [this] { SpeedButtonGetFicNameClick(); });
    connect(SpeedButtonShowCurrentValues, &QPushButton::clicked, this,
            [this] { SpeedButtonShowCurrentValuesClick(); });
    connect(SpeedButtonShowDefaultValues, &QPushButton::clicked, this,
            [this] { SpeedButtonShowDefaultValuesClick(); });
    connect(SpeedButtonSaveCurrentValues, &QPushButton::clicked, this,
            [this] { StoreDialogValues(); });
    connect(SpeedButtonForceRelatif, &QPushButton::clicked, this, [this] {
        ReadControls();
        MakeFoldersRelative(values_.naming);
        WriteControls();
        SpeedButtonGetFicNameClick();
    });
    connect(SpeedButtonCancel, &QPushButton::clicked, this, [this] {
        result_ = false;
        close();
    });
}

// ---------------------------------------------------------------- values

void TFormSave::ReadControls() {
    tnamingfields& n = values_.naming;
    for (const trowcontrols& r : KindRows) {
        const tkindrow& row = Rows[std::size_t(r.kind)];
        n.Ticked[r.kind] = row.tick->isChecked();
        n.Folder[r.kind] = row.folder->text();
        n.Suffix[r.kind] = row.suffix->text();
    }
    values_.ForceBase = CheckBoxBase->isChecked();
    n.RepBase = EditRepBase->text();
    n.Rename = CheckBoxFileName->isChecked();
    n.FileName = EditFileName->text();
    n.Jpeg = CheckBoxJPEG->isChecked();
    if (TFormMain* main = AppWindows.FormMain) {
        n.LeftFile = main->ImgLeft().filename;
        n.RightFile = main->ImgRight().filename;
    }
    values_.EditW = EditW->text();
    values_.EditH = EditH->text();
    values_.EditWt = EditWt->text();
    values_.EditHt = EditHt->text();
    values_.EditSepar = EditSepar->text();
    values_.SizePreset = ComboBoxSize->currentIndex();
    values_.Adapt = ComboBoxAdaptImage->currentIndex();
    values_.Source = ComboBoxSource->currentIndex();
    values_.Centre = CheckBoxCentre->isChecked();
    values_.KeepRatio = CheckBoxRatio->isChecked();
    values_.CoupleSize = RadioButtonCoupleSize->isChecked();
    values_.Couple = CoupleButtons->checkedId() < 0 ? CoupleXP : CoupleButtons->checkedId();
}

void TFormSave::WriteControls() {
    updating_ = true;
    const tnamingfields& n = values_.naming;
    for (const trowcontrols& r : KindRows) {
        tkindrow& row = Rows[std::size_t(r.kind)];
        row.tick->setChecked(n.Ticked[r.kind]);
        row.folder->setText(n.Folder[r.kind]);
        row.suffix->setText(n.Suffix[r.kind]);
    }
    CheckBoxBase->setChecked(values_.ForceBase);
    EditRepBase->setText(n.RepBase);
    EditRepBase->setEnabled(values_.ForceBase);
    CheckBoxFileName->setChecked(n.Rename);
    EditFileName->setText(n.FileName);
    EditFileName->setEnabled(n.Rename);
    CheckBoxJPEG->setChecked(n.Jpeg);
    ComboBoxAnaglyph->setCurrentIndex(std::clamp(Settings.AnaglyphMethod, 0, 3));
    CheckBoxExif->setChecked(Settings.KeepExif);
    // A field being typed in keeps its own text and cursor.
    auto put = [](QLineEdit* e, const QString& text) {
        if (e->text() != text && !(e->hasFocus() && e->isModified())) e->setText(text);
    };
    put(EditW, values_.EditW);
    put(EditH, values_.EditH);
    put(EditWt, values_.EditWt);
    put(EditHt, values_.EditHt);
    put(EditSepar, values_.EditSepar);
    ComboBoxSize->setCurrentIndex(values_.SizePreset);
    ComboBoxAdaptImage->setCurrentIndex(values_.Adapt);
    ComboBoxSource->setCurrentIndex(values_.Source);
    CheckBoxCentre->setChecked(values_.Centre);
    CheckBoxRatio->setChecked(values_.KeepRatio);
    RadioButtonCoupleSize->setEnabled(values_.CoupleEnabled);
    RadioButtonImageSize->setChecked(!values_.CoupleSize);
    RadioButtonCoupleSize->setChecked(values_.CoupleSize);
    EditW->setEnabled(!values_.CoupleSize);
    EditH->setEnabled(!values_.CoupleSize);
    EditWt->setEnabled(values_.CoupleSize);
    EditHt->setEnabled(values_.CoupleSize);
    if (QAbstractButton* b = CoupleButtons->button(values_.Couple)) b->setChecked(true);
    updating_ = false;
}

const tsavevalues& TFormSave::Values() {
    ReadControls();
    return values_;
}

tsizesource TFormSave::SizeSource() const {
    tsizesource src;
    if (TFormMain* main = AppWindows.FormMain) {
        src.pair = &main->Pair;
        src.current = main->GetCurrent().img;
    }
    src.ratioW = WinRatioW;
    src.ratioH = WinRatioH;
    return src;
}

void TFormSave::ComboBoxSizeChange() {
    ReadControls();
    SizeComboChange(values_, SizeSource(), Settings);
    WriteControls();
}

void TFormSave::SizeTyped(tsizefield field) {
    if (updating_) return;
    ReadControls();
    SizeFieldTyped(values_, field, Settings);
    WriteControls();
}

void TFormSave::StoreDialogValues() {
    ReadControls();
    ::StoreDialogValues(values_, Settings);
    WriteControls();
}

void TFormSave::SpeedButtonShowDefaultValuesClick() {
    static const tviewpair none;
    TFormMain* main = AppWindows.FormMain;
    ShowDefaultValues(values_, Settings, QCoreApplication::applicationDirPath(),
                      main ? main->Pair : none);
    WriteControls();
    SpeedButtonGetFicNameClick();
}

void TFormSave::SpeedButtonShowCurrentValuesClick() {
    ReadControls();
    // The windows exist before the settings are read: the first time, a
    // forced name comes from the settings rather than from the field.
    if (!shownOnce_) values_.naming.FileName = Settings.DirFileName;
    shownOnce_ = true;
    const tsizesource src = SizeSource();
    ShowCurrentValues(values_, Settings, src);
    if (src.pair) setWindowTitle(SaveDialogCaption(*src.pair));
    for (QLineEdit* e : {EditW, EditH, EditWt, EditHt, EditSepar}) e->setModified(false);
    WriteControls();
    SpeedButtonGetFicNameClick();
}

void TFormSave::FormShow() {
    if (saving_) return;
    result_ = true;
    SpeedButtonShowCurrentValuesClick();
}

QString TFormSave::DefaultFileName(int kind) {
    ReadControls();
    const QString name = BuildFileName(QString(), QString(), kind, values_.naming);
    WriteControls();
    return name;
}

QSize TFormSave::ExportFrameSize(bool useAuto) {
    return ::ExportFrameSize(SizeSource(), useAuto);
}

// ---------------------------------------------------------------- names and disk

void TFormSave::SpeedButtonGetFicNameClick() {
    ReadControls();
    ListBoxName->clear();
    ListBoxName->addItems(OutputNameList(values_.naming));
    WriteControls();
    ShowStatus(EditRepBase->text().trimmed());
}

void TFormSave::ShowStatus(const QString& path) {
    const QString where = path.isEmpty() ? QDir::currentPath() : path;
    StatusDrive->setText(DriveOf(where));
    StatusSpace->setText(DiskSpaceText(where));
}

void TFormSave::BrowseFolder(QLineEdit* edit, QString tsettings::*setting) {
    const QString chosen = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Sélectionnez un Répertoire"), edit->text());
    if (chosen.isEmpty()) return;
    const QString folder = QDir::toNativeSeparators(chosen);
    if (setting) Settings.*setting = folder;
    edit->setText(folder);
    SpeedButtonGetFicNameClick();
}

bool TFormSave::eventFilter(QObject* watched, QEvent* event) {
    if (watched == StatusDrive && event->type() == QEvent::MouseButtonPress) {
        // The drive panel picks another disk to measure.
        const QString chosen = QFileDialog::getExistingDirectory(
            this, QStringLiteral("Change Disk"), QDir::currentPath());
        if (!chosen.isEmpty()) ShowStatus(chosen);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// ---------------------------------------------------------------- the pass

void TFormSave::SpeedButtonSaveClick() {
    TFormMain* main = AppWindows.FormMain;
    StoreDialogValues();
    ComboBoxSizeChange();
    ReadControls();
    ListBoxName->clear();
    lastReport_ = tsavereport{};
    if (!main) return;
    tsaveoptions options = SaveOptionsFromValues(values_, Settings, WinRatioW, WinRatioH);
    // The kinds are drawn and written on every core, as the command line does;
    // the questions come first, and the log still fills output by output.
    options.threads = std::max(1, QThread::idealThreadCount());
    AnchorRelativePaths(values_.naming);
    if (!FolderQuestions) {
        if (!ownFolders_) ownFolders_ = std::make_unique<tformfolderquestions>(this);
    }
    if (!SaveQuestions) {
        if (!ownQuestions_) ownQuestions_ = std::make_unique<tformsavequestions>(this);
    }
    tfolderquestions& folders = FolderQuestions ? *FolderQuestions : *ownFolders_;
    tsavequestions& questions = SaveQuestions ? *SaveQuestions : *ownQuestions_;
    tparamhost& params = ParamHost ? *ParamHost : static_cast<tparamhost&>(AppParamHost());

    // The log fills as the outputs are written; the window repaints between them.
    int shown = 0;
    auto progress = [this, &shown](const tsavereport& r) {
        for (; shown < r.log.size(); ++shown) ListBoxName->addItem(r.log[shown]);
        ListBoxName->scrollToBottom();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    saving_ = true;
    SpeedButtonSave->setEnabled(false);
    const tsavereport report = SaveSelectedKinds(main->Pair, values_.naming, options, Settings,
                                                 folders, questions, params, progress);
    saving_ = false;
    SpeedButtonSave->setEnabled(true);
    lastReport_ = report;
    for (; shown < report.log.size(); ++shown) ListBoxName->addItem(report.log[shown]);
    ListBoxName->scrollToBottom();
    // The pass may have shown the base name it used.
    updating_ = true;
    EditFileName->setText(values_.naming.FileName);
    EditRepBase->setText(values_.naming.RepBase);
    updating_ = false;
    ShowStatus(EditRepBase->text().trimmed());
}

bool TFormSave::ExecuteForBatch() {
    // Shown modeless before, it comes back modal.
    if (isVisible()) hide();
    return exec() == QDialog::Accepted;
}

// ---------------------------------------------------------------- preview

void TFormSave::MsgPreview(int mode) {
    auto* view = dynamic_cast<tpreviewwindow*>(AppWindows.FormView);
    TFormMain* main = AppWindows.FormMain;
    if (!view || !main) return;
    const tviewpair& pair = main->Pair;
    if (pair.ImgLeft.bitmap.isNull() || pair.ImgRight.bitmap.isNull()) {
        view->ShowWithCaption(QStringLiteral("Image vide!"));
        return;
    }
    view->SetRequestTarget(this);
    view->ShowWithCaption(QStringLiteral("Préparation de l'image en cours..."));
    if (mode == -1) mode = view->PreviewMode();
    const int kind = KindOfPreviewMode(mode);
    if (kind < 0) return;
    ComboBoxSizeChange();
    ReadControls();
    const tsaveoptions o = SaveOptionsFromValues(values_, Settings, WinRatioW, WinRatioH);
    const QString name = BuildFileName(QString(), QString(), kind, values_.naming);
    QImage picture;
    if (RenderKindPreview(pair, name, kind, values_.Source, o.S, o.H, o.W, picture))
        view->ShowPicture(picture, mode);
    else
        view->ShowWithCaption(QStringLiteral("Image vide!"));
}

// ---------------------------------------------------------------- show and close

void TFormSave::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TFormSave::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // Coming back to the dialog keeps what is typed in it; only the result
    // flag is set again.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !saving_) result_ = true;
}

void TFormSave::closeEvent(QCloseEvent* event) {
    // The preview windows close with the dialog.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible() &&
            w->objectName().contains(QStringLiteral("VISU"), Qt::CaseInsensitive))
            w->close();
    event->accept();
    done(result_ ? QDialog::Accepted : QDialog::Rejected);
}
