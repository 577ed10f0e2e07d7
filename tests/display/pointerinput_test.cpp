// Pointer and key handling of the display without a window: which point a
// press places, the drags, the crop frame tool, the wheel, hover and keys.
#include "displayfixture.h"

#include "display/pointerinput.h"
#include "montage/sequencing.h"

#include <Qt>

#include <cmath>
#include <vector>

namespace {

class Pointer : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        Settings.VisionMode = VisionParallel;
        Install(pair.ImgLeft, FlatPicture(300, 200, 0xFFC00000));
        Install(pair.ImgRight, FlatPicture(300, 200, 0xFF0000C0));
        Surface(d, 1000, 600);
        d.UpdateLayout();
        d.SetScroll(0, 0);
        d.GetCurrent();
        in.Hooks.SelectPair = [this](int i) { selected.push_back(i); };
        in.Hooks.ActiveTab = [this] { return tab; };
        in.Hooks.SetActiveTab = [this](int t) { tab = t; };
        in.Hooks.AdvanceAfterPair = [this] { ++advanced; };
        in.Hooks.Command = [this](tdisplaycommand c) { commands.push_back(c); };
        in.FirstMove = false;
    }
    void TearDown() override {
        MontageKey = Qt::Key_Less;
        DefKeyF2 = false;
        DisplayTest::TearDown();
    }
    // Window position of a point relative to the left slot's area.
    double X(double rx) const { return d.Slot1.Area.left + rx; }
    double Y(double ry) const { return d.Slot1.Area.top + ry; }
    void Press(tmousebutton b, double x, double y, tshiftstate s = {}) {
        (b == tmousebutton::Left ? s.left : s.right) = b != tmousebutton::Middle;
        in.MouseDown(b, s, x, y);
    }
    void Move(tmousebutton b, double x, double y, tshiftstate s = {}) {
        (b == tmousebutton::Left ? s.left : s.right) = true;
        in.MouseMove(s, x, y);
    }
    void Release(tmousebutton b, double x, double y) { in.MouseUp(b, {}, x, y); }
    tshiftstate Shift(bool ctrl = false) {
        tshiftstate s;
        s.shift = true;
        s.ctrl = ctrl;
        return s;
    }

    tdisplaystate d{pair};
    tpointerinput in{d};
    std::vector<int> selected;
    std::vector<tdisplaycommand> commands;
    int tab = TabPoint;
    int advanced = 0;
};

TEST_F(Pointer, RightButtonPlacesAndLeftButtonDragsByDefault) {
    CurPoint = 2;
    Settings.MouseTool = 2;
    Press(tmousebutton::Right, X(40), Y(30));
    EXPECT_TRUE(in.Placing);
    EXPECT_TRUE(pair.ImgLeft.pt[2].d);
    EXPECT_DOUBLE_EQ(pair.ImgLeft.pt[2].x, 40);
    EXPECT_DOUBLE_EQ(pair.ImgLeft.pt[2].y, 30);
    EXPECT_FALSE(pair.ImgRight.pt[2].d);
    Release(tmousebutton::Right, X(40), Y(30));
    EXPECT_EQ(advanced, 1);
    EXPECT_FALSE(in.Placing);

    d.Zoom = 2;
    Press(tmousebutton::Left, X(100), Y(100));
    EXPECT_TRUE(in.Dragging);
    Move(tmousebutton::Left, X(110), Y(95));
    EXPECT_DOUBLE_EQ(d.ScrollX, 20);
    EXPECT_DOUBLE_EQ(d.ScrollY, -10);
    Release(tmousebutton::Left, X(113), Y(95));
    EXPECT_DOUBLE_EQ(d.ScrollX, 26);
    EXPECT_EQ(advanced, 1);
}

TEST_F(Pointer, SwappedButtonsExchangeTheRoles) {
    Settings.MouseSwap = true;
    CurPoint = 2;
    Settings.MouseTool = 2;
    Press(tmousebutton::Right, X(40), Y(30));
    EXPECT_TRUE(in.Dragging);
    EXPECT_FALSE(pair.ImgLeft.pt[2].d);
    Release(tmousebutton::Right, X(40), Y(30));
    Press(tmousebutton::Left, X(40), Y(30));
    EXPECT_TRUE(pair.ImgLeft.pt[2].d);
}

