// The open commands, installing views, composite opening and reloading,
// driven through a display host without a window.
#include "input/composite.h"
#include "input/viewloader.h"

#include "core/settings.h"
#include "core/stereokinds.h"
#include "input/pictureload.h"

#include "fakedisplayhost.h"
#include "inputfixtures.h"

namespace {

class ViewLoader : public ::testing::Test {
protected:
    QTemporaryDir dir;
    tfakedisplayhost host;
    tviewloader loader{host};
    tsettings saved = Settings;
    timg& L = host.pair.ImgLeft;
    timg& R = host.pair.ImgRight;
    int& kind = host.pair.StereoType;

    // No report is installed: messages and the hour-glass reach the host
    // because the loader hands it to the decoders.
    void TearDown() override { Settings = saved; }
    // A lossless picture file of the given size whose pixels are PatternImage's.
    QString Picture(const QString& name, int w, int h) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(PatternImage(w, h).save(path));
        return path;
    }
};

TEST_F(ViewLoader, OpenImageFillsTheLeftViewAndBlanksTheRight) {
    R.bitmap = PatternImage(5, 5);
    R.filename = "old_right.png";
    R.posx = 7;
    const QString file = Picture("one.png", 40, 30);
    Settings.OpenDirImg = "/start/here";
    Settings.CropIndex = 3;
    Settings.OpenSepar = 12;
    host.answers << QStringList{file};

    ASSERT_TRUE(loader.OpenImage());
    ASSERT_EQ(host.asked.size(), 1);
    EXPECT_EQ(host.asked[0].title, "Ouvrir : Image");
    EXPECT_EQ(host.asked[0].folder, "/start/here");
    EXPECT_EQ(L.bitmap, PatternImage(40, 30));
    EXPECT_EQ(L.filename, file);
    EXPECT_EQ(R.bitmap.size(), QSize(40, 30));
    EXPECT_EQ(R.bitmap.pixel(20, 10), 0xFF000000u);
    EXPECT_TRUE(R.filename.isEmpty());
    EXPECT_EQ(R.posx, 0);
    EXPECT_EQ(kind, KindLeft);
    EXPECT_EQ(Settings.OpenDirImg, dir.path());
    EXPECT_EQ(Settings.CropIndex, 0);
    EXPECT_EQ(Settings.OpenSepar, 0);
    EXPECT_EQ(host.colorMask, 0xFFFFFFu);
    EXPECT_EQ(host.transp1, 256);
    // Qt writes the test picture as a PNG with alpha: 32 bits.
    EXPECT_EQ(host.pair.ImageInfo, "  0040 *  0030 - 32 Bits");
    EXPECT_EQ(host.current, &L);
    EXPECT_EQ(host.busyDepth, 0);
    EXPECT_EQ(host.busyCalls, 1);
    EXPECT_GE(host.recomposes, 1);
}

TEST_F(ViewLoader, CancelledOrFailedOpenChangesNothing) {
    L.bitmap = PatternImage(3, 3);
    L.filename = "kept.png";
    kind = KindPair;
    EXPECT_FALSE(loader.OpenImage()); // cancelled
    host.answers << QStringList{dir.filePath("missing.png")};
    EXPECT_FALSE(loader.OpenImage());
    EXPECT_EQ(L.bitmap, PatternImage(3, 3));
    EXPECT_EQ(L.filename, "kept.png");
    EXPECT_EQ(kind, KindPair);
    EXPECT_EQ(host.recomposes, 0);
}

TEST_F(ViewLoader, OpenLeftFollowsTheKindTableForOneFile) {
    const QString file = Picture("l.png", 8, 6);
    const int table[][2] = {{KindPair, KindPair},
                            {KindRight, KindPair},
                            {KindPairOpening, KindPairOpening},
                            {KindRightOpening, KindPairOpening},
                            {KindNone, KindLeft},
                            {KindLeft, KindLeft},
                            {KindCrossed, KindLeft}};
    for (const auto& row : table) {
        kind = row[0];
        R.filename = "right.png";
        host.answers << QStringList{file};
        ASSERT_TRUE(loader.OpenLeft());
        EXPECT_EQ(kind, row[1]) << "from " << row[0];
        EXPECT_EQ(R.filename, "right.png") << "the right view is left alone";
    }
    EXPECT_EQ(host.asked.last().title, "Ouvrir : Vue Gauche (et Vue Droite)");
}

