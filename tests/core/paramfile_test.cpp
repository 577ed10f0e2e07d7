// The parameter file: exact text, round trips, separators, defaults, damaged
// files, the redirection of missing images and the reload.
#include "core/paramfile.h"

#include "core/inifile.h"
#include "core/runflags.h"
#include "core/settings.h"
#include "core/timg.h"
#include "core/viewpair.h"
#include "output/naming.h"
#include "output/paramnames.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <cmath>
#include <limits>

namespace {

// Records what the reader and writer ask of the program.
class tfakehost : public tparamhost {
public:
    explicit tfakehost(tsettings& settings) : Settings_(settings) {}

    int ViewsResetCalls = 0;
    bool SaveAccepts = true;
    QString SaveRenameTo;
    int SaveAsked = 0;
    QString OpenAnswer;
    QString OpenStart, OpenProposed;
    QStringList RedirectLeft, RedirectRight; // the fields each dialog showed
    // What the redirection dialog stores on OK; not applied when both empty.
    QString DialogLeft, DialogRight;
    bool DialogTicks = false;
    std::vector<int> Reloads;
    QStringList Messages;
    int Busy = 0;

    void ViewsReset() override { ++ViewsResetCalls; }
    bool AskSaveParamName(QString& fileName) override {
        ++SaveAsked;
        if (!SaveRenameTo.isEmpty()) fileName = SaveRenameTo;
        return SaveAccepts;
    }
    QString AskOpenParamName(const QString& startFolder, const QString& proposed) override {
        OpenStart = startFolder;
        OpenProposed = proposed;
        return OpenAnswer;
    }
    void AskRedirectFolders(const QString& left, const QString& right) override {
        RedirectLeft << left;
        RedirectRight << right;
        if (DialogLeft.isEmpty() && DialogRight.isEmpty()) return;
        Settings_.DirOpenImgL = DialogLeft;
        Settings_.DirOpenImgR = DialogRight;
        RedirectOpen = DialogTicks;
    }
    void ReloadViews(int stereoType) override { Reloads.push_back(stereoType); }
    void ShowMessage(const QString& text) override { Messages << text; }
    void BeginBusy() override { ++Busy; }
    void EndBusy() override { --Busy; }

private:
    tsettings& Settings_;
};

// Run-time flags the reader touches, restored after each test.
class ParamFile : public ::testing::Test {
protected:
    void SetUp() override {
        savedRedirect_ = RedirectOpen;
        savedCwd_ = QDir::currentPath();
        RedirectOpen = false;
    }
    void TearDown() override {
        RedirectOpen = savedRedirect_;
        QDir::setCurrent(savedCwd_);
    }