TEST_F(Pointer, SlowScrollingMovesThePictureOnlyOnRelease) {
    Settings.ScrollSpeed = true;
    Press(tmousebutton::Left, X(100), Y(100));
    Move(tmousebutton::Left, X(130), Y(100));
    EXPECT_DOUBLE_EQ(d.ScrollX, 0);
    Release(tmousebutton::Left, X(140), Y(100));
    EXPECT_DOUBLE_EQ(d.ScrollX, 40);
}

TEST_F(Pointer, FirstPressOfAnAutomaticSequencePlacesTheCentreWithoutMovingThePicture) {
    Settings.MaxPtsIndex = 3;
    Settings.MouseTool = 2;
    timg& v = pair.ImgRight;
    v.SetRotation(0.4, 80, 120);
    v.SetPos(7, -5);
    const tpointd before = d.PictureToScreen(d.Slot2, 10, 20);
    const double rx = 200, ry = 90;
    const double x = d.Slot2.Area.left + rx, y = d.Slot2.Area.top + ry;
    const tpointd P = d.RelativeToPicture(d.Slot2, rx, ry);
    Press(tmousebutton::Right, x, y);
    EXPECT_EQ(CurPoint, 1);
    ASSERT_EQ(selected, std::vector<int>{1});
    EXPECT_EQ(d.Current.img, &v);
    EXPECT_TRUE(v.pt[1].d);
    EXPECT_NEAR(v.CentreX(), P.x, 1e-9);
    EXPECT_NEAR(v.CentreY(), P.y, 1e-9);
    EXPECT_NEAR(v.rot, 0.4, 1e-12);
    const tpointd after = d.PictureToScreen(d.Slot2, 10, 20);
    EXPECT_NEAR(after.x, before.x, 1e-9);
    EXPECT_NEAR(after.y, before.y, 1e-9);
    EXPECT_FALSE(pair.ImgLeft.pt[1].d);
}

TEST_F(Pointer, FirstPressFollowsTheStepOnShow) {
    Settings.MaxPtsIndex = 2;
    tab = TabGeometry;
    Press(tmousebutton::Right, X(50), Y(50));
    EXPECT_EQ(CurPoint, 7);
    Release(tmousebutton::Right, X(50), Y(50));
    CurPoint = 0;
    tab = TabLoad;
    Press(tmousebutton::Right, X(50), Y(50));
    EXPECT_EQ(CurPoint, 1);
    EXPECT_EQ(tab, TabPoint);
}

TEST_F(Pointer, PressNearAShownPlacedPointSelectsItsPair) {
    Settings.MouseTool = 2;
    CurPoint = 3;
    pair.ImgLeft.PlacePoint(2, 60, 70);
    Press(tmousebutton::Right, X(62), Y(68));
    EXPECT_EQ(CurPoint, 2);
    EXPECT_EQ(selected, std::vector<int>{2});
    EXPECT_DOUBLE_EQ(pair.ImgLeft.pt[2].x, 62);
    EXPECT_FALSE(pair.ImgLeft.pt[3].d);
    Release(tmousebutton::Right, X(62), Y(68));

    // Three pixels away, or a point the tool hides, is not taken.
    selected.clear();
    CurPoint = 3;
    Press(tmousebutton::Right, X(65), Y(68));
    EXPECT_EQ(CurPoint, 3);
    Release(tmousebutton::Right, X(65), Y(68));
    Settings.MouseTool = 8;
    CurPoint = 9;
    Press(tmousebutton::Right, X(62), Y(68));
    EXPECT_EQ(CurPoint, 9);
    EXPECT_TRUE(selected.empty());
}

TEST_F(Pointer, FirstPressOfTheOrientationLinePlacesBothEndsAndDragsTheSecond) {
    Settings.MouseTool = 4;
    CurPoint = 5;
    Press(tmousebutton::Right, X(20), Y(40));
    EXPECT_EQ(CurPoint, 6);
    EXPECT_TRUE(pair.ImgLeft.pt[5].d);
    EXPECT_TRUE(pair.ImgLeft.pt[6].d);
    EXPECT_DOUBLE_EQ(pair.ImgLeft.pt[6].x, 20);
    Move(tmousebutton::Right, X(90), Y(45));
    EXPECT_DOUBLE_EQ(pair.ImgLeft.pt[5].x, 20);
    EXPECT_DOUBLE_EQ(pair.ImgLeft.pt[6].x, 90);
    EXPECT_DOUBLE_EQ(pair.ImgLeft.pt[6].y, 45);
}

