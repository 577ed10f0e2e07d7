// "Distance  entre Points Homologues à l'infini (MAOFD)": the expert
// calculator of the infinity distance from pixels, a ratio or shooting data.
#pragma once

#include "montage/windowcalculators.h"

#include <QDialog>

#include <functional>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class talignhost;

class TFormRearWinExpert : public QDialog {
    Q_OBJECT
public:
    explicit TFormRearWinExpert(QWidget* parent = nullptr);

    // The views the dialog measures; without it no picture is counted.
    void SetHost(talignhost* host) { host_ = host; }
    // What "Appliquer" runs after InfinityFraction is set: the Montage window
    // checks "calcul selon largeur image" and runs it; without it the mode
    // runs directly on the host.
    std::function<void()> RunImageWidthMode;

    // The field values behind the controls.
    trearwinexpert Fields;

    void ButtonDefaultClick();
    void ButtonFixClick();
    void ButtonShootingClick();
    void ButtonApplyClick();

    QButtonGroup* RadioGroup2 = nullptr; // ids: the trearwinexpert choices
    QButtonGroup* RadioGroup1 = nullptr; // ids: F, B, D, E
    QLineEdit* EditRapport = nullptr;
    QLineEdit* Editmaofdpixel = nullptr;
    QLineEdit* EditFocal = nullptr;
    QLineEdit* EditBase = nullptr;
    QLineEdit* EditDistance = nullptr;
    QLineEdit* EditInfini = nullptr;
    QLineEdit* EditLargeurSensible = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLineEdit* EditImageSize = nullptr;
    QLabel* LabelResultat = nullptr;
    QPushButton* ButtonShooting = nullptr;
    QPushButton* ButtonFix = nullptr;
    QPushButton* ButtonDefault = nullptr;
    QPushButton* ButtonApply = nullptr;
    QPushButton* BitBtnOk = nullptr;
    QPushButton* BitBtnCancel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int PictureWidth() const;
    void ReadControls();
    void ShowFields();
    void ShowCurrentSize();

    talignhost* host_ = nullptr;
};
