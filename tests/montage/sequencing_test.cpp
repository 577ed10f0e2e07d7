// Point-pair sequencing without a window: pair selection, the next pair by
// tab, the advance after a completed pair, presets and remembered positions.
#include "montage/sequencing.h"

#include "core/runflags.h"
#include "core/settings.h"

#include <gtest/gtest.h>

#include <set>

namespace {

class fakehooks : public tpairhooks {
public:
    int tab = TabPoint;
    std::set<int> placed;
    int lockPresses = 0;
    int frameLeaves = 0;
    int selections = 0;
    int alignments = 0;
    int windowCalcs = 0;
    int rearDialogs = 0;

    void PressLockButtons() override { ++lockPresses; }
    void LeaveFrameDrawing() override { ++frameLeaves; }
    void PairSelected(int) override { ++selections; }
    bool PairPlaced(int index) const override { return placed.count(index) > 0; }
    int ActiveTab() const override { return tab; }
    void AlignRotation() override { ++alignments; }
    void RunWindowCalculation() override { ++windowCalcs; }
    void ShowRearWindowing() override { ++rearDialogs; }
};

class Sequencing : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Settings;
        Settings = tsettings();
        CurPoint = 0;
        PointsLocked = false;
        gStarted = true;
    }
    void TearDown() override {
        Settings = saved_;
        CurPoint = 0;
        PointsLocked = false;
        gStarted = false;
    }
    fakehooks hooks;
    tpairsequencer seq{hooks};

private:
    tsettings saved_;
};

TEST_F(Sequencing, EachPairSelectsItsPointerTool) {
    const std::pair<int, int> expected[] = {{1, 6},   {2, 2},   {3, 2},  {4, 0},  {5, 4},
                                            {6, 4},   {7, 32},  {8, 32}, {9, 8},  {10, 8},
                                            {11, 64}, {12, 64}, {13, 0}, {14, 0}, {-1, 0}};
    for (auto [index, tool] : expected) EXPECT_EQ(MouseToolForPair(index, 6), tool) << index;
    EXPECT_EQ(MouseToolForPair(0, 0), 2);
    EXPECT_EQ(MouseToolForPair(0, 32), 32);
}

TEST_F(Sequencing, LockKeepsMarksShownAndSendsClicksToTheScratchPoint) {
    seq.SelectPair(2);
    ASSERT_EQ(CurPoint, 2);
    ASSERT_EQ(Settings.MouseTool, 2);
    seq.LockPoints();
    EXPECT_TRUE(PointsLocked);
    EXPECT_EQ(CurPoint, 0);
    EXPECT_EQ(Settings.MouseTool, 2) << "the markers of pairs 1-3 stay drawn";
    EXPECT_TRUE(Settings.ShowGrid);
    EXPECT_EQ(hooks.lockPresses, 1);
    EXPECT_EQ(seq.LastPoint, 0);
}

TEST_F(Sequencing, LockButtonsArePressedOnlyAfterStartUp) {
    gStarted = false;
    seq.SelectPair(0);
    EXPECT_EQ(hooks.lockPresses, 0);
    EXPECT_EQ(hooks.selections, 0);
}

TEST_F(Sequencing, ToolLessPairRestoresTheLastToolPair) {
    seq.SelectPair(7);
    seq.SelectPair(13);
    EXPECT_EQ(Settings.MouseTool, 0);
    EXPECT_EQ(CurPoint, 7);
}

TEST_F(Sequencing, SelectingAPairTurnsTheMarksOnWithTheRememberedGrid) {
    Settings.GridIndex = 0;
    Settings.DefGridIndex = 3;
    Settings.ShowGrid = false;
    seq.SelectPair(1);
    EXPECT_EQ(Settings.GridIndex, 3);
    EXPECT_TRUE(Settings.ShowGrid);
    EXPECT_FALSE(Settings.VisuCurrent);

    Settings.GridIndex = 0;
    Settings.DefGridIndex = 0;
    seq.SelectPair(5);
    EXPECT_EQ(Settings.GridIndex, 1);
    EXPECT_EQ(Settings.DefGridIndex, 1);
}

