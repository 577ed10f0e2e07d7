// Manual moves and rotations of the views, the quick rotations with their
// orientation codes, and the "Annulations" commands.
#pragma once

#include <QString>

class talignhost;
class timg;

// Step of a manual move in picture pixels: finer when the display is
// enlarged, finer still with the precision mode.
double ManualStep(double zoomPercent, bool precision);

enum tmovedirection { MoveUp, MoveDown, MoveLeft, MoveRight };

// The current view moved by one step.
void ManualMove(talignhost& host, tmovedirection direction);

// "Rotation Manuelle" of the manual tab: one step clockwise or
// counter-clockwise with the "Rotation:" item (0 "Simple", 1 "Double",
// 2 "Homologue"); nothing when no item is chosen.
void ManualRotate(talignhost& host, int rotationItem, bool clockwise);

// Items of the quick-rotation submenu by menu index (3, 5 and 11 are separators).
enum QuickRotationItem {
    QuickCouple90 = 0,
    QuickCouple180 = 1,
    QuickCouple270 = 2,
    QuickCoupleCancel = 4,
    QuickView90 = 6,
    QuickView180 = 7,
    QuickView270 = 8,
    QuickMirrorRows = 9,
    QuickMirrorColumns = 10,
    QuickViewCancel = 12,
};
constexpr int kQuickRotationCount = 13;

// The orientation code shown for a view: its quarter turn in degrees, "H" or
// "V" after it for a mirror.
QString OrientationCode(const timg& view);

// A quick-rotation item: remembered in DefRotationsIndex, run, then the
// orientation codes and a redraw. The two cancel items and the separators
// are handled as their menu does.
void RunQuickRotation(talignhost& host, int index);
// "Annuler Rotation Couple" and "Annuler Rotation ou Miroir de la vue courante".
void CancelPairRotation(talignhost& host);
void CancelViewRotation(talignhost& host);
// The remembered item brought into the submenu (a damaged settings file).
int QuickRotationIndex(int remembered);

// "Effacer le point courant": the current view's point CurPoint unplaced.
void ClearCurrentPoint(talignhost& host);
// "Annuler les déplacements des images": the views recentred, parameters kept.
void CancelDisplayMoves(talignhost& host);
// "Annuler le calage par nivellement": both shifts 0.
void CancelLevelling(talignhost& host);
// "Annuler les rotations": both rotations (or the current view's) back to 0.
void RazRotation(talignhost& host, bool both = true);
// "Réinitialiser les paramètres...": both views reset, pictures kept.
void ResetParameters(talignhost& host);
