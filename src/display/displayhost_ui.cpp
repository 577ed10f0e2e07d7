// The display window's side of picture loading.
#include "display/displayhost_ui.h"

#include "core/stereokinds.h"
#include "core/viewops.h"
#include "display/tformmain.h"
#include "input/pictureload.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

void tformmainhost::ShowMessage(const QString& text) {
    QMessageBox::information(&form_, QString::fromUtf8(ProductCaption), text);
}

void tformmainhost::BeginBusy() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void tformmainhost::EndBusy() {
    QApplication::restoreOverrideCursor();
}

tviewpair& tformmainhost::Pair() {
    return form_.Pair;
}

void tformmainhost::SetColorMask(quint32 mask) {
    form_.Display.SetColorMask(int(mask));
}

void tformmainhost::SetTransp1(int value) {
    form_.Display.Transp1 = value;
}

void tformmainhost::ResetSlot(const timg& view) {
    tviewslot& slot = form_.Display.SlotOf(&view);
    slot.CropRect = slot.DrawRect = slot.Area;
    slot.CropOffX = slot.CropOffY = 0;
}

void tformmainhost::MakeCurrent(const timg& view) {
    form_.Display.SetCurrent(form_.Display.SlotOf(&view));
}

void tformmainhost::SetScrollRanges(int width, int height) {
    form_.SetScrollRanges(width, height);
    form_.UpdateLayout();
}

QSize tformmainhost::DisplayArea(const timg& view) const {
    const tviewslot& slot = form_.Display.SlotOf(&view);
    return {slot.Area.Width(), slot.Area.Height()};
}

void tformmainhost::CentreOnArea(const timg& view) {
    tdisplaystate& d = form_.Display;
    d.ZoomAnchorX = view.Width() / 2.0;
    d.ZoomAnchorY = view.Height() / 2.0;
    d.ZoomAnchorSet = true;
    d.SetZoomCentred(d.Zoom);
}

void tformmainhost::SetDisplayCentre(const timg& view, double x, double y) {
    tdisplaystate& d = form_.Display;
    d.ZoomAnchorX = x;
    d.ZoomAnchorY = y;
    d.ZoomAnchorSet = true;
    // The point goes to the middle of the view's area at the current zoom.
    const tviewslot& slot = d.SlotOf(&view);
    const tpointd now = d.PictureToRelative(view, x, y);
    const double dx = slot.Area.Width() / 2.0 - now.x;
    const double dy = slot.Area.Height() / 2.0 - now.y;
    d.SetScroll(d.ScrollY + dy * d.Zoom, d.ScrollX + dx * d.Zoom);
}

void tformmainhost::Redraw() {
    form_.update();
    form_.repaint();
}

void tformmainhost::Recompose() {
    form_.Compose();
}

void tformmainhost::RefreshCaption() {
    form_.UpdateCaption();
}

void tformmainhost::RefreshSaveSizes() {
    if (OnRefreshSaveSizes) OnRefreshSaveSizes();
}

void tformmainhost::ShowFirstMontageTab() {
    if (OnShowFirstMontageTab) OnShowFirstMontageTab();
}

QStringList tformmainhost::AskOpenPictures(const QString& title, const QString& folder,
                                           const QString& fileName, bool multiSelect) {
    QFileDialog dialog(&form_, title, folder, PipeFilterToQt(QString::fromUtf8(OpenPictureFilter)));
    dialog.setFileMode(multiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setSizeGripEnabled(true);
    if (!fileName.isEmpty()) dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles();
}

void tformmainhost::ReduceView(timg& view, double factor) {
    if (OnReduceView)
        OnReduceView(view, factor);
    else
        ::ReduceView(view, factor);
}

void tformmainhost::ReadParameterFile() {
    if (OnReadParameterFile) OnReadParameterFile();
}
