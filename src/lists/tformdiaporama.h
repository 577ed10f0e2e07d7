// The slideshow options window: the kind of the list's entries, the parameter
// file applied to every pair, the display time and the loop; it owns the
// list, its walk and the timer of the slideshow and the batch.
#pragma once

#include "lists/slideshow.h"
#include "lists/tdiaporama.h"

#include <QDialog>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTimer;

class TFormDiaporama : public QDialog, public tsequencehost {
    Q_OBJECT
public:
    explicit TFormDiaporama(QWidget* parent = nullptr);

    // Components.
    QGroupBox* RadioGroupFileType;
    QButtonGroup* FileTypeButtons;
    QLineEdit* EditParams;
    QPushButton* SpeedButtonOpenParams;
    QCheckBox* CheckBoxApplyParams;
    QLineEdit* EditInterval;
    QCheckBox* CheckBoxBoucle;
    QPushButton* SpeedButtonRedir;
    QPushButton* BitBtnOk;
    QPushButton* BitBtnCancel;
    QTimer* Timer1;

    tdiaporama Diaporama;
    tslideshow Sequence{Diaporama, *this};

    // Where entries are shown; the program installs the display window's.
    void SetDisplay(tlistdisplay* display) { Sequence.SetDisplay(display); }

    // Operations of the list and the menus.
    bool NextEntry();
    bool PreviousEntry();
    void GoToEntry(int i);
    void StartSlideshow();
    void ContinueSlideshow();
    void StopSequence();
    // "Traitement par lots: Sauvegarde": the warning, the options, then the
    // save dialog; OK there starts the batch.
    void SaveBatchCommand();
    // The options modally; true when closed with OK.
    bool ExecOptions();

    void FormShow();
    void BitBtnOkClick();
    void BitBtnCancelClick();
    void SpeedButtonOpenParamsClick();
    void SpeedButtonRedirClick();

    // Replaceable by tests: message boxes, the Yes/No question, the
    // parameter-file picker, the redirection dialog and the event loop.
    std::function<void(const QString& text, const QString& caption)> MessageBox;
    std::function<void(const QString& text, const QString& caption)> AskYesNo;
    std::function<QString(const QString& folder)> PickParamFile;
    std::function<void()> ShowRedirection;
    std::function<void()> RunPendingEvents;
    // The batch's progress: entry `done` of `total` (0 when it ends).
    std::function<void(int done, int total, const QString& file)> OnProgress;
    // The list window's caption and boxes follow the list.
    std::function<void()> OnListChanged;

    // tsequencehost
    void StartTimer(int ms) override;
    void StopTimer() override;
    void ProcessEvents() override;
    void ShowMessage(const QString& text, const QString& caption) override;
    void BatchProgress(int done, int total, const QString& file) override;

protected:
    void showEvent(QShowEvent* event) override;
};
