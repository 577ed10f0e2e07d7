// The image size dialog ("Taille d'Image") of single-output saving: the size
// of one view, the separation and the source frame.
#pragma once

#include <QDialog>
#include <QSizeF>

class QComboBox;
class QPushButton;
class QSpinBox;

class TFormSize : public QDialog {
    Q_OBJECT
public:
    explicit TFormSize(QWidget* parent = nullptr);

    QComboBox* ComboBoxSource = nullptr;
    QComboBox* ComboBox1 = nullptr; // "Taille d'une Vue:"
    QSpinBox* Edit1 = nullptr;      // "Séparation:", with its up/down buttons
    QPushButton* BitBtnOk = nullptr;
    QPushButton* BitBtnCancel = nullptr;

    // What "Automatique" stands for; the caller sets it before showing.
    QSizeF AutoSize;

    // The results after OK.
    int SizeW = 0;
    int SizeH = 0;
    int SizeSepar = 0;
    int SizeSource = 0;

    // On activation: the source item from AutoCrop.
    void FormActivate();
    void BitBtnOkClick();

protected:
    void showEvent(QShowEvent* event) override;
};
