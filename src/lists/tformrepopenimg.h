// The folder redirection dialog: the two folders where left and right
// pictures of parameter files are looked for, and the redirection switch.
#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

class TFormRepOpenImg : public QDialog {
    Q_OBJECT
public:
    explicit TFormRepOpenImg(QWidget* parent = nullptr);

    // Components.
    QLineEdit* EditRepL;
    QPushButton* SpeedButtonRepL;
    QLineEdit* EditRepR;
    QPushButton* SpeedButtonRepR;
    QCheckBox* CheckBoxForceDir;
    QPushButton* BitBtnOk;
    QPushButton* BitBtnCancel;

    // The parameter-file reader fills the two fields before showing the dialog.
    void SetRedirectFields(const QString& leftFolder, const QString& rightFolder);

    // The folder picker: the save-file dialog with a title, a start folder
    // and a proposed file name; the chosen file, empty when cancelled. Tests
    // replace it.
    std::function<QString(const QString& title, const QString& folder, const QString& fileName)>
        PickFile;

    void FormShow();
    void SpeedButtonRepLClick();
    void SpeedButtonRepRClick();
    void BitBtnOkClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Browse(const QString& title, const QString& folder, const QString& fileName,
                QLineEdit* edit);
};
