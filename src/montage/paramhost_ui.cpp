// Parameter-file dialogs and reloads on the display window.
#include "montage/paramhost_ui.h"

#include "core/paths.h"
#include "core/settings.h"
#include "core/stereokinds.h"
#include "display/tformmain.h"
#include "input/viewloader.h"
#include "lists/tformrepopenimg.h"
#include "montage/programwindows_ui.h"
#include "output/folderquestions_ui.h"
#include "output/naming.h"
#include "output/paramnames.h"

#include <QFileDialog>

void tformparamhost::ViewsReset() {
    form_.ResetViews();
}

bool tformparamhost::AskSaveParamName(QString& fileName) {
    QFileDialog dialog(&form_, QString::fromUtf8(SaveParamsTitle), FileFolder(fileName),
                       PipeFilterToQt(QString::fromUtf8(ParamFileFilter)));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("prm"));
    dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    fileName = dialog.selectedFiles().first();
    return true;
}

QString tformparamhost::AskOpenParamName(const QString& startFolder, const QString& proposedName) {
    QFileDialog dialog(&form_, QString::fromUtf8(ReadParamsTitle), startFolder,
                       PipeFilterToQt(QString::fromUtf8(ParamFileFilter)));
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.selectFile(FileNamePart(proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().first();
}

void tformparamhost::AskRedirectFolders(const QString& leftFolder, const QString& rightFolder) {
    auto* dialog = qobject_cast<TFormRepOpenImg*>(AppWindows.FormRepOpenImg);
    if (!dialog) return;
    dialog->SetRedirectFields(leftFolder, rightFolder);
    dialog->exec();
}

void tformparamhost::ReloadViews(int stereoType) {
    tviewloader loader(form_.DisplayHost);
    loader.ReloadViews(stereoType);
    form_.FitAndCompose();
    form_.UpdateCaption();
}

void tformparamhost::ShowMessage(const QString& text) {
    form_.DisplayHost.ShowMessage(text);
}

void tformparamhost::BeginBusy() {
    form_.DisplayHost.BeginBusy();
}

void tformparamhost::EndBusy() {
    form_.DisplayHost.EndBusy();
}

tformparamhost& AppParamHost() {
    static tformparamhost host(*AppWindows.FormMain);
    return host;
}

bool OpenParamFileWithImages(const QString& fileName) {
    TFormMain& main = *AppWindows.FormMain;
    return ReadParams(main.Pair, fileName, true, AppParamHost(), Settings) != tparamread::Refused;
}

void OpenParamsFromMenu(bool withImages) {
    TFormMain& main = *AppWindows.FormMain;
    main.Display.CropOn = false;
    tnamingfields fields = NamingFieldsFromSettings(Settings, main.Pair);
    // Opening never creates output folders: the proposed name is only a hint.
    tfixedfolderanswers questions(false);
    OpenParamsDialog(main.Pair, withImages, fields, AppParamHost(), Settings, questions);
}

bool SaveParamsFromMenu() {
    TFormMain& main = *AppWindows.FormMain;
    tnamingfields fields = NamingFieldsFromSettings(Settings, main.Pair);
    tformfolderquestions questions(&main);
    return SaveParams(main.Pair, fields, AppParamHost(), Settings, questions);
}
