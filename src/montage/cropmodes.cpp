// The crop modes, the ratio constraint and the manual frame commands of the
// Montage window, over the controls it lends them.
#include "montage/cropmodes.h"

#include "core/runflags.h"
#include "core/settings.h"
#include "display/displaystate.h"
#include "display/manualframe.h"
#include "montage/infotexts.h"

#include <climits>
#include <cmath>

const tratioitem kRatioItems[kRatioItemCount] = {
    {"Fenêtre sans contrainte", 0, 0},           {"Fenêtre (4/3) paysage numérique  ", 4, 3},
    {"Fenêtre (3/2) paysage argentique ", 3, 2}, {"Fenêtre (3/4) portrait numérique ", 3, 4},
    {"Fenêtre (2/3) portrait argentique", 2, 3}, {"", 0, 0},
};

namespace {

// Trunc into an int; sizes may come from a parameter file, so anything out
// of range is held at the limits and NaN counts as 0.
int WholePart(double v) {
    if (!std::isfinite(v)) return v > 0 ? INT_MAX : (v < 0 ? INT_MIN : 0);
    v = std::trunc(v);
    if (v >= double(INT_MAX)) return INT_MAX;
    if (v <= double(INT_MIN)) return INT_MIN;
    return static_cast<int>(v);
}

void SmoothingOn(tcropcontrols& c) {
    Settings.Smoothing = true;
    c.PressSmoothingButton();
}

// The displayed page becomes the manual frame, its size shown in the fields.
void FrameToPage(tcropcontrols& c, tdisplaystate& d) {
    tviewslot& slot = FrameSlotOf(d);
    const tframesize page = PageSize(d, slot);
    c.ShowFrameSizeFields(FrameSizeField(page.width), FrameSizeField(page.height));
    SetManualFrame(d, true, slot, page.height, page.width, 0, 0);
}

} // namespace

tratiochoice RatioChoice(int index, int leftWidth, int leftHeight) {
    tratiochoice ch;
    if (index == kRatioItemCount - 1) {
        ch.ratioW = leftWidth;
        ch.ratioH = leftHeight;
        ch.shownIndex = 1;
        ch.computes = false;
        return ch;
    }
    if (index < 0 || index >= kRatioItemCount) index = 0;
    ch.ratioW = kRatioItems[index].ratioW;
    ch.ratioH = kRatioItems[index].ratioH;
    ch.shownIndex = index;
    return ch;
}

QString FrameSizeField(double size) {
    return QString::asprintf("%4d", WholePart(size));
}

int FrameSizeFromField(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : 0;
}

void ComputeAutoWindow(tcropcontrols& c, double h, double w) {
    WinRatioW = WholePart(w);
    WinRatioH = WholePart(h);
    tdisplaystate* d = c.Display();
    if (!d) return;
    const tautowindow a = AutoWindowOnScreen(*d, WinRatioH, WinRatioW);
    if (a.valid) c.ShowAutoWindowText(AutoWindowText(a.width, a.height));
}

int ChooseRatio(tcropcontrols& c, int index) {
    tdisplaystate* d = c.Display();
    const int w = d ? d->Pair.ImgLeft.Width() : 0;
    const int h = d ? d->Pair.ImgLeft.Height() : 0;
    const tratiochoice ch = RatioChoice(index, w, h);
    if (ch.computes) {
        ComputeAutoWindow(c, ch.ratioH, ch.ratioW);
    } else {
        WinRatioW = ch.ratioW;
        WinRatioH = ch.ratioH;
        c.ShowAutoWindowText(AutoWindowText(WinRatioW, WinRatioH));
    }
    c.Compose();
    return ch.shownIndex;
}

void FrameFromAutoWindow(tcropcontrols& c) {
    tdisplaystate* d = c.Display();
    if (!d) return;
    const tautowindow a = AutoWindowOnScreen(*d, WinRatioH, WinRatioW);
    if (!a.valid) return;
    c.ShowFrameSizeFields(FrameSizeField(a.width), FrameSizeField(a.height));
    SetManualFrame(*d, true, FrameSlotOf(*d), a.height, a.width, a.top, a.left);
    FrameButtonClick(c, true);
}

void FrameFromPage(tcropcontrols& c) {
    tdisplaystate* d = c.Display();
    if (!d) return;
    FrameToPage(c, *d);
    FrameButtonClick(c, true);
}

void FrameFromFields(tcropcontrols& c) {
    tdisplaystate* d = c.Display();
    if (!d) return;
    const int w = FrameSizeFromField(c.FrameWidthField());
    const int h = FrameSizeFromField(c.FrameHeightField());
    SetManualFrame(*d, false, FrameSlotOf(*d), h, w, 0, 0);
    c.SelectPair(PtCadre1);
}

void FrameButtonClick(tcropcontrols& c, bool down) {
    c.ShowFrameButton(down);
    if (down) {
        // The frame is drawn with the mouse, its corners being points 11 and 12.
        c.SelectPair(PtCadre1);
    } else {
        c.SelectPair(0);
        c.PressLockButtons();
    }
}

void ApplyCropMode(tcropcontrols& c, int mode) {
    tdisplaystate* d = c.Display();
    if (mode == CropNone) {
        if (d) d->CropOn = false;
        if (Settings.GridIndex == 0) Settings.GridIndex = 1;
        c.SelectPair(CurPoint);
        return;
    }
    if (mode < CropNone || mode > CropScreen) return;
    // Every crop is shown smoothed, the current view without its focus frame.
    Settings.AutoCrop = mode == CropAuto;
    SmoothingOn(c);
    if (d) d->CropOn = true;
    Settings.VisuCurrent = true;
    switch (mode) {
    case CropAuto:
        c.ToggleMarkers();
        ComputeAutoWindow(c, WinRatioH, WinRatioW);
        break;
    case CropManual:
        // The manual frame starts as the automatic window.
        if (d && (!d->Pair.ImgLeft.mancropd || !d->Pair.ImgRight.mancropd)) FrameFromAutoWindow(c);
        c.ToggleMarkers();
        break;
    case CropScreen:
        if (d) FrameToPage(c, *d);
        c.ToggleMarkers();
        break;
    default:
        break;
    }
    c.Compose();
}