TEST_F(ViewLoader, OpenLeftWithTwoFilesFillsBothViews) {
    const QString a = Picture("a.png", 8, 6), b = Picture("b.png", 9, 7);
    QDir(dir.path()).mkdir("other");
    const QString bMoved = dir.filePath("other/b.png");
    QFile::copy(b, bMoved);
    kind = KindNone;
    host.answers << QStringList{a, bMoved};
    ASSERT_TRUE(loader.OpenLeft());
    EXPECT_EQ(L.filename, a);
    EXPECT_EQ(R.filename, bMoved);
    EXPECT_EQ(R.bitmap.size(), QSize(9, 7));
    EXPECT_EQ(kind, KindPair);
    EXPECT_EQ(Settings.OpenDirL, dir.path());
    EXPECT_EQ(Settings.OpenDirR, dir.filePath("other"));
}

TEST_F(ViewLoader, OpenLeftRedrawsEvenWhenCancelled) {
    const int before = host.redraws;
    EXPECT_FALSE(loader.OpenLeft());
    EXPECT_EQ(host.redraws, before + 1);
}

TEST_F(ViewLoader, OpenRightMakesAPairFromALeftView) {
    const QString file = Picture("r.png", 8, 6);
    const int table[][2] = {{KindLeft, KindPair},
                            {KindPair, KindPair},
                            {KindNone, KindRight},
                            {KindPairOpening, KindRight}};
    for (const auto& row : table) {
        kind = row[0];
        L.filename = "left.png";
        host.answers << QStringList{file};
        ASSERT_TRUE(loader.OpenRight());
        EXPECT_EQ(kind, row[1]) << "from " << row[0];
        EXPECT_EQ(L.filename, "left.png");
    }
    EXPECT_EQ(host.asked.last().title, "Ouvrir : Vue Droite");
}

TEST_F(ViewLoader, OpenPairAsksForTheLeftThenTheRightView) {
    const QString a = Picture("a.png", 8, 6), b = Picture("b.png", 8, 6);
    kind = KindPair; // a pair on screen is replaced as a whole
    host.answers << QStringList{a} << QStringList{b};
    EXPECT_TRUE(loader.OpenPair());
    ASSERT_EQ(host.asked.size(), 2);
    EXPECT_EQ(host.asked[0].title, "Ouvrir : Vue Gauche (et Vue Droite)");
    EXPECT_EQ(host.asked[1].title, "Ouvrir : Vue Droite");
    // The dialog offers the name of the last file chosen.
    EXPECT_EQ(host.asked[1].fileName, "a.png");
    EXPECT_EQ(L.filename, a);
    EXPECT_EQ(R.filename, b);
    EXPECT_EQ(kind, KindPair);
}

TEST_F(ViewLoader, OpenPairEndsAfterTwoFilesChosenAtOnce) {
    const QString a = Picture("a.png", 8, 6), b = Picture("b.png", 8, 6);
    kind = KindNone;
    host.answers << QStringList{a, b};
    EXPECT_FALSE(loader.OpenPair());
    EXPECT_EQ(host.asked.size(), 1);
    EXPECT_EQ(kind, KindPair);
    EXPECT_EQ(R.filename, b);
}

TEST_F(ViewLoader, ParallelCompositeWithBandOpensIntoBothViews) {
    QImage pic = PatternImage(2000, 600);
    for (int y = 0; y < 600; ++y)
        for (int x = 990; x < 1010; ++x) pic.setPixel(x, y, qRgb(0, 0, 0));
    const QString path = dir.filePath("pair_P.png");
    ASSERT_TRUE(pic.save(path));
    Settings.ExtractOption = 3;
    L.filename = "old";
    host.answers << QStringList{path};

    ASSERT_TRUE(loader.OpenParallel());
    EXPECT_EQ(host.asked[0].title, "Ouvrir : Stéréo Parallèle");
    EXPECT_EQ(L.bitmap, pic.copy(0, 0, 990, 600));
    EXPECT_EQ(R.bitmap, pic.copy(1010, 0, 990, 600));
    EXPECT_EQ(L.filename, path);
    EXPECT_EQ(R.filename, path);
    EXPECT_EQ(kind, KindParallel);
    EXPECT_EQ(host.current, &R);
    EXPECT_EQ(host.transp1, 128);
    EXPECT_EQ(Settings.OpenDirSP, dir.path());
}

TEST_F(ViewLoader, CompositeThatFailsToDecodeLeavesNoFileNames) {
    const QString path = dir.filePath("broken.jpg");
    ASSERT_TRUE(WriteBytes(path, "not a jpeg"));
    L.filename = "l.jpg";
    R.filename = "r.jpg";
    kind = KindPair;
    host.answers << QStringList{path};
    EXPECT_FALSE(loader.OpenCrossed());
    EXPECT_TRUE(L.filename.isEmpty());
    EXPECT_TRUE(R.filename.isEmpty());
    EXPECT_EQ(kind, KindNone);
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_TRUE(host.messages[0].contains("broken.jpg"));
}

