// Magnification correction: the ratio of the d1-d2 distances of the two
// views, applied to the current view's picture and recorded in its dz.
#pragma once

#include <QString>

class talignhost;
class tviewpair;

// The two scale values from pairs d1 and d2 (points 7 and 8) on the montage
// plane: the current view gets its distance over the other's, the other 1.0.
// distanceMode: the real distance; otherwise the signed height difference.
// A distance of 0 counts as 1.
void ComputeScales(tviewpair& pair, bool leftCurrent, bool distanceMode);

// The factor label: the size in percent the correction gives the current
// view, Format("%4.2f", 100 / scale); empty for a scale of 0.
QString FactorText(double scale);
// The label when a factor is refused: not positive, or a picture that would
// be empty or too large.
QString RefusedFactorText(double scale);

// "Voir": the scales computed, factor text, points locked, redraw.
void ShowMagnification(talignhost& host, bool distanceMode);
// "Appliquer": any earlier correction cancelled first, then the current
// view's picture reduced by its scale and the scales moved into dz. A factor
// that is not positive, or that would make the picture empty or too large
// to hold, is refused: nothing is applied, the factor text says why, false.
bool ApplyMagnification(talignhost& host, bool distanceMode);
// "Annuler": both views back to dz 1, read again from their files.
void CancelMagnification(talignhost& host);
// "Annuler les corrections de géométrie" of the Annulations menu.
void CancelGeometry(talignhost& host);

// The fine steps on the current view's scale: "+" (step +1) makes the view
// larger, "-" (step -1) smaller, "0" (step 0) takes the scale back to 1. A
// step that would leave the scale at 0 or below is refused.
void StepScale(talignhost& host, int step);

// The geometry tab's "Appliquer correction de grandissement" and "Annuler
// correction de grandissement": the dialog's command, the zoom text, then
// "Caler en Rotation" (not after a refused factor).
bool ApplyZoomCorrection(talignhost& host, bool distanceMode);
void CancelZoomCorrection(talignhost& host);