TEST_F(Pointer, CtrlPlacesAndDragsThePointInBothViews) {
    Settings.MouseTool = 2;
    CurPoint = 2;
    pair.ImgRight.SetPos(10, 30);
    tshiftstate ctrl;
    ctrl.ctrl = true;
    Press(tmousebutton::Right, X(50), Y(60), ctrl);
    EXPECT_DOUBLE_EQ(pair.ImgLeft.pt[2].x, 50);
    ASSERT_TRUE(pair.ImgRight.pt[2].d);
    EXPECT_DOUBLE_EQ(pair.ImgRight.pt[2].x, 20);
    EXPECT_DOUBLE_EQ(pair.ImgRight.pt[2].y, 50);
    Move(tmousebutton::Right, X(55), Y(60), ctrl);
    EXPECT_DOUBLE_EQ(pair.ImgLeft.pt[2].x, 55);
    EXPECT_DOUBLE_EQ(pair.ImgRight.pt[2].x, 25);
    // Without Ctrl only the view under the pointer follows.
    Move(tmousebutton::Right, X(58), Y(60));
    EXPECT_DOUBLE_EQ(pair.ImgLeft.pt[2].x, 58);
    EXPECT_DOUBLE_EQ(pair.ImgRight.pt[2].x, 25);
}

TEST_F(Pointer, ShiftArrowsMoveThePointAlongTheScreenWhateverTheRotation) {
    CurPoint = 2;
    timg& v = pair.ImgLeft;
    v.SetRotation(0.7, 100, 150);
    v.PlacePoint(2, 40, 50);
    pair.ImgRight.PlacePoint(2, 40, 50);
    d.SetCurrent(d.Slot1);
    const tpointd s0 = d.PictureToScreen(d.Slot1, 40, 50);
    EXPECT_TRUE(in.KeyDown(Qt::Key_Right, Shift()));
    EXPECT_NEAR(v.pt[2].x, 40 + 0.25 * std::cos(0.7), 1e-12);
    EXPECT_NEAR(v.pt[2].y, 50 + 0.25 * std::sin(0.7), 1e-12);
    const tpointd s1 = d.PictureToScreen(d.Slot1, v.pt[2].x, v.pt[2].y);
    EXPECT_NEAR(s1.x - s0.x, 0.25, 1e-9);
    EXPECT_NEAR(s1.y - s0.y, 0, 1e-9);
    EXPECT_DOUBLE_EQ(pair.ImgRight.pt[2].x, 40);

    EXPECT_TRUE(in.KeyDown(Qt::Key_PageUp, Shift(true)));
    const tpointd s2 = d.PictureToScreen(d.Slot1, v.pt[2].x, v.pt[2].y);
    EXPECT_NEAR(s2.y - s1.y, -1.25, 1e-9);
    EXPECT_NEAR(s2.x - s1.x, 0, 1e-9);
    EXPECT_DOUBLE_EQ(pair.ImgRight.pt[2].y, 48.75);
}

TEST_F(Pointer, ShiftAloneNeverMarksAnUnsetPointAsPlaced) {
    CurPoint = 3;
    EXPECT_TRUE(in.KeyDown(Qt::Key_Shift, Shift()));
    EXPECT_TRUE(in.KeyDown(Qt::Key_A, Shift()));
    EXPECT_FALSE(pair.ImgLeft.pt[3].d);
    EXPECT_FALSE(in.ZoomFollow);
}

TEST_F(Pointer, ShiftWheelMovesByAQuarterPixelAndCtrlMovesBothOnlyInOverlaidModes) {
    CurPoint = 2;
    pair.ImgLeft.PlacePoint(2, 40, 50);
    pair.ImgRight.PlacePoint(2, 40, 50);
    d.SetCurrent(d.Slot1);
    tshiftstate s = Shift(true);
    in.MouseWheel(120, s);
    EXPECT_DOUBLE_EQ(pair.ImgLeft.pt[2].x, 40.25);
    EXPECT_DOUBLE_EQ(pair.ImgRight.pt[2].x, 40);
    s.alt = true;
    in.MouseWheel(120, s);
    EXPECT_DOUBLE_EQ(pair.ImgLeft.pt[2].y, 49.75);
    Settings.VisionMode = VisionAnaglyph;
    d.UpdateLayout();
    s.alt = false;
    in.MouseWheel(-120, s);
    EXPECT_DOUBLE_EQ(pair.ImgLeft.pt[2].x, 40);
    EXPECT_DOUBLE_EQ(pair.ImgRight.pt[2].x, 39.75);
}

