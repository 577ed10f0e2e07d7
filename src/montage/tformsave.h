// The save dialog ("Sauvegarde"): the kinds to write with their folders and
// suffixes, the base folder and name, the size calculator, the log of the
// pass and the preview request.
#pragma once

#include "core/previewlink.h"
#include "output/savevalues.h"

#include <QDialog>

#include <array>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QToolButton;
class tfolderquestions;
class tparamhost;
class tsavequestions;

class TFormSave : public QDialog, public tpreviewsource {
    Q_OBJECT
public:
    explicit TFormSave(QWidget* parent = nullptr);
    ~TFormSave() override;

    // One row per kind with output fields (L, R, SX, SP, SV, Ana, Bi, Prm),
    // indexed by kind code; the other entries stay empty.
    struct tkindrow {
        QCheckBox* tick = nullptr;
        QLineEdit* folder = nullptr;
        QLineEdit* suffix = nullptr;
        QToolButton* button = nullptr;
    };
    std::array<tkindrow, kOutputKindCount> Rows{};

    QCheckBox* CheckBoxBase = nullptr;
    QLineEdit* EditRepBase = nullptr;
    QToolButton* SpeedButtonRepBase = nullptr;
    QCheckBox* CheckBoxFileName = nullptr;
    QLineEdit* EditFileName = nullptr;
    QPushButton* SpeedButtonFileName = nullptr;
    QCheckBox* CheckBoxJPEG = nullptr;
    // The anaglyph method and the camera's EXIF (settings AnaglyphMethod, KeepExif).
    QComboBox* ComboBoxAnaglyph = nullptr;
    QCheckBox* CheckBoxExif = nullptr;
    QLineEdit* EditW = nullptr;
    QLineEdit* EditH = nullptr;
    QLineEdit* EditWt = nullptr;
    QLineEdit* EditHt = nullptr;
    QLineEdit* EditSepar = nullptr;
    QComboBox* ComboBoxSize = nullptr;
    QComboBox* ComboBoxAdaptImage = nullptr;
    QComboBox* ComboBoxSource = nullptr;
    QCheckBox* CheckBoxCentre = nullptr;
    QCheckBox* CheckBoxRatio = nullptr;
    QRadioButton* RadioButtonImageSize = nullptr;
    QRadioButton* RadioButtonCoupleSize = nullptr;
    QGroupBox* RadioGroupCouple = nullptr;
    QButtonGroup* CoupleButtons = nullptr;
    QListWidget* ListBoxName = nullptr;
    QLabel* StatusDrive = nullptr; // StatusBar1 panel 0
    QLabel* StatusSpace = nullptr; // StatusBar1 panel 1
    QPushButton* SpeedButtonSave = nullptr;
    QPushButton* SpeedButtonPrevisu = nullptr;
    QPushButton* SpeedButtonOpjpeg = nullptr;
    QPushButton* SpeedButtonCancel = nullptr;
    QPushButton* SpeedButtonGetFicName = nullptr;
    QPushButton* SpeedButtonShowDefaultValues = nullptr; // hidden
    QPushButton* SpeedButtonShowCurrentValues = nullptr;
    QPushButton* SpeedButtonSaveCurrentValues = nullptr;
    QPushButton* SpeedButtonForceRelatif = nullptr; // hidden

    // The questions of the pass and the parameter-file host; null uses the
    // program's own (message boxes and the display window's host).
    tfolderquestions* FolderQuestions = nullptr;
    tsavequestions* SaveQuestions = nullptr;
    tparamhost* ParamHost = nullptr;

    // The values the controls hold now.
    const tsavevalues& Values();

    // On show and activation: the current values, the result flag set.
    void FormShow();
    // "Enregistrer...": the values stored, then every ticked kind written.
    void SpeedButtonSaveClick();
    // "Previsu": the preview in the preview window's own presentation.
    void SpeedButtonPrevisuClick() { MsgPreview(-1); }
    // The preview in a presentation (0, 2, 4, 8; -1 the window's own).
    void MsgPreview(int mode);
    void PreviewModeRequested(int mode) override { MsgPreview(mode); }
    // Shown modal, for the batch: true when closed with the OK result.
    bool ExecuteForBatch();
    // The report of the last "Enregistrer..." pass.
    const tsavereport& LastReport() const { return lastReport_; }

    void ComboBoxSizeChange();
    void StoreDialogValues();
    void SpeedButtonShowDefaultValuesClick();
    void SpeedButtonShowCurrentValuesClick();
    // "Voir les Noms de Fichiers": the name list and the disk status.
    void SpeedButtonGetFicNameClick();
    // The file name a kind gets from the current fields.
    QString DefaultFileName(int kind);
    // The size of the export to the image program.
    QSize ExportFrameSize(bool useAuto);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void ConnectControls();
    void ReadControls();
    void WriteControls();
    void ShowStatus(const QString& path);
    void BrowseFolder(QLineEdit* edit, QString tsettings::*setting);
    void SizeTyped(tsizefield field);
    tsizesource SizeSource() const;

    tsavevalues values_;
    tsavereport lastReport_;
    bool result_ = true;
    bool updating_ = false;
    bool saving_ = false;
    bool shownOnce_ = false;
    std::unique_ptr<tfolderquestions> ownFolders_;
    std::unique_ptr<tsavequestions> ownQuestions_;
};
