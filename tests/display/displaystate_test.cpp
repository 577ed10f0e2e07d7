// Layout, crop, coordinates, modes and view commands of the display, driven
// without a window.
#include "displayfixture.h"

#include "input/composite.h"

#include <cmath>

namespace {

tscreenrect R(int l, int t, int r, int b) {
    return {l, t, r, b};
}

void ExpectRect(const tscreenrect& got, const tscreenrect& want) {
    EXPECT_EQ(got.left, want.left);
    EXPECT_EQ(got.top, want.top);
    EXPECT_EQ(got.right, want.right);
    EXPECT_EQ(got.bottom, want.bottom);
}

using Layout = DisplayTest;

TEST_F(Layout, ParallelSurfaceOf1000x600SharesOneColumnBetweenTheAreas) {
    tdisplaystate d(pair);
    Surface(d, 1000, 600);
    Settings.VisionMode = VisionParallel;
    d.UpdateLayout();
    ExpectRect(d.RectDraw, R(0, 0, 999, 599));
    ExpectRect(d.Slot1.Area, R(5, 5, 499, 594));
    ExpectRect(d.Slot2.Area, R(499, 5, 993, 594));
    EXPECT_EQ(d.Slot1.img, &pair.ImgLeft);
    EXPECT_EQ(d.Slot2.img, &pair.ImgRight);
    ExpectRect(d.Slot1.DrawRect, d.Slot1.Area);
}

TEST_F(Layout, CrossedAndOverUnderPutTheRightViewFirst) {
    tdisplaystate d(pair);
    Surface(d, 1000, 600);
    Settings.VisionMode = VisionCrossed;
    d.UpdateLayout();
    EXPECT_EQ(d.Slot1.img, &pair.ImgRight);
    Settings.VisionMode = VisionOverUnder;
    d.UpdateLayout();
    EXPECT_EQ(d.Slot1.img, &pair.ImgRight);
    // h = half(600 + 1) - 5 = 295
    ExpectRect(d.Slot1.Area, R(5, 5, 994, 299));
    ExpectRect(d.Slot2.Area, R(5, 299, 994, 593));
    Settings.VisionMode = 12; // unknown modes lie side by side, right view first
    d.UpdateLayout();
    EXPECT_EQ(d.Slot1.img, &pair.ImgRight);
    ExpectRect(d.Slot2.Area, R(499, 5, 993, 594));
}

TEST_F(Layout, OverlaidModesShareTheWholeSurfaceWithTheirMasks) {
    tdisplaystate d(pair);
    Surface(d, 1000, 600);
    Settings.VisionMode = VisionAnaglyph;
    d.UpdateLayout();
    ExpectRect(d.Slot1.Area, R(5, 5, 994, 594));
    ExpectRect(d.Slot2.Area, d.Slot1.Area);
    EXPECT_EQ(d.MaskLeft, 0xFF0000);
    EXPECT_EQ(d.MaskRight, 0x00FFFF);

    Settings.VisionMode = VisionTransparency;
    d.SetColorMask(0xFF0000);
    d.UpdateLayout();
    EXPECT_EQ(d.MaskLeft, 0xFF0000);
    EXPECT_EQ(d.MaskRight, 0x00FFFF);
    d.SetColorMask(0x00FF00);
    Settings.VisionMode = VisionAlternating;
    d.UpdateLayout();
    EXPECT_EQ(d.MaskLeft, 0x00FF00);
    EXPECT_EQ(d.MaskRight, 0xFF00FF);
}

TEST_F(Layout, FullScreenUsesTheWholeClientAndHiddenStatusBarGivesItsRows) {
    tdisplaystate d(pair);
    d.SetClientSize(1007, 627);
    d.StatusBarVisible = false;
    d.LayoutViews();
    ExpectRect(d.RectClient, R(0, 0, 999, 619));
    d.FullScreen = true;
    d.LayoutViews();
    ExpectRect(d.RectClient, R(0, 0, 1006, 626));
}

TEST_F(Layout, NegativeViewGapMovesTheAreasApart) {
    tdisplaystate d(pair);
    Surface(d, 1000, 600);
    Settings.VisionMode = VisionParallel;
    d.SetViewGap(-6); // even: stays -6, MarginX = |-6 - 5| = 11
    EXPECT_EQ(d.MarginX, 11);
    EXPECT_EQ(Settings.OpenSepar, 4);
    d.UpdateLayout();
    // w = half(1001) - 11 = 489
    ExpectRect(d.Slot1.Area, R(11, 5, 499, 594));
    ExpectRect(d.Slot2.Area, R(499, 5, 987, 594));
    d.SetViewGap(7); // odd: raised to 8; OpenSepar = 13 rounded down to even
    EXPECT_EQ(d.MarginX, 5);
    EXPECT_EQ(Settings.OpenSepar, 12);
}

// Counts how often the layout asks the user for the band width.
class CountingSeparationDialog : public tseparationdialog {
public:
    int asked = 0;
    QString AutoText() const override { return auto_; }
    void SetAutoText(const QString& t) override { auto_ = t; }
    QString ManualText() const override { return manual_; }
    void SetManualText(const QString& t) override { manual_ = t; }
    bool AskForSplit() override {
        ++asked;
        return false; // "Ignore": no band
    }
    int AskChoice() const override { return 0; }
    bool ManualChosen() const override { return false; }

private:
    QString auto_, manual_;
};

TEST_F(Layout, AskAlwaysOpensTheSeparationDialogAtEachSideBySideOrOverUnderLayout) {
    CountingSeparationDialog dialog;
    SetSeparationDialog(&dialog);
    Settings.ExtractOption = 0;
    tdisplaystate d(pair);
    Install(pair.ImgLeft, FlatPicture(64, 32, 0xFF808080));
    Surface(d, 1000, 600);
    Settings.VisionMode = VisionParallel;
    d.UpdateLayout();
    d.UpdateLayout();
    EXPECT_EQ(dialog.asked, 2);
    Settings.VisionMode = VisionOverUnder;
    d.UpdateLayout();
    EXPECT_EQ(dialog.asked, 3);
    Settings.VisionMode = VisionAnaglyph;
    d.UpdateLayout();
    EXPECT_EQ(dialog.asked, 3);
    SetSeparationDialog(nullptr);
}

TEST_F(Layout, SeparationWidthOpensAGapBetweenTheAreas) {
    tdisplaystate d(pair);
    d.Hooks.SeparationWidth = [](const QImage&, int) { return 20; };
    Surface(d, 1000, 600);
    Settings.VisionMode = VisionParallel;
    d.UpdateLayout();
    // w = half(1000 - 20 + 1) - 5 = 485
    ExpectRect(d.Slot1.Area, R(5, 5, 489, 594));
    ExpectRect(d.Slot2.Area, R(509, 5, 993, 594));
}

using Crop = DisplayTest;

TEST_F(Crop, CommonFrameOfTwoViewsShiftedBy20Is780Wide) {
    tdisplaystate d(pair);
    Install(pair.ImgLeft, FlatPicture(800, 600, 0xFF102030));
    Install(pair.ImgRight, FlatPicture(800, 600, 0xFF102030));
    pair.ImgRight.posx = 20;
    Surface(d, 2000, 700);
    Settings.VisionMode = VisionParallel;
    d.CropOn = true;
    d.UpdateLayout();
    for (const tviewslot* s : {&d.Slot1, &d.Slot2}) {
        EXPECT_EQ(s->CropRect.Width(), 780);
        EXPECT_EQ(s->CropRect.Height(), 600);
        EXPECT_EQ(s->CropRect.left, s->Area.left + 20);
        EXPECT_EQ(s->CropRect.top, s->Area.top);
        EXPECT_EQ(s->CropOffX, 20);
        EXPECT_EQ(s->CropOffY, 0);
        ExpectRect(s->DrawRect, s->CropRect);
    }
}

TEST_F(Crop, FourByThreeRatioCutsA1000x700IntersectionTo932x699) {
    tdisplaystate d(pair);
    Install(pair.ImgLeft, FlatPicture(1000, 700, 0xFF102030));
    Install(pair.ImgRight, FlatPicture(1000, 700, 0xFF102030));
    Surface(d, 2100, 720);
    Settings.VisionMode = VisionParallel;
    WinRatioW = 4;
    WinRatioH = 3;
    d.CropOn = true;
    d.UpdateLayout();
    EXPECT_EQ(d.Slot1.CropRect.Width(), 932);
    EXPECT_EQ(d.Slot1.CropRect.Height(), 699);
    EXPECT_EQ(d.Slot2.CropRect.Width(), 932);
}

TEST_F(Crop, WithOneEmptyViewTheSlotsAreDrawnWhole) {
    tdisplaystate d(pair);
    Install(pair.ImgLeft, FlatPicture(800, 600, 0xFF102030));
    Surface(d, 2000, 700);
    d.CropOn = true;
    d.UpdateLayout();
    ExpectRect(d.Slot1.DrawRect, d.Slot1.Area);
    EXPECT_EQ(d.Slot1.CropOffX, 0);
}

TEST_F(Crop, ManualFramePartlyLeftOfTheAreaStartsAtTheAreaWithoutMovingThePicture) {
    tdisplaystate d(pair);
    for (timg* v : {&pair.ImgLeft, &pair.ImgRight}) {
        Install(*v, FlatPicture(400, 300, 0xFF102030));
        v->mancropd = true;
        v->mancropl = -30; // 30 picture pixels left of the picture's origin
        v->mancropt = 10;
        v->mancropw = 200;
        v->mancroph = 100;
    }
    Surface(d, 1000, 600);
    Settings.VisionMode = VisionParallel;
    Settings.CropIndex = 2;
    d.Zoom = 2;
    d.ScrollX = 0;
    d.CropOn = true;
    d.UpdateLayout();
    const tviewslot& s = d.Slot1;
    // a = (-15, 5) relative, b = a + (199/2, 99/2) = (84.5, 54.5)
    EXPECT_EQ(s.CropRect.left, s.Area.left);
    EXPECT_EQ(s.CropRect.top, s.Area.top + 5);
    EXPECT_EQ(s.CropRect.right, s.Area.left + 84);
    EXPECT_EQ(s.CropRect.bottom, s.Area.top + 54);
    EXPECT_EQ(s.CropOffX, 0);
    EXPECT_EQ(s.CropOffY, 10);
}

TEST_F(Crop, HostileManualFrameValuesStayInsideTheArea) {
    tdisplaystate d(pair);
    for (timg* v : {&pair.ImgLeft, &pair.ImgRight}) {
        Install(*v, FlatPicture(400, 300, 0xFF102030));
        v->mancropd = true;
        v->mancropl = 1e300;
        v->mancropt = std::nan("");
        v->mancropw = -1e308;
        v->mancroph = 1e308;
    }
    Surface(d, 1000, 600);
    Settings.VisionMode = VisionParallel;
    Settings.CropIndex = 2;
    d.CropOn = true;
    d.Compose();
    for (const tviewslot* s : {&d.Slot1, &d.Slot2}) {
        EXPECT_LE(s->CropRect.right, s->Area.right);
        EXPECT_LE(s->CropRect.bottom, s->Area.bottom);
    }
    std::vector<tmark> marks;
    d.SetCurrent(d.Slot1);
    d.BuildMarks(marks);
    EXPECT_EQ(marks.size(), 8u);
}

using Coordinates = DisplayTest;

TEST_F(Coordinates, ScreenToPictureUndoesPictureToScreenForATurnedShiftedView) {
    tdisplaystate d(pair);
    Install(pair.ImgLeft, FlatPicture(400, 300, 0xFF102030));
    Install(pair.ImgRight, FlatPicture(400, 300, 0xFF102030));
    Surface(d, 1000, 600);
    Settings.VisionMode = VisionParallel;
    d.UpdateLayout();
    timg& v = pair.ImgRight;
    v.SetRotation(0.4, 120, 150);
    v.SetPos(-7, 12.5);
    d.Zoom = 1.75;
    d.ScrollX = 30;
    d.ScrollY = -11;
    const tpointd s = d.PictureToScreen(d.Slot2, 210.25, 80.5);
    const tpointd p = d.ScreenToPicture(s.x, s.y);
    EXPECT_NEAR(p.x, 210.25, 1e-9);
    EXPECT_NEAR(p.y, 80.5, 1e-9);
}

TEST_F(Coordinates, PositiveAngleTurnsThePictureCounterClockwise) {
    tdisplaystate d(pair);
    Install(pair.ImgLeft, FlatPicture(400, 300, 0xFF102030));
    Surface(d, 1000, 600);
    Settings.VisionMode = VisionParallel;
    d.UpdateLayout();
    pair.ImgLeft.SetRotation(M_PI / 2, 0, 0);
    // A point to the right of the centre goes up on the screen.
    const tpointd s = d.PictureToScreen(d.Slot1, 10, 0);
    EXPECT_NEAR(s.x, d.Slot1.Area.left, 1e-9);
    EXPECT_NEAR(s.y, d.Slot1.Area.top - 10, 1e-9);
}

TEST_F(Coordinates, SlotUnderThePointerFollowsTheMode) {
    tdisplaystate d(pair);
    Surface(d, 1000, 600);
    Settings.VisionMode = VisionParallel;
    d.UpdateLayout();
    double rx, ry;
    EXPECT_EQ(&d.SlotAt(498, 10, rx, ry), &d.Slot1);
    EXPECT_EQ(&d.SlotAt(499, 10, rx, ry), &d.Slot2);
    EXPECT_EQ(rx, 0);
    EXPECT_EQ(ry, 5);
    Settings.VisionMode = VisionOverUnder;
    d.UpdateLayout();
    EXPECT_EQ(&d.SlotAt(10, 299, rx, ry), &d.Slot2);
    Settings.VisionMode = VisionAnaglyph;
    d.UpdateLayout();
    d.SetCurrent(d.Slot2);
    EXPECT_EQ(d.SlotAt(10, 10, rx, ry).img, &pair.ImgRight);
}

TEST_F(Coordinates, CurrentViewStaysTheSameViewWhenTheLayoutMovesIt) {
    tdisplaystate d(pair);
    Surface(d, 1000, 600);
    Settings.VisionMode = VisionParallel;
    d.UpdateLayout();
    d.SetCurrent(d.Slot1); // the left view
    Settings.VisionMode = VisionCrossed;
    d.UpdateLayout();
    const tviewslot& cur = d.GetCurrent();
    EXPECT_EQ(cur.img, &pair.ImgLeft);
    EXPECT_EQ(cur.Area.left, d.Slot2.Area.left);
}

using Modes = DisplayTest;

TEST_F(Modes, OverlaidModesSwitchSmoothingOffAndAlternatingStartsTheTimer) {
    tdisplaystate d(pair);
    bool timer = false;
    bool released = false;
    d.Hooks.AlternationTimer = [&](bool run) { timer = run; };
    d.Hooks.ReleaseSmoothingButton = [&] { released = true; };
    d.Hooks.SmoothingButtonDown = [] { return true; };
    d.Transp1 = 200;
    d.SetVisionMode(VisionAlternating);
    EXPECT_EQ(Settings.VisionMode, VisionAlternating);
    EXPECT_FALSE(Settings.Smoothing);
    EXPECT_TRUE(released);
    EXPECT_TRUE(timer);
    EXPECT_TRUE(gBusy);
    EXPECT_EQ(d.AltPhase, 200);
    d.SetVisionMode(VisionParallel);
    EXPECT_FALSE(timer);
    EXPECT_FALSE(gBusy);
    EXPECT_TRUE(Settings.Smoothing); // from the Montage window's button
    d.SetVisionMode(42);
    EXPECT_EQ(Settings.VisionMode, VisionCrossed);
}

TEST_F(Modes, MagnifierFollowsThePlacedCurrentPointWhenShown) {
    tdisplaystate d(pair);
    Settings.VisionMode = VisionParallel;
    d.UpdateLayout();
    bool visible = false;
    const timg* shownView = nullptr;
    double shownX = 0;
    d.Hooks.MagnifierVisible = [&] { return visible; };
    d.Hooks.MagnifierShow = [&](const tviewslot& s, double x, double) {
        shownView = s.img;
        shownX = x;
    };
    d.SetCurrent(d.Slot2);
    CurPoint = 2;
    pair.ImgRight.PlacePoint(2, 33, 44);
    d.UpdateMagnifier();
    EXPECT_EQ(shownView, nullptr);
    visible = true;
    d.UpdateMagnifier();
    EXPECT_EQ(shownView, &pair.ImgRight);
    EXPECT_EQ(shownX, 33);
    CurPoint = 3; // not placed: nothing to show
    shownView = nullptr;
    d.UpdateMagnifier();
    EXPECT_EQ(shownView, nullptr);
}

using Marks = DisplayTest;

TEST_F(Marks, PlacedHomologousPointGetsArmsCircleAndCaption) {
    tdisplaystate d(pair);
    Install(pair.ImgLeft, FlatPicture(400, 300, 0xFF102030));
    Install(pair.ImgRight, FlatPicture(400, 300, 0xFF102030));
    Surface(d, 1000, 600);
    Settings.VisionMode = VisionParallel;
    Settings.ShowGrid = true;
    Settings.GridIndex = 1;
    Settings.MouseTool = 2;
    d.UpdateLayout();
    pair.ImgLeft.PlacePoint(2, 100.7, 50.2);
    std::vector<tmark> marks;
    d.BuildMarks(marks);
    // (5 + 100.7, 5 + 50.2) truncated
    const int X = 105, Y = 55;
    ASSERT_EQ(marks.size(), 6u);
    EXPECT_EQ(marks[0].kind, tmark::Line);
    EXPECT_EQ(marks[0].x1, X - 20);
    EXPECT_EQ(marks[0].x2, X - 2);
    EXPECT_EQ(marks[1].x1, X + 2);
    EXPECT_EQ(marks[1].x2, X + 20);
    EXPECT_EQ(marks[2].y1, Y - 20);
    EXPECT_EQ(marks[4].kind, tmark::Circle);
    EXPECT_EQ(marks[4].x1, X);
    EXPECT_EQ(marks[4].y1, Y);
    EXPECT_EQ(marks[4].x2, 10);
    EXPECT_EQ(marks[5].text, QStringLiteral("stereo1"));
    EXPECT_EQ(marks[5].x1, X + 5);
    EXPECT_EQ(marks[0].colour, 0xFFFFFFFFu);

    // "Lignes homologues": arms across the whole window.
    Settings.GridIndex = 3;
    d.BuildMarks(marks);
    EXPECT_EQ(marks[0].x1, 0);
    EXPECT_EQ(marks[1].x2, d.ClientWidth);

    // A point of a pair the tool does not show is not drawn; black markers.
    d.MarkerColor = 0;
    pair.ImgLeft.PlacePoint(7, 10, 10);
    d.BuildMarks(marks);
    EXPECT_EQ(marks.size(), 6u);
    EXPECT_EQ(marks[0].colour, 0xFF000000u);

    Settings.VisuCurrent = true;
    d.BuildMarks(marks);
    EXPECT_TRUE(marks.empty());
}

TEST_F(Marks, GridLinesEvery50PixelsAndManualFrameInBothSlots) {
    tdisplaystate d(pair);
    Surface(d, 1000, 600);
    Settings.VisionMode = VisionParallel;
    Settings.ShowGrid = true;
    Settings.GridIndex = 2;
    Settings.MouseTool = 0;
    d.UpdateLayout();
    std::vector<tmark> marks;
    d.BuildMarks(marks);
    // x = 50 .. 950 (below 999), y = 50 .. 550 (below 599)
    ASSERT_EQ(marks.size(), 19u + 11u);
    EXPECT_EQ(marks[0].kind, tmark::DottedLine);
    EXPECT_EQ(marks[0].x1, 50);
    EXPECT_EQ(marks[0].y2, 599);

    Settings.ShowGrid = false;
    pair.ImgLeft.mancropd = true;
    pair.ImgLeft.mancropl = 10;
    pair.ImgLeft.mancropt = 20;
    pair.ImgLeft.mancropw = 100;
    pair.ImgLeft.mancroph = 50;
    d.SetCurrent(d.Slot1);
    d.BuildMarks(marks);
    ASSERT_EQ(marks.size(), 8u); // four sides per slot, Slot2 first
    EXPECT_EQ(marks[4].x1, 5 + 10);
    EXPECT_EQ(marks[4].y1, 5 + 20);
    EXPECT_EQ(marks[5].y1, 5 + 20 + 50 - 1);
    EXPECT_EQ(marks[6].x1, 5 + 10 + 100 - 1);
}

TEST_F(Marks, OrientationLineIsDrawnByExclusiveOr) {
    tdisplaystate d(pair);
    Surface(d, 1000, 600);
    Settings.VisionMode = VisionParallel;
    Settings.ShowGrid = true;
    Settings.MouseTool = 4;
    d.UpdateLayout();
    pair.ImgRight.PlacePoint(5, 10, 10);
    pair.ImgRight.PlacePoint(6, 60, 30);
    std::vector<tmark> marks;
    d.BuildMarks(marks);
    bool found = false;
    for (const tmark& m : marks)
        if (m.kind == tmark::XorDottedLine) {
            found = true;
            EXPECT_EQ(m.x1, d.Slot2.Area.left + 10);
            EXPECT_EQ(m.x2, d.Slot2.Area.left + 60);
        }
    EXPECT_TRUE(found);
}

using Views = DisplayTest;

TEST_F(Views, ClearViewBlanksThePictureAndForgetsTheFile) {
    tdisplaystate d(pair);
    bool caption = false;
    d.Hooks.CaptionChanged = [&] { caption = true; };
    Install(pair.ImgLeft, FlatPicture(40, 30, 0xFF405060));
    pair.ImgLeft.filename = QStringLiteral("/tmp/a.jpg");
    pair.ImgLeft.posx = 5;
    pair.StereoType = 1;
    d.ClearView(pair.ImgLeft);
    EXPECT_EQ(pair.ImgLeft.Width(), 40);
    EXPECT_EQ(pair.ImgLeft.bitmap.pixel(20, 10) & 0xFFFFFF, 0u);
    EXPECT_TRUE(pair.ImgLeft.filename.isEmpty());
    EXPECT_EQ(pair.ImgLeft.posx, 0);
    EXPECT_EQ(pair.StereoType, 9);
    EXPECT_EQ(pair.ImageInfo, QStringLiteral("Aucun Fichier Image Chargé"));
    EXPECT_TRUE(caption);
    EXPECT_TRUE(d.Caption().endsWith(QStringLiteral("Aucun Fichier Image Chargé")));
}

TEST_F(Views, ResetViewsKeepsPicturesAndRecentresAtTheSameZoom) {
    tdisplaystate d(pair);
    Install(pair.ImgLeft, FlatPicture(2000, 1500, 0xFF405060));
    Install(pair.ImgRight, FlatPicture(2000, 1500, 0xFF405060));
    pair.ImgLeft.filename = QStringLiteral("l.jpg");
    pair.ImgRight.SetRot(1.0);
    pair.ImgRight.PlacePoint(3, 1, 2);
    CurPoint = 3;
    PointsLocked = true;
    d.CropOn = true;
    d.SetClientSize(1816, 637);
    Settings.VisionMode = VisionParallel;
    d.UpdateLayout();
    d.Zoom = 2.5;
    d.ResetViews();
    EXPECT_EQ(CurPoint, 0);
    EXPECT_FALSE(PointsLocked);
    EXPECT_EQ(pair.ImgRight.rot, 0);
    EXPECT_FALSE(pair.ImgRight.pt[3].d);
    EXPECT_EQ(pair.ImgLeft.filename, QStringLiteral("l.jpg"));
    EXPECT_EQ(pair.ImgLeft.Width(), 2000);
    EXPECT_FALSE(d.CropOn);
    EXPECT_TRUE(Settings.VisuCurrent);
    EXPECT_DOUBLE_EQ(d.ScrollX, 125);
    EXPECT_DOUBLE_EQ(d.ScrollY, 0);
}

TEST_F(Views, SwapViewsExchangesTheRecordsAndTheirFolders) {
    tdisplaystate d(pair);
    Install(pair.ImgLeft, FlatPicture(40, 30, 0xFF0000FF));
    Install(pair.ImgRight, FlatPicture(50, 30, 0xFFFF0000));
    pair.ImgLeft.posx = 3;
    Settings.OpenDirL = QStringLiteral("/l");
    Settings.OpenDirR = QStringLiteral("/r");
    Settings.VisionMode = VisionParallel;
    d.UpdateLayout();
    d.SetCurrent(d.Slot1);
    d.SwapViews();
    EXPECT_EQ(pair.ImgLeft.Width(), 50);
    EXPECT_EQ(pair.ImgRight.posx, 3);
    EXPECT_EQ(Settings.OpenDirL, QStringLiteral("/r"));
    EXPECT_EQ(d.GetCurrent().img, &pair.ImgLeft); // the slot stays current

    // In transparency the current view travels to the other slot with its picture.
    Settings.VisionMode = VisionTransparency;
    d.UpdateLayout();
    d.SetCurrent(d.Slot1);
    d.SwapViews();
    EXPECT_EQ(d.GetCurrent().img, &pair.ImgRight);
}

} // namespace