TEST_F(Sequencing, FrameDrawingEndsUnlessTheFrameToolIsChosen) {
    seq.SelectPair(11);
    EXPECT_EQ(hooks.frameLeaves, 0);
    seq.SelectPair(1);
    EXPECT_EQ(hooks.frameLeaves, 1);
}

TEST_F(Sequencing, TwoAutoPointsOnThePointsTabGoCThenA1ThenLock) {
    Settings.MaxPtsIndex = 2;
    seq.SelectPair(1);
    hooks.placed = {1};
    seq.AdvanceAfterPair();
    EXPECT_EQ(CurPoint, 2);
    EXPECT_FALSE(PointsLocked);
    hooks.placed = {1, 2};
    seq.AdvanceAfterPair();
    EXPECT_EQ(CurPoint, 0);
    EXPECT_TRUE(PointsLocked);
}

TEST_F(Sequencing, ThreeAutoPointsAddA2BeforeLocking) {
    Settings.MaxPtsIndex = 3;
    seq.SelectPair(1);
    hooks.placed = {1};
    seq.AdvanceAfterPair();
    hooks.placed = {1, 2};
    seq.AdvanceAfterPair();
    EXPECT_EQ(CurPoint, 3);
    EXPECT_FALSE(PointsLocked);
    hooks.placed = {1, 2, 3};
    seq.AdvanceAfterPair();
    EXPECT_EQ(CurPoint, 0);
    EXPECT_TRUE(PointsLocked);
}

TEST_F(Sequencing, HalfPlacedPairDoesNotAdvance) {
    Settings.MaxPtsIndex = 2;
    seq.SelectPair(1);
    seq.AdvanceAfterPair();
    EXPECT_EQ(CurPoint, 1);
}

TEST_F(Sequencing, NoAutoPointsNeverAdvance) {
    Settings.MaxPtsIndex = 0;
    seq.SelectPair(1);
    hooks.placed = {1};
    seq.AdvanceAfterPair();
    EXPECT_EQ(CurPoint, 1);
}

TEST_F(Sequencing, LinesTabGoesFromCToTheFirstLineEndAndKeepsIt) {
    Settings.MaxPtsIndex = 2;
    hooks.tab = TabOrient;
    seq.SelectPair(1);
    hooks.placed = {1};
    seq.AdvanceAfterPair();
    EXPECT_EQ(CurPoint, 5);
    hooks.placed = {1, 5};
    seq.AdvanceAfterPair();
    EXPECT_EQ(CurPoint, 5);
}

TEST_F(Sequencing, D1MovesToD2UnlessD2IsPlaced) {
    Settings.MaxPtsIndex = 2;
    hooks.tab = TabGeometry;
    seq.SelectPair(7);
    hooks.placed = {7};
    seq.AdvanceAfterPair();
    EXPECT_EQ(CurPoint, 8);
    seq.SelectPair(7);
    hooks.placed = {7, 8};
    seq.AdvanceAfterPair();
    EXPECT_EQ(CurPoint, 7);
}

TEST_F(Sequencing, LockedPairsStayWhereTheyAre) {
    Settings.MaxPtsIndex = 2;
    seq.SelectPair(2);
    PointsLocked = true;
    hooks.placed = {2};
    seq.AdvanceAfterPair();
    EXPECT_EQ(CurPoint, 2);
}

TEST_F(Sequencing, AutomaticAlignmentRunsOnCompletedCAndA1Only) {
    Settings.CalAuto = true;
    Settings.MaxPtsIndex = 0;
    hooks.placed = {1, 2, 3, 9};
    for (int p : {1, 2, 3}) {
        seq.SelectPair(p);
        seq.AdvanceAfterPair();
    }
    EXPECT_EQ(hooks.alignments, 2);
    seq.SelectPair(9);
    seq.AdvanceAfterPair();
    EXPECT_EQ(hooks.windowCalcs, 1);
    Settings.CalAuto = false;
    seq.SelectPair(1);
    seq.AdvanceAfterPair();
    EXPECT_EQ(hooks.alignments, 2);
}

