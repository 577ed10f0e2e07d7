// The "Glisser Déposer" dialog: the stereo kind a single dropped or pasted
// picture is taken for, and whether to ask again.
#pragma once

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QPushButton;

class TFormDragDropOptions : public QDialog {
    Q_OBJECT
public:
    explicit TFormDragDropOptions(QWidget* parent = nullptr);

    QGroupBox* RadioGroupFileType; // "Type de Fichier à Ouvrir:"
    QButtonGroup* FileTypeButtons; // ids 0..7, the DragDropFileType values
    QCheckBox* CheckBoxShow;       // "Ne plus demander"
    QPushButton* BitBtnOk;
    QPushButton* BitBtn1; // Cancel

    // Shown modally: true when closed with OK (the choice is then stored).
    bool Ask();

    void FormShow();
    void BitBtnOkClick();
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent* event) override;
};