TEST_F(Pointer, WheelWithoutShiftZooms) {
    d.ZoomPercent = 100;
    in.MouseWheel(120, {});
    EXPECT_NEAR(d.ZoomPercent, 110, 1e-9);
    in.MouseWheel(-120, {});
    EXPECT_NEAR(d.ZoomPercent, 100, 1e-9);
}

// The crop frame, zoom 1, no scroll, views unturned: a picture point is its
// position relative to the slot's area.
TEST_F(Pointer, FrameDrawnFromBottomRightToTopLeftEndsUprightAtItsUpperLeft) {
    Settings.MouseTool = 64;
    pair.ImgRight.SetPos(0, 12);
    Press(tmousebutton::Right, X(300), Y(250));
    EXPECT_TRUE(in.FrameDrawing);
    Move(tmousebutton::Right, X(250), Y(200));
    // While drawn, the views hold the rectangle under the pointer.
    EXPECT_DOUBLE_EQ(pair.ImgLeft.mancropl, 250);
    EXPECT_DOUBLE_EQ(pair.ImgLeft.mancropt, 200);
    EXPECT_DOUBLE_EQ(pair.ImgLeft.mancropw, 51);
    Move(tmousebutton::Right, X(200), Y(180));
    Release(tmousebutton::Right, X(200), Y(180));
    EXPECT_FALSE(in.FrameDrawing);
    for (const timg* v : {&pair.ImgLeft, &pair.ImgRight}) {
        EXPECT_TRUE(v->mancropd);
        EXPECT_DOUBLE_EQ(v->mancropw, 101);
        EXPECT_DOUBLE_EQ(v->mancroph, 71);
        EXPECT_DOUBLE_EQ(v->mancropt, 180);
    }
    EXPECT_DOUBLE_EQ(pair.ImgLeft.mancropl, 200);
    EXPECT_DOUBLE_EQ(pair.ImgRight.mancropl, 188);
    EXPECT_DOUBLE_EQ(d.FrameLeft, 200);
    EXPECT_DOUBLE_EQ(d.FrameRight, 300);
    EXPECT_DOUBLE_EQ(d.FrameTop, 180);
    EXPECT_DOUBLE_EQ(d.FrameBottom, 250);
}

TEST_F(Pointer, FourToThreeCornerDragDerivesTheHeightFromTheWidth) {
    Settings.MouseTool = 64;
    WinRatioW = 4;
    WinRatioH = 3;
    Press(tmousebutton::Right, X(100), Y(100));
    Move(tmousebutton::Right, X(180), Y(110));
    // 81 wide: Trunc(3 * 81 / 4) = 60 high.
    EXPECT_DOUBLE_EQ(d.FrameW, 81);
    EXPECT_DOUBLE_EQ(d.FrameH, 60);
    EXPECT_DOUBLE_EQ(d.FrameBottom, 159);
    EXPECT_DOUBLE_EQ(pair.ImgLeft.mancroph, 60);
    Release(tmousebutton::Right, X(180), Y(110));
    // The release snaps to the nearest 4:3 size: 80 x 60.
    EXPECT_DOUBLE_EQ(pair.ImgLeft.mancropw, 80);
    EXPECT_DOUBLE_EQ(pair.ImgLeft.mancroph, 60);
    EXPECT_DOUBLE_EQ(pair.ImgRight.mancropw, 80);
}

