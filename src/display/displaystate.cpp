// The display window's state: the two slots, their layout and crop, the
// vision modes, the current view and the views themselves.
#include "display/displaystate.h"

#include "core/runflags.h"
#include "core/settings.h"
#include "display/displaymath.h"
#include "input/composite.h"
#include "output/sourceframe.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <utility>

const std::array<const char*, kVisionModeCount> VisionModeCodes = {" X ", " P ", " V ", " Vi",
                                                                   " A ", " T ", "Alt", " Im"};
const std::array<const char*, kVisionModeCount> VisionModeNames = {
    "Croisée",   "Parallèle",    "Verticale", "Verticale",
    "Anaglyphe", "Transparence", "Alternée",  "Image"};

namespace {

bool HasPicture(const timg* v) {
    return v && v->Width() > 0 && v->Height() > 0;
}

int Half(int v) {
    return v / 2;
} // truncates toward zero, as the layout wants

} // namespace

tdisplaystate::tdisplaystate(tviewpair& pair) : Pair(pair) {
    Hooks.SeparationWidth = [](const QImage& picture, int kind) {
        return DetectSeparation(picture, kind);
    };
    Slot1.img = &Pair.ImgLeft;
    Slot2.img = &Pair.ImgRight;
    Slot1.other = &Slot2;
    Slot2.other = &Slot1;
    Current = Slot1;
    FrameSlot = Slot1;
    StatusText[3] = QStringLiteral("RGB");
    StatusText[4] = QStringLiteral("Pos");
    StatusText[5] = ScrollStatusText(0, 0);
    LayoutViews();
}

// ---------------------------------------------------------------- layout

void tdisplaystate::SetClientSize(int width, int height) {
    ClientWidth = width;
    ClientHeight = height;
}

void tdisplaystate::LayoutViews() {
    const int s = StatusBarVisible ? 20 : 0;
    if (FullScreen)
        RectClient = {0, 0, ClientWidth - 1, ClientHeight - 1};
    else
        RectClient = {0, 0, ClientWidth - 8, ClientHeight - 8 - s};
    RectDraw = {0, 0, RectClient.right - RectClient.left, RectClient.bottom - RectClient.top};
    const int W = RectDraw.Width();
    const int H = RectDraw.Height();
    const int mode = Settings.VisionMode;

    auto separation = [&] {
        return Hooks.SeparationWidth ? Hooks.SeparationWidth(Pair.ImgLeft.bitmap, Pair.StereoType)
                                     : 0;
    };

    if (mode == VisionOverUnder || mode == VisionOverUnderInv) {
        const int G = separation();
        const int w = W - 2 * MarginX;
        const int h = Half(H - G + 1) - MarginY;
        Slot1.Area = {MarginX, MarginY, MarginX + w - 1, MarginY + h - 1};
        Slot2.Area = {MarginX, MarginY + h - 1 + G, MarginX + w - 1, MarginY + 2 * h - 2 + G};
    } else if (mode >= VisionAnaglyph && mode <= VisionSingle) {
        const tscreenrect whole = {MarginX, MarginY, MarginX + W - 2 * MarginX - 1,
                                   MarginY + H - 2 * MarginY - 1};
        Slot1.Area = whole;
        Slot2.Area = whole;
    } else {
        // Side by side: modes 0 and 1 and any unknown value.
        const int G = separation();
        const int w = Half(W - G + 1) - MarginX;
        const int h = H - 2 * MarginY;
        Slot1.Area = {MarginX, MarginY, MarginX + w - 1, MarginY + h - 1};
        Slot2.Area = {MarginX + w - 1 + G, MarginY, MarginX + 2 * w - 2 + G, MarginY + h - 1};
    }

    timg* left = &Pair.ImgLeft;
    timg* right = &Pair.ImgRight;
    const int notMask = ~ColorMask & 0xFFFFFF;
    switch (mode) {
    case VisionParallel:
        Slot1.img = left, Slot2.img = right;
        MaskLeft = MaskRight = 0xFFFFFF;
        break;
    case VisionAnaglyph:
        Slot1.img = left, Slot2.img = right;
        MaskLeft = 0xFF0000;
        MaskRight = 0x00FFFF;
        break;
    case VisionTransparency:
    case VisionAlternating:
        Slot1.img = left, Slot2.img = right;
        MaskLeft = ColorMask;
        MaskRight = notMask;
        break;
    case VisionSingle:
        Slot1.img = left, Slot2.img = right;
        MaskLeft = MaskRight = 0xFFFFFF;
        break;
    default: // crossed, over-under and unknown values: the right view first
        Slot1.img = right, Slot2.img = left;
        MaskLeft = MaskRight = 0xFFFFFF;
        break;
    }
}

void tdisplaystate::UpdateLayout() {
    LayoutViews();
    ComputeCrop();
}

