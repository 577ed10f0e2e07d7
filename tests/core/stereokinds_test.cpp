// The stereo kind vocabulary, checked against the texts the interface shows.
#include "core/stereokinds.h"

#include <gtest/gtest.h>

TEST(StereoKinds, NamesAreExactIncludingTrailingSpaces) {
    InitStereoKinds();
    EXPECT_EQ(StereoKindNames[0], QString::fromUtf8("Image Simple"));
    EXPECT_EQ(StereoKindNames[1], QString::fromUtf8("Couple d'Images Séparées "));
    EXPECT_EQ(StereoKindNames[2], QString::fromUtf8("Stéréo Croisée"));
    EXPECT_EQ(StereoKindNames[3], QString::fromUtf8("Stéréo Parallèle"));
    EXPECT_EQ(StereoKindNames[4], QString::fromUtf8("Anaglyphe"));
    EXPECT_EQ(StereoKindNames[5], QString::fromUtf8("Stéréo Verticale"));
    EXPECT_EQ(StereoKindNames[6], QString::fromUtf8("Double Stéréo"));
    EXPECT_EQ(StereoKindNames[7], QString::fromUtf8("Vue Gauche"));
    EXPECT_EQ(StereoKindNames[8], QString::fromUtf8("Vue Droite"));
    EXPECT_TRUE(StereoKindNames[9].isEmpty());
    EXPECT_EQ(StereoKindNames[10], QString::fromUtf8("Fichier Paramètres de Calage"));
    EXPECT_EQ(StereoKindNames[11], QString::fromUtf8("Couple d'Images Séparées "));
    EXPECT_EQ(StereoKindNames[12], QString::fromUtf8("Vue Droite"));
}

TEST(StereoKinds, StemsSuffixesAndFoldersPerKind) {
    struct Row {
        int kind;
        const char* stem;
        const char* suffix;
        const char* folder;
    };
    const Row rows[] = {{2, "SX", "_X", ".\\x"},       {3, "SP", "_P", ".\\p"},
                        {4, "Ana", "_A", ".\\ana"},    {5, "SV", "_V", ".\\v"},
                        {6, "Bi", "_Bi", ".\\bi"},     {7, "L", "_L", ".\\l"},
                        {8, "R", "_R", ".\\r"},        {10, "Prm", "", ".\\prm"},
                        {13, "MPO", "_MPO", ".\\mpo"}, {14, "HSBS", "_HSBS", ".\\hsbs"},
                        {15, "HOU", "_HOU", ".\\hou"}};
    for (const Row& r : rows) {
        EXPECT_EQ(KindStem(r.kind), r.stem) << r.kind;
        EXPECT_EQ(KindDefaultSuffix(r.kind), r.suffix) << r.kind;
        EXPECT_EQ(KindDefaultFolder(r.kind), r.folder) << r.kind;
    }
    EXPECT_EQ(KindStem(0), "Img");
    EXPECT_TRUE(KindStem(11).isEmpty());
    EXPECT_TRUE(KindStem(kOutputKindCount).isEmpty());
    EXPECT_TRUE(KindStem(-1).isEmpty());
}

TEST(StereoKinds, OpenDialogTitles) {
    EXPECT_EQ(OpenDialogTitle(0), QString::fromUtf8("Ouvrir : Image"));
    EXPECT_EQ(OpenDialogTitle(1), QString::fromUtf8("Ouvrir : Vue Gauche (et Vue Droite)"));
    EXPECT_EQ(OpenDialogTitle(6), QString::fromUtf8("Ouvrir : Stéréo Double (GDG)"));
    EXPECT_EQ(OpenDialogTitle(10), QString::fromUtf8("Ouvrir : Fichier de Paramètres"));
    EXPECT_TRUE(OpenDialogTitle(9).isEmpty());
}

TEST(StereoKinds, PipeFiltersBecomeQtFilters) {
    EXPECT_EQ(PipeFilterToQt(ParamFileFilter), "Params *.prm (*.prm);;All Files *.* (*.*)");
    EXPECT_EQ(PipeFilterToQt(PictureSaveFilter).count(";;"), 3);
    EXPECT_EQ(PipeFilterToQt("Images|*.bmp;*.jpg|Tous|*.*"), "Images (*.bmp *.jpg);;Tous (*.*)");
}
