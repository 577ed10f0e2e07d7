// The display window's pointer and key handling without the window: which
// point a press places, the point, frame and navigation drags, the wheel, the
// hover cursors and both key tables.
#pragma once

#include "display/displaystate.h"

#include <functional>

// The cursor the display window shows over its drawing surface.
enum class tcursorshape { Default, SizeWE, SizeNS, SizeNWSE, SizeNESW, SizeAll, Hand };

// The commands the keys route to other windows; each does nothing until the
// window that carries it is connected.
enum class tdisplaycommand {
    CopyStereo,       // Ctrl+C
    SwapViews,        // Ctrl+E
    RepeatOpen,       // Ctrl+F
    ShowGrid,         // Ctrl+G
    NextPair,         // Ctrl+H
    OpenList,         // Ctrl+L
    NextListEntry,    // Ctrl+N
    SaveParams,       // Ctrl+P
    CloseDisplay,     // Ctrl+Q
    RepeatRotation,   // Ctrl+R
    RepeatSave,       // Ctrl+S
    SaveDialog,       // Ctrl+T
    PopupVision,      // Ctrl+U
    PasteStereo,      // Ctrl+V
    PopupCrop,        // Ctrl+W
    CutStereo,        // Ctrl+X
    AlignRotation,    // Shift+Enter
    AutoWindow,       // Esc: the automatic window without a ratio
    ArrangeDefault,   // Esc, F8
    ToggleMontage,    // F2 and MontageKey
    Help,             // F1
    ToggleDisplay,    // F3
    ToggleMagnifier,  // F4
    ArrangeCurrent,   // F9
    FullScreen,       // F10
    FullScreenLayout, // F12
};

// Buttons, modifiers and the double click as a handler sees them.
enum class tmousebutton { Left, Right, Middle, None };
struct tshiftstate {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool keypad = false; // the key comes from the numeric pad
    bool left = false;   // buttons held
    bool right = false;
    bool middle = false;
    bool doubleClick = false;
};

// What the pointer and keys ask of the Montage window and the desktop; every
// hook may stay empty.
struct tpointerhooks {
    std::function<void(int index)> SelectPair;
    std::function<void()> AdvanceAfterPair;
    // Places point CurPoint of the view; empty: placed here and the status
    // icon refreshed.
    std::function<void(timg& view, double x, double y)> PlaceCurrentPoint;
    std::function<void()> ShowSelectedPair;
    std::function<void()> ShowShiftInfo;
    std::function<int()> ActiveTab;
    std::function<void(int tab)> SetActiveTab;
    // The rotation setter of the alignment commands; empty: the view's own.
    std::function<void(timg& view, double angle, double cy, double cx)> SetViewRotation;
    std::function<void(tcursorshape shape)> SetCursor;
    std::function<void()> ProcessEvents;
    std::function<void(tdisplaycommand command)> Command;
};

// The key that shows or hides the Montage window (the key next to the left
// Shift on European keyboards at start; not saved), and the request to take
// the next key as that key.
extern int MontageKey;
extern bool DefKeyF2;

// Moves point `index` of the view by (dx, dy) in screen directions, whatever
// the view's rotation, storing it through `place` (point CurPoint).
void MovePoint(timg& view, int index, double dy, double dx,
               const std::function<void(timg&, double, double)>& place);

class tpointerinput {
public:
    explicit tpointerinput(tdisplaystate& display) : display_(display) {}

    tpointerhooks Hooks;

    bool Placing = false;
    bool Dragging = false;
    bool FrameDrawing = false;
    double DragStartX = 0, DragStartY = 0;
    double DragDX = 0, DragDY = 0;
    int FrameHandle = 0;
    bool FirstMove = true;
    // The magnifier follows the pointer.
    bool ZoomFollow = true;

    // Window coordinates; `s` holds the buttons down after the event.
    void MouseDown(tmousebutton button, const tshiftstate& s, double x, double y);
    void MouseMove(const tshiftstate& s, double x, double y);
    void MouseUp(tmousebutton button, const tshiftstate& s, double x, double y);
    // delta > 0: away from the user.
    void MouseWheel(int delta, const tshiftstate& s);
    // `key` is a Qt key code; true when the key is consumed.
    bool KeyDown(int key, const tshiftstate& s);
    // A pointer move over the window's frame.
    void FrameMove();
    // The Montage window leaves the frame tool.
    void LeaveFrameDrawing();
    // The cursor the hover rule last chose.
    tcursorshape Cursor = tcursorshape::Default;

private:
    void PointPress(const tshiftstate& s, tviewslot slot, double rx, double ry);
    void ChoosePoint(const tviewslot& slot, double x, double y);
    void PlaceAt(const tviewslot& slot, double rx, double ry, bool lineStart);
    void MoveCentre(const tviewslot& slot, double rx, double ry, tpointd P);
    void PointDrag(const tshiftstate& s, double x, double y);
    void FramePress(const tviewslot& slot, double rx, double ry);
    void FrameDrag(double rx, double ry);
    void FrameRelease(double rx, double ry);
    void WriteFrames();
    void WriteOrigins();
    void ShowFrameSize();
    void Hover(const tshiftstate& s, double x, double y);
    void SetCursor(tcursorshape shape);
    void Navigate(double x, double y, bool release);
    void MoveCurrentPoint(double dy, double dx, bool both);
    void Run(tdisplaycommand c) {
        if (Hooks.Command) Hooks.Command(c);
    }
    void Repaint() {
        if (display_.Hooks.Repaint) display_.Hooks.Repaint();
    }
    void ProcessEvents() {
        if (Hooks.ProcessEvents) Hooks.ProcessEvents();
    }
    tviewslot& OtherSlot(const timg* view);
    bool RatioActive() const;

    tdisplaystate& display_;
};
