// The view record: reset state, point operations and angle normalisation.
#include "core/timg.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
const double kPi = 3.14159265358979323846;
}

TEST(ViewRecord, ResetPutsCentreMidPictureUnplacedAndOtherPointsUnset) {
    timg v;
    v.bitmap = NewViewBitmap(640, 480);
    v.rot = 1;
    v.posx = 5;
    v.dz = 2;
    v.mancropd = true;
    v.PlacePoint(7, 10, 20);
    v.filename = "a.jpg";
    v.Reset();
    EXPECT_DOUBLE_EQ(v.pt[1].x, 320.0);
    EXPECT_DOUBLE_EQ(v.pt[1].y, 240.0);
    EXPECT_FALSE(v.pt[1].d);
    EXPECT_EQ(v.pt[1].c, "stereo0");
    const char* captions[] = {"courant", "stereo0", "stereo1", "stereo2", "reserve",
                              "orient1", "orient2", "dz1",     "dz2",     "win1",
                              "win2",    "cadre1",  "cadre2",  "reserve"};
    for (int i = 0; i < kPointCount; ++i) {
        EXPECT_EQ(v.pt[i].c, QString(captions[i])) << i;
        EXPECT_FALSE(v.pt[i].d) << i;
        if (i != 1) {
            EXPECT_EQ(v.pt[i].x, -1) << i;
            EXPECT_EQ(v.pt[i].y, -1) << i;
        }
    }
    EXPECT_EQ(v.rot, 0);
    EXPECT_EQ(v.posx, 0);
    EXPECT_EQ(v.dz, 1.0);
    EXPECT_EQ(v.scale, 1.0);
    EXPECT_FALSE(v.mancropd);
    // The file name and the picture survive a reset.
    EXPECT_EQ(v.filename, "a.jpg");
    EXPECT_EQ(v.bitmap.width(), 640);
}

TEST(ViewRecord, OddSizedPictureCentreIsHalfPixel) {
    timg v;
    v.bitmap = NewViewBitmap(641, 481);
    v.Reset();
    EXPECT_DOUBLE_EQ(v.CentreX(), 320.5);
    EXPECT_DOUBLE_EQ(v.CentreY(), 240.5);
}

TEST(ViewRecord, SetPointCopiesPositionAndFlagButKeepsCaption) {
    timg v;
    trealpoint p;
    p.x = 3.5;
    p.y = 4.25;
    p.d = true;
    p.c = "other";
    v.SetPoint(9, p);
    EXPECT_EQ(v.pt[9].c, "win1");
    trealpoint g = v.GetPoint(9);
    EXPECT_EQ(g.x, 3.5);
    EXPECT_EQ(g.y, 4.25);
    EXPECT_TRUE(g.d);
    v.SetPointDefined(9, false);
    EXPECT_FALSE(v.pt[9].d);
    EXPECT_EQ(v.pt[9].x, 3.5);
    // Indices outside the table are ignored rather than written past it.
    v.PlacePoint(14, 1, 1);
    v.PlacePoint(-1, 1, 1);
    EXPECT_FALSE(v.GetPoint(14).d);
}

TEST(ViewRecord, SetRotKeepsAnglesInOneTurnWithOneCorrectionEachWay) {
    timg v;
    v.SetRot(kTwoPi);
    EXPECT_EQ(v.rot, 0);
    v.SetRot(-kPi / 2);
    EXPECT_DOUBLE_EQ(v.rot, 3 * kPi / 2);
    v.SetRot(7);
    EXPECT_DOUBLE_EQ(v.rot, 7 - kTwoPi);
    v.SetRot(-0.1);
    EXPECT_DOUBLE_EQ(v.rot, kTwoPi - 0.1);
    // Beyond one turn the angle is corrected once only.
    v.SetRot(4 * kPi);
    EXPECT_DOUBLE_EQ(v.rot, kTwoPi);
}

TEST(ViewRecord, SetRotationAndSetPosTakeTheirArgumentsYFirst) {
    timg v;
    v.SetRotation(0.5, 20, 10);
    EXPECT_EQ(v.CentreX(), 10);
    EXPECT_EQ(v.CentreY(), 20);
    EXPECT_EQ(v.rot, 0.5);
    v.SetPos(7, 3);
    EXPECT_EQ(v.posx, 3);
    EXPECT_EQ(v.posy, 7);
}

TEST(ViewRecord, BoundsCoverTheWholePicture) {
    timg v;
    v.bitmap = NewViewBitmap(300, 200);
    tbounds b = v.GetBounds();
    EXPECT_EQ(b.left, 0);
    EXPECT_EQ(b.top, 0);
    EXPECT_EQ(b.right, 299);
    EXPECT_EQ(b.bottom, 199);
    EXPECT_EQ(v.bounds.right, 299);
    timg empty;
    EXPECT_EQ(empty.GetBounds().right, -1);
}