TEST_F(Pointer, HoverFindsTheFrameHandlesAndDragsAnEdgeOrTheWholeFrame) {
    Settings.MouseTool = 64;
    int h = 0, w = 0;
    d.Hooks.WindowFrameSize = [&](int fh, int fw) { h = fh, w = fw; };
    for (timg* v : {&pair.ImgLeft, &pair.ImgRight}) {
        v->mancropl = 50, v->mancropt = 40, v->mancropw = 100, v->mancroph = 80;
        v->mancropd = true;
    }
    in.MouseMove({}, X(50), Y(100));
    EXPECT_EQ(in.FrameHandle, 1);
    EXPECT_EQ(in.Cursor, tcursorshape::SizeWE);
    in.MouseMove({}, X(151), Y(121));
    EXPECT_EQ(in.FrameHandle, 10);
    EXPECT_EQ(in.Cursor, tcursorshape::SizeNWSE);
    in.MouseMove({}, X(149), Y(41));
    EXPECT_EQ(in.FrameHandle, 6);
    EXPECT_EQ(in.Cursor, tcursorshape::SizeNESW);
    in.MouseMove({}, X(100), Y(80));
    EXPECT_EQ(in.FrameHandle, 16);
    EXPECT_EQ(in.Cursor, tcursorshape::SizeAll);

    Press(tmousebutton::Right, X(100), Y(80));
    Move(tmousebutton::Right, X(110), Y(75));
    Release(tmousebutton::Right, X(112), Y(75));
    EXPECT_DOUBLE_EQ(pair.ImgLeft.mancropl, 62);
    EXPECT_DOUBLE_EQ(pair.ImgRight.mancropt, 35);
    EXPECT_DOUBLE_EQ(pair.ImgLeft.mancropw, 100);
    EXPECT_EQ(w, 100);
    EXPECT_EQ(h, 80);

    // The left edge: the right edge stays.
    in.MouseMove({}, X(62), Y(90));
    ASSERT_EQ(in.FrameHandle, 1);
    Press(tmousebutton::Right, X(61), Y(90));
    Move(tmousebutton::Right, X(40), Y(95));
    Release(tmousebutton::Right, X(40), Y(95));
    EXPECT_DOUBLE_EQ(pair.ImgLeft.mancropl, 40);
    EXPECT_DOUBLE_EQ(pair.ImgLeft.mancropw, 122);
    EXPECT_DOUBLE_EQ(pair.ImgLeft.mancroph, 80);
}

TEST_F(Pointer, FourToThreeRightEdgeDragDerivesTheHeightAndTheReleaseSnaps) {
    Settings.MouseTool = 64;
    WinRatioW = 4;
    WinRatioH = 3;
    for (timg* v : {&pair.ImgLeft, &pair.ImgRight}) {
        v->mancropl = 50, v->mancropt = 40, v->mancropw = 100, v->mancroph = 80;
        v->mancropd = true;
    }
    in.MouseMove({}, X(150), Y(80));
    ASSERT_EQ(in.FrameHandle, 2);
    Press(tmousebutton::Right, X(150), Y(80));
    Move(tmousebutton::Right, X(170), Y(82));
    // 121 wide: Trunc(3 * 121 / 4) = 90 high, the top edge staying.
    EXPECT_DOUBLE_EQ(pair.ImgLeft.mancropw, 121);
    EXPECT_DOUBLE_EQ(pair.ImgLeft.mancroph, 90);
    EXPECT_DOUBLE_EQ(pair.ImgLeft.mancropt, 40);
    Release(tmousebutton::Right, X(170), Y(82));
    // 121 x 90 snaps to 120 x 90 (30 x 4 : 30 x 3).
    EXPECT_DOUBLE_EQ(pair.ImgLeft.mancropw, 120);
    EXPECT_DOUBLE_EQ(pair.ImgLeft.mancroph, 90);
    EXPECT_DOUBLE_EQ(pair.ImgLeft.mancropl, 50);
}

TEST_F(Pointer, HandCursorOverAShownPoint) {
    Settings.MouseTool = 2;
    pair.ImgLeft.PlacePoint(2, 60, 70);
    in.MouseMove({}, X(61), Y(71));
    EXPECT_EQ(in.Cursor, tcursorshape::Hand);
    in.MouseMove({}, X(64), Y(71));
    EXPECT_EQ(in.Cursor, tcursorshape::Default);
}

