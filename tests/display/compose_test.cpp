// The composed picture of each vision mode compared pixel for pixel with a
// slow reference drawing, and the focus frame and crop drawn into it.
#include "compose_ref.h"
#include "displayfixture.h"

namespace {

// Number of pixels whose colour (alpha aside) differs, with the first one.
int Differences(const QImage& got, const QImage& want, QString* first = nullptr) {
    int n = 0;
    for (int y = 0; y < want.height(); ++y)
        for (int x = 0; x < want.width(); ++x) {
            const unsigned a = got.pixel(x, y) & 0xFFFFFF, b = want.pixel(x, y) & 0xFFFFFF;
            if (a != b && n++ == 0 && first)
                *first = QString::asprintf("(%d, %d): %06X instead of %06X", x, y, a, b);
        }
    return n;
}

class Compose : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        Settings.Smoothing = false;
        Install(pair.ImgLeft, PatternPicture(300, 200, 1));
        Install(pair.ImgRight, PatternPicture(300, 200, 2));
    }
    QImage Blank(const tdisplaystate& d) {
        QImage img(d.RectDraw.Width(), d.RectDraw.Height(), QImage::Format_RGB32);
        img.fill(0u);
        return img;
    }
    // Draws a view of `d` as the display places it in `slot`.
    void Ref(QImage& out, const tdisplaystate& d, const tviewslot& slot, unsigned write,
             unsigned keep, RefOp op, int dstW, int srcW) {
        const timg& v = *slot.img;
        RefDrawView(out, v, slot.DrawRect, v.posx + d.ScrollX - slot.CropOffX,
                    v.posy + d.ScrollY - slot.CropOffY, d.Zoom, write, keep, op, dstW, srcW);
    }
    void ExpectSame(const QImage& got, const QImage& want) {
        QString first;
        EXPECT_EQ(Differences(got, want, &first), 0) << first.toStdString();
    }
};

TEST_F(Compose, ParallelModeShowsEachViewShiftedAndScaledInItsArea) {
    tdisplaystate d(pair);
    Surface(d, 1000, 600);
    Settings.VisionMode = VisionParallel;
    pair.ImgLeft.SetPos(-3, 7);
    pair.ImgRight.SetPos(12, -20);
    d.Zoom = 2;
    d.ScrollX = 4;
    d.ScrollY = 2;
    d.Compose();
    ASSERT_EQ(d.BmpWork.size(), QSize(1000, 600));
    QImage want = Blank(d);
    Ref(want, d, d.Slot1, 0xFFFFFF, 0xFFFFFF, RefOp::Scale, 256, 256);
    Ref(want, d, d.Slot2, 0xFFFFFF, 0xFFFFFF, RefOp::Add, 256, 256);
    ExpectSame(d.BmpWork, want);
    // By hand: the left view's pixel (2 * 10 - 7 - 4, 2 * 10 + 3 - 2) at (15, 15).
    EXPECT_EQ(d.BmpWork.pixel(15, 15) & 0xFFFFFF, PatternPixel(9, 21, 1) & 0xFFFFFF);
}

TEST_F(Compose, CrossedModeAtRealSizeMatchesByHand) {
    tdisplaystate d(pair);
    Surface(d, 1000, 600);
    Settings.VisionMode = VisionCrossed;
    d.Compose();
    // Right view in the first area, left view in the second, from their origins.
    EXPECT_EQ(d.BmpWork.pixel(5 + 17, 5 + 9) & 0xFFFFFF, PatternPixel(17, 9, 2) & 0xFFFFFF);
    EXPECT_EQ(d.BmpWork.pixel(499 + 17, 5 + 9) & 0xFFFFFF, PatternPixel(17, 9, 1) & 0xFFFFFF);
    EXPECT_EQ(d.BmpWork.pixel(5 + 300, 5 + 9) & 0xFFFFFF, 0u); // past the picture
    EXPECT_EQ(d.BmpWork.pixel(2, 2) & 0xFFFFFF, 0u);           // the margin
}

