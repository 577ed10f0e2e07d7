// The parameter file as the program's windows serve it: its dialogs, the
// folder redirection dialog, the reload of the views and the messages.
#pragma once

#include "core/paramfile.h"

class TFormMain;

class tformparamhost : public tparamhost {
public:
    explicit tformparamhost(TFormMain& form) : form_(form) {}

    void ViewsReset() override;
    bool AskSaveParamName(QString& fileName) override;
    QString AskOpenParamName(const QString& startFolder, const QString& proposedName) override;
    void AskRedirectFolders(const QString& leftFolder, const QString& rightFolder) override;
    void ReloadViews(int stereoType) override;
    void ShowMessage(const QString& text) override;
    void BeginBusy() override;
    void EndBusy() override;

private:
    TFormMain& form_;
};

// The one host over the display window; the windows must exist.
tformparamhost& AppParamHost();

// Opens a parameter file with its images into the display window and
// refreshes it; false when the file was refused.
bool OpenParamFileWithImages(const QString& fileName);

// "Ouvrir un fichier de Paramètres et ses Images..." (withImages) and
// "Appliquer un fichier de Paramètres aux vues courantes...": the crop
// display off, the open dialog in OpenDirPrm, then the reader.
void OpenParamsFromMenu(bool withImages);

// "Enregistrer les paramètres de calage..." (Ctrl+P): the parameter file
// under its default name, after its save dialog; output folders are asked
// for as the settings say.
bool SaveParamsFromMenu();
