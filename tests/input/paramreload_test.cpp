// A parameter file written after a magnification correction and read back
// through a real reload of its pictures: the reduced view and its points come
// back as they were.
#include "core/paramfile.h"
#include "core/settings.h"
#include "core/viewops.h"
#include "input/headlesspair.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

TEST(ParamReload, ViewWithDzComesBackReducedWithItsPoints) {
    QTemporaryDir dir;
    const QString l = dir.filePath("p_L.bmp"), r = dir.filePath("p_R.bmp");
    QImage picture(200, 100, QImage::Format_RGB32);
    picture.fill(qRgb(90, 120, 150));
    ASSERT_TRUE(picture.save(l) && picture.save(r));

    tviewpair pair;
    theadlesshost host(pair);
    pair.StereoType = KindPair;
    for (auto [view, file] : {std::pair{&pair.ImgLeft, l}, std::pair{&pair.ImgRight, r}}) {
        view->bitmap = NewViewBitmap(200, 100);
        view->Reset();
        view->filename = file;
    }
    // The right view reduced by 1.25 as "Appliquer" does: 160 x 80, points
    // divided, dz kept.
    pair.ImgRight.PlacePoint(PtStereo0, 100, 50);
    pair.ImgRight.PlacePoint(PtDz1, 25, 75);
    ASSERT_TRUE(ReduceView(pair.ImgRight, 1.25));
    pair.ImgRight.dz = 1.25;
    pair.ImgRight.posx = -3.5;
    const QString prm = dir.filePath("p.prm");
    ASSERT_TRUE(WriteParams(pair, prm, false, host, Settings));

    tviewpair back;
    theadlesshost backHost(back);
    ASSERT_EQ(ReadParams(back, prm, true, backHost, Settings), tparamread::Read);
    EXPECT_EQ(back.ImgRight.bitmap.size(), QSize(160, 80));
    EXPECT_EQ(back.ImgLeft.bitmap.size(), QSize(200, 100));
    EXPECT_DOUBLE_EQ(back.ImgRight.dz, 1.25);
    EXPECT_DOUBLE_EQ(back.ImgRight.pt[PtStereo0].x, 80);
    EXPECT_DOUBLE_EQ(back.ImgRight.pt[PtStereo0].y, 40);
    EXPECT_DOUBLE_EQ(back.ImgRight.pt[PtDz1].x, 20);
    EXPECT_DOUBLE_EQ(back.ImgRight.pt[PtDz1].y, 60);
    EXPECT_DOUBLE_EQ(back.ImgRight.posx, -3.5);
}
