// The crop modes and the automatic window of the Montage window without its
// controls: the ratio constraint box, the automatic window size, the manual
// frame set from the window tab and the four crop modes.
#pragma once

#include <QString>

class tdisplaystate;

// What the crop commands ask of the Montage window's controls and of the
// display; every default does nothing, so a test overrides what it watches.
class tcropcontrols {
public:
    virtual ~tcropcontrols() = default;

    // The display state; null while the display window does not exist.
    virtual tdisplaystate* Display() = 0;
    // LabelAutoWin.
    virtual void ShowAutoWindowText(const QString& /*text*/) {}
    // EditWinW and EditWinH, and what they hold.
    virtual void ShowFrameSizeFields(const QString& /*width*/, const QString& /*height*/) {}
    virtual QString FrameWidthField() const { return {}; }
    virtual QString FrameHeightField() const { return {}; }
    // SBCadre1 shown down or up (the size fields follow it).
    virtual void ShowFrameButton(bool /*down*/) {}
    // ToolButtonLissage pressed.
    virtual void PressSmoothingButton() {}
    // "Montrer les repères de montage": the markers on or off.
    virtual void ToggleMarkers() {}
    virtual void SelectPair(int /*index*/) {}
    virtual void PressLockButtons() {}
    virtual void Compose() {}
};

// The crop modes in menu order; CropIndex holds one of them.
enum tcropmode { CropNone = 0, CropAuto = 1, CropManual = 2, CropScreen = 3 };

// One item of the ratio constraint box.
struct tratioitem {
    const char* caption;
    int ratioW;
    int ratioH;
};
// Items 0 to 4; item 5 is the empty item, which takes the left picture's size.
constexpr int kRatioItemCount = 6;
extern const tratioitem kRatioItems[kRatioItemCount];

// What choosing item `index` of the box sets: the ratio terms, the item the
// box shows (the empty item shows item 1) and whether the automatic window
// is computed (the empty item takes the left picture's size as the terms and
// writes them into the label instead).
struct tratiochoice {
    int ratioW = 0;
    int ratioH = 0;
    int shownIndex = 0;
    bool computes = true;
};
tratiochoice RatioChoice(int index, int leftWidth, int leftHeight);

// "%4d" of a size truncated, as the size fields show it.
QString FrameSizeField(double size);
// The integer a size field holds; 0 when it holds anything else.
int FrameSizeFromField(const QString& text);

// WinRatioW := Trunc(w), WinRatioH := Trunc(h); the label shows the
// automatic window of both views under that constraint. Without a left
// picture only the terms change.
void ComputeAutoWindow(tcropcontrols& c, double h, double w);
// ComboBoxWinSizeChange; returns the item the box shows.
int ChooseRatio(tcropcontrols& c, int index);

// The manual frame from the window tab: the automatic window
// (ToolButtonGetAutoCropSize), the page shown (ToolButtonGetCropSize), the
// typed size (ToolButtonSetCropSize).
void FrameFromAutoWindow(tcropcontrols& c);
void FrameFromPage(tcropcontrols& c);
void FrameFromFields(tcropcontrols& c);
// SBCadre1 pressed or released: the frame tool, or the points locked.
void FrameButtonClick(tcropcontrols& c, bool down);

// One of the four crop modes (CropIndex is the caller's).
void ApplyCropMode(tcropcontrols& c, int mode);
