// The magnifier window offscreen beside a display window: the display's
// hooks reach it, its buttons step the size, closing stops the following.
#include "aids/tformzoom.h"

#include "aids/precisbitmaps.h"
#include "core/runflags.h"
#include "core/settings.h"
#include "display/tformmain.h"

#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QLabel>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <memory>

namespace {

class FormZoom : public ::testing::Test {
protected:
    void SetUp() override {
        Settings = tsettings();
        gStarted = false;
        LoadPrecisBitmaps();
        main = std::make_unique<TFormMain>();
        QImage left = NewViewBitmap(120, 90);
        left.fill(0xFF3060A0u);
        main->ImgLeft().bitmap = left;
        main->ImgLeft().Reset();
        QImage right = NewViewBitmap(120, 90);
        right.fill(0xFFA06030u);
        main->ImgRight().bitmap = right;
        main->ImgRight().Reset();
        main->Display.UpdateLayout();
        zoom = std::make_unique<TFormZoom>(main.get());
    }
    void TearDown() override {
        zoom.reset();
        main.reset();
        Settings = tsettings();
    }
    std::unique_ptr<TFormMain> main;
    std::unique_ptr<TFormZoom> zoom;
};

TEST_F(FormZoom, DisplayHooksShowThePointOnlyWhileTheWindowIsShown) {
    tdisplayhooks& h = main->Display.Hooks;
    ASSERT_TRUE(h.MagnifierVisible && h.MagnifierShow);
    EXPECT_FALSE(h.MagnifierVisible());
    zoom->show();
    EXPECT_TRUE(h.MagnifierVisible());
    EXPECT_TRUE(Settings.ZoomVisible);
    EXPECT_TRUE(main->Pointer.ZoomFollow);

    const tviewslot right = main->Display.SlotOf(&main->ImgRight());
    h.MagnifierShow(right, 60, 45);
    EXPECT_EQ(zoom->Zoom.X, 60);
    EXPECT_EQ(zoom->Label1->text(), QStringLiteral("Vue Droite"));
    EXPECT_EQ(zoom->Zoom.ZoomBitmap.pixel(30, 30) & 0xFFFFFFu, 0xA06030u);

    const tviewslot left = main->Display.SlotOf(&main->ImgLeft());
    h.MagnifierShow(left, 10, 10);
    EXPECT_EQ(zoom->Label1->text(), QStringLiteral("Vue Gauche"));
    EXPECT_EQ(zoom->Zoom.ZoomBitmap.pixel(72, 72) & 0xFFFFFFu, 0x3060A0u);
}

TEST_F(FormZoom, ButtonsStepTheSizeAndTheWindowFollows) {
    Settings.ZoomSize = 150;
    zoom->show();
    EXPECT_EQ(zoom->size(), QSize(165, 205));
    QTest::mouseClick(zoom->SpeedButton1, Qt::LeftButton);
    EXPECT_EQ(Settings.ZoomSize, 201);
    EXPECT_EQ(zoom->Zoom.ZoomBitmap.size(), QSize(201, 201));
    EXPECT_EQ(zoom->size(), QSize(216, 256));
    QTest::mouseClick(zoom->SpeedButton2, Qt::LeftButton);
    QTest::mouseClick(zoom->SpeedButton2, Qt::LeftButton);
    EXPECT_EQ(Settings.ZoomSize, 300);
}

TEST_F(FormZoom, ClosingStopsFollowingAndDestroyingReleasesTheHooks) {
    zoom->show();
    zoom->close();
    EXPECT_FALSE(Settings.ZoomVisible);
    EXPECT_FALSE(main->Pointer.ZoomFollow);
    zoom.reset();
    EXPECT_FALSE(main->Display.Hooks.MagnifierShow);
    EXPECT_FALSE(main->Display.Hooks.MagnifierVisible);
}

TEST_F(FormZoom, FollowingThePointerStopsAndStartsAsTheKeysAndClicksSay) {
    zoom->show();
    main->show();
    bool& follow = main->Pointer.ZoomFollow;
    // Each step starts from the opposite state, so a step that does nothing fails.
    struct tstep {
        const char* what;
        std::function<void()> act;
        bool after;
    } steps[] = {
        {"Shift in the display",
         [&] { QTest::keyClick(main.get(), Qt::Key_Shift, Qt::ShiftModifier); }, false},
        {"click in the magnifier",
         [&] { QTest::mouseClick(zoom.get(), Qt::LeftButton, {}, QPoint(40, 60)); }, true},
        {"Space in the display", [&] { QTest::keyClick(main.get(), Qt::Key_Space); }, false},
        {"button down in the display",
         [&] { QTest::mouseClick(main.get(), Qt::LeftButton, {}, QPoint(50, 50)); }, true},
    };
    for (const tstep& s : steps) {
        follow = !s.after;
        s.act();
        EXPECT_EQ(follow, s.after) << s.what;
    }
    // Not following, a pointer move leaves the magnifier on its point.
    const tviewslot left = main->Display.SlotOf(&main->ImgLeft());
    zoom->ZoomAt(left, 5, 5);
    follow = false;
    QTest::mouseMove(main.get(), QPoint(200, 150));
    EXPECT_EQ(zoom->Zoom.X, 5);
}

} // namespace
