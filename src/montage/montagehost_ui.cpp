// The alignment commands' host over the display window and the Montage window.
#include "montage/montagehost_ui.h"

#include "core/runflags.h"
#include "display/manualframe.h"
#include "display/tformmain.h"
#include "input/viewloader.h"
#include "montage/cropcommands_ui.h"
#include "montage/programwindows_ui.h"
#include "montage/tformbuild2.h"
#include "montage/tformgeometry.h"

#include <QCoreApplication>
#include <QScrollBar>
#include <QToolButton>

namespace {

TFormMain* display() {
    return AppWindows.FormMain;
}

} // namespace

tviewpair& tmontagehost::Pair() {
    return display() ? display()->Pair : spare_;
}

bool tmontagehost::LeftIsCurrent() const {
    TFormMain* d = display();
    if (!d) return true;
    return d->GetCurrent().img != &d->ImgRight();
}

void tmontagehost::MakeCurrent(bool left) {
    TFormMain* d = display();
    if (!d) return;
    d->SetCurrent(d->Display.SlotOf(left ? &d->ImgLeft() : &d->ImgRight()));
}

double tmontagehost::Zoom() const {
    return display() ? display()->Display.Zoom : 1.0;
}

double tmontagehost::ScrollX() const {
    return display() ? display()->Display.ScrollX : 0.0;
}

double tmontagehost::ScrollY() const {
    return display() ? display()->Display.ScrollY : 0.0;
}

void tmontagehost::SetScroll(double x, double y) {
    if (display()) display()->Display.SetScroll(y, x);
}

double tmontagehost::ZoomPercent() const {
    return display() ? display()->Display.ZoomPercent : 100.0;
}

bool tmontagehost::PrecisionMode() const {
    return form_.PrecisionMode;
}

tmanualframe tmontagehost::ManualFrame() const {
    if (!display()) return {};
    const tdisplaystate& s = display()->Display;
    return {s.FrameLeft, s.FrameTop, s.FrameW, s.FrameH};
}

void tmontagehost::SetManualFrame(const timg& view, double height, double width, double left,
                                  double top) {
    if (!display()) return;
    tdisplaystate& d = display()->Display;
    ::SetManualFrame(d, true, d.SlotOf(&view), height, width, top, left);
}

void tmontagehost::Compose() {
    if (display()) display()->Compose();
}

void tmontagehost::ShowAngleInfo() {
    form_.ShowAngleInfo();
}

void tmontagehost::ShowShiftInfo() {
    form_.ShowShiftInfo();
}

void tmontagehost::ShowZoomInfo() {
    form_.ShowZoomInfo();
}

void tmontagehost::ShowOrientationCodes(const QString& left, const QString& right) {
    form_.SpeedButton1->setText(left);
    form_.SpeedButton2->setText(right);
}

void tmontagehost::ShowFactorText(const QString& text) {
    if (auto* geometry = qobject_cast<TFormGeometry*>(AppWindows.FormGeometry))
        geometry->ShowFactorText(text);
}

void tmontagehost::ProcessEvents() {
    QCoreApplication::processEvents();
}

void tmontagehost::SelectPair(int index) {
    form_.SelectPair(index);
}

void tmontagehost::LockPoints() {
    form_.LockPoints();
}

void tmontagehost::ReapplyZoom() {
    if (display()) display()->Display.SetZoomCentred(display()->Display.Zoom);
}

void tmontagehost::ResetViews() {
    if (display())
        display()->ResetViews();
    else
        talignhost::ResetViews();
}

void tmontagehost::AfterParametersReset() {
    form_.ForgetLastPoint();
    form_.PressLockButtons();
}

bool tmontagehost::CropShown() const {
    return display() && display()->Display.CropOn;
}

void tmontagehost::ShowWindowSlider(int position) {
    if (form_.ScrollBar1) form_.ScrollBar1->setValue(position);
}

void tmontagehost::ShowAutoWindowSize() {
    double w = 0, h = 0;
    form_.ShowAutoWindowSize(w, h);
}

void tmontagehost::ReloadViews() {
    if (!display()) return;
    form_.Loader().ReloadViews(display()->Pair.StereoType);
}

void tmontagehost::RerunCropMode() {
    form_.Crop().Rerun();
}

void tmontagehost::SetAutomaticCrop() {
    form_.Crop().SetAutomatic();
}
