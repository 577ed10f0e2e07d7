// The alignment commands' host over the display state: the display window's
// slots, zoom, scroll and redraw, with the Montage window's share as hooks.
#include "montage/alignmenthost.h"

#include "display/displaystate.h"

namespace {

template <typename F, typename... A> void Call(const F& f, A&&... args) {
    if (f) f(std::forward<A>(args)...);
}

} // namespace

tviewpair& tdisplayalignhost::Pair() {
    return display_.Pair;
}

bool tdisplayalignhost::LeftIsCurrent() const {
    return display_.GetCurrent().img != &display_.Pair.ImgRight;
}

void tdisplayalignhost::MakeCurrent(bool left) {
    timg* view = left ? &display_.Pair.ImgLeft : &display_.Pair.ImgRight;
    display_.SetCurrent(display_.SlotOf(view));
}

double tdisplayalignhost::Zoom() const {
    return display_.Zoom;
}
double tdisplayalignhost::ScrollX() const {
    return display_.ScrollX;
}
double tdisplayalignhost::ScrollY() const {
    return display_.ScrollY;
}
void tdisplayalignhost::SetScroll(double x, double y) {
    display_.SetScroll(y, x);
}
double tdisplayalignhost::ZoomPercent() const {
    return display_.ZoomPercent;
}

bool tdisplayalignhost::PrecisionMode() const {
    return Hooks.PrecisionMode && Hooks.PrecisionMode();
}

tmanualframe tdisplayalignhost::ManualFrame() const {
    return {display_.FrameLeft, display_.FrameTop, display_.FrameW, display_.FrameH};
}

void tdisplayalignhost::SetManualFrame(const timg& view, double height, double width, double left,
                                       double top) {
    Call(Hooks.SetManualFrame, view, height, width, left, top);
}

void tdisplayalignhost::Compose() {
    display_.Compose();
}
void tdisplayalignhost::ShowAngleInfo() {
    Call(Hooks.AngleInfo);
}
void tdisplayalignhost::ShowShiftInfo() {
    Call(Hooks.ShiftInfo);
}
void tdisplayalignhost::ShowZoomInfo() {
    Call(Hooks.ZoomInfo);
}

void tdisplayalignhost::ShowOrientationCodes(const QString& left, const QString& right) {
    Call(Hooks.OrientationCodes, left, right);
}

void tdisplayalignhost::ShowFactorText(const QString& text) {
    Call(Hooks.FactorText, text);
}
void tdisplayalignhost::ProcessEvents() {
    Call(Hooks.ProcessEvents);
}
void tdisplayalignhost::SelectPair(int index) {
    Call(Hooks.SelectPair, index);
}

void tdisplayalignhost::LockPoints() {
    if (Hooks.LockPoints)
        Hooks.LockPoints();
    else
        talignhost::LockPoints();
}

void tdisplayalignhost::ReapplyZoom() {
    display_.SetZoomCentred(display_.Zoom);
}
void tdisplayalignhost::ResetViews() {
    display_.ResetViews();
}
void tdisplayalignhost::AfterParametersReset() {
    Call(Hooks.AfterParametersReset);
}
void tdisplayalignhost::ReloadViews() {
    Call(Hooks.ReloadViews);
}
