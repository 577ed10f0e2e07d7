// The table of the program's windows.
#include "montage/programwindows_ui.h"

#include "display/tformmain.h"
#include "montage/tformbuild2.h"

tappwindows AppWindows;

QList<QWidget*> tappwindows::InOrder() const {
    return {FormMain,     FormBuild2,    FormZoom,       FormSave,
            FormGeometry, FormPt,        FormRepOpenImg, SeparDialog,
            AboutBox,     FormDiaporama, FormList,       FormRearWindowing,
            FormImg,      FormOpJpeg,    FormSize,       FormDragDropOptions,
            FormEdit,     FormView,      LngForm,        FormRearWinExpert,
            FormDirImg};
}
