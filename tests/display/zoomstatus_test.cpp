// Zoom commands, scroll offsets and bars, and the status bar texts.
#include "displayfixture.h"

#include <cmath>

namespace {

using Zoom = DisplayTest;

TEST_F(Zoom, ZoomInAndOutStopAtTheLimits) {
    tdisplaystate d(pair);
    Surface(d, 400, 300);
    d.ZoomPercent = 300;
    d.ZoomIn();
    EXPECT_DOUBLE_EQ(d.ZoomPercent, 400);
    EXPECT_DOUBLE_EQ(d.Zoom, 0.25);
    d.ZoomPercent = 100;
    d.ZoomIn();
    EXPECT_DOUBLE_EQ(d.ZoomPercent, 150);
    d.ZoomPercent = 12;
    d.ZoomOut();
    EXPECT_DOUBLE_EQ(d.ZoomPercent, 10);
    EXPECT_DOUBLE_EQ(d.Zoom, 10);
}

TEST_F(Zoom, StepsMayPassTheLimitOnceThenDoNothing) {
    tdisplaystate d(pair);
    Surface(d, 400, 300);
    d.ZoomPercent = 390;
    d.ZoomInStep();
    EXPECT_NEAR(d.ZoomPercent, 429, 1e-9);
    const double z = d.Zoom;
    d.ZoomInStep();
    EXPECT_NEAR(d.ZoomPercent, 429, 1e-9);
    EXPECT_EQ(d.Zoom, z);
    d.ZoomPercent = 10.5;
    d.ZoomOutStep();
    EXPECT_NEAR(d.ZoomPercent, 10.5 / 1.1, 1e-9);
    d.ZoomOutStep();
    EXPECT_NEAR(d.ZoomPercent, 10.5 / 1.1, 1e-9);
}

TEST_F(Zoom, RealAndMaximumZoom) {
    tdisplaystate d(pair);
    Surface(d, 400, 300);
    QString field;
    d.Hooks.ZoomText = [&](const QString& t) { field = t; };
    d.ZoomMax();
    EXPECT_DOUBLE_EQ(d.Zoom, 0.25);
    EXPECT_EQ(field, QStringLiteral("400.00"));
    d.ZoomReal();
    EXPECT_DOUBLE_EQ(d.Zoom, 1);
    EXPECT_EQ(field, QStringLiteral("100.00"));
}

TEST_F(Zoom, A2000x1500PictureFitsA900x600AreaAt40PercentCentred) {
    tdisplaystate d(pair);
    Install(pair.ImgLeft, FlatPicture(2000, 1500, 0xFF405060));
    Install(pair.ImgRight, FlatPicture(2000, 1500, 0xFF405060));
    d.SetClientSize(1816, 637); // surface 1810 x 610
    Settings.VisionMode = VisionParallel;
    d.UpdateLayout();
    ASSERT_EQ(d.Slot1.Area.Width(), 900);
    ASSERT_EQ(d.Slot1.Area.Height(), 600);
    QString field;
    d.Hooks.ZoomText = [&](const QString& t) { field = t; };
    d.FitAndCompose();
    EXPECT_DOUBLE_EQ(d.Zoom, 2.5);
    EXPECT_DOUBLE_EQ(d.ZoomPercent, 40);
    EXPECT_DOUBLE_EQ(d.FitPercent, 40);
    EXPECT_DOUBLE_EQ(d.ScrollX, 125);
    EXPECT_DOUBLE_EQ(d.ScrollY, 0);
    EXPECT_EQ(field, QStringLiteral("40.00"));

    Settings.AdaptAndCenter = false;
    d.FitZoom(true);
    EXPECT_EQ(d.ScrollX, 0);
    EXPECT_EQ(d.ScrollY, 0);
}

TEST_F(Zoom, FitOnTheAutomaticCropUsesTheCommonFrame) {
    tdisplaystate d(pair);
    Install(pair.ImgLeft, FlatPicture(2000, 1500, 0xFF405060));
    Install(pair.ImgRight, FlatPicture(2000, 1500, 0xFF405060));
    pair.ImgRight.posx = 200; // common frame 1800 x 1500 from x = 200
    d.SetClientSize(1816, 637);
    Settings.VisionMode = VisionParallel;
    Settings.CropIndex = 1;
    d.UpdateLayout();
    d.FitZoom(true);
    EXPECT_DOUBLE_EQ(d.Zoom, 2.5); // max(1800 / 900, 1500 / 600)
    // 900 * 2.5 / 2 - 200 - 1800 / 2
    EXPECT_DOUBLE_EQ(d.ScrollX, 1125 - 200 - 900);
    EXPECT_DOUBLE_EQ(d.ScrollY, 0);
}

TEST_F(Zoom, FitOnTheManualFrameUsesItsSize) {
    tdisplaystate d(pair);
    Install(pair.ImgLeft, FlatPicture(2000, 1500, 0xFF405060));
    Install(pair.ImgRight, FlatPicture(2000, 1500, 0xFF405060));
    d.SetClientSize(1816, 637);
    Settings.VisionMode = VisionParallel;
    Settings.CropIndex = 2;
    d.UpdateLayout();
    d.FitZoom(true);
    EXPECT_DOUBLE_EQ(d.Zoom, 2.5); // no frame yet: the picture
    for (timg* v : {&pair.ImgLeft, &pair.ImgRight}) {
        v->mancropd = true;
        v->mancropl = 100;
        v->mancropt = 50;
        v->mancropw = 450;
        v->mancroph = 150;
    }
    d.FitZoom(true);
    EXPECT_DOUBLE_EQ(d.Zoom, 0.5);
    EXPECT_DOUBLE_EQ(d.ScrollX, 900 * 0.5 / 2 - 100 - 225);
}

TEST_F(Zoom, ZoomKeepsTheAnchorUnderTheSameScreenPoint) {
    tdisplaystate d(pair);
    Install(pair.ImgLeft, FlatPicture(600, 400, 0xFF405060));
    Install(pair.ImgRight, FlatPicture(600, 400, 0xFF405060));
    Surface(d, 1000, 600);
    Settings.VisionMode = VisionParallel;
    d.UpdateLayout();
    pair.ImgRight.SetRotation(0.3, 40, 50);
    pair.ImgRight.SetPos(3, 10);
    d.SetCurrent(d.Slot2);
    d.ZoomAnchorX = 120;
    d.ZoomAnchorY = 80;
    d.ZoomAnchorSet = true;
    d.ScrollX = 17;
    const tpointd before = d.PictureToScreen(d.Slot2, 120, 80);
    d.SetZoomKeepAnchor(0.5);
    const tpointd after = d.PictureToScreen(d.Slot2, 120, 80);
    EXPECT_NEAR(after.x, before.x, 1e-9);
    EXPECT_NEAR(after.y, before.y, 1e-9);
}

TEST_F(Zoom, WithoutAnAnchorTheOffsetsStay) {
    tdisplaystate d(pair);
    Surface(d, 1000, 600);
    d.UpdateLayout();
    d.ScrollX = 17;
    d.ScrollY = -4;
    d.SetZoomKeepAnchor(3);
    EXPECT_EQ(d.ScrollX, 17);
    EXPECT_EQ(d.ScrollY, -4);
    EXPECT_EQ(d.Zoom, 3);
}

using Scroll = DisplayTest;

TEST_F(Scroll, BarPositionsFollowTheDirectionSetting) {
    tdisplaystate d(pair);
    Settings.ScrollDir = 1;
    d.SetScroll(-34, 12);
    EXPECT_EQ(d.ScrollBarXPosition, 12);
    EXPECT_EQ(d.ScrollBarYPosition, -34);
    Settings.ScrollDir = -1;
    d.SetScroll(-34, 12);
    EXPECT_EQ(d.ScrollBarXPosition, -12);
    EXPECT_EQ(d.ScrollBarYPosition, 34);
    EXPECT_EQ(d.StatusText[5], QStringLiteral(" Scroll =  0012 / -0034"));
    d.SetScroll(2.5, 3.5); // ties to even
    EXPECT_EQ(d.StatusText[5], QStringLiteral(" Scroll =  0004 /  0002"));
}

TEST_F(Scroll, LiveEventsMoveThePictureOthersOnlyTheText) {
    tdisplaystate d(pair);
    Surface(d, 400, 300);
    int composed = 0;
    d.Hooks.Repaint = [&] { ++composed; };
    Settings.ScrollDir = -1;
    Settings.ScrollSpeed = false; // the picture follows the thumb
    EXPECT_TRUE(d.ScrollBarEvent(true, ScrollThumbTrack, 40));
    EXPECT_EQ(d.ScrollX, -40);
    EXPECT_EQ(composed, 1);
    EXPECT_FALSE(d.ScrollBarEvent(true, ScrollPageDown, 90));
    EXPECT_EQ(d.ScrollX, -40);
    EXPECT_EQ(d.StatusText[5], QStringLiteral(" Scroll = -0090 /  0000"));
    EXPECT_FALSE(d.ScrollBarEvent(false, ScrollEndScroll, 5));
    EXPECT_EQ(d.ScrollY, 0);

    Settings.ScrollSpeed = true; // once, when the thumb is released
    EXPECT_FALSE(d.ScrollBarEvent(false, ScrollThumbTrack, 5));
    EXPECT_TRUE(d.ScrollBarEvent(false, ScrollEndScroll, 5));
    EXPECT_EQ(d.ScrollY, -5);
    EXPECT_EQ(composed, 2);
}

using Status = DisplayTest;

TEST_F(Status, FormatsPadAsTheProgramAlwaysHas) {
    EXPECT_EQ(RgbStatusText(5, 120, 255), QStringLiteral("RGB = 005/120/255"));
    EXPECT_EQ(PointerStatusText(3.14159, -2, 1000.5, 0),
              QStringLiteral(" Img:  3.14/ -2.00 - Vue:1000.50/  0.00"));
    EXPECT_EQ(ScrollStatusText(-12345, 7), QStringLiteral(" Scroll = -12345 /  0007"));
}

TEST_F(Status, PointerStatusReadsThePixelAndFollowsThePairButtons) {
    tdisplaystate d(pair);
    Install(pair.ImgLeft, FlatPicture(40, 30, 0xFF0A141E));
    Surface(d, 400, 300);
    Settings.VisionMode = VisionParallel;
    d.UpdateLayout();
    std::vector<tpairbutton> pressed;
    d.Hooks.PairButton = [&](tpairbutton b) { pressed.push_back(b); };
    CurPoint = 9;
    d.ShowPointerStatus(&d.Slot1, 12.7, 3.2, 17.7, 8.2);
    EXPECT_EQ(d.StatusText[3], QStringLiteral("RGB = 010/020/030"));
    EXPECT_EQ(d.StatusText[4], QStringLiteral(" Img: 12.70/  3.20 - Vue: 17.70/  8.20"));
    EXPECT_EQ(d.PixelColor & 0xFFFFFF, 0x0A141Eu);
    EXPECT_EQ(CurPoint, 9);
    ASSERT_EQ(pressed.size(), 1u);
    EXPECT_EQ(pressed[0], tpairbutton::W1);

    // Outside the picture there is no pixel to read.
    d.ShowPointerStatus(&d.Slot1, -1, 3, 4, 8);
    EXPECT_EQ(d.StatusText[3], QStringLiteral("RGB"));
    EXPECT_EQ(d.PixelColor & 0xFFFFFF, 0u);

    CurPoint = 10; // no button of its own: the pair sequence is locked
    d.ShowPointerStatus(&d.Slot1, 1, 1, 1, 1);
    EXPECT_EQ(pressed.back(), tpairbutton::Lock);
    EXPECT_EQ(CurPoint, 0);

    CurPoint = 2;
    d.ShowPointerStatus(nullptr, 0, 0, 0, 0);
    EXPECT_EQ(CurPoint, 0);
    EXPECT_EQ(d.StatusText[4], QStringLiteral("courant :   0.00 -   0.00 "));
    EXPECT_EQ(d.StatusText[3], QStringLiteral("RGB"));
}

TEST_F(Status, PointIconFollowsThePairAfterStartUp) {
    tdisplaystate d(pair);
    d.ShowPointIcon(1);
    EXPECT_EQ(d.PointIcon, 94);
    gStarted = true;
    const std::pair<int, int> table[] = {{1, 32},   {2, 33}, {5, 33},  {3, 98},  {6, 98},
                                         {7, 95},   {8, 96}, {9, 97},  {10, 97}, {11, 110},
                                         {12, 110}, {0, 94}, {13, 94}, {4, 94}};
    for (auto [pairIndex, image] : table) {
        d.ShowPointIcon(pairIndex);
        EXPECT_EQ(d.PointIcon, image) << "pair " << pairIndex;
    }
}

} // namespace
