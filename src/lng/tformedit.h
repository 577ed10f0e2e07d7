// The text editor: language files (and parameter files) opened, edited,
// searched and saved.
#pragma once

#include <QDialog>

class QMenuBar;
class QPlainTextEdit;
class QPushButton;

class TFormEdit : public QDialog {
    Q_OBJECT
public:
    explicit TFormEdit(QWidget* parent = nullptr);

    // Shows the editor on file when it exists, else asks for a file in
    // folder with filter ("" for any file); filter also becomes the save
    // dialog's.
    void OpenInEditor(const QString& file, const QString& folder, const QString& filter);
    // Reads path as plain text (an empty text when it is missing); false
    // with the text emptied when it cannot be read.
    bool LoadFile(const QString& path);
    // Writes the text to path; false with a message when it cannot.
    bool SaveFile(const QString& path);
    // Looks for text from the end of the selection on; selects the match.
    bool FindNext(const QString& text);

    QString EditedFile;
    QString SaveFilter;
    QString FindText;

    QMenuBar* MainMenu1 = nullptr;
    QPlainTextEdit* RichEdit1 = nullptr;
    QPushButton* BitBtnLoad = nullptr;
    QPushButton* BitBtnSave = nullptr;
    QPushButton* BitBtnOk = nullptr;
    QPushButton* BitBtnCancel = nullptr;

protected:
    void done(int result) override;
    void showEvent(QShowEvent* event) override;

private:
    void LoadClick();
    void SaveClick();
    void FindClick();
    void SetCaption();
};
