// Point-pair sequencing of the Montage window: which pair a button, a tab or a
// completed click makes current, the two sequencing presets and the bounding
// of remembered submenu positions. No window here; tests drive it directly.
#pragma once

#include "display/alignsteps.h"

#include <vector>

// The pointer tool a pair implies; pair 0 keeps the current tool (2 if none).
int MouseToolForPair(int index, int currentTool);

// What a pair selection asks of the windows around the sequencer. The
// defaults do nothing, so a test overrides only what it watches.
class tpairhooks {
public:
    virtual ~tpairhooks() = default;
    // The five Lock buttons go down.
    virtual void PressLockButtons() {}
    // The display leaves its crop-frame drawing state.
    virtual void LeaveFrameDrawing() {}
    // After start-up: the status bar shows the current view's point `index`,
    // the display lays out again around the current view and redraws.
    virtual void PairSelected(int /*index*/) {}
    // Point `index` is placed in both views.
    virtual bool PairPlaced(int index) const = 0;
    virtual int ActiveTab() const = 0;
    // "Caler en Rotation" (levels first).
    virtual void AlignRotation() {}
    // The remembered stereo-window calculation.
    virtual void RunWindowCalculation() {}
    // The rear-windowing dialog.
    virtual void ShowRearWindowing() {}
};

// The pair sequencing over the program-wide CurPoint, PointsLocked and the
// settings (MouseTool, ShowGrid, GridIndex, DefGridIndex, VisuCurrent,
// CalAuto, MaxPtsIndex).
class tpairsequencer {
public:
    explicit tpairsequencer(tpairhooks& hooks) : hooks_(hooks) {}

    // The pair last made current with a pointer tool; pair 0 and the
    // tool-less pairs fall back to it.
    int LastPoint = 0;

    void SelectPair(int index);
    // "Saisir la paire de points homologues suivante".
    void NextPair();
    // After a click completes a pair in the display window.
    void AdvanceAfterPair();
    // Every Lock button: the placed pairs stay visible, clicks go to point 0.
    void LockPoints();

private:
    tpairhooks& hooks_;
};

// The pair NextPair moves to from `current` on `tab`; -1 when the window tab
// asks for the rear-windowing dialog instead of a pair.
int NextPairIndex(int tab, int current, int maxPtsIndex);

// The sequencing presets change these settings; the window then selects "Visu
// sans découpe", the points tab and the C pair.
void ApplyStepByStepPreset();
void ApplyAutomaticPreset();

// A remembered submenu position brought into the submenu: anything outside
// 0..count-1 becomes 0 (count 0 gives 0 as well).
int BoundMenuIndex(int index, int count);
// The child DoMenuItem runs: -1 for a submenu without children, else the
// bounded index.
int MenuItemToRun(int count, int index);

// One child as DoMenuItemChecked sees it.
struct tchildstate {
    bool hasHandler = false;
    bool checked = false;
};
// The child DoMenuItemChecked runs and checks: among the children with a
// handler the last checked one; when none is checked, `index` (-1 counts as
// 0, and a position outside the submenu as 0). -1 for no children.
int CheckedChildToRun(const std::vector<tchildstate>& children, int index);

// The crop mode a right click on a crop-mode button repeats: never the
// uncropped view, the manual frame when it is being drawn and exists.
int CropRepeatIndex(int cropIndex, bool frameButtonDown, bool currentHasFrame);
