// Creation of the program's windows in their fixed order.
#include "app/appwindows_ui.h"

#include "aids/tformsize.h"
#include "aids/tformview.h"
#include "aids/tformzoom.h"
#include "app/desktop_ui.h"
#include "app/exitsequence_ui.h"
#include "app/tplainform.h"
#include "core/runflags.h"
#include "core/settings.h"
#include "display/tformmain.h"
#include "input/composite.h"
#include "input/tformdragdropoptions.h"
#include "input/tsepardialog.h"
#include "input/userreport.h"
#include "lists/batchsaver.h"
#include "lists/tformdiaporama.h"
#include "lists/tformdirimg.h"
#include "lists/tformlist.h"
#include "lists/tformrepopenimg.h"
#include "lng/lngwidgets_ui.h"
#include "lng/tformedit.h"
#include "lng/tlngform.h"
#include "montage/listcommands_ui.h"
#include "montage/savedialogbatch_ui.h"
#include "montage/taboutbox.h"
#include "montage/tformbuild2.h"
#include "montage/tformgeometry.h"
#include "montage/tformpt.h"
#include "montage/tformrearwindowing.h"
#include "montage/tformrearwinexpert.h"
#include "montage/tformsave.h"
#include "output/tformopjpeg.h"

#include <memory>

namespace {

QWidget* plain(const char* name, const char* caption, int w, int h, bool onTop = false) {
    return new TPlainForm(QString::fromUtf8(name), QString::fromUtf8(caption), QSize(w, h), onTop);
}

} // namespace

void CreateWindows() {
    // The windows end the program and arrange the desktop through these.
    ProgramHooks = {RunExitSequence, EndEventLoop, ArrangeDesktopWindows};
    // Language files are applied to and written from every window in order.
    SetLngWindowSource([] { return AppWindows.InOrder(); });
    tappwindows& a = AppWindows;
    a.FormMain = new TFormMain();
    a.FormBuild2 = new TFormBuild2();
    a.FormZoom = new TFormZoom(a.FormMain);
    a.FormSave = new TFormSave();
    a.FormGeometry = new TFormGeometry();
    a.FormPt = new TFormPt();
    a.FormRepOpenImg = new TFormRepOpenImg();
    auto* separ = new TSeparDialog();
    // Composite splits ask their band width through this dialog.
    SetSeparationDialog(separ);
    a.SeparDialog = separ;
    a.AboutBox = new TAboutBox();
    auto* diaporama = new TFormDiaporama();
    // List entries are shown in the display window.
    diaporama->SetDisplay(&ListDisplay());
    diaporama->ShowRedirection = [] {
        if (auto* d = qobject_cast<TFormRepOpenImg*>(AppWindows.FormRepOpenImg)) d->exec();
    };
    a.FormDiaporama = diaporama;
    a.FormList = new TFormList(*diaporama);
    a.FormRearWindowing = new TFormRearWindowing();
    a.FormImg = plain("FormImg", "Image", 400, 300);
    a.FormOpJpeg = new TFormOpJpeg(&a.FormMain->Pair);
    a.FormSize = new TFormSize();
    a.FormDragDropOptions = new TFormDragDropOptions();
    auto* editor = new TFormEdit();
    a.FormEdit = editor;
    a.FormView = new TFormView();
    // OK and Cancel of the chooser name the language of the next start.
    a.LngForm = new TLngForm(editor, &Settings.LngFileName);
    a.FormRearWinExpert = new TFormRearWinExpert();
    a.FormDirImg = new TFormDirImg();

    // The batch saves each entry through the save dialog.
    static std::unique_ptr<tsavedialogbatch> batchSaver;
    batchSaver = std::make_unique<tsavedialogbatch>(static_cast<TFormSave*>(a.FormSave));
    SetBatchSaver(batchSaver.get());
}

void DestroyWindows() {
    // The loaders must not report to a window that is gone.
    SetUserReport(nullptr);
    SetSeparationDialog(nullptr);
    SetBatchSaver(nullptr);
    // A slideshow or batch still running must not tick into deleted windows.
    if (auto* d = qobject_cast<TFormDiaporama*>(AppWindows.FormDiaporama)) {
        gBusy = false;
        d->StopTimer();
    }
    QList<QWidget*> all = AppWindows.InOrder();
    for (int i = all.size() - 1; i >= 0; --i) delete all[i];
    AppWindows = tappwindows();
    ProgramHooks = tprogramhooks();
    SetLngWindowSource(nullptr);
}