    QString Path(const char* name) const { return QDir::toNativeSeparators(dir_.filePath(name)); }
    QString Write(const char* name, const QByteArray& text) const {
        QFile f(dir_.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(text);
        return Path(name);
    }
    QByteArray ReadAll(const QString& path) const {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

    QTemporaryDir dir_;
    tsettings settings_;
    tfakehost host_{settings_};

private:
    bool savedRedirect_ = false;
    QString savedCwd_;
};

// The pair of the exact-text test: separate images, the right one reduced
// by dz 0.5 with a placed point, a renamed caption, turns and a crop.
tviewpair SamplePair() {
    tviewpair pair;
    pair.StereoType = KindPair;
    pair.ImgLeft.filename = "D:\\Photos\\IMG_1234.JPG";
    pair.ImgLeft.SetRot(0.0125);
    timg& r = pair.ImgRight;
    r.bitmap = NewViewBitmap(640, 480);
    r.Reset();
    r.filename = "D:\\Photos\\IMG_1235.JPG";
    r.posx = -12.25;
    r.posy = 3;
    r.SetRot(1.5e-6);
    r.autorot = 90;
    r.mirror = 4;
    r.dz = 0.5;
    r.mancropd = true;
    r.mancropl = 10.5;
    r.mancropt = 20;
    r.mancropw = 300;
    r.mancroph = 200;
    r.PlacePoint(2, 100, 40);
    r.pt[4].c = "mon point";
    return pair;
}

void ExpectSameParameters(const timg& a, const timg& b) {
    EXPECT_EQ(a.filename, b.filename);
    EXPECT_EQ(a.posx, b.posx);
    EXPECT_EQ(a.posy, b.posy);
    EXPECT_EQ(a.rot, b.rot);
    EXPECT_EQ(a.autorot, b.autorot);
    EXPECT_EQ(a.mirror, b.mirror);
    EXPECT_EQ(a.dz, b.dz);
    EXPECT_EQ(a.mancropd, b.mancropd);
    EXPECT_EQ(a.mancropl, b.mancropl);
    EXPECT_EQ(a.mancropt, b.mancropt);
    EXPECT_EQ(a.mancropw, b.mancropw);
    EXPECT_EQ(a.mancroph, b.mancroph);
    for (int i = 0; i < kPointCount; ++i) {
        EXPECT_EQ(a.pt[i].c, b.pt[i].c) << i;
        EXPECT_EQ(a.pt[i].x, b.pt[i].x) << i;
        EXPECT_EQ(a.pt[i].y, b.pt[i].y) << i;
        EXPECT_EQ(a.pt[i].d, b.pt[i].d) << i;
    }
}

} // namespace

TEST_F(ParamFile, WrittenFileHasTheExactTextKeyOrderAndPointsTimesDz) {
    const tviewpair pair = SamplePair();
    const QString path = Path("pair.prm");
    ASSERT_TRUE(WriteParams(pair, path, false, host_, settings_, {u'.', u','}));
    EXPECT_EQ(host_.SaveAsked, 0);
    EXPECT_EQ(host_.Busy, 0);
    const QByteArray expected = "[Orvanel-3D]\n"
                                "version=1.3\n"
                                "fichier=Parametres\n"
                                "[Stereo]\n"
                                "type=1\n"
                                "[separator]\n"
                                "decimal=.\n"
                                "thousand=,\n"
                                "[Left]\n"
                                "filename=D:\\Photos\\IMG_1234.JPG\n"
                                "posx=0\n"
                                "posy=0\n"
                                "rot=0.0125\n"
                                "autorot=0\n"
                                "mirror=0\n"
                                "dz=1\n"
                                "mancropd=0\n"
                                "mancropl=0\n"
                                "mancropt=0\n"
                                "mancropw=0\n"
                                "mancroph=0\n"
                                "pt[0].c=courant\n"
                                "pt[0].x=-1\n"
                                "pt[0].y=-1\n"
                                "pt[0].d=0\n"
                                "pt[1].c=stereo0\n"
                                "pt[1].x=0\n"
                                "pt[1].y=0\n"
                                "pt[1].d=0\n"
                                "pt[2].c=stereo1\n"
                                "pt[2].x=-1\n"
                                "pt[2].y=-1\n"
                                "pt[2].d=0\n"
                                "pt[3].c=stereo2\n"
                                "pt[3].x=-1\n"
                                "pt[3].y=-1\n"
                                "pt[3].d=0\n"
                                "pt[4].c=reserve\n"
                                "pt[4].x=-1\n"
                                "pt[4].y=-1\n"
                                "pt[4].d=0\n"
                                "pt[5].c=orient1\n"
                                "pt[5].x=-1\n"
                                "pt[5].y=-1\n"
                                "pt[5].d=0\n"
                                "pt[6].c=orient2\n"
                                "pt[6].x=-1\n"
                                "pt[6].y=-1\n"
                                "pt[6].d=0\n"
                                "pt[7].c=dz1\n"
                                "pt[7].x=-1\n"
                                "pt[7].y=-1\n"
                                "pt[7].d=0\n"
                                "pt[8].c=dz2\n"
                                "pt[8].x=-1\n"
                                "pt[8].y=-1\n"
                                "pt[8].d=0\n"
                                "pt[9].c=win1\n"
                                "pt[9].x=-1\n"
                                "pt[9].y=-1\n"
                                "pt[9].d=0\n"
                                "pt[10].c=win2\n"
                                "pt[10].x=-1\n"
                                "pt[10].y=-1\n"
                                "pt[10].d=0\n"
                                "pt[11].c=cadre1\n"
                                "pt[11].x=-1\n"
                                "pt[11].y=-1\n"
                                "pt[11].d=0\n"
                                "pt[12].c=cadre2\n"
                                "pt[12].x=-1\n"
                                "pt[12].y=-1\n"
                                "pt[12].d=0\n"
                                "pt[13].c=reserve\n"
                                "pt[13].x=-1\n"
                                "pt[13].y=-1\n"
                                "pt[13].d=0\n"
                                "[Right]\n"
                                "filename=D:\\Photos\\IMG_1235.JPG\n"
                                "posx=-12.25\n"
                                "posy=3\n"
                                "rot=1.5E-6\n"
                                "autorot=90\n"
                                "mirror=4\n"
                                "dz=0.5\n"
                                "mancropd=1\n"
                                "mancropl=10.5\n"
                                "mancropt=20\n"
                                "mancropw=300\n"
                                "mancroph=200\n"
                                "pt[0].c=courant\n"
                                "pt[0].x=-0.5\n"
                                "pt[0].y=-0.5\n"
                                "pt[0].d=0\n"
                                "pt[1].c=stereo0\n"
                                "pt[1].x=160\n"
                                "pt[1].y=120\n"
                                "pt[1].d=0\n"
                                "pt[2].c=stereo1\n"
                                "pt[2].x=50\n"
                                "pt[2].y=20\n"
                                "pt[2].d=1\n"
                                "pt[3].c=stereo2\n"
                                "pt[3].x=-0.5\n"
                                "pt[3].y=-0.5\n"
                                "pt[3].d=0\n"
                                "pt[4].c=mon point\n"
                                "pt[4].x=-0.5\n"
                                "pt[4].y=-0.5\n"
                                "pt[4].d=0\n"
                                "pt[5].c=orient1\n"
                                "pt[5].x=-0.5\n"
                                "pt[5].y=-0.5\n"
                                "pt[5].d=0\n"
                                "pt[6].c=orient2\n"
                                "pt[6].x=-0.5\n"
                                "pt[6].y=-0.5\n"
                                "pt[6].d=0\n"
                                "pt[7].c=dz1\n"
                                "pt[7].x=-0.5\n"
                                "pt[7].y=-0.5\n"
                                "pt[7].d=0\n"
                                "pt[8].c=dz2\n"
                                "pt[8].x=-0.5\n"
                                "pt[8].y=-0.5\n"
                                "pt[8].d=0\n"
                                "pt[9].c=win1\n"
                                "pt[9].x=-0.5\n"
                                "pt[9].y=-0.5\n"
                                "pt[9].d=0\n"
                                "pt[10].c=win2\n"
                                "pt[10].x=-0.5\n"
                                "pt[10].y=-0.5\n"
                                "pt[10].d=0\n"
                                "pt[11].c=cadre1\n"
                                "pt[11].x=-0.5\n"
                                "pt[11].y=-0.5\n"
                                "pt[11].d=0\n"
                                "pt[12].c=cadre2\n"
                                "pt[12].x=-0.5\n"
                                "pt[12].y=-0.5\n"
                                "pt[12].d=0\n"
                                "pt[13].c=reserve\n"
                                "pt[13].x=-0.5\n"
                                "pt[13].y=-0.5\n"
                                "pt[13].d=0\n";
    EXPECT_EQ(ReadAll(path), expected);
    EXPECT_EQ(PrmFileName, path);
    EXPECT_EQ(settings_.OpenDirPrm, QDir::toNativeSeparators(dir_.path()));
}

TEST_F(ParamFile, HalfSizeViewIsWrittenAtImageScaleAndReadAsStored) {
    const QString path = Path("half.prm");
    ASSERT_TRUE(WriteParams(SamplePair(), path, false, host_, settings_, {u'.', u','}));
    tviewpair read;
    EXPECT_EQ(ReadParams(read, path, true, host_, settings_, {u'.', u','}), tparamread::Read);
    // The reload divides by dz again; until then the points refer to the file.
    EXPECT_EQ(read.ImgRight.dz, 0.5);
    EXPECT_EQ(read.ImgRight.pt[2].x, 50);
    EXPECT_EQ(read.ImgRight.pt[2].y, 20);
    EXPECT_TRUE(read.ImgRight.pt[2].d);
    EXPECT_EQ(read.ImgRight.pt[2].x / read.ImgRight.dz, 100);
    EXPECT_EQ(read.ImgRight.pt[2].y / read.ImgRight.dz, 40);
    EXPECT_EQ(host_.Reloads, std::vector<int>{KindPair});
}

TEST_F(ParamFile, WriteThenReadGivesTheSameParameters) {
    tviewpair pair;
    pair.StereoType = KindCrossed;
    for (timg* v : {&pair.ImgLeft, &pair.ImgRight}) {
        const double k = v == &pair.ImgLeft ? 1 : -1;
        v->filename = QString::fromUtf8("/photos/été/vue=%1.jpg").arg(k);
        v->posx = 123.25 * k;
        v->posy = -0.0625 * k;
        v->SetRot(6.28);
        v->autorot = 270;
        v->mirror = 8;
        v->mancropd = true;
        v->mancropl = 1.5;
        v->mancropt = 2.75;
        v->mancropw = 1000.125;
        v->mancroph = 3e-7;
        for (int i = 0; i < kPointCount; ++i) {
            v->PlacePoint(i, 10.5 * i * k, 1234567.125 - i);
            v->pt[i].d = i % 3 == 0;
            v->pt[i].c = QString::fromUtf8("point n°%1 ; [x]").arg(i);
        }
    }
    pair.ImgLeft.rot = 0.1; // not exactly representable: 15 digits are enough

    for (const tseparators seps : {tseparators{u'.', u','}, tseparators{u',', u' '}}) {
        const QString path = Path("round.prm");
        ASSERT_TRUE(WriteParams(pair, path, false, host_, settings_, seps));
        tviewpair read;
        EXPECT_EQ(ReadParams(read, path, true, host_, settings_, {u'.', u','}), tparamread::Read);
        EXPECT_EQ(read.StereoType, KindCrossed);
        ExpectSameParameters(read.ImgLeft, pair.ImgLeft);
        ExpectSameParameters(read.ImgRight, pair.ImgRight);
        EXPECT_EQ(read.ImgLeft.scale, 1.0);
    }
}

TEST_F(ParamFile, CommaSeparatorFileReadsTheSameAnglesAndChangesNothingGlobal) {
    const QString path = Write("comma.prm", "[separator]\n"
                                            "decimal=,\n"
                                            "thousand=.\n"
                                            "[Left]\n"
                                            "posx=-12,25\n"
                                            "rot=0,0125\n"
                                            "pt[2].x=1,5E-6\n"
                                            "[Right]\n"
                                            "rot=0.0125\n");
    const QString localeBefore = QLocale().name();
    const tseparators before = SystemSeparators();
    tviewpair pair;
    EXPECT_EQ(ReadParams(pair, path, false, host_, settings_, {u'.', u','}), tparamread::Read);
    EXPECT_EQ(pair.ImgLeft.rot, 0.0125);
    EXPECT_EQ(pair.ImgLeft.posx, -12.25);
    EXPECT_EQ(pair.ImgLeft.pt[2].x, 1.5e-6);
    EXPECT_EQ(pair.ImgRight.rot, 0); // written with the wrong separator: its default
    EXPECT_EQ(QLocale().name(), localeBefore);
    EXPECT_EQ(SystemSeparators().decimal, before.decimal);
    EXPECT_EQ(SystemSeparators().thousand, before.thousand);

    // The same file read where the separator is a comma.
    tviewpair again;
    ReadParams(again, path, false, host_, settings_, {u',', u' '});
    EXPECT_EQ(again.ImgLeft.rot, 0.0125);
}

TEST_F(ParamFile, AnglesAreNormalisedAndNonFiniteOrHugeNumbersTakeTheirDefaults) {
    const QString path = Write("rot.prm", "[Left]\n"
                                          "rot=7\n"
                                          "posx=1e300\n"
                                          "dz=nan\n"
                                          "pt[3].x=inf\n"
                                          "pt[3].y=-1E10\n"
                                          "[Right]\n"
                                          "rot=nan\n"
                                          "posy=-inf\n"
                                          "mancropw=12abc\n");
    tviewpair pair;
    EXPECT_EQ(ReadParams(pair, path, false, host_, settings_, {u'.', u','}), tparamread::Read);
    EXPECT_EQ(pair.ImgLeft.rot, 7 - 6.283185307179586477);
    EXPECT_EQ(pair.ImgLeft.posx, 0);
    EXPECT_EQ(pair.ImgLeft.dz, 1);
    EXPECT_EQ(pair.ImgLeft.pt[3].x, -1);
    EXPECT_EQ(pair.ImgLeft.pt[3].y, -1);
    EXPECT_EQ(pair.ImgRight.rot, 0);
    EXPECT_EQ(pair.ImgRight.posy, 0);
    EXPECT_EQ(pair.ImgRight.mancropw, 0);
    for (const char* text : {"rot=inf", "rot=-inf", "rot=NAN"}) {
        const QString p = Write("r.prm", QByteArray("[Left]\n") + text + "\n");
        tviewpair v;
        ReadParams(v, p, false, host_, settings_, {u'.', u','});
        EXPECT_EQ(v.ImgLeft.rot, 0) << text;
    }
}

TEST_F(ParamFile, ApplyingParametersKeepsTheCurrentImagesAndKind) {
    const QString left = Write("a.jpg", "x");
    const QString right = Write("b.jpg", "x");
    tviewpair pair;
    pair.StereoType = KindCrossed;
    pair.ImgLeft.filename = left;
    pair.ImgRight.filename = right;
    pair.ImgLeft.bitmap = NewViewBitmap(40, 30);
    pair.ImgLeft.posy = 99;
    const QString path = Write("apply.prm", "[Stereo]\n"
                                            "type=5\n"
                                            "[Left]\n"
                                            "filename=/elsewhere/other.jpg\n"
                                            "posx=7\n"
                                            "autorot=180\n"
                                            "mirror=8\n"
                                            "dz=2\n"
                                            "mancropd=1\n"
                                            "mancroph=5\n"
                                            "pt[3].x=8\n"
                                            "pt[3].d=1\n");
    EXPECT_EQ(ReadParams(pair, path, false, host_, settings_, {u'.', u','}), tparamread::Read);
    EXPECT_EQ(pair.StereoType, KindCrossed);
    EXPECT_EQ(pair.ImgLeft.filename, left);
    EXPECT_EQ(pair.ImgRight.filename, right);
    EXPECT_EQ(pair.ImgLeft.bitmap.size(), QSize(40, 30));
    EXPECT_EQ(pair.ImgLeft.posx, 7);
    EXPECT_EQ(pair.ImgLeft.posy, 0); // nothing of the old alignment survives
    EXPECT_EQ(pair.ImgLeft.autorot, 180);
    EXPECT_EQ(pair.ImgLeft.mirror, 8);
    EXPECT_EQ(pair.ImgLeft.dz, 2);
    EXPECT_TRUE(pair.ImgLeft.mancropd);
    EXPECT_EQ(pair.ImgLeft.mancroph, 5);
    EXPECT_EQ(pair.ImgLeft.pt[3].x, 8);
    EXPECT_EQ(pair.ImgLeft.pt[3].y, -1);
    EXPECT_TRUE(pair.ImgLeft.pt[3].d);
    EXPECT_TRUE(host_.RedirectLeft.isEmpty()); // the images are there
    EXPECT_EQ(host_.Reloads, std::vector<int>{KindCrossed});
    EXPECT_EQ(host_.ViewsResetCalls, 1);
}

TEST_F(ParamFile, OpeningWithImagesTakesKindNamesAndFolders) {
    CurPoint = 5;
    PointsLocked = true;
    settings_.VisuCurrent = false;
    settings_.CropIndex = 2;
    const QString path = Write("open.prm", "[Stereo]\n"
                                           "type=2\n"
                                           "[Left]\n"
                                           "filename=D:\\old\\img1.jpg\n"
                                           "[Right]\n"
                                           "filename=/mnt/old/img2.jpg\n");
    tviewpair pair;
    EXPECT_EQ(ReadParams(pair, path, true, host_, settings_, {u'.', u','}), tparamread::Read);
    EXPECT_EQ(pair.StereoType, KindCrossed);
    EXPECT_EQ(pair.ImgLeft.filename, "D:\\old\\img1.jpg");
    EXPECT_EQ(pair.ImgRight.filename, "/mnt/old/img2.jpg");
    EXPECT_EQ(settings_.OpenDirL, QDir::toNativeSeparators("D:/old"));
    EXPECT_EQ(settings_.OpenDirR, QDir::toNativeSeparators("/mnt/old"));
    EXPECT_EQ(settings_.CropIndex, 0);
    EXPECT_EQ(CurPoint, 0);
    EXPECT_FALSE(PointsLocked);
    EXPECT_TRUE(settings_.VisuCurrent);
    EXPECT_EQ(PrmFileName, path);
    EXPECT_EQ(settings_.OpenDirPrm, QDir::toNativeSeparators(dir_.path()));
    EXPECT_EQ(host_.Busy, 0);
}

TEST_F(ParamFile, MissingSectionsAndKeysGiveTheDefaults) {
    const QString path = Write("empty.prm", "[Left]\n"
                                            "pt[5].x=3\n");
    tviewpair pair;
    pair.StereoType = KindCrossed;
    pair.ImgLeft.filename = "kept.jpg";
    EXPECT_EQ(ReadParams(pair, path, true, host_, settings_, {u'.', u','}), tparamread::Read);
    EXPECT_EQ(pair.StereoType, KindSingle); // no "Stereo" section
    EXPECT_EQ(host_.Reloads, std::vector<int>{KindSingle});
    EXPECT_EQ(pair.ImgLeft.filename, "");
    for (const timg* v : {&pair.ImgLeft, &pair.ImgRight}) {
        EXPECT_EQ(v->posx, 0);
        EXPECT_EQ(v->rot, 0);
        EXPECT_EQ(v->dz, 1);
        EXPECT_EQ(v->autorot, 0);
        EXPECT_FALSE(v->mancropd);
        for (int i = 0; i < kPointCount; ++i) {
            EXPECT_EQ(v->pt[i].c, "") << i; // not the table caption
            EXPECT_EQ(v->pt[i].y, -1);
            EXPECT_FALSE(v->pt[i].d);
        }
    }
    EXPECT_EQ(pair.ImgLeft.pt[5].x, 3);
    // Views without a file have nothing to look for.
    EXPECT_TRUE(host_.RedirectLeft.isEmpty());
}

TEST_F(ParamFile, EightBitFileKeepsItsAccentedNames) {
    // "é" and "°" as an older 8-bit writer left them (Windows-1252).
    const QString path = Write("old.prm", "[Left]\n"
                                          "filename=C:\\Vues\\\xE9t\xE9.jpg\n"
                                          "pt[0].c=n\xB0 1\n");
    tviewpair pair;
    ReadParams(pair, path, true, host_, settings_, {u'.', u','});
    EXPECT_EQ(pair.ImgLeft.filename, QString::fromUtf8("C:\\Vues\\été.jpg"));
    EXPECT_EQ(pair.ImgLeft.pt[0].c, QString::fromUtf8("n° 1"));
}

TEST_F(ParamFile, RepeatedKeysKeepTheFirstValue) {
    const QString path = Write("dup.prm", "[Left]\n"
                                          "posx=1\n"
                                          "posx=2\n"
                                          "[Right]\n"
                                          "posy=3\n"
                                          "[Left]\n"
                                          "posx=4\n"
                                          "posy=5\n");
    tviewpair pair;
    ReadParams(pair, path, false, host_, settings_, {u'.', u','});
    EXPECT_EQ(pair.ImgLeft.posx, 1);
    EXPECT_EQ(pair.ImgLeft.posy, 5);
    EXPECT_EQ(pair.ImgRight.posy, 3);
}

TEST_F(ParamFile, EmptyDecimalSeparatorLeavesTheViewsResetAndTellsTheUser) {
    const QString path = Write("nodec.prm", "[separator]\n"
                                            "decimal=\n"
                                            "thousand=,\n"
                                            "[Left]\n"
                                            "posx=5\n"
                                            "autorot=90\n");
    tviewpair pair;
    EXPECT_EQ(ReadParams(pair, path, false, host_, settings_, {u'.', u','}), tparamread::Partial);
    EXPECT_EQ(pair.ImgLeft.posx, 0);
    EXPECT_EQ(pair.ImgLeft.autorot, 0);
    ASSERT_EQ(host_.Messages.size(), 1);
    EXPECT_TRUE(host_.Messages[0].contains(path));
    EXPECT_EQ(host_.Reloads.size(), 1u);
}

TEST_F(ParamFile, EmptyThousandsSeparatorDoesNotSpoilTheFile) {
    // Written where the thousands separator is a space: the line is trimmed.
    const QString path = Write("space.prm", "[separator]\n"
                                            "decimal=,\n"
                                            "thousand= \n"
                                            "[Left]\n"
                                            "posx=5,5\n");
    tviewpair pair;
    EXPECT_EQ(ReadParams(pair, path, false, host_, settings_, {u'.', u','}), tparamread::Read);
    EXPECT_EQ(pair.ImgLeft.posx, 5.5);
    EXPECT_TRUE(host_.Messages.isEmpty());
}

TEST_F(ParamFile, MagnificationThatIsNotPositiveIsRefusedAndThePairKept) {
    for (const char* dz : {"0", "-1", "-0,5", "1E-9", "1E9"}) {
        tfakehost host(settings_);
        tviewpair pair;
        pair.ImgLeft.filename = "mine.jpg";
        pair.ImgLeft.posx = 42;
        pair.StereoType = KindPair;
        const QString path = Write("dz.prm", QByteArray("[separator]\ndecimal=,\n"
                                                        "[Left]\nposx=1\n[Right]\ndz=") +
                                                 dz + "\n");
        EXPECT_EQ(ReadParams(pair, path, true, host, settings_, {u'.', u','}), tparamread::Refused)
            << dz;
        EXPECT_EQ(pair.ImgLeft.posx, 42);
        EXPECT_EQ(pair.ImgLeft.filename, "mine.jpg");
        EXPECT_EQ(pair.StereoType, KindPair);
        ASSERT_EQ(host.Messages.size(), 1);
        EXPECT_TRUE(host.Messages[0].contains(QString("dz=") + dz))
            << host.Messages[0].toStdString();
        EXPECT_TRUE(host.Messages[0].contains("[Right]"));
        EXPECT_TRUE(host.Reloads.empty());
        EXPECT_EQ(host.ViewsResetCalls, 0);
        EXPECT_EQ(host.Busy, 0);
    }
}

TEST_F(ParamFile, FileThatIsMissingOrNotAFileIsRefusedWithAMessage) {
    PrmFileName = "before.prm";
    for (const QString& path : {Path("nothere.prm"), QDir::toNativeSeparators(dir_.path())}) {
        tfakehost host(settings_);
        tviewpair pair;
        pair.ImgLeft.posx = 42;
        EXPECT_EQ(ReadParams(pair, path, true, host, settings_), tparamread::Refused);
        EXPECT_EQ(pair.ImgLeft.posx, 42);
        ASSERT_EQ(host.Messages.size(), 1);
        EXPECT_TRUE(host.Messages[0].contains(path));
        EXPECT_TRUE(host.Reloads.empty());
        EXPECT_TRUE(host.RedirectLeft.isEmpty());
        EXPECT_EQ(host.Busy, 0);
    }
    EXPECT_EQ(PrmFileName, "before.prm");
}

TEST_F(ParamFile, TenMegabytesOfGarbageReadAsDefaults) {
    QByteArray garbage(10 * 1024 * 1024, '\0');
    quint32 seed = 12345;
    for (char& c : garbage) {
        seed = seed * 1664525u + 1013904223u;
        c = char(seed >> 24);
    }
    const QString path = Write("garbage.prm", garbage);
    tviewpair pair;
    pair.ImgLeft.posx = 42;
    const tparamread result = ReadParams(pair, path, true, host_, settings_, {u'.', u','});
    EXPECT_NE(result, tparamread::Refused);
    EXPECT_EQ(pair.ImgLeft.dz, 1);
    EXPECT_EQ(pair.ImgLeft.posx, 0);
    EXPECT_EQ(host_.Reloads.size(), 1u);

    // Far beyond any parameter file: not parsed at all.
    const QString huge = Write("huge.prm", QByteArray(17 * 1024 * 1024, 'a'));
    tfakehost host(settings_);
    EXPECT_EQ(ReadParams(pair, huge, true, host, settings_), tparamread::Refused);
    EXPECT_EQ(host.Messages.size(), 1);
}

TEST_F(ParamFile, ImagesFoundInPlaceNeedNoRedirection) {
    const QString left = Write("l.jpg", "x");
    const QString right = Write("r.jpg", "x");
    const QString path = Write("here.prm", "[Left]\nfilename=" + left.toUtf8() +
                                               "\n[Right]\nfilename=" + right.toUtf8() + "\n");
    settings_.DirOpenImgL = "/nowhere";
    tviewpair pair;
    ReadParams(pair, path, true, host_, settings_, {u'.', u','});
    EXPECT_EQ(pair.ImgLeft.filename, left);
    EXPECT_EQ(pair.ImgRight.filename, right);
    EXPECT_TRUE(host_.RedirectLeft.isEmpty());
}

TEST_F(ParamFile, RedirectionOnFindsImagesByFileNameInTheirFolders) {
    QDir(dir_.path()).mkdir("L");
    QDir(dir_.path()).mkdir("R");
    const QString left = Write("L/img1.jpg", "x");
    const QString right = Write("R/img2.jpg", "x");
    settings_.DirOpenImgL = Path("L");
    settings_.DirOpenImgR = Path("R");
    RedirectOpen = true;
    const QString path = Write("moved.prm", "[Left]\n"
                                            "filename=D:\\old\\img1.jpg\n"
                                            "[Right]\n"
                                            "filename=D:\\old\\img2.jpg\n");
    tviewpair pair;
    ReadParams(pair, path, true, host_, settings_, {u'.', u','});
    EXPECT_EQ(pair.ImgLeft.filename, left);
    EXPECT_EQ(pair.ImgRight.filename, right);
    EXPECT_TRUE(host_.RedirectLeft.isEmpty());
}

TEST_F(ParamFile, MissingImageAsksForTheFoldersAndMovesTheName) {
    QDir(dir_.path()).mkdir("L");
    QDir(dir_.path()).mkdir("R");
    const QString left = Write("L/img1.jpg", "x");
    const QString right = Write("R/img2.jpg", "x");
    settings_.DirOpenImgR = "/previous/right";
    host_.DialogLeft = Path("L");
    host_.DialogRight = Path("R");
    host_.DialogTicks = true;
    const QString path = Write("lost.prm", "[Left]\n"
                                           "filename=D:\\old\\img1.jpg\n"
                                           "[Right]\n"
                                           "filename=D:\\old\\img2.jpg\n");
    tviewpair pair;
    // The parameters are applied to views whose names come from the file.
    ReadParams(pair, path, true, host_, settings_, {u'.', u','});
    EXPECT_EQ(host_.RedirectLeft, QStringList{QDir::toNativeSeparators("D:/old")});
    EXPECT_EQ(host_.RedirectRight, QStringList{"/previous/right"});
    EXPECT_EQ(pair.ImgLeft.filename, left);
    // The dialog switched redirection on: the right image is found at once.
    EXPECT_EQ(pair.ImgRight.filename, right);
}

TEST_F(ParamFile, MissingImageWithoutRedirectionFolderKeepsItsName) {
    const QString path = Write("lost.prm", "[Left]\n"
                                           "filename=D:\\old\\img1.jpg\n"
                                           "[Right]\n"
                                           "filename=/old/img2.jpg\n");
    settings_.DirOpenImgL = "   ";
    tviewpair pair;
    ReadParams(pair, path, true, host_, settings_, {u'.', u','});
    EXPECT_EQ(pair.ImgLeft.filename, "D:\\old\\img1.jpg");
    EXPECT_EQ(pair.ImgRight.filename, "/old/img2.jpg");
    // Left dialog: the image's folder and the right folder; right dialog:
    // the left folder and the image's folder.
    EXPECT_EQ(host_.RedirectLeft, (QStringList{QDir::toNativeSeparators("D:/old"), "   "}));
    EXPECT_EQ(host_.RedirectRight, (QStringList{"", QDir::toNativeSeparators("/old")}));
    EXPECT_EQ(host_.Reloads.size(), 1u);
}

TEST_F(ParamFile, WriterCreatesMissingFoldersAndFailsCleanly) {
    const QString deep = Path("a/b/c.prm");
    EXPECT_TRUE(WriteParams(SamplePair(), deep, false, host_, settings_));
    EXPECT_TRUE(QFile::exists(deep));
    EXPECT_EQ(settings_.OpenDirPrm, Path("a/b"));

    Write("plain", "x");
    PrmFileName = "before.prm";
    EXPECT_FALSE(WriteParams(SamplePair(), Path("plain/sub/c.prm"), false, host_, settings_));
    EXPECT_FALSE(WriteParams(SamplePair(), Path("a"), false, host_, settings_)); // a folder
    EXPECT_FALSE(WriteParams(SamplePair(), "  ", false, host_, settings_));
    EXPECT_EQ(PrmFileName, "before.prm");
    EXPECT_EQ(host_.Busy, 0);
}

TEST_F(ParamFile, WriterDialogCanCancelOrRename) {
    const QString path = Path("d.prm");
    host_.SaveAccepts = false;
    EXPECT_FALSE(WriteParams(SamplePair(), path, true, host_, settings_));
    EXPECT_FALSE(QFile::exists(path));

    host_.SaveAccepts = true;
    host_.SaveRenameTo = Path("renamed.prm");
    EXPECT_TRUE(WriteParams(SamplePair(), path, true, host_, settings_));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(QFile::exists(host_.SaveRenameTo));
    EXPECT_EQ(PrmFileName, host_.SaveRenameTo);
    EXPECT_EQ(host_.SaveAsked, 2);
}

TEST_F(ParamFile, DefaultNameComesFromTheSaveFieldsOrFallsBackToCurrentPrm) {
    tnamingfields fields;
    fields.LeftFile = "/p/IMG_1234.JPG";
    fields.RightFile = "/p/IMG_1235.JPG";
    fields.RepBase = dir_.path();
    fields.Folder[KindParams] = ".\\prm";
    settings_.AskBeforeCreateDir = false;
    tfixedfolderanswers answers(false);
    const QString expected = Path("prm/IMG_1234_35.prm");
    EXPECT_EQ(DefaultParamName(fields, settings_, answers), expected);
    EXPECT_EQ(PrmFileName, expected);

    Write("plain", "x");
    fields.Folder[KindParams] = Path("plain/prm");
    EXPECT_EQ(DefaultParamName(fields, settings_, answers), "current.prm");
}

TEST_F(ParamFile, SaveAndOpenCommandsGoThroughTheirDialogs) {
    tnamingfields fields;
    fields.LeftFile = "/p/IMG_1234.JPG";
    fields.RepBase = dir_.path();
    fields.Folder[KindParams] = ".\\prm";
    settings_.AskBeforeCreateDir = false;
    tfixedfolderanswers answers(false);
    EXPECT_TRUE(SaveParams(SamplePair(), fields, host_, settings_, answers));
    EXPECT_EQ(host_.SaveAsked, 1);
    const QString saved = Path("prm/IMG_1234.prm");
    EXPECT_TRUE(QFile::exists(saved));

    settings_.OpenDirPrm = "/start/here";
    tviewpair pair;
    EXPECT_EQ(OpenParamsDialog(pair, true, fields, host_, settings_, answers),
              tparamread::Refused); // cancelled
    EXPECT_EQ(host_.OpenStart, "/start/here");
    EXPECT_EQ(host_.OpenProposed, saved);
    EXPECT_TRUE(host_.Reloads.empty());

    host_.OpenAnswer = saved;
    EXPECT_EQ(OpenParamsDialog(pair, true, fields, host_, settings_, answers), tparamread::Read);
    EXPECT_EQ(pair.ImgRight.filename, "D:\\Photos\\IMG_1235.JPG");
    EXPECT_EQ(settings_.OpenDirPrm, Path("prm"));
}
