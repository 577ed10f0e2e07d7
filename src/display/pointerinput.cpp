// The display window's pointer handling: point presses and drags, the crop
// frame tool, the navigation drag, the double-click zoom, the wheel and the
// hover cursors.
#include "display/pointerinput.h"

#include "core/runflags.h"
#include "core/settings.h"
#include "display/alignsteps.h"

#include <cmath>

namespace {

constexpr int kFrameTool = 64;

bool Near(const tpointd& a, double x, double y) {
    return std::fabs(a.x - x) < 3 && std::fabs(a.y - y) < 3;
}

} // namespace

void MovePoint(timg& view, int index, double dy, double dx,
               const std::function<void(timg&, double, double)>& place) {
    if (index < 0 || index >= kPointCount) return;
    const double c = std::cos(view.rot), s = std::sin(view.rot);
    const trealpoint& p = view.pt[index];
    place(view, p.x + c * dx - s * dy, p.y + s * dx + c * dy);
}

tviewslot& tpointerinput::OtherSlot(const timg* view) {
    return display_.Slot1.img == view ? display_.Slot2 : display_.Slot1;
}

bool tpointerinput::RatioActive() const {
    return WinRatioW != 0 || WinRatioH != 0;
}

void tpointerinput::SetCursor(tcursorshape shape) {
    Cursor = shape;
    if (Hooks.SetCursor) Hooks.SetCursor(shape);
}

void tpointerinput::LeaveFrameDrawing() {
    FrameDrawing = false;
    Dragging = false;
    FrameHandle = 0;
}

void tpointerinput::FrameMove() {
    SetCursor(tcursorshape::Default);
}

// ---------------------------------------------------------------- press

void tpointerinput::MouseDown(tmousebutton button, const tshiftstate& s, double x, double y) {
    if (display_.Zoom == 0) display_.Zoom = 1;
    const bool left = button == tmousebutton::Left, right = button == tmousebutton::Right;
    const bool place = Settings.MouseSwap ? left : right;
    const bool navigate = Settings.MouseSwap ? right : left;
    Placing = Dragging = FrameDrawing = false;

    double rx = 0, ry = 0;
    const tviewslot slot = display_.SlotAt(x, y, rx, ry);
    display_.SetCurrent(slot);
    const tpointd P = display_.RelativeToPicture(slot, rx, ry);
    display_.ZoomAnchorX = P.x;
    display_.ZoomAnchorY = P.y;
    display_.ZoomAnchorSet = true;
    ZoomFollow = true;
    const tdisplayhooks& dh = display_.Hooks;
    if (dh.MagnifierVisible && dh.MagnifierShow && dh.MagnifierVisible())
        dh.MagnifierShow(slot, P.x, P.y);

    if (s.doubleClick) {
        // The maximum zoom around the clicked point, or back to the fitted one.
        if (!(display_.ZoomPercent > display_.FitPercent) || display_.ZoomPercent > 400) {
            display_.ZoomPercent = 400;
            display_.SetZoomKeepAnchor(0.25);
        } else {
            display_.FitZoom(false);
        }
        display_.Compose();
        return;
    }
    if (navigate) {
        Dragging = true;
        DragStartX = x;
        DragStartY = y;
        DragDX = DragDY = 0;
    }
    if (button == tmousebutton::Middle) {
        if (s.shift)
            display_.ZoomOutStep();
        else
            display_.ZoomInStep();
    }
    if (!place) return;
    if (Settings.MouseTool == kFrameTool)
        FramePress(slot, rx, ry);
    else
        PointPress(s, slot, rx, ry);
}

void tpointerinput::ChoosePoint(const tviewslot& slot, double x, double y) {
    if (CurPoint != 0 || Settings.MaxPtsIndex == 0 || PointsLocked) {
        if (!slot.img) return;
        const timg& v = *slot.img;
        for (int i = 1; i <= 9; ++i) {
            if (!PointShown(i, Settings.MouseTool) || !v.pt[i].d) continue;
            if (!Near(display_.PictureToScreen(slot, v.pt[i].x, v.pt[i].y), x, y)) continue;
            CurPoint = i;
            const int tab = Hooks.ActiveTab ? Hooks.ActiveTab() : TabLoad;
            if (i <= 3 && tab == TabLoad && Hooks.SetActiveTab) Hooks.SetActiveTab(TabPoint);
            if (Hooks.SelectPair) Hooks.SelectPair(i);
            return;
        }
        return;
    }
    // The first point of an automatic sequence follows the step on show.
    const int tab = Hooks.ActiveTab ? Hooks.ActiveTab() : TabLoad;
    switch (tab) {
    case TabPoint:
    case TabOrient:
    case TabHand:
        CurPoint = 1;
        break;
    case TabGeometry:
        CurPoint = 7;
        break;
    case TabWindow:
        CurPoint = 9;
        break;
    default:
        if (Hooks.SetActiveTab) Hooks.SetActiveTab(TabPoint);
        CurPoint = 1;
        break;
    }
    if (Hooks.SelectPair) Hooks.SelectPair(CurPoint);
}

