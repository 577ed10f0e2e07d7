// "Fenêtrage Stéréo: Distance entre Points Homologues": the distance between
// homologous points from a width and a ratio, applied as the stereo window.
#pragma once

#include "montage/windowcalculators.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class talignhost;

class TFormRearWindowing : public QDialog {
    Q_OBJECT
public:
    explicit TFormRearWindowing(QWidget* parent = nullptr);

    // The views and the display the dialog reads and moves; without it the
    // fields count no picture and "Appliquer" does nothing.
    void SetHost(talignhost* host) { host_ = host; }

    // The field values behind the controls.
    trearwindowing Fields;

    void ButtonDefaultClick();
    void Recalculate();
    void ButtonApplyClick();

    QRadioButton* RadioButtonInf = nullptr;
    QRadioButton* RadioButtonWin = nullptr;
    QComboBox* ComboBoxSize = nullptr;
    QLineEdit* EditLargeurImage = nullptr;
    QLabel* LabelHeight = nullptr;
    QLineEdit* EditRapport = nullptr;
    QLineEdit* EditDist = nullptr;
    QPushButton* ButtonCalc = nullptr;
    QPushButton* ButtonDefault = nullptr;
    QPushButton* ButtonApply = nullptr;
    QPushButton* BitBtnOk = nullptr;
    QPushButton* BitBtnCancel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    twindowsources Sources() const;
    void ReadControls();
    void ShowFields();

    talignhost* host_ = nullptr;
};
