// Point-pair sequencing of the Montage window.
#include "montage/sequencing.h"

#include "core/runflags.h"
#include "core/settings.h"

int MouseToolForPair(int index, int currentTool) {
    switch (index) {
    case 0:
        return currentTool == 0 ? 2 : currentTool;
    case 1:
        return 6;
    case 2:
    case 3:
        return 2;
    case 5:
    case 6:
        return 4;
    case 7:
    case 8:
        return 32;
    case 9:
    case 10:
        return 8;
    case 11:
    case 12:
        return 64;
    default:
        return 0;
    }
}

void tpairsequencer::SelectPair(int index) {
    tsettings& s = Settings;
    if (index == 0 && gStarted) hooks_.PressLockButtons();
    s.MouseTool = MouseToolForPair(index, s.MouseTool);
    if (s.MouseTool != 64) hooks_.LeaveFrameDrawing();
    if (s.MouseTool != 0) s.ShowGrid = true;
    if (index >= 1 && index <= 12 && s.GridIndex == 0) {
        s.GridIndex = s.DefGridIndex;
        if (s.GridIndex == 0) {
            s.GridIndex = 1;
            s.DefGridIndex = 1;
        }
    }
    s.VisuCurrent = (s.GridIndex == 0);
    if (s.MouseTool != 0) {
        CurPoint = index;
        LastPoint = index;
    } else {
        CurPoint = LastPoint;
    }
    if (gStarted) hooks_.PairSelected(index);
}

int NextPairIndex(int tab, int current, int maxPtsIndex) {
    switch (tab) {
    case TabPoint:
        if (current == 0) return 1;
        if (current == 1) return 2;
        if (current == 2) return maxPtsIndex > 2 ? 3 : 0;
        return 0;
    case TabOrient:
        if (current == 0) return 1;
        if (current == 1) return 5;
        if (current == 5) return 6;
        return 0;
    case TabHand:
        if (current == 0) return 1;
        if (current == 2) return maxPtsIndex > 2 ? 3 : 0;
        return 0;
    case TabGeometry:
        if (current == 0) return 7;
        if (current == 7) return 8;
        return 0;
    case TabWindow:
        if (current == 0) return 9;
        if (current == 9) return -1;
        return 0;
    default:
        return 0;
    }
}

void tpairsequencer::NextPair() {
    int next = NextPairIndex(hooks_.ActiveTab(), CurPoint, Settings.MaxPtsIndex);
    if (next < 0) {
        hooks_.ShowRearWindowing();
        return;
    }
    SelectPair(next);
}

void tpairsequencer::AdvanceAfterPair() {
    const tsettings& s = Settings;
    if (s.CalAuto && (CurPoint == 1 || CurPoint == 2) && hooks_.PairPlaced(CurPoint))
        hooks_.AlignRotation();
    if (CurPoint == 9 && s.CalAuto && hooks_.PairPlaced(9)) hooks_.RunWindowCalculation();
    if (s.MaxPtsIndex == 0 || !hooks_.PairPlaced(CurPoint)) return;
    if (PointsLocked) {
        SelectPair(CurPoint);
        return;
    }
    int next = 0;
    switch (CurPoint) {
    case 1:
        next = hooks_.ActiveTab() == TabOrient ? 5 : 2;
        break;
    case 2:
        if (s.MaxPtsIndex >= 3) {
            next = 3;
        } else {
            next = 0;
            PointsLocked = true;
        }
        break;
    case 5:
    case 8:
    case 9:
    case 11:
    case 12:
        next = CurPoint;
        break;
    case 7:
        next = hooks_.PairPlaced(8) ? 7 : 8;
        break;
    default:
        next = 0;
        PointsLocked = true;
        break;
    }
    SelectPair(next);
}

void tpairsequencer::LockPoints() {
    PointsLocked = true;
    SelectPair(0);
}

void ApplyStepByStepPreset() {
    Settings.CalAuto = false;
    Settings.MaxPtsIndex = 0;
    Settings.DefStereoWindow = 0;
}

void ApplyAutomaticPreset() {
    Settings.CalAuto = true;
    Settings.MaxPtsIndex = 2;
    Settings.DefStereoWindow = 1;
}

int BoundMenuIndex(int index, int count) {
    return (index < 0 || index >= count) ? 0 : index;
}

int MenuItemToRun(int count, int index) {
    if (count <= 0) return -1;
    return BoundMenuIndex(index, count);
}

int CheckedChildToRun(const std::vector<tchildstate>& children, int index) {
    const int count = static_cast<int>(children.size());
    if (count == 0) return -1;
    int chosen = -1;
    for (int i = 0; i < count; ++i) {
        if (children[i].hasHandler && children[i].checked) chosen = i;
    }
    if (chosen >= 0) return chosen;
    return BoundMenuIndex(index, count);
}

int CropRepeatIndex(int cropIndex, bool frameButtonDown, bool currentHasFrame) {
    if (cropIndex != 0) return cropIndex;
    return (frameButtonDown && currentHasFrame) ? 2 : 1;
}