void tpointerinput::MoveCentre(const tviewslot& slot, double rx, double ry, tpointd P) {
    timg& v = *slot.img;
    auto rotate = [this](timg& view, double a, double cy, double cx) {
        if (Hooks.SetViewRotation)
            Hooks.SetViewRotation(view, a, cy, cx);
        else
            view.SetRotation(a, cy, cx);
    };
    // The picture keeps its place on the screen while its centre moves to P.
    const double a = v.rot;
    rotate(v, 0, P.y, P.x);
    const tpointd moved = display_.RelativeToPicture(slot, rx, ry);
    if (slot.img == display_.Current.img) {
        display_.ZoomAnchorX = moved.x;
        display_.ZoomAnchorY = moved.y;
    }
    v.SetPos(v.posy + moved.y - P.y, v.posx + moved.x - P.x);
    rotate(v, a, P.y, P.x);
}

void tpointerinput::PlaceAt(const tviewslot& slot, double rx, double ry, bool lineStart) {
    if (!slot.img || CurPoint < 0 || CurPoint >= kPointCount) return;
    timg& v = *slot.img;
    const tpointd P = display_.RelativeToPicture(slot, rx, ry);
    if (lineStart) {
        v.PlacePoint(PtOrient1, P.x, P.y);
        if (!v.pt[PtOrient2].d) v.PlacePoint(PtOrient2, P.x, P.y);
        return;
    }
    v.PlacePoint(CurPoint, P.x, P.y);
    if (CurPoint == PtStereo0) MoveCentre(slot, rx, ry, P);
}

void tpointerinput::PointPress(const tshiftstate& s, tviewslot slot, double rx, double ry) {
    Placing = true;
    ChoosePoint(slot, slot.Area.left + rx, slot.Area.top + ry);
    const bool lineStart =
        (CurPoint == PtOrient1 || CurPoint == PtOrient2) && slot.img && !slot.img->pt[PtOrient1].d;
    PlaceAt(slot, rx, ry, lineStart);
    if (s.ctrl) PlaceAt(OtherSlot(slot.img), rx, ry, lineStart);
    if (lineStart) {
        // The drag that follows draws the line from its first point.
        CurPoint = PtOrient2;
        if (Hooks.ShowSelectedPair) Hooks.ShowSelectedPair();
    } else if ((CurPoint == 9 || CurPoint == 10) && Hooks.ShowShiftInfo) {
        Hooks.ShowShiftInfo();
    }
    Repaint();
    ProcessEvents();
}

// ---------------------------------------------------------------- moves

void tpointerinput::PointDrag(const tshiftstate& s, double x, double y) {
    double rx = 0, ry = 0;
    const tviewslot slot = display_.SlotAt(x, y, rx, ry);
    const tviewslot& cur = display_.GetCurrent();
    if (!slot.img || slot.img != cur.img || CurPoint < 0 || CurPoint >= kPointCount) return;
    if (!slot.img->pt[CurPoint].d) return;
    PlaceAt(slot, rx, ry, false);
    if (s.ctrl) PlaceAt(OtherSlot(slot.img), rx, ry, false);
    Repaint();
}

void tpointerinput::Navigate(double x, double y, bool release) {
    const double dx = x - DragStartX, dy = y - DragStartY;
    tdisplaystate& d = display_;
    if (release) {
        d.ShowScroll(d.ScrollY + dy, d.ScrollX + dx);
    } else {
        if (Settings.ScrollSpeed) return;
        DragStartX = x;
        DragStartY = y;
    }
    d.SetScroll(d.ScrollY + dy * d.Zoom, d.ScrollX + dx * d.Zoom);
    if (!release) d.Compose();
}

void tpointerinput::MouseMove(const tshiftstate& s, double x, double y) {
    if (display_.Zoom == 0) display_.Zoom = 1;
    if (s.doubleClick) return;
    const bool place = Settings.MouseSwap ? s.left : s.right;
    const bool navigate = Settings.MouseSwap ? s.right : s.left;
    if (FirstMove) {
        Repaint();
        FirstMove = false;
    } else {
        if (place && Placing && Settings.MouseTool != kFrameTool) PointDrag(s, x, y);
        if (place && FrameDrawing)
            FrameDrag(x - display_.FrameSlot.Area.left, y - display_.FrameSlot.Area.top);
        if (navigate && Dragging && !FrameDrawing) Navigate(x, y, false);
    }
    Hover(s, x, y);
}

