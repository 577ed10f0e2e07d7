// The display state's picture: the views composed through the engine, the
// focus frame and the marks drawn over them.
#include "display/displaystate.h"

#include "core/qimageview.h"
#include "core/runflags.h"
#include "core/settings.h"
#include "display/displaymath.h"
#include "engine/anaglyphmix.h"
#include "engine/transform.h"

#include <algorithm>

namespace {

EngineRect ToEngine(const tscreenrect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// Black, the window's background colour, as a pixel word.
constexpr unsigned kBackground = 0xFF000000;

} // namespace

bool PointShown(int i, int tool) {
    return ((tool & 2) && i >= 1 && i <= 3) || ((tool & 4) && (i == 1 || i == 5 || i == 6)) ||
           (tool == 8 && i == 9) || (tool == 32 && (i == 7 || i == 8));
}

// ---------------------------------------------------------------- composition

void tdisplaystate::Compose() {
    UpdateLayout();
    const int w = std::max(RectDraw.Width(), 1);
    const int h = std::max(RectDraw.Height(), 1);
    if (BmpWork.width() != w || BmpWork.height() != h || BmpWork.format() != QImage::Format_RGB32)
        BmpWork = QImage(w, h, QImage::Format_RGB32);
    BmpWork.fill(0u);

    ImageView dst = WritableView(BmpWork);
    tviewslot& leftSlot = SlotOf(&Pair.ImgLeft);
    tviewslot& rightSlot = SlotOf(&Pair.ImgRight);
    const int mode = Settings.VisionMode;

    // An anaglyph method other than the colour masks: each view drawn whole,
    // the right one into a picture of its own, then the two mixed.
    const AnaglyphMethod method = AnaglyphMethodOf(Settings.AnaglyphMethod);
    const bool mixed = mode == VisionAnaglyph && method != AnaglyphMethod::Colour;
    const int anaglyphLeft = MaskLeft, anaglyphRight = MaskRight;
    QImage rightPicture;
    if (mixed) MaskLeft = MaskRight = 0xFFFFFF;
    const auto toRightPicture = [&] {
        if (!mixed) return;
        rightPicture = QImage(w, h, QImage::Format_RGB32);
        rightPicture.fill(0u);
        dst = WritableView(rightPicture);
    };

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
        toRightPicture();
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
        toRightPicture();
        SelectBlendOp(TranspMode, 1, op);
        draw(rightSlot, MaskRight, MaskLeft, B, A, op, false);
    }
    if (mixed) {
        const ImageView work = WritableView(BmpWork);
        MixAnaglyph(work, WritableView(rightPicture), work, method);
        MaskLeft = anaglyphLeft;
        MaskRight = anaglyphRight;
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