TEST_F(Pointer, DoubleClickTogglesBetweenTheFittedZoomAndFourHundredPercent) {
    d.FitZoom(true);
    const double fit = d.FitPercent;
    ASSERT_LT(fit, 400);
    const double x = X(120), y = Y(80);
    const tpointd P = d.ScreenToPicture(x, y);
    tshiftstate dbl;
    dbl.doubleClick = true;
    Press(tmousebutton::Left, x, y, dbl);
    EXPECT_DOUBLE_EQ(d.ZoomPercent, 400);
    EXPECT_DOUBLE_EQ(d.Zoom, 0.25);
    EXPECT_FALSE(in.Dragging);
    const tpointd Q = d.ScreenToPicture(x, y);
    EXPECT_NEAR(Q.x, P.x, 1e-9);
    EXPECT_NEAR(Q.y, P.y, 1e-9);
    Release(tmousebutton::Left, x, y);
    Press(tmousebutton::Left, x, y, dbl);
    EXPECT_DOUBLE_EQ(d.ZoomPercent, fit);
}

TEST_F(Pointer, DeleteUnplacesTheCurrentPointWhateverTheModifiers) {
    CurPoint = 2;
    pair.ImgLeft.PlacePoint(2, 4, 4);
    d.SetCurrent(d.Slot1);
    EXPECT_TRUE(in.KeyDown(Qt::Key_Delete, Shift(true)));
    EXPECT_FALSE(pair.ImgLeft.pt[2].d);
}

TEST_F(Pointer, CtrlKeysRunTheirCommandsAndAreConsumed) {
    tshiftstate ctrl;
    ctrl.ctrl = true;
    EXPECT_TRUE(in.KeyDown(Qt::Key_E, ctrl));
    EXPECT_TRUE(in.KeyDown(Qt::Key_U, ctrl));
    EXPECT_TRUE(in.KeyDown(Qt::Key_Q, ctrl));
    EXPECT_EQ(commands, (std::vector<tdisplaycommand>{tdisplaycommand::SwapViews,
                                                      tdisplaycommand::PopupVision,
                                                      tdisplaycommand::CloseDisplay}));
    EXPECT_FALSE(in.KeyDown(Qt::Key_B, ctrl));
    const bool adapt = Settings.AdaptAndCenter;
    EXPECT_TRUE(in.KeyDown(Qt::Key_D, ctrl));
    EXPECT_EQ(Settings.AdaptAndCenter, !adapt);
    commands.clear();
    EXPECT_TRUE(in.KeyDown(Qt::Key_Return, Shift()));
    EXPECT_EQ(commands, std::vector<tdisplaycommand>{tdisplaycommand::AlignRotation});
}

TEST_F(Pointer, PlainKeysScrollSwitchTheViewAndLeaveTheRestToTheFocusedControl) {
    Settings.ScrollDir = -1;
    EXPECT_TRUE(in.KeyDown(Qt::Key_PageUp, {}));
    EXPECT_DOUBLE_EQ(d.ScrollY, 10);
    EXPECT_TRUE(in.KeyDown(Qt::Key_Right, {}));
    EXPECT_DOUBLE_EQ(d.ScrollX, -1);
    d.SetCurrent(d.Slot1);
    EXPECT_FALSE(in.KeyDown(Qt::Key_Space, {}));
    EXPECT_EQ(d.Current.img, d.Slot2.img);
    EXPECT_FALSE(in.KeyDown(Qt::Key_X, {}));
    tshiftstate pad;
    pad.keypad = true;
    EXPECT_FALSE(in.KeyDown(Qt::Key_Asterisk, pad));
    EXPECT_EQ(d.ViewGap, 6);
    WinRatioW = 4;
    gBusy = true;
    in.ZoomFollow = false;
    EXPECT_FALSE(in.KeyDown(Qt::Key_Escape, {}));
    EXPECT_EQ(WinRatioW, 0);
    EXPECT_FALSE(gBusy);
    EXPECT_TRUE(in.ZoomFollow);
}

TEST_F(Pointer, MontageKeyTogglesTheWindowOnceAndCanBeRedefined) {
    EXPECT_FALSE(in.KeyDown(Qt::Key_Less, {}));
    EXPECT_FALSE(in.KeyDown(Qt::Key_F2, {}));
    EXPECT_EQ(commands.size(), 2u);
    commands.clear();
    DefKeyF2 = true;
    in.KeyDown(Qt::Key_F2, {});
    EXPECT_FALSE(DefKeyF2);
    EXPECT_EQ(MontageKey, Qt::Key_F2);
    EXPECT_EQ(commands, std::vector<tdisplaycommand>{tdisplaycommand::ToggleMontage});
    in.KeyDown(Qt::Key_Less, {});
    EXPECT_EQ(commands.size(), 1u);
}

} // namespace