TEST_F(ViewLoader, AnaglyphOpenClearsTheManualWidth) {
    const QString path = Picture("ana.png", 20, 10);
    Settings.OpenSepar = 30;
    host.answers << QStringList{path};
    ASSERT_TRUE(loader.OpenAnaglyph());
    EXPECT_EQ(Settings.OpenSepar, 0);
    EXPECT_EQ(kind, KindAnaglyph);
    EXPECT_EQ(L.bitmap.pixel(3, 4), PatternImage(20, 10).pixel(3, 4) & 0xFF0000u);
    EXPECT_EQ(host.asked[0].title, "Ouvrir : Anaglyphe");
}

// 3 x 2 picture with distinct pixels, to follow where each one goes.
QImage Small() {
    QImage img(3, 2, QImage::Format_ARGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) img.setPixel(x, y, 0xFF000000u | quint32(10 * y + x));
    return img;
}

TEST_F(ViewLoader, StoredQuarterTurnsAndMirrorsApplyWhenReloading) {
    loader.Reloading = true;
    struct tcase {
        int autorot, mirror, storedAutorot;
        QSize size;
        // Pixel (x, y) of the result holds source pixel value v = 10 y + x.
        int x, y, v;
    };
    const tcase cases[] = {
        {90, 0, 90, {2, 3}, 1, 0, 0},   // clockwise: top-left goes to the top-right
        {-90, 0, 270, {2, 3}, 0, 2, 0}, // counter-clockwise: top-left to the bottom-left
        {180, 0, 180, {3, 2}, 2, 1, 0}, // half turn
        {45, 0, 45, {3, 2}, 0, 0, 0},   // not a quarter turn: nothing
        {450, 0, 90, {2, 3}, 1, 0, 0},  // beyond a full turn
        {0, 4, 0, {3, 2}, 0, 1, 0},     // rows reversed
        {0, 8, 0, {3, 2}, 2, 0, 0},     // columns reversed
        {0, 12, 0, {3, 2}, 0, 0, 0},    // both bits: nothing
    };
    for (const tcase& c : cases) {
        L.bitmap = Small();
        L.autorot = c.autorot;
        L.mirror = c.mirror;
        L.posx = 5;
        loader.InstallViewImage(L, "x.png");
        EXPECT_EQ(L.autorot, c.storedAutorot) << c.autorot;
        EXPECT_EQ(L.bitmap.size(), c.size) << c.autorot << " " << c.mirror;
        EXPECT_EQ(L.bitmap.pixel(c.x, c.y) & 0xFFFFFFu, quint32(c.v))
            << c.autorot << " " << c.mirror;
        EXPECT_EQ(L.posx, 5) << "reloading keeps the alignment";
    }
}

TEST_F(ViewLoader, InstallingAFreshViewResetsItAndSetsTheDisplay) {
    L.bitmap = PatternImage(100, 80);
    L.posx = 9;
    L.autorot = 90;
    loader.InstallViewImage(L, "fresh.png");
    EXPECT_EQ(L.posx, 0);
    EXPECT_EQ(L.autorot, 0);
    EXPECT_EQ(L.CentreX(), 50);
    EXPECT_EQ(host.slotResets, 1);
    EXPECT_EQ(host.scrollW, 100);
    EXPECT_EQ(host.scrollH, 80);
    // Smaller than the display area: centred on the picture's middle.
    EXPECT_EQ(host.centreX, 50);
    EXPECT_EQ(host.centreY, 40);
    EXPECT_EQ(host.centredOnArea, 0);
    // Larger both ways: centred on the area.
    L.bitmap = PatternImage(500, 400);
    loader.InstallViewImage(L, "big.png");
    EXPECT_EQ(host.centredOnArea, 1);
    // Larger one way only: still the picture's middle.
    L.bitmap = PatternImage(500, 100);
    loader.InstallViewImage(L, "wide.png");
    EXPECT_EQ(host.centredOnArea, 1);
    EXPECT_EQ(host.centreX, 250);
}

