// The stereo window: the right view shifted so that a reference pair shows a
// chosen parallax, the calculation modes of that parallax, the cancel command
// and the window tab's slider.
#pragma once

class talignhost;
class tviewpair;

// Offset of homologous points at infinity over the reference width; replaced
// by the expert calculator, never stored in the settings file.
inline double InfinityFraction = 0.0417;

// Children of "Mode de calcul de la fenêtre stéréo" by menu index.
enum WindowCalcMode {
    CalcAtWindow = 0,      // points in the window plane, offset 0
    CalcUserWidth = 1,     // window width x InfinityFraction
    CalcFilmHeight = 2,    // 1.5 x window height x InfinityFraction
    CalcDigitalHeight = 3, // 4/3 x window height x InfinityFraction
    CalcImageWidth = 4,    // left picture width x InfinityFraction
    CalcCancel = 5,        // "Annuler le Fenêtrage"
};
constexpr int kWindowCalcCount = 6;

// Shifts the right view so that the reference pair (pair `windowPair` when
// placed in both views, else C, else the picture centres) shows `offset`
// pixels of horizontal parallax; the left view ends unshifted, the C points at
// the same height, the rotations unchanged. Then the crop mode runs again,
// the display is redrawn and the slider shows the offset.
void PlaceStereoWindow(talignhost& host, double offset, int windowPair = 9);

// Size of the window the modes measure: the automatic window (both views,
// ratio WinRatioW : WinRatioH, no manual frame) when AutoCrop is on, else the
// left view's manual frame when defined, else 0 x 0.
void WindowReferenceSize(const tviewpair& pair, double& width, double& height);
// The offset a calculation mode applies (0 for the cancel item and any other index).
double WindowModeOffset(const tviewpair& pair, int mode, double fraction = InfinityFraction);

// A calculation mode from the menu: remembered in DefCalcIndex (not the cancel
// item), then the window placed. The image-width mode puts the slider at 0 first.
void RunWindowMode(talignhost& host, int mode);

// "Annuler le fenêtrage": the picture centres end with no horizontal parallax
// (point 10 of each view becomes its picture centre).
void CancelWindowing(talignhost& host);

// The slider's thumb moved from `from` to `to`: the left view becomes current
// and is shifted by the difference.
void SlideWindow(talignhost& host, int from, int to);
// A click on a slider arrow: "Découpe automatique" when no crop is shown, then
// the current view moved by the manual step to the left or the right.
void SlideWindowStep(talignhost& host, bool toRight);
