// The caption of the pair on screen.
#include "core/viewpair.h"

#include <gtest/gtest.h>

TEST(PairCaption, SeparatePairShowsKindNameWithItsTrailingSpaceAndBareFileNames) {
    InitStereoKinds();
    tviewpair p;
    p.StereoType = KindPair;
    p.ImgLeft.filename = "/photos/IMG_1234.JPG";
    p.ImgRight.filename = "D:\\Photos\\IMG_1235.JPG";
    p.ImageInfo = "  6000 *  4000 - 24 Bits";
    EXPECT_EQ(PairCaption(p), QString::fromUtf8("Orvanel-3D - 1.3 : Couple d'Images Séparées  - "
                                                "IMG_1234.JPG - IMG_1235.JPG -   6000 *  4000 - "
                                                "24 Bits"));
}

TEST(PairCaption, BlankedPairHasAnEmptyKindName) {
    InitStereoKinds();
    tviewpair p;
    p.StereoType = KindNone;
    p.ImageInfo = NoPictureText;
    EXPECT_EQ(PairCaption(p),
              QString::fromUtf8("Orvanel-3D - 1.3 :  -  -  - Aucun Fichier Image Chargé"));
    p.StereoType = 77; // a kind read from a damaged file
    EXPECT_EQ(PairCaption(p),
              QString::fromUtf8("Orvanel-3D - 1.3 :  -  -  - Aucun Fichier Image Chargé"));
}