TEST_F(Compose, AnaglyphTakesRedFromTheLeftViewAndGreenBlueFromTheRight) {
    tdisplaystate d(pair);
    Surface(d, 500, 400);
    Settings.VisionMode = VisionAnaglyph;
    pair.ImgRight.SetPos(6, 15);
    d.Compose();
    QImage want = Blank(d);
    Ref(want, d, d.Slot1, 0xFF0000, 0x00FFFF, RefOp::Scale, 256, 256);
    Ref(want, d, d.Slot2, 0x00FFFF, 0xFF0000, RefOp::Add, 256, 256);
    ExpectSame(d.BmpWork, want);
    // By hand, at screen (25, 15): left pixel (20, 10), right pixel (5, 4).
    const unsigned l = PatternPixel(20, 10, 1), r = PatternPixel(5, 4, 2);
    EXPECT_EQ(d.BmpWork.pixel(25, 15) & 0xFFFFFF, (l & 0xFF0000) | (r & 0x00FFFF));
    // Where the right view does not reach, green and blue stay 0.
    EXPECT_EQ(d.BmpWork.pixel(10, 15) & 0xFFFFFF, PatternPixel(5, 10, 1) & 0xFF0000);
    // Where the left view does not reach, red stays 0.
    EXPECT_EQ(d.BmpWork.pixel(5 + 310, 5 + 10) & 0xFF0000, 0u);
}

TEST_F(Compose, SmoothedAnaglyphOfFlatViewsKeepsTheirColours) {
    Settings.Smoothing = true;
    Install(pair.ImgLeft, FlatPicture(200, 100, 0xFF336699));
    Install(pair.ImgRight, FlatPicture(200, 100, 0xFF99CC33));
    pair.ImgRight.SetPos(0, 10);
    tdisplaystate d(pair);
    Surface(d, 400, 300);
    Settings.VisionMode = VisionAnaglyph;
    d.Compose();
    QImage want = Blank(d);
    Ref(want, d, d.Slot1, 0xFF0000, 0x00FFFF, RefOp::Scale, 256, 256);
    Ref(want, d, d.Slot2, 0x00FFFF, 0xFF0000, RefOp::Scale, 256, 256);
    ExpectSame(d.BmpWork, want);
    EXPECT_EQ(d.BmpWork.pixel(5 + 50, 5 + 50) & 0xFFFFFF, 0x33CC33u);
    EXPECT_EQ(d.BmpWork.pixel(5 + 5, 5 + 50) & 0xFFFFFF, 0x330000u);
    EXPECT_EQ(d.BmpWork.pixel(5 + 205, 5 + 50) & 0xFFFFFF, 0x00CC33u);
}

TEST_F(Compose, AnaglyphModeFollowsTheGreyMethod) {
    Settings.Smoothing = true;
    Install(pair.ImgLeft, FlatPicture(200, 100, 0xFF336699));
    Install(pair.ImgRight, FlatPicture(200, 100, 0xFF99CC33));
    pair.ImgRight.SetPos(0, 10);
    tdisplaystate d(pair);
    Surface(d, 400, 300);
    Settings.VisionMode = VisionAnaglyph;
    Settings.AnaglyphMethod = 2;
    d.Compose();
    // Y(0x33, 0x66, 0x99) = 15.249 + 59.874 + 17.442 = 92.565 -> 93 (0x5D);
    // Y(0x99, 0xCC, 0x33) = 45.747 + 119.748 + 5.814 = 171.309 -> 171 (0xAB).
    EXPECT_EQ(d.BmpWork.pixel(5 + 50, 5 + 50) & 0xFFFFFF, 0x5DABABu);
    // Left view alone, right view alone: the other side's luma is that of black.
    EXPECT_EQ(d.BmpWork.pixel(5 + 5, 5 + 50) & 0xFFFFFF, 0x5D0000u);
    EXPECT_EQ(d.BmpWork.pixel(5 + 205, 5 + 50) & 0xFFFFFF, 0x00ABABu);
    // The masks of the colour anaglyph are back for the pointer and the marks.
    EXPECT_EQ(d.MaskLeft, 0xFF0000);
}

TEST_F(Compose, TransparencyWithARedMaskBlendsRedLeftAndGreenBlueRight) {
    tdisplaystate d(pair);
    Surface(d, 500, 400);
    Settings.VisionMode = VisionTransparency;
    d.SetColorMask(0xFF0000);
    pair.ImgRight.SetPos(0, 15);
    d.Compose();
    QImage want = Blank(d);
    // Left with the left weight Transp2, then right with Transp1 over it.
    Ref(want, d, d.Slot1, 0xFF0000, 0x00FFFF, RefOp::Scale, 128, 128);
    Ref(want, d, d.Slot2, 0x00FFFF, 0xFF0000, RefOp::Add, 128, 128);
    ExpectSame(d.BmpWork, want);
    const unsigned l = PatternPixel(20, 10, 1), r = PatternPixel(5, 10, 2);
    const unsigned expected = ((((l >> 16) & 0xFF) * 128 / 256) << 16) |
                              ((((r >> 8) & 0xFF) * 128 / 256) << 8) | ((r & 0xFF) * 128 / 256);
    EXPECT_EQ(d.BmpWork.pixel(25, 15) & 0xFFFFFF, expected);
}