TEST_F(ViewLoader, ReloadingKindEightReadsTheRightFileAndBlanksTheLeft) {
    const QString r = Picture("r.png", 12, 9);
    L.bitmap = PatternImage(4, 4);
    L.filename = Picture("l.png", 4, 4);
    R.filename = r;
    R.posy = 3;
    loader.ReloadViews(KindRight);
    EXPECT_EQ(R.bitmap, PatternImage(12, 9));
    EXPECT_EQ(R.posy, 3);
    EXPECT_EQ(L.bitmap.size(), QSize(12, 9));
    EXPECT_EQ(L.bitmap.pixel(5, 5), 0xFF000000u);
    EXPECT_EQ(kind, KindRight);
    EXPECT_FALSE(loader.Reloading);
    EXPECT_EQ(host.firstTabs, 1);
}

TEST_F(ViewLoader, ReloadingASeparatePairKeepsTheAlignmentAndReducesByDz) {
    L.filename = Picture("l.png", 1000, 601);
    R.filename = Picture("r.png", 1000, 601);
    L.dz = 2;
    L.scale = 1.5;
    L.PlacePoint(2, 100, 50);
    L.posx = 11;
    Settings.CropIndex = 2;
    loader.ReloadViews(KindPair);
    EXPECT_EQ(kind, KindPair);
    EXPECT_EQ(L.bitmap.size(), QSize(500, 300));
    EXPECT_EQ(L.pt[2].x, 50);
    EXPECT_EQ(L.pt[2].y, 25);
    EXPECT_EQ(L.scale, 1.0);
    EXPECT_EQ(L.posx, 11);
    EXPECT_EQ(R.bitmap.size(), QSize(1000, 601));
    ASSERT_EQ(host.reductions.size(), 1);
    EXPECT_EQ(host.reductions[0], 2.0);
    EXPECT_EQ(Settings.CropIndex, 0);
    // The description comes from the last picture read, as a 32-bit bitmap.
    EXPECT_EQ(host.pair.ImageInfo, "  1000 *  0601 - 32 Bits");
}

TEST_F(ViewLoader, ReloadingWithADamagedFactorDoesNotReduce) {
    L.filename = Picture("l.png", 40, 30);
    for (double dz : {0.0, -2.0, 1e-9, 1e-300, std::nan("")}) {
        L.dz = dz;
        loader.ReloadViews(KindLeft);
        EXPECT_EQ(L.bitmap.size(), QSize(40, 30)) << dz;
    }
    EXPECT_TRUE(host.reductions.isEmpty());
}

TEST_F(ViewLoader, ReloadingWithoutFilesSaysNothingIsLoaded) {
    L.filename = dir.filePath("gone.png");
    loader.ReloadViews(KindCrossed);
    EXPECT_EQ(host.pair.ImageInfo, "Aucun Fichier Image Chargé");
    EXPECT_TRUE(host.messages.isEmpty());
    loader.ReloadViews(KindParams);
    EXPECT_EQ(host.paramReads, 1);
    EXPECT_FALSE(loader.Reloading);
    EXPECT_EQ(host.saveRefreshes, 2);
}

TEST_F(ViewLoader, ReloadingACompositeSplitsItAgain) {
    const QImage pic = PatternImage(2001, 50);
    const QString path = dir.filePath("x.png");
    ASSERT_TRUE(pic.save(path));
    L.filename = path;
    Settings.ExtractOption = 1;
    loader.ReloadViews(KindCrossed);
    EXPECT_EQ(kind, KindCrossed);
    EXPECT_EQ(L.bitmap, pic.copy(1000, 0, 1000, 50));
    EXPECT_EQ(R.bitmap, pic.copy(0, 0, 1000, 50));
    EXPECT_EQ(R.filename, path);
}

TEST_F(ViewLoader, RealStereoJpsOpensAsACrossedPair) {
    const QString data = TestDataDir();
    if (data.isEmpty()) GTEST_SKIP() << "ORVANEL_TESTDATA not set";
    const QString jps = data + "/panasonic_3d1_mario.jps";
    Settings.ExtractOption = 1;
    host.answers << QStringList{jps};
    ASSERT_TRUE(loader.OpenCrossed());
    EXPECT_EQ(L.bitmap.size(), QSize(522, 720));
    EXPECT_EQ(R.bitmap.size(), QSize(522, 720));
    EXPECT_EQ(kind, KindCrossed);
    EXPECT_EQ(host.pair.ImageInfo, "  1044 *  0720 - 24 Bits");
    // The right half of the file is the left view.
    QImage whole;
    QString info;
    ASSERT_TRUE(LoadPictureFile(whole, jps, info));
    EXPECT_EQ(L.bitmap, whole.copy(522, 0, 522, 720));
    EXPECT_EQ(Settings.OpenDirSX, data);
    // The camera writes its halves edge to edge: the measure finds no band.
    EXPECT_EQ(AutoSeparation(whole, KindCrossed), 0);
}

} // namespace