void tdisplaystate::ComputeCrop() {
    for (tviewslot* s : {&Slot1, &Slot2}) {
        s->CropRect = s->Area;
        s->DrawRect = s->Area;
        s->CropOffX = s->CropOffY = 0;
    }
    if (!CropOn || !HasPicture(&Pair.ImgLeft) || !HasPicture(&Pair.ImgRight)) return;
    if (Settings.CropIndex == 2)
        ManualCrop();
    else
        CommonCrop();
    for (tviewslot* s : {&Slot1, &Slot2}) s->DrawRect = s->CropRect;
}

tpointd tdisplaystate::PictureToRelative(const timg& v, double x, double y) const {
    const double cx = v.CentreX(), cy = v.CentreY();
    const double c = std::cos(v.rot), s = std::sin(v.rot);
    const double u = x - cx, w = y - cy;
    const double mx = cx + u * c + w * s + v.posx;
    const double my = cy - u * s + w * c + v.posy;
    const double z = SafeZoom(Zoom);
    return {(mx + ScrollX) / z, (my + ScrollY) / z};
}

tpointd tdisplaystate::PictureToScreen(const tviewslot& slot, double x, double y) const {
    tpointd p = slot.img ? PictureToRelative(*slot.img, x, y) : tpointd{};
    return {slot.Area.left + p.x, slot.Area.top + p.y};
}

tpointd tdisplaystate::RelativeToPicture(const tviewslot& slot, double rx, double ry) const {
    if (!slot.img) return {};
    const timg& v = *slot.img;
    const double cx = v.CentreX(), cy = v.CentreY();
    const double c = std::cos(v.rot), s = std::sin(v.rot);
    const double z = SafeZoom(Zoom);
    const double u = z * rx - cx - v.posx - ScrollX;
    const double w = z * ry - cy - v.posy - ScrollY;
    return {cx + u * c - w * s, cy + u * s + w * c};
}

tpointd tdisplaystate::ScreenToPicture(double x, double y) {
    double rx = 0, ry = 0;
    const tviewslot& slot = SlotAt(x, y, rx, ry);
    return RelativeToPicture(slot, rx, ry);
}

// A frame per slot from each view's own manual crop.
void tdisplaystate::ManualCrop() {
    const double z = SafeZoom(Zoom);
    for (tviewslot* s : {&Slot1, &Slot2}) {
        const timg& v = *s->img;
        tpointd a = PictureToRelative(v, v.mancropl, v.mancropt);
        tpointd b = {a.x + (v.mancropw - 1) / z, a.y + (v.mancroph - 1) / z};
        a = {a.x + s->Area.left, a.y + s->Area.top};
        b = {b.x + s->Area.left, b.y + s->Area.top};
        // The frame's corner is kept inside the area too: a frame reaching past
        // the area's left or top would otherwise move the picture, since the
        // drawing starts at the frame's corner.
        a.x = std::max(a.x, double(s->Area.left));
        a.y = std::max(a.y, double(s->Area.top));
        b.x = std::min(b.x, double(s->Area.right));
        b.y = std::min(b.y, double(s->Area.bottom));
        s->CropRect = {Trunc(a.x), Trunc(a.y), Trunc(b.x), Trunc(b.y)};
        s->CropOffY = Trunc((s->CropRect.top - s->Area.top) * z);
        s->CropOffX = Trunc((s->CropRect.left - s->Area.left) * z);
    }
}

// One frame both views cover, the same size in both slots.
void tdisplaystate::CommonCrop() {
    double left = -1e300, right = 1e300, top = -1e300, bottom = 1e300;
    for (const timg* v : {&Pair.ImgLeft, &Pair.ImgRight}) {
        const double r = v->Width() - 1, b = v->Height() - 1;
        const tpointd tl = PictureToRelative(*v, 0, 0);
        const tpointd tr = PictureToRelative(*v, r, 0);
        const tpointd bl = PictureToRelative(*v, 0, b);
        const tpointd br = PictureToRelative(*v, r, b);
        left = std::max({left, tl.x, bl.x});
        right = std::min({right, tr.x, br.x});
        top = std::max({top, tl.y, tr.y});
        bottom = std::min({bottom, bl.y, br.y});
    }
    if (WinRatioW != 0 && WinRatioH != 0) {
        const long long w = Trunc(right - left + 1);
        const long long h = Trunc(bottom - top + 1);
        const long long k = std::min(w / WinRatioW, h / WinRatioH);
        right = left + double(WinRatioW * k) - 1;
        bottom = top + double(WinRatioH * k) - 1;
    }
    const double z = SafeZoom(Zoom);
    int width = INT_MAX, height = INT_MAX;
    for (tviewslot* s : {&Slot1, &Slot2}) {
        const tscreenrect& A = s->Area;
        const double l = std::max(left + A.left, double(A.left));
        const double t = std::max(top + A.top, double(A.top));
        const double r = std::min(right + A.left, double(A.right));
        const double b = std::min(bottom + A.top, double(A.bottom));
        s->CropRect.left = Trunc(l);
        s->CropRect.top = Trunc(t);
        s->CropOffY = Trunc((s->CropRect.top - A.top) * z);
        s->CropOffX = Trunc((s->CropRect.left - A.left) * z);
        width = std::min(width, Trunc(std::max(r - l + 1, -1.0)));
        height = std::min(height, Trunc(std::max(b - t + 1, -1.0)));
    }
    for (tviewslot* s : {&Slot1, &Slot2}) {
        s->CropRect.right = s->CropRect.left + width - 1;
        s->CropRect.bottom = s->CropRect.top + height - 1;
    }
}

