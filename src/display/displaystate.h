// The display window's state and arithmetic without the window: the two slots
// and their layout, the crop, the composition into BmpWork, the marks, the
// zoom and scroll offsets, the status texts and the view-level commands.
#pragma once

#include "core/viewpair.h"

#include <QImage>
#include <QString>

#include <array>
#include <functional>
#include <vector>

// Inclusive rectangle in window pixels (left, top, right, bottom).
struct tscreenrect {
    int left = 0;
    int top = 0;
    int right = -1;
    int bottom = -1;
    int Width() const { return right - left + 1; }
    int Height() const { return bottom - top + 1; }
    bool operator==(const tscreenrect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

struct tpointd {
    double x = 0;
    double y = 0;
};

// One display area and the view it shows.
struct tviewslot {
    timg* img = nullptr;
    tscreenrect Area;
    tscreenrect CropRect;
    tscreenrect DrawRect;
    int CropOffY = 0; // picture pixels between Area's top and CropRect's top
    int CropOffX = 0;
    tviewslot* other = nullptr;
};

enum tvisionmode {
    VisionCrossed = 0,
    VisionParallel = 1,
    VisionOverUnder = 2,
    VisionOverUnderInv = 3,
    VisionAnaglyph = 4,
    VisionTransparency = 5,
    VisionAlternating = 6,
    VisionSingle = 7,
};
constexpr int kVisionModeCount = 8;
extern const std::array<const char*, kVisionModeCount> VisionModeCodes;
extern const std::array<const char*, kVisionModeCount> VisionModeNames;

// The scroll-bar event codes the display reacts to.
enum tscrollcode {
    ScrollLineUp,
    ScrollLineDown,
    ScrollPageUp,
    ScrollPageDown,
    ScrollThumbPosition,
    ScrollThumbTrack,
    ScrollEndScroll,
};

// The Montage window's pair buttons that follow the pair being placed.
enum class tpairbutton { Centre, A1, A2, Orient1, Orient2, D1, D2, W1, Cadre1, Lock };
tpairbutton PairButtonFor(int curPoint);

// One thing drawn on the window over the composed picture.
struct tmark {
    enum tkind {
        Line,          // solid, one pixel, in `colour`
        DottedLine,    // dotted white, black gaps
        XorDottedLine, // dotted, inverting the picture under its dots
        Circle,        // centre (x1, y1), radius x2, clear inside, in `colour`
        Text,          // `text` at (x1, y1) in `colour`
    };
    tkind kind = Line;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    unsigned colour = 0xFFFFFFFF; // 0xAARRGGBB
    QString text;
};

// Status texts with the program's number formats (C and Delphi agree on these:
// %5.4d is five wide with at least four digits, the sign counted in the width).
QString ScrollStatusText(int sx, int sy);
QString RgbStatusText(int red, int green, int blue);
QString PointerStatusText(double px, double py, double rx, double ry);
QString PointStatusText(const QString& caption, double x, double y);
QString ZoomFieldText(double zoom);
// Round to the nearest integer, ties to even, kept inside the int range.
int RoundEven(double v);

// What the display asks of the rest of the program; every hook may be empty.
struct tdisplayhooks {
    // Width of the band between the views for the layout (the separation
    // dialog's rule; it may ask the user).
    std::function<int(const QImage& picture, int kind)> SeparationWidth;
    std::function<void()> Repaint;         // the composed picture is ready
    std::function<void()> StatusRepaint;   // a status panel changed
    std::function<void()> ScrollBarsMoved; // ScrollBarXPosition/YPosition changed
    std::function<void()> CaptionChanged;
    // The current view changed slot: the Montage window, the magnifier and the
    // information texts follow it.
    std::function<void(const tviewslot& current)> CurrentChanged;
    std::function<void(const QString& text)> ZoomText; // the Montage window's EditZoom
    std::function<void(int h, int w)> WindowFrameSize; // EditWinH, EditWinW
    std::function<void(int mask)> ColorMaskChanged;
    std::function<void(tpairbutton button)> PairButton;
    std::function<bool()> SmoothingButtonDown;
    std::function<void()> ReleaseSmoothingButton;
    std::function<void(bool run)> AlternationTimer;
    // The magnifier: whether it is shown, and the slot and point it should show.
    std::function<bool()> MagnifierVisible;
    std::function<void(const tviewslot& slot, double x, double y)> MagnifierShow;
};

class tdisplaystate {
public:
    explicit tdisplaystate(tviewpair& pair);
    tdisplaystate(const tdisplaystate&) = delete;
    tdisplaystate& operator=(const tdisplaystate&) = delete;

    tviewpair& Pair;
    tdisplayhooks Hooks;

    tviewslot Slot1;
    tviewslot Slot2;
    tviewslot Current;

    // Window client size and what takes room beside the drawing surface.
    int ClientWidth = 1024;
    int ClientHeight = 700;
    bool StatusBarVisible = true;
    bool FullScreen = false;

    tscreenrect RectClient;
    tscreenrect RectDraw;
    QImage BmpWork; // 32 bits per pixel, B,G,R,A in memory

    double Zoom = 1.0;
    double ZoomPercent = 100;
    double FitPercent = 100;
    double ScrollX = 0;
    double ScrollY = 0;
    double ZoomAnchorX = 0;
    double ZoomAnchorY = 0;
    bool ZoomAnchorSet = false;

    int ColorMask = 0xFFFFFF;
    int MaskLeft = 0xFFFFFF;
    int MaskRight = 0xFFFFFF;
    int Transp1 = 128; // weight of the right view, 256 = 1.0
    int Transp2 = 128; // weight of the left view
    int AltPhase = 0;
    bool CropOn = false;
    unsigned MarkerColor = 0x808000; // colour, red in bits 0-7
    int MarginX = 5;
    int MarginY = 5;
    int ViewGap = 0;

    // The manual crop frame on the screen, relative to FrameSlot's area.
    double FrameLeft = 0, FrameTop = 0, FrameRight = 0, FrameBottom = 0;
    double FrameW = 0, FrameH = 0;
    tviewslot FrameSlot;

    // What the scroll bars hold: ScrollDir x the rounded offsets.
    int ScrollBarXPosition = 0;
    int ScrollBarYPosition = 0;

    // Status bar: panels 3 to 6 as text, the colour of panel 2, the image
    // index of panel 1's icon.
    std::array<QString, 7> StatusText;
    unsigned PixelColor = 0xFF000000; // 0xAARRGGBB
    int PointIcon = 94;

    // Layout and composition.
    void SetClientSize(int width, int height);
    void LayoutViews();
    void ComputeCrop();
    void UpdateLayout();
    void Compose();
    void DrawFocusFrame();
    void BuildMarks(std::vector<tmark>& marks) const;

    void SetVisionMode(int mode);
    void StartAlternation();
    void StopAlternation();
    void SetColorMask(int mask);
    void SetViewGap(int g);
    // The magnifier follows the current view's point CurPoint when it is placed.
    void UpdateMagnifier();

    // Slots and coordinates.
    const tviewslot& GetCurrent();
    void SetCurrent(const tviewslot& slot);
    tviewslot& SlotOf(const timg* view);
    tviewslot& SlotAt(double x, double y, double& rx, double& ry);
    // Position of a view's picture point relative to a slot's area origin.
    tpointd PictureToRelative(const timg& view, double x, double y) const;
    tpointd PictureToScreen(const tviewslot& slot, double x, double y) const;
    // The picture point of the slot's view under a position relative to its area.
    tpointd RelativeToPicture(const tviewslot& slot, double rx, double ry) const;
    tpointd ScreenToPicture(double x, double y);

    // Zoom and scrolling.
    void SetZoomCentred(double z);
    void SetZoomKeepAnchor(double z);
    void FitZoom(bool centred);
    void FitAndCompose();
    void ZoomReal();
    void ZoomMax();
    void ZoomIn();
    void ZoomOut();
    void ZoomInStep();
    void ZoomOutStep();
    void Recentre();
    void SetScroll(double sy, double sx);
    void ShowScroll(double sy, double sx);
    // A scroll-bar event at bar position `pos`; true when the picture moved.
    bool ScrollBarEvent(bool horizontal, tscrollcode code, int pos);

    // Status bar.
    void ShowPointIcon(int index);
    void ShowPointerStatus(const tviewslot* slot, double px, double py, double rx, double ry);
    void ShowWindowFrameSize(double h, double w);
    QString VisionCode() const;

    // View-level commands.
    void ClearView(timg& view);
    void ResetViews();
    void SwapViews();
    QString Caption() const { return PairCaption(Pair); }

private:
    void SetZoomValue(double z);
    void CommonCrop();
    void ManualCrop();
    void DrawRectOutline(const tscreenrect& r, unsigned pixel);
    void AddPointMarks(const tviewslot& slot, std::vector<tmark>& marks) const;
    void Notify(const std::function<void()>& f) const {
        if (f) f();
    }
};

// Point i is drawn, and can be grabbed with the pointer, under pointer tool `tool`.
bool PointShown(int index, int tool);

// Image index of the Montage window's list for the icon of point pair `index`.
int PointIconImageIndex(int index);
