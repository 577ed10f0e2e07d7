// The manual frame set from the Montage window: both views' corners read
// through their own slots and the display frame, against hand-worked values.
#include "display/displayfixture.h"
#include "display/manualframe.h"

namespace {

class ManualFrame : public DisplayTest {
protected:
    // Crossed vision on a 1000 x 600 surface: Slot1 shows the right view,
    // Slot2 the left one; zoom 2, scroll (4, -2); left shifted by (10, 0),
    // right by (-6, 3), both 400 x 300 and unturned.
    void SetUp() override {
        DisplayTest::SetUp();
        Install(pair.ImgLeft, FlatPicture(400, 300, 0xFF102030));
        Install(pair.ImgRight, FlatPicture(400, 300, 0xFF102030));
        pair.ImgLeft.posx = 10;
        pair.ImgRight.posx = -6;
        pair.ImgRight.posy = 3;
        Settings.VisionMode = VisionCrossed;
        Surface(d, 1000, 600);
        d.Zoom = 2;
        d.ScrollX = 4;
        d.ScrollY = -2;
        d.UpdateLayout();
        ASSERT_EQ(d.Slot2.img, &pair.ImgLeft);
    }
    tdisplaystate d{pair};
};

TEST_F(ManualFrame, KeptPositionFramesBothViewsUnderTheSameSlotRectangle) {
    SetManualFrame(d, true, d.Slot2, 100, 200, 5, 20);
    // Picture point under (20, 5): (2*20 - posx - 4, 2*5 - posy + 2).
    EXPECT_DOUBLE_EQ(pair.ImgLeft.mancropl, 26);
    EXPECT_DOUBLE_EQ(pair.ImgLeft.mancropt, 12);
    EXPECT_DOUBLE_EQ(pair.ImgRight.mancropl, 42);
    EXPECT_DOUBLE_EQ(pair.ImgRight.mancropt, 9);
    for (const timg* v : {&pair.ImgLeft, &pair.ImgRight}) {
        EXPECT_TRUE(v->mancropd);
        EXPECT_DOUBLE_EQ(v->mancropw, 200);
        EXPECT_DOUBLE_EQ(v->mancroph, 100);
    }
    EXPECT_EQ(d.FrameSlot.img, &pair.ImgLeft);
    EXPECT_DOUBLE_EQ(d.FrameLeft, 20);
    EXPECT_DOUBLE_EQ(d.FrameTop, 5);
    EXPECT_DOUBLE_EQ(d.FrameW, 100);
    EXPECT_DOUBLE_EQ(d.FrameH, 50);
    EXPECT_DOUBLE_EQ(d.FrameRight, 119);
    EXPECT_DOUBLE_EQ(d.FrameBottom, 54);
}

TEST_F(ManualFrame, ANewFrameStartsAtTheSlotCornerAndAnEmptyDisplayFrameAtZero) {
    d.FrameLeft = 7;
    d.FrameTop = 8;
    SetManualFrame(d, false, d.Slot1, 60, 80, 33, 44);
    // The corner of each view's own slot: (0 - posx - 4, 0 - posy + 2).
    EXPECT_DOUBLE_EQ(pair.ImgLeft.mancropl, -14);
    EXPECT_DOUBLE_EQ(pair.ImgLeft.mancropt, 2);
    EXPECT_DOUBLE_EQ(pair.ImgRight.mancropl, 2);
    EXPECT_DOUBLE_EQ(pair.ImgRight.mancropt, -1);
    EXPECT_EQ(d.FrameSlot.img, &pair.ImgRight);
    EXPECT_DOUBLE_EQ(d.FrameLeft, 0);
    EXPECT_DOUBLE_EQ(d.FrameTop, 0);
    EXPECT_DOUBLE_EQ(d.FrameRight, 39);
    EXPECT_DOUBLE_EQ(d.FrameBottom, 29);
}

} // namespace
