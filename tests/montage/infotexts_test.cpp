// The Montage window's information texts, colour-mask buttons and the hand-off
// to the image-processing program.
#include "montage/imagehandoff.h"
#include "montage/infotexts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

TEST(InfoTexts, AViewTurnedByMinusOneDegreeReads359) {
    // The view keeps its angle in [0, 2 pi): -1 degree is stored as 2 pi - 1 degree.
    const double stored = 2 * kPi - kPi / 180;
    EXPECT_EQ(AngleInfoText(stored, 0, '.'), QString::fromUtf8("Angle : L 359.00 °/ R   0.00 °"));
}

TEST(InfoTexts, NumbersArePaddedAndUseThePlatformSeparator) {
    EXPECT_EQ(ShiftInfoText(-3.5, 12.25, ','), QStringLiteral("Depla :  -3,50  12,25"));
    EXPECT_EQ(ZoomInfoText(1.0417, 1.0, '.'), QStringLiteral("Corr. Zoom : L  1.042 / R  1.000"));
}

TEST(InfoTexts, AutoWindowSizesAreTruncatedAndZeroFilled) {
    EXPECT_EQ(AutoWindowText(1023.9, 7.2), QString::fromUtf8("Fenêtre Auto: 1023 * 0007"));
    EXPECT_EQ(AutoWindowText(12345, 0), QString::fromUtf8("Fenêtre Auto: 12345 * 0000"));
    EXPECT_EQ(AutoWindowText(NAN, INFINITY).left(13), QString::fromUtf8("Fenêtre Auto:"));
}

TEST(InfoTexts, VisionLabel) {
    EXPECT_EQ(VisuLabelText(QString::fromUtf8("Parallèle"), QStringLiteral(" P ")),
              QString::fromUtf8("Vision Parallèle -  P "));
}

TEST(ColorMask, ButtonsShowWholeChannelsAndCyan) {
    tmaskbuttons b = MaskButtons(0xFFFFFF);
    EXPECT_TRUE(b.red && b.green && b.blue);
    EXPECT_FALSE(b.cyanRed);
    b = MaskButtons(0x00FFFF);
    EXPECT_FALSE(b.red);
    EXPECT_TRUE(b.green && b.blue && b.cyanRed);
    b = MaskButtons(0x7F0000);
    EXPECT_FALSE(b.red) << "a partial channel is not shown as down";
}

TEST(ColorMask, ChannelCyanRedAndInvertButtons) {
    EXPECT_EQ(MaskWithChannel(0xFFFFFF, 0x00FF00, false), 0xFF00FF);
    EXPECT_EQ(MaskWithChannel(0xFF0000, 0x0000FF, true), 0xFF00FF);
    EXPECT_EQ(MaskForCyanRed(true), 0x00FFFF);
    EXPECT_EQ(MaskForCyanRed(false), 0xFF0000);
    EXPECT_EQ(InvertedMask(0xFF0000), 0x00FFFF);
    EXPECT_EQ(InvertedMask(InvertedMask(0x12AB34)), 0x12AB34);
}

TEST(ImageHandOff, PathsAndArguments) {
    const thandoffpaths p =
        HandOffPaths(QStringLiteral("/opt/my prog"), QStringLiteral("/home/u/kvtq/"));
    EXPECT_EQ(p.exe, QStringLiteral("/opt/my prog/tralfe.exe"));
    EXPECT_EQ(p.left, QStringLiteral("/home/u/kvtq/tmpL.bmp"));
    EXPECT_EQ(p.right, QStringLiteral("/home/u/kvtq/tmpR.bmp"));
    EXPECT_EQ(p.arguments, (QStringList{QStringLiteral("/home/u/kvtq/tmpL.bmp"),
                                        QStringLiteral("/home/u/kvtq/tmpR.bmp"),
                                        QStringLiteral("/opt/my prog/standard.flt")}));
}

TEST(ImageHandOff, MissingProgramWarnsAndWritesNothing) {
    QTemporaryDir dir;
    QString warning;
    bool wrote = false;
    timagehandoff h;
    h.programFolder = dir.path();
    h.settingsFolder = dir.path();
    h.writeViews = [&](const QString&, const QString&) { return wrote = true; };
    h.launch = [](const QString&, const QStringList&, const QString&) { return true; };
    h.warn = [&](const QString& t) { warning = t; };
    EXPECT_EQ(RunImageHandOff(h), thandoffresult::Missing);
    EXPECT_EQ(warning, QStringLiteral("Programme de traitement d'image introuvable\n") +
                           dir.path() + QStringLiteral("/tralfe.exe"));
    EXPECT_FALSE(wrote);
}

TEST(ImageHandOff, ProgramThatCannotStartOrHasNoFreshBitmapsWarns) {
    QTemporaryDir dir;
    QFile exe(dir.filePath(QStringLiteral("tralfe.exe")));
    ASSERT_TRUE(exe.open(QIODevice::WriteOnly));
    exe.close();
    QStringList warnings;
    QString startedIn;
    timagehandoff h;
    h.programFolder = dir.path();
    h.settingsFolder = dir.path();
    h.warn = [&](const QString& t) { warnings << t; };
    h.launch = [&](const QString&, const QStringList&, const QString& folder) {
        startedIn = folder;
        return false;
    };
    h.writeViews = [](const QString&, const QString&) { return true; };
    EXPECT_EQ(RunImageHandOff(h), thandoffresult::NotStarted);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(
        warnings[0].startsWith(QStringLiteral("Programme de traitement d'image injouable\n")));
    EXPECT_EQ(startedIn, dir.path());

    h.writeViews = [](const QString&, const QString&) { return false; };
    startedIn.clear();
    EXPECT_EQ(RunImageHandOff(h), thandoffresult::NotStarted);
    EXPECT_TRUE(startedIn.isEmpty()) << "never started on stale bitmaps";

    h.writeViews = [](const QString&, const QString&) { return true; };
    h.launch = [](const QString&, const QStringList&, const QString&) { return true; };
    warnings.clear();
    EXPECT_EQ(RunImageHandOff(h), thandoffresult::Launched);
    EXPECT_TRUE(warnings.isEmpty());
}

} // namespace

namespace {

TEST(Transparency, ButtonAlternatesBetweenTheCheckedOperatorAndAdd) {
    EXPECT_EQ(TransparencyToApply(-1, 5), 0);
    EXPECT_EQ(TransparencyToApply(2, 0), 2);
    EXPECT_EQ(TransparencyToApply(2, 2), 0);
    EXPECT_EQ(TransparencyToApply(30, 0), 30);
    EXPECT_EQ(TransparencyToApply(30, 30), 0) << "\"Fast\" alternates too";
}

} // namespace
