// Window placement of the two desktop arrangements.
#include "core/desktoplayout.h"

#include <gtest/gtest.h>

TEST(DesktopLayout, MontageAtTheRightOn1280x1024) {
    tdesktoplayout l = DesktopLayout(0, 1280, 1024);
    EXPECT_EQ(l.magnifier, QRect(810, 724, 170, 205));
    EXPECT_EQ(l.montage, QRect(990, 0, 290, 989));
    EXPECT_EQ(l.display, QRect(0, 0, 990, 989));
}

TEST(DesktopLayout, MontageAtTheLeftOn1280x1024) {
    tdesktoplayout l = DesktopLayout(1, 1280, 1024);
    EXPECT_EQ(l.magnifier, QRect(300, 724, 170, 205));
    EXPECT_EQ(l.montage, QRect(0, 0, 290, 989));
    EXPECT_EQ(l.display, QRect(290, 0, 990, 989));
}

TEST(DesktopLayout, WindowsOffScreenArePulledBack) {
    // Left edge beyond the screen width minus 30: the right edge meets the screen's.
    EXPECT_EQ(PullOntoScreen(QRect(1260, 10, 300, 200), 1280, 1024), QPoint(980, 10));
    // Almost entirely off to the left and the top.
    EXPECT_EQ(PullOntoScreen(QRect(-290, -190, 300, 200), 1280, 1024), QPoint(0, 0));
    // A window that is on screen stays where it is.
    EXPECT_EQ(PullOntoScreen(QRect(100, 100, 300, 200), 1280, 1024), QPoint(100, 100));
}

TEST(DesktopLayout, AWiderMontageWindowNarrowsTheDisplayAndMovesTheMagnifier) {
    // 330 pixels of controls: the column widens, the magnifier keeps its
    // 180 pixels to the left of it (1280 - 330 - 180 = 770).
    tdesktoplayout l = DesktopLayout(0, 1280, 1024, 330);
    EXPECT_EQ(l.montage, QRect(950, 0, 330, 989));
    EXPECT_EQ(l.display, QRect(0, 0, 950, 989));
    EXPECT_EQ(l.magnifier, QRect(770, 724, 170, 205));
    l = DesktopLayout(1, 1280, 1024, 330);
    EXPECT_EQ(l.display, QRect(330, 0, 950, 989));
    EXPECT_EQ(l.magnifier, QRect(340, 724, 170, 205));
    // Narrower needs keep the design column; the column never passes half the screen.
    EXPECT_EQ(DesktopLayout(0, 1280, 1024, 200).montage.width(), 290);
    EXPECT_EQ(DesktopLayout(0, 800, 600, 700).montage, QRect(400, 0, 400, 565));
}
