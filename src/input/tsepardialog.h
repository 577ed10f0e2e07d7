// The separation dialog "Extraction des Vues Stéréo": automatic or manual
// width of the band between the views of a composite, and whether to ask again.
#pragma once

#include "input/composite.h"

#include <QDialog>

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QRadioButton;
class tviewpair;

class TSeparDialog : public QDialog, public tseparationdialog {
    Q_OBJECT
public:
    // The result of exec() when closed with Ignore.
    static constexpr int IgnoreResult = 2;

    explicit TSeparDialog(QWidget* parent = nullptr);

    // Components.
    QButtonGroup* RadioGroup1;        // 0 "Valeur Automatique", 1 "Valeur Manuelle"
    QLineEdit* EditSeparAuto;         // disabled: the measured width
    QLineEdit* EditSeparManuel;       // the manual width
    QButtonGroup* RadioGroupDemander; // the four ExtractOption choices
    QPushButton* BitBtnIgnore;
    QPushButton* BitBtnOk;

    // Opened from the Montage window's menu, without a modal loop: the
    // automatic width is measured on the left view with the pair's kind.
    void ShowFromMenu(const tviewpair& pair);

    // tseparationdialog, for DetectSeparation.
    QString AutoText() const override;
    void SetAutoText(const QString& text) override;
    QString ManualText() const override;
    void SetManualText(const QString& text) override;
    bool AskForSplit() override;
    int AskChoice() const override;
    bool ManualChosen() const override;

    void FormCreate();
    void FormShow();
    void BitBtnIgnoreClick();
    void BitBtnOkClick();

protected:
    void showEvent(QShowEvent* event) override;
};
