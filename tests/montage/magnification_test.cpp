// Magnification correction: the factor from d1 and d2, its application to the
// current view, its cancel with the reload, the fine steps and the refusals.
#include "montage/magnification.h"

#include "alignhost.h"

#include <gtest/gtest.h>

namespace {

class Magnification : public ::testing::Test {
protected:
    void SetUp() override {
        // The "files": what a reload reads back.
        fileLeft = NewViewBitmap(1001, 701);
        fileRight = NewViewBitmap(1001, 701);
        pair.ImgLeft.bitmap = fileLeft;
        pair.ImgRight.bitmap = fileRight;
        pair.ImgLeft.Reset();
        pair.ImgRight.Reset();
        host.Reload = [this] {
            ++host.reloads;
            pair.ImgLeft.bitmap = fileLeft;
            pair.ImgRight.bitmap = fileRight;
        };
        // Height differences: 500 px on the left, 480 px on the right.
        L().PlacePoint(PtDz1, 100, 100);
        L().PlacePoint(PtDz2, 100, 600);
        R().PlacePoint(PtDz1, 120, 110);
        R().PlacePoint(PtDz2, 120, 590);
    }
    timg& L() { return pair.ImgLeft; }
    timg& R() { return pair.ImgRight; }

    QImage fileLeft, fileRight;
    tviewpair pair;
    trecordinghost host{pair};
};

} // namespace

TEST_F(Magnification, HeightModeGivesCurrentViewRatioOfHeights) {
    ShowMagnification(host, false);
    EXPECT_DOUBLE_EQ(L().scale, 500.0 / 480.0);
    EXPECT_EQ(R().scale, 1.0);
    ASSERT_FALSE(host.factorTexts.isEmpty());
    EXPECT_EQ(host.factorTexts.last(), "96.00");
    host.LeftCurrent = false;
    ShowMagnification(host, false);
    EXPECT_EQ(L().scale, 1.0);
    EXPECT_DOUBLE_EQ(R().scale, 480.0 / 500.0);
}

TEST_F(Magnification, ApplyingShrinksCurrentPictureAndRecordsDz) {
    ASSERT_TRUE(ApplyMagnification(host, false));
    // 1001 * 480 / 500 = 960.96 and 701 * 480 / 500 = 672.96, truncated.
    EXPECT_EQ(L().Width(), 960);
    EXPECT_EQ(L().Height(), 672);
    EXPECT_EQ(R().Width(), 1001);
    EXPECT_NEAR(L().pt[PtDz2].y, 576, 1e-9);
    EXPECT_NEAR(L().pt[PtDz1].x, 96, 1e-9);
    EXPECT_DOUBLE_EQ(L().dz, 500.0 / 480.0);
    EXPECT_EQ(R().dz, 1.0);
    EXPECT_EQ(L().scale, 1.0);
    EXPECT_EQ(host.reloads, 0);
}

TEST_F(Magnification, ApplyingTwiceEqualsApplyingOnce) {
    ASSERT_TRUE(ApplyMagnification(host, false));
    const timg once = L();
    ASSERT_TRUE(ApplyMagnification(host, false));
    EXPECT_EQ(host.reloads, 1); // the second one first went back to the files
    EXPECT_EQ(L().Width(), once.Width());
    EXPECT_EQ(L().Height(), once.Height());
    EXPECT_EQ(L().dz, once.dz);
    for (int i = 0; i < kPointCount; ++i) {
        EXPECT_NEAR(L().pt[i].x, once.pt[i].x, 1e-9) << i;
        EXPECT_NEAR(L().pt[i].y, once.pt[i].y, 1e-9) << i;
    }
}

TEST_F(Magnification, CancelRestoresDzAndReloadsFromFiles) {
    ASSERT_TRUE(ApplyMagnification(host, false));
    host.LeftCurrent = true;
    CancelGeometry(host);
    EXPECT_EQ(L().dz, 1.0);
    EXPECT_EQ(R().dz, 1.0);
    EXPECT_EQ(host.reloads, 1);
    EXPECT_EQ(L().Width(), 1001);
    EXPECT_NEAR(L().pt[PtDz2].y, 600, 1e-9);
    EXPECT_TRUE(host.LeftCurrent);
}