void tpointerinput::Hover(const tshiftstate& s, double x, double y) {
    double rx = 0, ry = 0;
    const tviewslot slot = display_.SlotAt(x, y, rx, ry);
    const tpointd P = display_.RelativeToPicture(slot, rx, ry);
    const tdisplayhooks& dh = display_.Hooks;
    if (ZoomFollow && dh.MagnifierVisible && dh.MagnifierShow && dh.MagnifierVisible())
        dh.MagnifierShow(slot, P.x, P.y);

    if (!s.left && !s.right) {
        FrameHandle = 0;
        tcursorshape shape = tcursorshape::Default;
        const timg* v = slot.img;
        if (v && v->mancropd && Settings.MouseTool == kFrameTool) {
            const double z = display_.Zoom;
            const tpointd f = display_.PictureToScreen(slot, v->mancropl, v->mancropt);
            const double w = v->mancropw / z, h = v->mancroph / z;
            if (std::fabs(x - f.x) < 3) FrameHandle += 1;
            if (std::fabs(x - f.x - w) < 3) FrameHandle += 2;
            if (std::fabs(y - f.y) < 3) FrameHandle += 4;
            if (std::fabs(y - f.y - h) < 3) FrameHandle += 8;
            if (f.y + 3 < y && y < f.y - 3 + h && f.x + 3 < x && x < f.x - 3 + w) FrameHandle += 16;
            switch (FrameHandle) {
            case 1:
            case 2:
                shape = tcursorshape::SizeWE;
                break;
            case 4:
            case 8:
                shape = tcursorshape::SizeNS;
                break;
            case 5:
            case 10:
                shape = tcursorshape::SizeNWSE;
                break;
            case 6:
            case 9:
                shape = tcursorshape::SizeNESW;
                break;
            case 16:
                shape = tcursorshape::SizeAll;
                break;
            default:
                break;
            }
        } else if (v) {
            for (int i = 1; i <= 9; ++i) {
                if (!PointShown(i, Settings.MouseTool) || !v->pt[i].d) continue;
                if (Near(display_.PictureToScreen(slot, v->pt[i].x, v->pt[i].y), x, y)) {
                    shape = tcursorshape::Hand;
                    break;
                }
            }
        }
        SetCursor(shape);
    }
    display_.ShowPointerStatus(&slot, P.x, P.y, rx, ry);
    ProcessEvents();
}

// ---------------------------------------------------------------- release

void tpointerinput::MouseUp(tmousebutton, const tshiftstate&, double x, double y) {
    if (display_.Zoom == 0) display_.Zoom = 1;
    if (Dragging && !FrameDrawing) Navigate(x, y, true);
    if (FrameDrawing)
        FrameRelease(x - display_.FrameSlot.Area.left, y - display_.FrameSlot.Area.top);
    if (Placing) {
        SetCursor(tcursorshape::Default);
        if (Hooks.AdvanceAfterPair) Hooks.AdvanceAfterPair();
    }
    DragDX = DragDY = 0;
    Placing = Dragging = FrameDrawing = false;
    display_.Compose();
    ProcessEvents();
}

// ---------------------------------------------------------------- wheel

void tpointerinput::MoveCurrentPoint(double dy, double dx, bool both) {
    const auto place = [this](timg& v, double x, double y) {
        if (Hooks.PlaceCurrentPoint) {
            Hooks.PlaceCurrentPoint(v, x, y);
        } else if (CurPoint >= 0 && CurPoint < kPointCount) {
            v.PlacePoint(CurPoint, x, y);
            display_.ShowPointIcon(CurPoint);
        }
    };
    const tviewslot cur = display_.GetCurrent();
    if (!cur.img) return;
    MovePoint(*cur.img, CurPoint, dy, dx, place);
    if (both) {
        tviewslot& other = OtherSlot(cur.img);
        if (other.img && other.img != cur.img) MovePoint(*other.img, CurPoint, dy, dx, place);
    }
}

void tpointerinput::MouseWheel(int delta, const tshiftstate& s) {
    if (!s.shift) {
        if (delta <= 0)
            display_.ZoomOutStep();
        else
            display_.ZoomInStep();
        return;
    }
    double dx = 0, dy = 0;
    if (!s.alt)
        dx = delta > 0 ? 0.25 : -0.25;
    else
        dy = delta > 0 ? -0.25 : 0.25;
    MoveCurrentPoint(dy, dx, s.ctrl && Settings.VisionMode > 3);
    display_.Compose();
    display_.UpdateMagnifier();
}
