// Creation of the program's windows in their fixed order.
#include "app/appwindows_ui.h"

#include "aids/tformsize.h"
#include "aids/tformzoom.h"
#include "app/desktop_ui.h"
#include "app/exitsequence_ui.h"
#include "app/tplainform.h"
#include "display/tformmain.h"
#include "input/composite.h"
#include "input/tformdragdropoptions.h"
#include "input/tsepardialog.h"
#include "input/userreport.h"
#include "lists/tformrepopenimg.h"
#include "montage/taboutbox.h"
#include "montage/tformbuild2.h"
#include "montage/tformgeometry.h"
#include "montage/tformpt.h"
#include "montage/tformrearwindowing.h"
#include "montage/tformrearwinexpert.h"
#include "montage/tformsave.h"

namespace {

QWidget* plain(const char* name, const char* caption, int w, int h, bool onTop = false) {
    return new TPlainForm(QString::fromUtf8(name), QString::fromUtf8(caption), QSize(w, h), onTop);
}

} // namespace

void CreateWindows() {
    // The windows end the program and arrange the desktop through these.
    ProgramHooks = {RunExitSequence, EndEventLoop, ArrangeDesktopWindows};
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
    a.FormDiaporama = plain("FormDiaporama", "Liste", 420, 360);
    a.FormList = plain("FormList", "Liste d'images", 640, 420);
    a.FormRearWindowing = new TFormRearWindowing();
    a.FormImg = plain("FormImg", "Image", 400, 300);
    a.FormOpJpeg = plain("FormOpJpeg", "Options Jpeg", 560, 420);
    a.FormSize = new TFormSize();
    a.FormDragDropOptions = new TFormDragDropOptions();
    a.FormEdit = plain("FormEdit", "Editeur", 600, 480);
    a.FormView = plain("FormView", "View", 640, 480);
    a.LngForm = plain("LngForm", "Fichiers de Traduction", 420, 360);
    a.FormRearWinExpert = new TFormRearWinExpert();
    a.FormDirImg = plain("FormDirImg", "Kelvado - Version 0.1", 800, 600);
}

void DestroyWindows() {
    // The loaders must not report to a window that is gone.
    SetUserReport(nullptr);
    SetSeparationDialog(nullptr);
    QList<QWidget*> all = AppWindows.InOrder();
    for (int i = all.size() - 1; i >= 0; --i) delete all[i];
    AppWindows = tappwindows();
    ProgramHooks = tprogramhooks();
}
