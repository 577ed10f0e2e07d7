// The display window's keys: quarter-pixel moves of the current point with
// Shift, the Ctrl shortcuts, scrolling, the view switch and the window keys.
// The Montage window and the magnifier pass their keys here first.
#include "display/pointerinput.h"

#include "core/runflags.h"
#include "core/settings.h"

#include <Qt>

// The "<>" key next to the left Shift on European keyboards.
int MontageKey = Qt::Key_Less;
bool DefKeyF2 = false;

namespace {

// Screen displacement (dy, dx) of the current point for a key with Shift;
// false for a key that does not move it.
bool ShiftMove(int key, double& dy, double& dx) {
    dy = dx = 0;
    switch (key) {
    case Qt::Key_PageUp:
        dy = -1.25;
        return true;
    case Qt::Key_PageDown:
        dy = 1.25;
        return true;
    case Qt::Key_Home:
        dx = -1.25;
        return true;
    case Qt::Key_End:
        dx = 1.25;
        return true;
    case Qt::Key_Left:
        dx = -0.25;
        return true;
    case Qt::Key_Up:
        dy = -0.25;
        return true;
    case Qt::Key_Right:
        dx = 0.25;
        return true;
    case Qt::Key_Down:
        dy = 0.25;
        return true;
    default:
        return false;
    }
}

// The Ctrl shortcuts that belong to other windows.
bool CtrlCommand(int key, tdisplaycommand& c) {
    switch (key) {
    case Qt::Key_C:
        c = tdisplaycommand::CopyStereo;
        return true;
    case Qt::Key_E:
        c = tdisplaycommand::SwapViews;
        return true;
    case Qt::Key_F:
        c = tdisplaycommand::RepeatOpen;
        return true;
    case Qt::Key_G:
        c = tdisplaycommand::ShowGrid;
        return true;
    case Qt::Key_H:
        c = tdisplaycommand::NextPair;
        return true;
    case Qt::Key_L:
        c = tdisplaycommand::OpenList;
        return true;
    case Qt::Key_N:
        c = tdisplaycommand::NextListEntry;
        return true;
    case Qt::Key_P:
        c = tdisplaycommand::SaveParams;
        return true;
    case Qt::Key_Q:
        c = tdisplaycommand::CloseDisplay;
        return true;
    case Qt::Key_R:
        c = tdisplaycommand::RepeatRotation;
        return true;
    case Qt::Key_S:
        c = tdisplaycommand::RepeatSave;
        return true;
    case Qt::Key_T:
        c = tdisplaycommand::SaveDialog;
        return true;
    case Qt::Key_U:
        c = tdisplaycommand::PopupVision;
        return true;
    case Qt::Key_V:
        c = tdisplaycommand::PasteStereo;
        return true;
    case Qt::Key_W:
        c = tdisplaycommand::PopupCrop;
        return true;
    case Qt::Key_X:
        c = tdisplaycommand::CutStereo;
        return true;
    default:
        return false;
    }
}

} // namespace

bool tpointerinput::KeyDown(int key, const tshiftstate& s) {
    tdisplaystate& d = display_;
    if (DefKeyF2) {
        MontageKey = key;
        DefKeyF2 = false;
    }
    if (s.shift || key == Qt::Key_Space) ZoomFollow = false;

    if (key == Qt::Key_Delete) {
        const tviewslot& cur = d.GetCurrent();
        if (cur.img && CurPoint >= 0 && CurPoint < kPointCount) cur.img->pt[CurPoint].d = false;
        d.Compose();
        d.UpdateMagnifier();
        return true;
    }

    if (s.shift) {
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Run(tdisplaycommand::AlignRotation);
            return true;
        }
        // Shift alone or with a key that does not move leaves the point where
        // it is: placing it there would mark an unset point as placed.
        double dy = 0, dx = 0;
        if (ShiftMove(key, dy, dx)) {
            MoveCurrentPoint(dy, dx, s.ctrl);
            d.Compose();
            d.UpdateMagnifier();
        }
        return true;
    }

    if (s.ctrl) {
        tdisplaycommand c{};
        switch (key) {
        case Qt::Key_A:
            d.FitAndCompose();
            return true;
        case Qt::Key_D:
            Settings.AdaptAndCenter = !Settings.AdaptAndCenter;
            d.FitAndCompose();
            return true;
        case Qt::Key_I:
            d.ZoomInStep();
            return true;
        case Qt::Key_O:
            d.ZoomOutStep();
            return true;
        case Qt::Key_Z:
            d.ResetViews();
            d.Compose();
            return true;
        default:
            if (!CtrlCommand(key, c)) return false;
            Run(c);
            return true;
        }
    }

    if (key == MontageKey) Run(tdisplaycommand::ToggleMontage);
    const int dir = Settings.ScrollDir;
    double sx = d.ScrollX, sy = d.ScrollY;
    switch (key) {
    case Qt::Key_Escape:
        gBusy = false;
        ZoomFollow = true;
        // The automatic window without a ratio.
        WinRatioW = WinRatioH = 0;
        Run(tdisplaycommand::AutoWindow);
        Run(tdisplaycommand::ArrangeDefault);
        d.FitAndCompose();
        return false;
    case Qt::Key_Space: {
        const tviewslot cur = d.GetCurrent();
        d.SetCurrent(OtherSlot(cur.img));
        d.Compose();
        d.UpdateMagnifier();
        return false;
    }
    case Qt::Key_PageUp:
        sy -= 10 * dir;
        break;
    case Qt::Key_PageDown:
        sy += 10 * dir;
        break;
    case Qt::Key_Home:
        sx -= 10 * dir;
        break;
    case Qt::Key_End:
        sx += 10 * dir;
        break;
    case Qt::Key_Left:
        sx -= dir;
        break;
    case Qt::Key_Right:
        sx += dir;
        break;
    case Qt::Key_Up:
        sy -= dir;
        break;
    case Qt::Key_Down:
        sy += dir;
        break;
    case Qt::Key_Asterisk:
    case Qt::Key_Slash:
        if (!s.keypad) return false;
        d.SetViewGap(d.ViewGap + (key == Qt::Key_Asterisk ? 6 : -6));
        d.Compose();
        return false;
    case Qt::Key_Plus:
    case Qt::Key_Minus:
        if (!s.keypad) return false;
        if (key == Qt::Key_Plus)
            d.ZoomInStep();
        else
            d.ZoomOutStep();
        return false;
    case Qt::Key_F1:
        Run(tdisplaycommand::Help);
        return false;
    case Qt::Key_F2:
        // A toggle key set to F2 has switched the window already.
        if (MontageKey != Qt::Key_F2) Run(tdisplaycommand::ToggleMontage);
        return false;
    case Qt::Key_F3:
        Run(tdisplaycommand::ToggleDisplay);
        return false;
    case Qt::Key_F4:
        Run(tdisplaycommand::ToggleMagnifier);
        return false;
    case Qt::Key_F8:
        Run(tdisplaycommand::ArrangeDefault);
        return false;
    case Qt::Key_F9:
        Run(tdisplaycommand::ArrangeCurrent);
        return false;
    case Qt::Key_F10:
        Run(tdisplaycommand::FullScreen);
        return false;
    case Qt::Key_F12:
        Run(tdisplaycommand::FullScreenLayout);
        return false;
    default:
        return false;
    }
    d.SetScroll(sy, sx);
    d.Compose();
    return true;
}