TEST_F(Magnification, HorizontalPairCountsOnlyInDistanceMode) {
    L().PlacePoint(PtDz2, 400, 100); // 300 px to the right of d1
    R().PlacePoint(PtDz2, 360, 110); // 240 px
    ShowMagnification(host, false);
    EXPECT_EQ(L().scale, 1.0); // both height differences 0, taken as 1
    ShowMagnification(host, true);
    EXPECT_DOUBLE_EQ(L().scale, 300.0 / 240.0);
}

TEST_F(Magnification, FactorIsMeasuredOnTheMontagePlane) {
    // The right view turned by a quarter turn about its centre: its vertical
    // pair lies horizontally on the screen.
    R().SetRotation(3.14159265358979323846 / 2, 350, 120);
    ShowMagnification(host, true);
    EXPECT_DOUBLE_EQ(L().scale, 500.0 / 480.0);
    ShowMagnification(host, false);
    EXPECT_EQ(L().scale, 500.0); // the right height difference is 0, taken as 1
}

TEST_F(Magnification, FactorThatIsNotPositiveIsRefused) {
    ASSERT_TRUE(ApplyMagnification(host, false));
    const double dz = L().dz;
    // d1 below d2 in the right view only: a negative factor.
    R().PlacePoint(PtDz1, 120, 590);
    R().PlacePoint(PtDz2, 120, 110);
    ShowMagnification(host, false);
    EXPECT_LT(L().scale, 0);
    EXPECT_TRUE(host.factorTexts.last().contains("non positif"));
    EXPECT_FALSE(ApplyMagnification(host, false));
    EXPECT_EQ(L().dz, dz); // the earlier correction stays
    EXPECT_EQ(L().Width(), 960);
    EXPECT_EQ(host.reloads, 0);
    EXPECT_TRUE(host.factorTexts.last().contains("non positif"));
}

TEST_F(Magnification, FactorGivingAPictureTooLargeIsRefused) {
    L().PlacePoint(PtDz2, 100, 101); // 1 px against 480 px
    EXPECT_FALSE(ApplyMagnification(host, false));
    EXPECT_EQ(L().Width(), 1001);
    EXPECT_EQ(L().dz, 1.0);
    EXPECT_EQ(L().scale, 1.0);
    EXPECT_TRUE(host.factorTexts.last().startsWith("Correction refusée"));
}

TEST_F(Magnification, FineStepsChangeOnlyTheScale) {
    StepScale(host, +1);
    EXPECT_DOUBLE_EQ(L().scale, 0.999);
    EXPECT_EQ(host.factorTexts.last(), "100.10");
    StepScale(host, -1);
    StepScale(host, -1);
    EXPECT_DOUBLE_EQ(L().scale, 1.001);
    EXPECT_EQ(L().Width(), 1001);
    StepScale(host, 0);
    EXPECT_EQ(L().scale, 1.0);
    EXPECT_EQ(R().scale, 1.0);
}

TEST_F(Magnification, FineStepToZeroIsRefused) {
    L().scale = 0.001;
    StepScale(host, +1);
    EXPECT_EQ(L().scale, 0.001);
    EXPECT_TRUE(host.factorTexts.last().startsWith("Correction refusée"));
}

TEST_F(Magnification, CancelKeepsPointsOnTheFileWhenTheEnlargedPictureCannotBeHeld) {
    // A picture said to be reduced a billion times: it cannot be enlarged back.
    R().bitmap = NewViewBitmap(10, 10);
    R().dz = 1e9;
    R().PlacePoint(PtDz1, 2, 3);
    CancelMagnification(host);
    EXPECT_EQ(R().dz, 1.0);
    EXPECT_DOUBLE_EQ(R().pt[PtDz1].x, 2e9);
    EXPECT_DOUBLE_EQ(R().pt[PtDz1].y, 3e9);
    EXPECT_EQ(host.reloads, 1);
    EXPECT_EQ(R().Width(), 1001); // read again from its file
}
