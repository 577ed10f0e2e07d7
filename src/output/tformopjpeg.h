// The JPEG options window: how JPEG files are written and read, with a
// preview of a part of the left view before and after compression.
#pragma once

#include "core/jpegdefaults.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QToolButton;
class tviewpair;

class TFormOpJpeg : public QWidget {
    Q_OBJECT
public:
    // The preview draws the left view of `pair` (none: a black preview).
    explicit TFormOpJpeg(const tviewpair* pair);

    QLineEdit* EditCompressionQuality = nullptr;
    QToolButton* SpeedButtonUp = nullptr;   // "+"
    QToolButton* SpeedButtonDown = nullptr; // "-"
    QCheckBox* CheckBoxGrayScale = nullptr;
    QCheckBox* CheckBoxProgressiveEncoding = nullptr;
    QCheckBox* CheckBoxDisableHorzSubSampling = nullptr;
    QCheckBox* CheckBoxDisableVertSubSampling = nullptr;
    QGroupBox* GroupBoxRead = nullptr; // "Options de Lecture:"
    QComboBox* ComboBoxPerformance = nullptr;
    QComboBox* ComboBoxPixelFormat = nullptr;
    QCheckBox* CheckBoxProgressiveDisplay = nullptr;
    QComboBox* ComboBoxScale = nullptr;
    QCheckBox* CheckBoxSmoothing = nullptr;
    QPushButton* SpeedButtonPreview = nullptr; // ">> Voir   >>"
    QPushButton* SpeedButtonDefault = nullptr; // "Défaut"
    QPushButton* BitBtnOk = nullptr;
    QLabel* ImageSRC = nullptr;
    QLabel* ImageDST = nullptr;
    QScrollBar* ScrollBarH = nullptr;
    QScrollBar* ScrollBarV = nullptr;

    // The pictures of the last preview.
    QImage PreviewSource, PreviewResult;

    // The controls into JpegDefaults and the two subsampling settings.
    void StoreJpegOptions();
    // The controls from a set of options.
    void LoadJpegOptions(const tjpegoptions& options);
    // "Défaut": the reset options (subsampling from the settings), then stored.
    void ResetJpegOptions();
    // ">> Voir   >>": the left view before and after compression.
    void PreviewJpeg();

    void SpeedButtonUpClick();
    void SpeedButtonDownClick();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void EditCompressionQualityChange();
    void FormActivate();

    const tviewpair* pair_;
};
