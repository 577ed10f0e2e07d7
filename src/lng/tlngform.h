// The language chooser: the language files listed, tried, created, edited,
// and the chosen one made the active language.
#pragma once

#include "lng/lngfile.h"

#include <QDialog>

#include <functional>

class QListWidget;
class QPushButton;
class QToolButton;
class TFormEdit;

class TLngForm : public QDialog {
    Q_OBJECT
public:
    // editor opens files for "Editer"; settingName is the setting naming the
    // language of the next start, which OK and Cancel change.
    TLngForm(TFormEdit* editor, QString* settingName, QWidget* parent = nullptr);

    // The folders read and written (the program's and the user's by default).
    tlngfolders Folders;
    // Bare name of the chosen language.
    QString SelectedName;

    // Fills the list from the folders and selects SelectedName.
    void RefreshList();
    // The selected entry's bare name, "" when none.
    QString Selection() const;
    // "Appliquer": the selected file on trial; nothing without a selection.
    void ApplyClick();
    // The path "Créer..." proposes (the selection's name in the user's folder).
    QString ProposedNewPath() const;

    QListWidget* ListBox1 = nullptr;
    QToolButton* SpeedButtonApplyLng = nullptr;
    QToolButton* SpeedButtonSaveLng = nullptr;
    QToolButton* SpeedButtonEditLng = nullptr;
    QPushButton* BitBtnLngOk = nullptr;
    QPushButton* BitBtnLngCancel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void Apply(const QString& path);
    void CreateClick();
    void EditClick();
    void OkClick();

    TFormEdit* Editor;
    // Only the Cancel button cancels; closing by the title bar changes nothing.
    bool CancelPressed = false;
    QString* SettingName;
};