// ---------------------------------------------------------------- modes

void tdisplaystate::SetVisionMode(int mode) {
    StopAlternation();
    if (mode < 0 || mode >= kVisionModeCount) mode = 0;
    Settings.VisionMode = mode;
    if (mode <= VisionAnaglyph) {
        if (Hooks.SmoothingButtonDown) Settings.Smoothing = Hooks.SmoothingButtonDown();
    } else {
        Settings.Smoothing = false;
        Notify(Hooks.ReleaseSmoothingButton);
        if (mode == VisionAlternating) StartAlternation();
    }
}

void tdisplaystate::StartAlternation() {
    AltPhase = Transp1;
    gBusy = true;
    if (Hooks.AlternationTimer) Hooks.AlternationTimer(true);
}

void tdisplaystate::StopAlternation() {
    gBusy = false;
    if (Hooks.AlternationTimer) Hooks.AlternationTimer(false);
}

void tdisplaystate::SetColorMask(int mask) {
    ColorMask = mask & 0xFFFFFF;
    if (gStarted && Hooks.ColorMaskChanged) Hooks.ColorMaskChanged(ColorMask);
}

void tdisplaystate::SetViewGap(int g) {
    if (g % 2 != 0) g += 1;
    ViewGap = g;
    if (g >= 5) {
        MarginX = 5;
        SetManualSeparation(g + 5);
    } else {
        Settings.OpenSepar = 4;
        MarginX = std::abs(g - 5);
    }
}

void tdisplaystate::UpdateMagnifier() {
    if (!Hooks.MagnifierVisible || !Hooks.MagnifierShow || !Hooks.MagnifierVisible()) return;
    const tviewslot& cur = GetCurrent();
    if (!cur.img || CurPoint < 0 || CurPoint >= kPointCount) return;
    const trealpoint& p = cur.img->pt[CurPoint];
    if (p.d) Hooks.MagnifierShow(cur, p.x, p.y);
}

// ---------------------------------------------------------------- slots

const tviewslot& tdisplaystate::GetCurrent() {
    Current = (Current.img == Slot2.img) ? Slot2 : Slot1;
    return Current;
}

void tdisplaystate::SetCurrent(const tviewslot& slot) {
    Current = slot;
    if (Current.img) {
        timg& v = *Current.img;
        v.SetPos(v.posy, v.posx);
        v.SetRotation(v.rot, v.CentreY(), v.CentreX());
    }
    if (Hooks.CurrentChanged) Hooks.CurrentChanged(Current);
}

tviewslot& tdisplaystate::SlotOf(const timg* view) {
    return Slot2.img == view ? Slot2 : Slot1;
}

tviewslot& tdisplaystate::SlotAt(double x, double y, double& rx, double& ry) {
    const int mode = Settings.VisionMode;
    tviewslot* s = &Slot1;
    if (mode == VisionCrossed || mode == VisionParallel) {
        if (x >= Slot2.Area.left) s = &Slot2;
    } else if (mode == VisionOverUnder || mode == VisionOverUnderInv) {
        if (y >= Slot2.Area.top) s = &Slot2;
    } else if (mode >= VisionAnaglyph) {
        GetCurrent();
        s = &Current;
    } else if (x >= Slot2.Area.left) {
        s = &Slot2;
    }
    rx = x - s->Area.left;
    ry = y - s->Area.top;
    return *s;
}

// ---------------------------------------------------------------- views

void tdisplaystate::ClearView(timg& view) {
    if (!view.bitmap.isNull()) view.bitmap.fill(0xFF000000u);
    view.Reset();
    view.filename.clear();
    Pair.StereoType = KindNone;
    Pair.ImageInfo = QString::fromUtf8(NoPictureText);
    Notify(Hooks.CaptionChanged);
}

void tdisplaystate::ResetViews() {
    CurPoint = 0;
    PointsLocked = false;
    Pair.ImgLeft.Reset();
    Pair.ImgRight.Reset();
    SetZoomCentred(Zoom);
    CropOn = false;
    Settings.VisuCurrent = true;
}

void tdisplaystate::SwapViews() {
    std::swap(Pair.ImgLeft, Pair.ImgRight);
    std::swap(Settings.OpenDirL, Settings.OpenDirR);
    const int mode = Settings.VisionMode;
    if (mode == VisionTransparency || mode == VisionAlternating) {
        // Both slots cover the same area there, so the view that was current
        // is found by its content: it now lives in the other record.
        const tviewslot& cur = GetCurrent();
        SetCurrent(cur.img == Slot1.img ? Slot2 : Slot1);
    }
    Notify(Hooks.CaptionChanged);
}