TEST_F(Compose, TransparencyWithAllChannelsAddsTheWeightedViews) {
    tdisplaystate d(pair);
    Surface(d, 500, 400);
    Settings.VisionMode = VisionTransparency;
    d.Transp1 = 200;
    d.Transp2 = 100;
    d.Compose();
    QImage want = Blank(d);
    Ref(want, d, d.Slot1, 0xFFFFFF, 0xFFFFFF, RefOp::Scale, 200, 100);
    Ref(want, d, d.Slot2, 0xFFFFFF, 0xFFFFFF, RefOp::Add, 100, 200);
    ExpectSame(d.BmpWork, want);
}

TEST_F(Compose, AlternatingModeShowsOneViewThenTheOther) {
    tdisplaystate d(pair);
    Surface(d, 400, 300);
    Settings.VisionMode = VisionAlternating;
    d.AltPhase = 128; // as the alternation starts with the default weight
    const unsigned left = PatternPixel(30, 20, 1) & 0xFFFFFF;
    const unsigned right = PatternPixel(30, 20, 2) & 0xFFFFFF;
    d.Compose();
    EXPECT_EQ(d.BmpWork.pixel(35, 25) & 0xFFFFFF, left);
    d.Compose();
    EXPECT_EQ(d.BmpWork.pixel(35, 25) & 0xFFFFFF, right);
    d.Compose();
    EXPECT_EQ(d.BmpWork.pixel(35, 25) & 0xFFFFFF, left);
}

TEST_F(Compose, CropBlackensOutsideTheFrameWithoutMovingThePicture) {
    tdisplaystate d(pair);
    Surface(d, 1000, 600);
    Settings.VisionMode = VisionParallel;
    pair.ImgRight.SetPos(8, 20);
    d.Compose();
    const QImage whole = d.BmpWork.copy();
    d.CropOn = true;
    d.Compose();
    const tviewslot& s = d.Slot2;
    ASSERT_EQ(s.CropRect.Width(), 280);
    ASSERT_EQ(s.CropRect.Height(), 192);
    for (int y = s.Area.top; y <= s.Area.top + 220; ++y)
        for (int x = s.Area.left + 1; x <= s.Area.left + 320; ++x) {
            const bool inside = x >= s.CropRect.left && x <= s.CropRect.right &&
                                y >= s.CropRect.top && y <= s.CropRect.bottom;
            const unsigned want = inside ? whole.pixel(x, y) & 0xFFFFFF : 0u;
            ASSERT_EQ(d.BmpWork.pixel(x, y) & 0xFFFFFF, want) << x << ", " << y;
        }
}

TEST_F(Compose, FocusFrameMarksTheCurrentViewMagentaLeftGreenRight) {
    gStarted = true;
    tdisplaystate d(pair);
    Surface(d, 1000, 600);
    Settings.VisionMode = VisionParallel;
    d.UpdateLayout();
    d.SetCurrent(d.Slot1);
    d.Compose();
    const tscreenrect a = d.Slot1.DrawRect, b = d.Slot2.DrawRect;
    EXPECT_EQ(d.BmpWork.pixel(a.left - 1, a.top - 1) & 0xFFFFFF, 0xFF00FFu);
    EXPECT_EQ(d.BmpWork.pixel(a.left + 40, a.bottom + 1) & 0xFFFFFF, 0xFF00FFu);
    EXPECT_EQ(d.BmpWork.pixel(b.right + 1, b.top + 40) & 0xFFFFFF, 0u);
    d.SetCurrent(d.Slot2);
    d.Compose();
    EXPECT_EQ(d.BmpWork.pixel(b.right + 1, b.top + 40) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(d.BmpWork.pixel(a.left - 1, a.top + 40) & 0xFFFFFF, 0u);
    Settings.VisuCurrent = true;
    d.Compose();
    EXPECT_EQ(d.BmpWork.pixel(b.right + 1, b.top + 40) & 0xFFFFFF, 0u);
}

TEST_F(Compose, EmptyViewLeavesItsSlotBlack) {
    pair.ImgRight.bitmap = QImage();
    tdisplaystate d(pair);
    Surface(d, 1000, 600);
    Settings.VisionMode = VisionParallel;
    d.Compose();
    EXPECT_NE(d.BmpWork.pixel(10, 10) & 0xFFFFFF, 0u);
    EXPECT_EQ(d.BmpWork.pixel(510, 10) & 0xFFFFFF, 0u);
}

TEST_F(Compose, RepeatedComposeShowsTheSamePicture) {
    tdisplaystate d(pair);
    Surface(d, 400, 300);
    d.Compose();
    const QImage first = d.BmpWork.copy();
    d.Compose();
    EXPECT_EQ(d.BmpWork, first);
}

} // namespace
