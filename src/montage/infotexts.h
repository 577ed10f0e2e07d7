// The information texts of the Montage window (angles, shifts, magnification
// corrections, automatic window size, vision mode) and the colour-mask
// buttons, worked out without a window.
#pragma once

#include <QString>

// decimal is the platform's decimal separator; every number goes through it.

// "Angle : L %6.2f °/ R %6.2f °" from rotations in radians.
QString AngleInfoText(double leftRot, double rightRot, QChar decimal);
// "Depla : %6.2f %6.2f": the current view's shift against the other's.
QString ShiftInfoText(double dx, double dy, QChar decimal);
// "Corr. Zoom : L %6.3f / R %6.3f".
QString ZoomInfoText(double leftDz, double rightDz, QChar decimal);
// "Fenêtre Auto: %4.4d * %4.4d" with the sizes truncated.
QString AutoWindowText(double width, double height);
// "Vision <name> - <code>".
QString VisuLabelText(const QString& modeName, const QString& modeCode);

// Down states of the colour buttons for a pixel mask.
struct tmaskbuttons {
    bool red = false;
    bool green = false;
    bool blue = false;
    bool cyanRed = false;
};
tmaskbuttons MaskButtons(int mask);
// A channel button (tag 0xFF0000, 0x00FF00 or 0x0000FF) sets or clears its
// channel.
int MaskWithChannel(int mask, int tag, bool down);
// The cyan/red button: cyan when down, red when up.
int MaskForCyanRed(bool down);
// The invert button: the three channels flip.
int InvertedMask(int mask);

// The transparency operator the "Transparence" button applies: the checked
// one, or "Add" (tag 0) when it is already in use or none is checked (-1), so
// repeated clicks alternate between the chosen operator and "Add". Tags are
// compared, so "Fast" (tag 30) alternates like the others.
int TransparencyToApply(int checkedTag, int storedTag);
