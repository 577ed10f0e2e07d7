// The display window's state: layout of the two slots, crop, composition
// through the transform engine, marks, zoom, scrolling and status texts.
#include "display/displaystate.h"

#include "core/qimageview.h"
#include "core/runflags.h"
#include "core/settings.h"
#include "engine/transform.h"
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

EngineRect ToEngine(const tscreenrect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

bool HasPicture(const timg* v) {
    return v && v->Width() > 0 && v->Height() > 0;
}

int Half(int v) {
    return v / 2;
} // truncates toward zero, as the layout wants

double SafeZoom(double z) {
    return z == 0 ? 1.0 : z;
}

// Trunc into window coordinates. Positions come from parameter files too, so
// any value is kept a billion pixels from the int limits (NaN counts as 0).
int Trunc(double v) {
    if (!(v == v)) return 0;
    return static_cast<int>(std::trunc(std::clamp(v, -1e9, 1e9)));
}

// Black, the window's background colour, as a pixel word.
constexpr unsigned kBackground = 0xFF000000;

} // namespace

int RoundEven(double v) {
    if (!std::isfinite(v)) return 0;
    const double r = std::nearbyint(v);
    if (r >= INT_MAX) return INT_MAX;
    if (r <= INT_MIN) return INT_MIN;
    return static_cast<int>(r);
}

QString ScrollStatusText(int sx, int sy) {
    return QString::asprintf(" Scroll = %5.4d / %5.4d", sx, sy);
}

QString RgbStatusText(int red, int green, int blue) {
    return QString::asprintf("RGB = %3.3d/%3.3d/%3.3d", red, green, blue);
}

QString PointerStatusText(double px, double py, double rx, double ry) {
    return QString::asprintf(" Img:%6.2f/%6.2f - Vue:%6.2f/%6.2f", px, py, rx, ry);
}

QString PointStatusText(const QString& caption, double x, double y) {
    return caption + QString::asprintf(" : %6.2f - %6.2f ", x, y);
}

QString ZoomFieldText(double zoom) {
    return QString::asprintf("%5.2f", 100.0 / SafeZoom(zoom));
}

tpairbutton PairButtonFor(int curPoint) {
    switch (curPoint) {
    case 1:
        return tpairbutton::Centre;
    case 2:
        return tpairbutton::A1;
    case 3:
        return tpairbutton::A2;
    case 5:
        return tpairbutton::Orient1;
    case 6:
        return tpairbutton::Orient2;
    case 7:
        return tpairbutton::D1;
    case 8:
        return tpairbutton::D2;
    case 9:
        return tpairbutton::W1;
    case 11:
        return tpairbutton::Cadre1;
    default:
        return tpairbutton::Lock;
    }
}

bool PointShown(int i, int tool) {
    return ((tool & 2) && i >= 1 && i <= 3) || ((tool & 4) && (i == 1 || i == 5 || i == 6)) ||
           (tool == 8 && i == 9) || (tool == 32 && (i == 7 || i == 8));
}

int PointIconImageIndex(int index) {
    switch (index) {
    case 1:
        return 32;
    case 2:
    case 5:
        return 33;
    case 3:
    case 6:
        return 98;
    case 7:
        return 95;
    case 8:
        return 96;
    case 9:
    case 10:
        return 97;
    case 11:
    case 12:
        return 110;
    default:
        return 94;
    }
}

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

// ---------------------------------------------------------------- composition