TEST_F(Sequencing, NextPairFollowsTheActiveTab) {
    struct tcase {
        int tab, from, maxPts, to;
    };
    const tcase cases[] = {
        {TabPoint, 0, 2, 1},    {TabPoint, 1, 2, 2},    {TabPoint, 2, 2, 0},
        {TabPoint, 2, 3, 3},    {TabPoint, 3, 3, 0},    {TabOrient, 0, 2, 1},
        {TabOrient, 1, 2, 5},   {TabOrient, 5, 2, 6},   {TabOrient, 6, 2, 0},
        {TabHand, 0, 2, 1},     {TabHand, 1, 3, 0},     {TabHand, 2, 3, 3},
        {TabHand, 2, 2, 0},     {TabGeometry, 0, 2, 7}, {TabGeometry, 7, 2, 8},
        {TabGeometry, 8, 2, 0}, {TabWindow, 0, 2, 9},   {TabWindow, 9, 2, -1},
        {TabWindow, 5, 2, 0},   {TabLoad, 1, 2, 0},     {TabSave, 3, 3, 0},
    };
    for (const tcase& c : cases)
        EXPECT_EQ(NextPairIndex(c.tab, c.from, c.maxPts), c.to)
            << "tab " << c.tab << " from " << c.from << " maxPts " << c.maxPts;
}

TEST_F(Sequencing, NextPairOnTheWindowPairOpensTheDialogAndSelectsNothing) {
    hooks.tab = TabWindow;
    seq.SelectPair(9);
    const int before = hooks.selections;
    seq.NextPair();
    EXPECT_EQ(hooks.rearDialogs, 1);
    EXPECT_EQ(hooks.selections, before);
    EXPECT_EQ(CurPoint, 9);
}

TEST_F(Sequencing, PresetsSetTheSequencingSettings) {
    ApplyAutomaticPreset();
    EXPECT_TRUE(Settings.CalAuto);
    EXPECT_EQ(Settings.MaxPtsIndex, 2);
    EXPECT_EQ(Settings.DefStereoWindow, 1);
    ApplyStepByStepPreset();
    EXPECT_FALSE(Settings.CalAuto);
    EXPECT_EQ(Settings.MaxPtsIndex, 0);
    EXPECT_EQ(Settings.DefStereoWindow, 0);
}

TEST(RememberedPositions, OutOfRangeBecomesTheFirstChild) {
    EXPECT_EQ(BoundMenuIndex(-1, 4), 0);
    EXPECT_EQ(BoundMenuIndex(4, 4), 0);
    EXPECT_EQ(BoundMenuIndex(3, 4), 3);
    EXPECT_EQ(BoundMenuIndex(0, 0), 0);
    EXPECT_EQ(MenuItemToRun(0, 0), -1);
    EXPECT_EQ(MenuItemToRun(9, 12), 0);
    EXPECT_EQ(MenuItemToRun(9, 8), 8);
}

TEST(RememberedPositions, CheckedChildWinsOverTheGivenIndex) {
    std::vector<tchildstate> c(4, {true, false});
    EXPECT_EQ(CheckedChildToRun(c, -1), 0);
    EXPECT_EQ(CheckedChildToRun(c, 2), 2);
    EXPECT_EQ(CheckedChildToRun(c, 7), 0);
    c[1].checked = true;
    c[3].checked = true;
    EXPECT_EQ(CheckedChildToRun(c, 0), 3) << "the last checked one";
    c[3].hasHandler = false;
    EXPECT_EQ(CheckedChildToRun(c, 0), 1) << "a checked child without a command is passed over";
    EXPECT_EQ(CheckedChildToRun({}, 0), -1);
}

TEST(RememberedPositions, CropRepeatNeverGivesTheUncroppedView) {
    EXPECT_EQ(CropRepeatIndex(0, false, false), 1);
    EXPECT_EQ(CropRepeatIndex(0, true, false), 1);
    EXPECT_EQ(CropRepeatIndex(0, false, true), 1);
    EXPECT_EQ(CropRepeatIndex(0, true, true), 2);
    EXPECT_EQ(CropRepeatIndex(3, false, false), 3);
}

} // namespace
