// The Montage window's save commands: one kind through the save-file dialog
// and the size dialog, the save dialog shown modeless, and its preview.
#include "montage/tformbuild2.h"

#include "aids/tformsize.h"
#include "core/settings.h"
#include "core/stereokinds.h"
#include "display/alignsteps.h"
#include "display/tformmain.h"
#include "input/userreport.h"
#include "montage/paramhost_ui.h"
#include "montage/programwindows_ui.h"
#include "montage/tformsave.h"
#include "output/naming.h"
#include "output/savepass.h"
#include "output/savequestions_ui.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QTabWidget>

namespace {

TFormSave* SaveDialog() {
    return qobject_cast<TFormSave*>(AppWindows.FormSave);
}

// The Save submenu's children in menu order.
constexpr int SaveItemKinds[] = {KindLeft,      KindRight,    KindCrossed, KindParallel,
                                 KindOverUnder, KindAnaglyph, KindDouble};
constexpr int SaveItemParams = 7;
constexpr int SaveItemMulti = 8;

} // namespace

void TFormBuild2::BindSave() {
    if (!AppWindows.FormMain) return;
    Bind("MenuFile_Preview", [this] { PreviewFromMenu(); });
    // The vision-mode submenu already routes its last child here.
    if (QAction* preview = Action(QStringLiteral("MenuView_Preview"))) {
        if (Display())
            handlers_.insert(preview, [this] { PreviewFromMenu(); });
        else
            Bind("MenuView_Preview", [this] { PreviewFromMenu(); });
    }
}

void TFormBuild2::SaveCommand(int index) {
    if (index == SaveItemParams) {
        PageControl1->setCurrentIndex(TabSave);
        SaveParamsFromMenu();
    } else if (index == SaveItemMulti) {
        ShowSaveDialog();
    } else if (index == 0) {
        // The left-view item asks for both views in turn.
        PopupMenuSave(KindLeft);
        PopupMenuSave(KindRight);
    } else if (index > 0 && index < int(std::size(SaveItemKinds))) {
        PopupMenuSave(SaveItemKinds[index]);
    }
}

void TFormBuild2::PopupMenuSave(int kind) {
    PageControl1->setCurrentIndex(TabSave);
    TFormSave* dialog = SaveDialog();
    QString name = dialog ? dialog->DefaultFileName(kind) : QStringLiteral("3d");
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0) name.truncate(dot);
    QString folder;
    if (dialog) {
        folder = KindFolder(kind, dialog->Values().naming);
        if (!QFileInfo(folder).isDir()) folder.clear();
    }
    QFileDialog files(this, QStringLiteral("Enregistrer ") + StereoKindNames[kind], folder,
                      PictureSaveFilters());
    files.setAcceptMode(QFileDialog::AcceptSave);
    files.selectNameFilter(PictureSaveFilterChoice(Settings.SaveJpeg));
    files.setDefaultSuffix(Settings.SaveJpeg ? QStringLiteral("jpg") : QStringLiteral("bmp"));
    connect(&files, &QFileDialog::filterSelected, &files, [&files](const QString& filter) {
        files.setDefaultSuffix(filter == PictureSaveFilterChoice(true) ? QStringLiteral("jpg")
                                                                       : QStringLiteral("bmp"));
    });
    files.selectFile(name);
    if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty()) return;
    Settings.SaveJpeg = files.selectedNameFilter() == PictureSaveFilterChoice(true);
    SaveKindWithSize(kind, files.selectedFiles().first());
}

bool TFormBuild2::SaveKindWithSize(int kind, const QString& file) {
    auto* size = qobject_cast<TFormSize*>(AppWindows.FormSize);
    TFormMain* main = AppWindows.FormMain;
    if (!size || !main) return false;
    size->setWindowTitle(file);
    double w = 0, h = 0;
    ShowAutoWindowSize(w, h);
    size->AutoSize = QSizeF(w, h);
    if (size->exec() != QDialog::Accepted) return false;
    if (RenderKind(main->Pair, file, kind, size->SizeSource, size->SizeSepar, size->SizeH,
                   size->SizeW, Settings.Save24bit))
        return true;
    UserReport().ShowMessage(QString::fromUtf8(SaveErrorText) + QStringLiteral("\n") + file);
    return false;
}

void TFormBuild2::ShowSaveDialog() {
    PageControl1->setCurrentIndex(TabSave);
    TFormSave* dialog = SaveDialog();
    if (!dialog) return;
    if (dialog->isVisible())
        dialog->FormShow();
    else
        dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void TFormBuild2::PreviewFromMenu() {
    TFormSave* dialog = SaveDialog();
    if (!dialog) return;
    dialog->FormShow();
    dialog->SpeedButtonPrevisuClick();
}