void tdisplaystate::Compose() {
    UpdateLayout();
    const int w = std::max(RectDraw.Width(), 1);
    const int h = std::max(RectDraw.Height(), 1);
    if (BmpWork.width() != w || BmpWork.height() != h || BmpWork.format() != QImage::Format_RGB32)
        BmpWork = QImage(w, h, QImage::Format_RGB32);
    BmpWork.fill(0u);

    const ImageView dst = WritableView(BmpWork);
    tviewslot& leftSlot = SlotOf(&Pair.ImgLeft);
    tviewslot& rightSlot = SlotOf(&Pair.ImgRight);
    const int mode = Settings.VisionMode;

    auto draw = [&](const tviewslot& slot, unsigned write, unsigned keep, int dstW, int srcW,
                    BlendOp op, bool smooth) {
        timg& v = *slot.img;
        const ImageView src = ReadView(v.bitmap);
        if (src.Empty()) return;
        const EngineRect srcRect = ToEngine(tscreenrect{0, 0, v.Width() - 1, v.Height() - 1});
        const EngineRect dstRect = ToEngine(slot.DrawRect);
        const double shiftX = v.posx + ScrollX - slot.CropOffX;
        const double shiftY = v.posy + ScrollY - slot.CropOffY;
        if (smooth)
            BmpTransformSmooth(src, dst, srcRect, dstRect, v.CentreX(), v.CentreY(), shiftX, shiftY,
                               0, 0, v.rot, Zoom, 0, write, keep);
        else
            BmpTransformBlend(src, dst, srcRect, dstRect, v.CentreX(), v.CentreY(), shiftX, shiftY,
                              0, 0, v.rot, Zoom, 0, write, keep, dstW, srcW, op);
    };

    if (Settings.Smoothing) {
        draw(leftSlot, MaskLeft, MaskRight, 0, 0, BlendOp::Copy, true);
        draw(rightSlot, MaskRight, MaskLeft, 0, 0, BlendOp::Copy, true);
    } else {
        int A = 256, B = 256;
        if (mode == VisionTransparency) {
            A = Transp1;
            B = Transp2;
        } else if (mode == VisionAlternating) {
            if (AltPhase == 0) {
                A = 256, B = 0;
                AltPhase = 256;
            } else {
                A = 0, B = 256;
                AltPhase = 0;
            }
        }
        if (mode >= VisionTransparency && mode <= VisionSingle && ColorMask == 0xFFFFFF)
            MaskLeft = MaskRight = 0xFFFFFF;
        BlendOp op = BlendOp::Copy;
        SelectBlendOp(TranspMode, 0, op);
        draw(leftSlot, MaskLeft, MaskRight, A, B, op, false);
        SelectBlendOp(TranspMode, 1, op);
        draw(rightSlot, MaskRight, MaskLeft, B, A, op, false);
    }
    DrawFocusFrame();
    Notify(Hooks.Repaint);
}

void tdisplaystate::DrawRectOutline(const tscreenrect& r, unsigned pixel) {
    if (BmpWork.isNull() || r.right < r.left || r.bottom < r.top) return;
    const int W = BmpWork.width(), H = BmpWork.height();
    const int l = r.left - 1, t = r.top - 1, rr = r.right + 1, b = r.bottom + 1;
    auto put = [&](int x, int y) {
        if (x >= 0 && y >= 0 && x < W && y < H)
            reinterpret_cast<unsigned*>(BmpWork.scanLine(y))[x] = pixel;
    };
    for (int x = std::max(l, 0); x <= std::min(rr, W - 1); ++x) put(x, t), put(x, b);
    for (int y = std::max(t, 0); y <= std::min(b, H - 1); ++y) put(l, y), put(rr, y);
}

void tdisplaystate::DrawFocusFrame() {
    if (!gStarted || Settings.VisuCurrent) return;
    const tviewslot& cur = GetCurrent();
    const tviewslot& other = (cur.img == Slot2.img) ? Slot1 : Slot2;
    auto frameOf = [&](const tviewslot& s) { return CropOn ? s.CropRect : s.DrawRect; };
    DrawRectOutline(frameOf(other), kBackground);
    // Magenta marks the left view, green the right view.
    const unsigned colour = (cur.img == &Pair.ImgLeft) ? 0xFFFF00FF : 0xFF00FF00;
    DrawRectOutline(frameOf(cur), colour);
}

// ---------------------------------------------------------------- marks

void tdisplaystate::AddPointMarks(const tviewslot& slot, std::vector<tmark>& marks) const {
    const timg& v = *slot.img;
    const int tool = Settings.MouseTool;
    const unsigned colour = (MarkerColor == 0x808000) ? 0xFFFFFFFF : 0xFF000000;
    const tscreenrect& R = slot.DrawRect;
    const int windowWidth = ClientWidth;
    for (int i = 1; i <= 10; ++i) {
        if (!PointShown(i, tool) || !v.pt[i].d) continue;
        const tpointd s = PictureToScreen(slot, v.pt[i].x, v.pt[i].y);
        const int X = Trunc(s.x), Y = Trunc(s.y);
        const bool across = Settings.GridIndex == 3 && CurPoint != 5 && CurPoint != 6;
        const int armStart = across ? 0 : X - 20;
        const int armEnd = across ? windowWidth : X + 20;
        if (R.top <= Y && Y <= R.bottom) {
            if (X >= R.left) marks.push_back({tmark::Line, armStart, Y, X - 2, Y, colour, {}});
            if (X <= R.right) marks.push_back({tmark::Line, X + 2, Y, armEnd, Y, colour, {}});
        }
        if (R.left <= X && X <= R.right) {
            marks.push_back({tmark::Line, X, Y - 20, X, Y - 2, colour, {}});
            marks.push_back({tmark::Line, X, Y + 2, X, Y + 20, colour, {}});
            marks.push_back({tmark::Circle, X, Y, 10, 0, colour, {}});
            marks.push_back({tmark::Text, X + 5, Y + 5, 0, 0, colour, v.pt[i].c});
        }
    }
}

void tdisplaystate::BuildMarks(std::vector<tmark>& marks) const {
    marks.clear();
    const tscreenrect& C = RectClient;
    if (Settings.ShowGrid && Settings.GridIndex == 2) {
        for (int x = C.left + 50; x < C.right; x += 50)
            marks.push_back({tmark::DottedLine, x, C.top, x, C.bottom, 0xFFFFFFFF, {}});
        for (int y = C.top + 50; y < C.bottom; y += 50)
            marks.push_back({tmark::DottedLine, C.left, y, C.right, y, 0xFFFFFFFF, {}});
    }
    if (Settings.VisuCurrent) return;
    if (Settings.ShowGrid) {
        AddPointMarks(Slot2, marks);
        AddPointMarks(Slot1, marks);
    }
    if (Settings.ShowGrid && Settings.MouseTool == 4) {
        for (const tviewslot* s : {&Slot2, &Slot1}) {
            const timg& v = *s->img;
            if (!v.pt[PtOrient1].d || !v.pt[PtOrient2].d) continue;
            const tpointd a = PictureToScreen(*s, v.pt[PtOrient1].x, v.pt[PtOrient1].y);
            const tpointd b = PictureToScreen(*s, v.pt[PtOrient2].x, v.pt[PtOrient2].y);
            marks.push_back({tmark::XorDottedLine,
                             Trunc(a.x),
                             Trunc(a.y),
                             Trunc(b.x),
                             Trunc(b.y),
                             0xFFFFFFFF,
                             {}});
        }
    }
    auto dottedRect = [&](int x1, int y1, int x2, int y2) {
        marks.push_back({tmark::DottedLine, x1, y1, x1, y2, 0xFFFFFFFF, {}});
        marks.push_back({tmark::DottedLine, x1, y2, x2, y2, 0xFFFFFFFF, {}});
        marks.push_back({tmark::DottedLine, x2, y2, x2, y1, 0xFFFFFFFF, {}});
        marks.push_back({tmark::DottedLine, x2, y1, x1, y1, 0xFFFFFFFF, {}});
    };
    if (Settings.ShowGrid && Settings.MouseTool == 64) {
        for (const tviewslot* s : {&Slot2, &Slot1}) {
            const timg& v = *s->img;
            if (!v.pt[PtCadre1].d || !v.pt[PtCadre2].d) continue;
            const tpointd a = PictureToScreen(*s, v.pt[PtCadre1].x, v.pt[PtCadre1].y);
            const tpointd b = PictureToScreen(*s, v.pt[PtCadre2].x, v.pt[PtCadre2].y);
            dottedRect(Trunc(a.x), Trunc(a.y), Trunc(b.x), Trunc(b.y));
        }
    }
    const timg* cur = Current.img;
    if (cur && cur->mancropd) {
        const double z = SafeZoom(Zoom);
        for (const tviewslot* s : {&Slot2, &Slot1}) {
            const timg& v = *s->img;
            const tpointd a = PictureToScreen(*s, v.mancropl, v.mancropt);
            const tpointd b = {a.x + v.mancropw / z - 1, a.y + v.mancroph / z - 1};
            dottedRect(Trunc(a.x), Trunc(a.y), Trunc(b.x), Trunc(b.y));
        }
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

// ---------------------------------------------------------------- zoom

void tdisplaystate::SetZoomValue(double z) {
    Zoom = (std::isfinite(z) && z > 0) ? z : 1.0;
    if (Hooks.ZoomText) Hooks.ZoomText(ZoomFieldText(Zoom));
}

void tdisplaystate::SetZoomCentred(double z) {
    Zoom = (std::isfinite(z) && z > 0) ? z : 1.0;
    double sx = 0, sy = 0;
    if (Settings.AdaptAndCenter && Slot1.img) {
        const double aw = Slot1.Area.Width(), ah = Slot1.Area.Height();
        const int crop = Settings.CropIndex;
        if (crop == 1 || crop == 2 || crop == 3) {
            const tcommonframe f =
                ComputeSourceFrame(&Pair.ImgLeft, &Pair.ImgRight, crop != 1, WinRatioH, WinRatioW);
            sx = aw * Zoom / 2 - f.left.x() - std::fabs(f.width) / 2;
            sy = ah * Zoom / 2 - f.left.y() - std::fabs(f.height) / 2;
        } else {
            const double W = std::abs(Slot1.img->Width());
            const double H = std::abs(Slot1.img->Height());
            sx = aw * Zoom / 2 - W / 2;
            sy = ah * Zoom / 2 - H / 2;
        }
    }
    SetScroll(sy, sx);
    SetZoomValue(Zoom);
}

void tdisplaystate::SetZoomKeepAnchor(double z) {
    const tviewslot& cur = GetCurrent();
    if (!cur.img) {
        SetZoomValue(z);
        return;
    }
    const timg& v = *cur.img;
    const double ax = ZoomAnchorSet ? ZoomAnchorX : 0;
    const double ay = ZoomAnchorSet ? ZoomAnchorY : 0;
    const tpointd rel = PictureToRelative(v, ax, ay);
    SetZoomValue(z);
    // The anchor is read back in the current view's own slot, wherever the
    // screen point lies, so that it stays put even when it is off its area.
    const tpointd P = RelativeToPicture(cur, rel.x, rel.y);
    if (ZoomAnchorSet) {
        const double c = std::cos(v.rot), s = std::sin(v.rot);
        const double dx = c * (P.x - ax) + s * (P.y - ay);
        const double dy = -s * (P.x - ax) + c * (P.y - ay);
        SetScroll(ScrollY + dy, ScrollX + dx);
    }
}

void tdisplaystate::FitZoom(bool centred) {
    const double aw = Slot1.Area.Width(), ah = Slot1.Area.Height();
    double rw = 1, rh = 1;
    const timg* v = Slot1.img;
    const int crop = Settings.CropIndex;
    if (aw > 0 && ah > 0 && v) {
        if (crop == 1) {
            const tcommonframe f =
                ComputeSourceFrame(&Pair.ImgLeft, &Pair.ImgRight, false, WinRatioH, WinRatioW);
            rw = f.width / aw;
            rh = f.height / ah;
        } else if ((crop == 2 || crop == 3) && v->mancropd) {
            rw = std::fabs(v->mancropw / aw);
            rh = std::fabs(v->mancroph / ah);
        } else {
            rw = std::fabs(v->Width() / aw);
            rh = std::fabs(v->Height() / ah);
        }
    }
    double z = std::max(rw, rh);
    if (!(z >= 1e-10) || !std::isfinite(z)) z = 1;
    ZoomPercent = 100 / z;
    FitPercent = ZoomPercent;
    if (centred)
        SetZoomCentred(z);
    else
        SetZoomKeepAnchor(z);
}

void tdisplaystate::FitAndCompose() {
    FitZoom(true);
    Compose();
}

void tdisplaystate::ZoomReal() {
    ZoomPercent = 100;
    SetZoomKeepAnchor(1);
    Compose();
}

void tdisplaystate::ZoomMax() {
    ZoomPercent = 400;
    SetZoomKeepAnchor(0.25);
    Compose();
}

void tdisplaystate::ZoomIn() {
    ZoomPercent = std::min(ZoomPercent * 1.5, 400.0);
    SetZoomKeepAnchor(100 / ZoomPercent);
    Compose();
}

void tdisplaystate::ZoomOut() {
    ZoomPercent = std::max(ZoomPercent / 1.5, 10.0);
    SetZoomKeepAnchor(100 / ZoomPercent);
    Compose();
}

void tdisplaystate::ZoomInStep() {
    if (!(ZoomPercent < 400)) return;
    ZoomPercent *= 1.1;
    SetZoomKeepAnchor(100 / ZoomPercent);
    Compose();
}

void tdisplaystate::ZoomOutStep() {
    if (!(ZoomPercent > 10)) return;
    ZoomPercent /= 1.1;
    SetZoomKeepAnchor(100 / ZoomPercent);
    Compose();
}

void tdisplaystate::Recentre() {
    SetZoomCentred(Zoom);
    Compose();
}

void tdisplaystate::SetScroll(double sy, double sx) {
    ScrollX = sx;
    ScrollY = sy;
    const int dir = Settings.ScrollDir;
    ScrollBarXPosition = dir * RoundEven(sx);
    ScrollBarYPosition = dir * RoundEven(sy);
    Notify(Hooks.ScrollBarsMoved);
    StatusText[5] = ScrollStatusText(RoundEven(sx), RoundEven(sy));
}

void tdisplaystate::ShowScroll(double sy, double sx) {
    StatusText[5] = ScrollStatusText(RoundEven(sx), RoundEven(sy));
    Notify(Hooks.StatusRepaint);
}

bool tdisplaystate::ScrollBarEvent(bool horizontal, tscrollcode code, int pos) {
    const bool live = Settings.ScrollSpeed ? code == ScrollEndScroll
                                           : (code == ScrollLineUp || code == ScrollLineDown ||
                                              code == ScrollThumbTrack);
    const double offset = double(Settings.ScrollDir) * pos;
    if (!live) {
        if (horizontal)
            ShowScroll(ScrollY, offset);
        else
            ShowScroll(offset, ScrollX);
        return false;
    }
    if (horizontal)
        SetScroll(ScrollY, offset);
    else
        SetScroll(offset, ScrollX);
    Compose();
    return true;
}

// ---------------------------------------------------------------- status

void tdisplaystate::ShowPointIcon(int index) {
    if (!gStarted) return;
    PointIcon = PointIconImageIndex(index);
    Notify(Hooks.StatusRepaint);
}

void tdisplaystate::ShowPointerStatus(const tviewslot* slot, double px, double py, double rx,
                                      double ry) {
    const tpairbutton button = slot ? PairButtonFor(CurPoint) : tpairbutton::Lock;
    if (button == tpairbutton::Lock) CurPoint = 0;
    if (Hooks.PairButton) Hooks.PairButton(button);
    PixelColor = 0xFF000000;
    StatusText[3] = QStringLiteral("RGB");
    if (!slot) {
        StatusText[4] = PointStatusText(QString::fromUtf8(PointNames[0]), px, py);
    } else {
        StatusText[4] = PointerStatusText(px, py, rx, ry);
        const timg* v = slot->img;
        const double tx = std::trunc(px), ty = std::trunc(py);
        // Outside the picture there is no pixel to read: the colour stays black.
        if (v && v->bitmap.depth() == 32 && tx >= 0 && ty >= 0 && tx < v->Width() &&
            ty < v->Height()) {
            const unsigned p =
                reinterpret_cast<const unsigned*>(v->bitmap.constScanLine(int(ty)))[int(tx)];
            PixelColor = 0xFF000000 | p;
            StatusText[3] = RgbStatusText((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
        }
    }
    Notify(Hooks.StatusRepaint);
}

void tdisplaystate::ShowWindowFrameSize(double h, double w) {
    auto whole = [](double v) {
        if (!std::isfinite(v)) return 0;
        v = std::fabs(std::trunc(v));
        return v > INT_MAX ? INT_MAX : int(v);
    };
    if (Hooks.WindowFrameSize) Hooks.WindowFrameSize(whole(h), whole(w));
}

QString tdisplaystate::VisionCode() const {
    const int m = Settings.VisionMode;
    return (m >= 0 && m < kVisionModeCount) ? QString::fromUtf8(VisionModeCodes[m])
                                            : QStringLiteral("   ");
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
