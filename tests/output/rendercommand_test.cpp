// `orvanel-cli render` end to end: the files of every kind with their names
// and folders, a turned pair from a parameter file against the reference
// composition, batches given with relative paths, the band between composite
// views, overwriting, failures and usage errors.
#include "core/paramfile.h"
#include "core/settings.h"
#include "core/viewpair.h"
#include "outputfixtures.h"
#include "readonlyfolder.h"
#include "smooth_ref.h"
#include "support/jpegheader.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include <cmath>
#include <tuple>

namespace {

struct CliRun {
    int exitCode = -1;
    QStringList lines; // standard output, one entry per line
    QString err;
};

CliRun Render(const QStringList& args, const QString& folder = QString()) {
    QProcess p;
    if (!folder.isEmpty()) p.setWorkingDirectory(folder);
    p.start(QStringLiteral(ORVANEL_BIN_DIR "/orvanel-cli"), QStringList{"render"} + args);
    p.waitForFinished(120000);
    CliRun r;
    r.exitCode = p.exitCode();
    r.lines = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QByteArray Content(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class tnoparamdialogs : public tparamhost {
public:
    bool AskSaveParamName(QString&) override { return true; }
    QString AskOpenParamName(const QString&, const QString&) override { return {}; }
    void AskRedirectFolders(const QString&, const QString&) override {}
    void ReloadViews(int) override {}
    void ShowMessage(const QString&) override {}
};

// Two pattern pictures written as l.bmp and r.bmp in a temporary folder.
struct RenderFixture : ::testing::Test {
    QTemporaryDir dir;
    timg l, r;
    QString left, right;

    void SetUp() override {
        MakePatternView(l, 80, 60, 5);
        MakePatternView(r, 80, 60, 9);
        left = dir.filePath("l.bmp");
        right = dir.filePath("r.bmp");
        ASSERT_TRUE(l.bitmap.save(left));
        ASSERT_TRUE(r.bitmap.save(right));
    }
    QString Out(const QString& rel) const { return QDir(dir.path()).filePath(rel); }
};

int CountDifferences(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return -1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (Rgb(a, x, y) != Rgb(b, x, y)) ++n;
    return n;
}

} // namespace

TEST_F(RenderFixture, EveryKindLandsInItsFolderUnderItsName) {
    const CliRun run = Render({"--noini", "--left", left, "--right", right, "--kinds",
                               "X,P,V,A,Bi,L,R,Prm", "--out", Out("o")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList files = {"o/prm/l_r.prm",   "o/l/l_r_L.bmp",  "o/r/l_r_R.bmp",
                               "o/x/l_r_X.bmp",   "o/p/l_r_P.bmp",  "o/v/l_r_V.bmp",
                               "o/ana/l_r_A.bmp", "o/bi/l_r_Bi.bmp"};
    ASSERT_EQ(run.lines.size(), files.size());
    for (int i = 0; i < files.size(); ++i) {
        const QString path = Out(files[i]);
        EXPECT_TRUE(QFile::exists(path)) << files[i].toStdString();
        EXPECT_EQ(run.lines[i], QDir::cleanPath(path) + "\tOk - " +
                                    QString::number(QFileInfo(path).size() / 1024) + " Ko");
    }
    // Real size: the frame of two unshifted 80 x 60 views.
    EXPECT_EQ(QImage(Out("o/x/l_r_X.bmp")).size(), QSize(160, 60));
    EXPECT_EQ(QImage(Out("o/bi/l_r_Bi.bmp")).size(), QSize(240, 60));
    EXPECT_EQ(QImage(Out("o/v/l_r_V.bmp")).size(), QSize(80, 120));
}

TEST_F(RenderFixture, DefaultsAreCrossedAnaglyphAndParametersBesideTheLeftPicture) {
    const CliRun run = Render({"--noini", "--left", left, "--right", right});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.lines.size(), 3);
    EXPECT_TRUE(QFile::exists(Out("x/l_r_X.bmp")));
    EXPECT_TRUE(QFile::exists(Out("ana/l_r_A.bmp")));
    EXPECT_TRUE(QFile::exists(Out("prm/l_r.prm")));
}

TEST_F(RenderFixture, TurnedPairFromAParameterFileMatchesTheReference) {
    tviewpair pair;
    pair.ImgLeft.bitmap = l.bitmap;
    pair.ImgRight.bitmap = r.bitmap;
    pair.ImgLeft.filename = left;
    pair.ImgRight.filename = right;
    pair.StereoType = KindPair;
    pair.ImgLeft.PlacePoint(PtStereo0, 40, 30);
    pair.ImgRight.PlacePoint(PtStereo0, 38, 31);
    // Values exact in binary and in short decimals, so the file keeps them.
    pair.ImgRight.rot = 0.0625;
    pair.ImgRight.posx = -3.5;
    pair.ImgRight.posy = 2.25;
    pair.ImgLeft.posx = 1.5;
    tnoparamdialogs host;
    tsettings settings;
    const QString prm = Out("turned.prm");
    ASSERT_TRUE(WriteParams(pair, prm, false, host, settings));

    const CliRun run = Render({"--noini", "--prm", prm, "--kinds", "X,A", "--sep", "4", "--out",
                               Out("o"), "--name", "t"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

    // The common frame, worked out by hand. The left view, shifted 1.5, spans
    // x 1.5..80.5, y 0..59. The right view turns by -0.0625 (cos 0.9980475,
    // sin 0.0624593) about (38, 31), then moves by (-3.5, 2.25); its corners
    // from their offsets to the centre:
    //   TL (-38, -31): x 34.5 - 37.92581 - 1.93624 = -5.36204,
    //                  y 33.25 + 2.37345 - 30.93947 = 4.68398
    //   TR (41, -31):  x 34.5 + 40.91995 - 1.93624 = 73.48371, y -0.25030
    //   BL (-38, 28):  x 34.5 - 37.92581 + 1.74886 = -1.67694, y 63.56878
    //   BR (41, 28):   x 77.16881, y 33.25 - 2.56083 + 27.94533 = 58.63450
    // x from 1.5 to 73.48371: trunc(72.98) = 72 wide; y from 4.68398 to
    // 58.63450: trunc(54.95) = 54 high; both views start at its corner.
    const QPointF origin(1.5, 4.683981246307376);
    const int W = 72, H = 54, S = 4;
    auto draw = [&](QImage& img, const timg& v, int x0, quint32 write, quint32 keep) {
        ReferenceSmooth(v.bitmap, img, x0, 0, x0 + W - 1, H - 1, v.CentreX(), v.CentreY(),
                        v.posx - origin.x(), v.posy - origin.y(), v.rot, 1.0, write, keep);
    };
    QImage crossed(2 * W + S, H, QImage::Format_ARGB32);
    crossed.fill(0);
    draw(crossed, pair.ImgLeft, W + S, 0xFFFFFF, 0xFFFFFF);
    draw(crossed, pair.ImgRight, 0, 0xFFFFFF, 0xFFFFFF);
    EXPECT_EQ(CountDifferences(QImage(Out("o/x/t_X.bmp")), crossed), 0);
    QImage ana(W, H, QImage::Format_ARGB32);
    ana.fill(0);
    draw(ana, pair.ImgLeft, 0, 0xFF0000, 0x00FFFF);
    draw(ana, pair.ImgRight, 0, 0x00FFFF, 0xFF0000);
    EXPECT_EQ(CountDifferences(QImage(Out("o/ana/t_A.bmp")), ana), 0);
}

TEST_F(RenderFixture, SeveralParameterFilesAreRenderedInTurn) {
    ASSERT_TRUE(QFile::copy(left, Out("m.bmp")));
    ASSERT_TRUE(QFile::copy(right, Out("n.bmp")));
    tnoparamdialogs host;
    tsettings settings;
    for (const auto& [prm, l, r] :
         {std::tuple<QString, QString, QString>{Out("a.prm"), left, right},
          {Out("b.prm"), Out("m.bmp"), Out("n.bmp")}}) {
        tviewpair pair;
        pair.ImgLeft.filename = l;
        pair.ImgRight.filename = r;
        pair.StereoType = KindPair;
        ASSERT_TRUE(WriteParams(pair, prm, false, host, settings));
    }
    const CliRun run = Render({"--noini", "--prm", Out("a.prm"), Out("b.prm"), Out("none.prm"),
                               "--kinds", "L", "--out", Out("o")});
    EXPECT_EQ(run.exitCode, 1); // the missing file
    ASSERT_EQ(run.lines.size(), 3);
    EXPECT_TRUE(run.lines[0].startsWith(QDir::cleanPath(Out("o/l/l_r_L.bmp")) + "\tOk"));
    EXPECT_TRUE(run.lines[1].startsWith(QDir::cleanPath(Out("o/l/m_n_L.bmp")) + "\tOk"));
    EXPECT_EQ(run.lines[2], Out("none.prm") + "\tError!!! - File not Save");
    // Standard error is not a terminal here: no progress lines.
    EXPECT_FALSE(run.err.contains("[1/3]"));
}

TEST_F(RenderFixture, RelativeBatchKeepsDottedNamesApartAndWritesOpaqueBitmaps) {
    tnoparamdialogs host;
    tsettings settings;
    for (const char* day : {"2023.05.01", "2023.05.02"}) {
        // Picture names relative to the folder the command starts in.
        tviewpair pair;
        pair.ImgLeft.filename = QString("%1_L.bmp").arg(day);
        pair.ImgRight.filename = QString("%1_R.bmp").arg(day);
        ASSERT_TRUE(QFile::copy(left, Out(pair.ImgLeft.filename)));
        ASSERT_TRUE(QFile::copy(right, Out(pair.ImgRight.filename)));
        pair.StereoType = KindPair;
        ASSERT_TRUE(WriteParams(pair, Out(QString("%1.prm").arg(day)), false, host, settings));
    }
    // Every path relative to the folder the command starts in; "." is that folder.
    for (const QString& out : {QString("o"), QString(".")}) {
        const CliRun run = Render(
            {"--noini", "--prm", "2023.05.01.prm", "2023.05.02.prm", "--kinds", "L", "--out", out},
            dir.path());
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        for (const char* name : {"2023.05.01_L__R_L.bmp", "2023.05.02_L__R_L.bmp"}) {
            const QByteArray bmp = Content(Out(out + "/l/" + name));
            ASSERT_EQ(bmp.size(), 54 + 80 * 60 * 4) << name;
            EXPECT_EQ(bmp[28], char(32));
            for (int i = 54 + 3; i < bmp.size(); i += 4) ASSERT_EQ(bmp[i], char(0xFF)) << i;
        }
    }
}

TEST_F(RenderFixture, MissingPictureFailsThePairAndWritesNothing) {
    tnoparamdialogs host;
    tsettings settings;
    const QString gone = Out("gone.bmp");
    const struct {
        int type;
        QString l, r;
    } cases[] = {{KindPair, left, gone}, {KindPair, gone, right}, {KindCrossed, gone, gone}};
    for (const auto& c : cases) {
        tviewpair pair;
        pair.ImgLeft.filename = c.l;
        pair.ImgRight.filename = c.r;
        pair.StereoType = c.type;
        ASSERT_TRUE(WriteParams(pair, Out("m.prm"), false, host, settings));
        const CliRun run =
            Render({"--noini", "--prm", Out("m.prm"), "--kinds", "L,R,X,Prm", "--out", Out("o")});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains("picture '" + gone + "' not found")) << run.err.toStdString();
        EXPECT_EQ(run.lines, QStringList{Out("m.prm") + "\tError!!! - File not Save"});
        EXPECT_FALSE(QFileInfo::exists(Out("o")));
    }
}

TEST_F(RenderFixture, CompositeAndItsParameterFileSplitByTheSameBand) {
    // Parallel, 50 + 20 + 50 columns: red, a grey band, blue.
    QImage composite(120, 40, QImage::Format_RGB32);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x)
            composite.setPixel(x, y,
                               x < 50   ? qRgb(255, 0, 0)
                               : x < 70 ? qRgb(128, 128, 128)
                                        : qRgb(0, 0, 255));
    ASSERT_TRUE(composite.save(Out("c.bmp")));
    const QString ini = Out("auto.ini");
    {
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Menu]\nextractoption=3\n");
    }
    const struct {
        QStringList options;
        int width; // of the left view
    } cases[] = {{{"--noini"}, 60},
                 {{"--settings", ini}, 50},
                 {{"--noini", "--band", "auto"}, 50},
                 {{"--settings", ini, "--band", "10"}, 55},
                 {{"--noini", "--band", "0"}, 60}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options.join(' ').toStdString());
        const QStringList kinds = {"--kinds", "L", "--out", Out("o"), "--overwrite"};
        const CliRun direct = Render(
            c.options + QStringList{"--composite", "P", Out("c.bmp"), "--name", "d"} + kinds);
        ASSERT_EQ(direct.exitCode, 0) << direct.err.toStdString();
        EXPECT_EQ(QImage(Out("o/l/d_L.bmp")).width(), c.width);
        // The same options through a parameter file written from the composite.
        QProcess align;
        align.start(QStringLiteral(ORVANEL_BIN_DIR "/orvanel-cli"),
                    QStringList{"align", "--composite", "P", Out("c.bmp"), "--write-prm",
                                Out("c.prm"), "--overwrite"} +
                        c.options);
        ASSERT_TRUE(align.waitForFinished(60000));
        ASSERT_EQ(align.exitCode(), 0) << align.readAllStandardError().toStdString();
        const CliRun reload =
            Render(c.options + QStringList{"--prm", Out("c.prm"), "--name", "p"} + kinds);
        ASSERT_EQ(reload.exitCode, 0) << reload.err.toStdString();
        EXPECT_EQ(QImage(Out("o/l/p_L.bmp")).width(), c.width);
    }
}

TEST_F(RenderFixture, SizeSeparationFormatAndDepthOptions) {
    const CliRun run = Render({"--noini", "--left", left, "--right", right, "--kinds", "X,L",
                               "--size", "40x30", "--sep", "5", "--format", "jpg", "--quality",
                               "80", "--out", Out("o"), "--name", "s"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(Content(Out("o/x/s_X.jpg")).startsWith("\xFF\xD8"));
    EXPECT_EQ(QImage(Out("o/x/s_X.jpg")).size(), QSize(85, 30));
    const CliRun bits = Render({"--noini", "--left", left, "--right", right, "--kinds", "R",
                                "--bits", "24", "--out", Out("o"), "--name", "s"});
    ASSERT_EQ(bits.exitCode, 0);
    EXPECT_EQ(Content(Out("o/r/s_R.bmp"))[28], char(24));
    // Adapt modes make the height, or the width, follow the 80 x 60 frame.
    for (const auto& [mode, size] :
         {std::pair<const char*, QSize>{"1", QSize(40, 30)}, {"2", QSize(53, 40)}}) {
        const CliRun adapted =
            Render({"--noini", "--left", left, "--right", right, "--kinds", "L", "--size", "40x40",
                    "--adapt", mode, "--out", Out("o"), "--overwrite"});
        ASSERT_EQ(adapted.exitCode, 0);
        EXPECT_EQ(QImage(Out("o/l/l_r_L.bmp")).size(), size) << mode;
    }
}

// The first luminance quantiser of a written JPEG: the library scales the
// base value 16 by 200 - 2 q percent for q >= 50, so quality 90 gives
// (16 * 20 + 50) / 100 = 3 and quality 50 gives 16.
TEST_F(RenderFixture, JpegQualityIs90UnlessTheOptionSaysOtherwise) {
    const struct {
        QStringList options;
        int firstQuantiser;
    } cases[] = {{{}, 3}, {{"--quality", "50"}, 16}};
    for (const auto& c : cases) {
        const CliRun run =
            Render(QStringList{"--noini", "--left", left, "--right", right, "--kinds", "L",
                               "--format", "jpg", "--out", Out("q"), "--overwrite"} +
                   c.options);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const JpegHeader header = ReadJpegHeader(Out("q/l/l_r_L.jpg"));
        ASSERT_TRUE(header.hasQuant[0]);
        EXPECT_EQ(header.quant[0][0], c.firstQuantiser) << c.options.join(' ').toStdString();
    }
}

TEST_F(RenderFixture, SettingsFileGivesSuffixesAndFoldersRatioGivesTheSize) {
    const QString ini = Out("s.ini");
    {
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Directories]\nSX=.\\cross\n[Save]\nsuffixeSX=_cross\n");
    }
    const CliRun run = Render({"--settings", ini, "--left", left, "--right", right, "--kinds", "X",
                               "--ratio", "1:1", "--out", Out("o")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    // 80 x 60 at 1:1: keeping the height and keeping the width stray alike,
    // and a tie keeps the width.
    EXPECT_EQ(QImage(Out("o/cross/l_r_cross.bmp")).size(), QSize(160, 80));
    EXPECT_EQ(Content(ini), QByteArray("[Directories]\nSX=.\\cross\n[Save]\nsuffixeSX=_cross\n"));
}

TEST_F(RenderFixture, CompositeIsSplitWithoutBand) {
    // A crossed picture: the right view on the left half.
    QImage composite(100, 40, QImage::Format_RGB32);
    composite.fill(qRgb(0, 0, 255));
    for (int y = 0; y < 40; ++y)
        for (int x = 50; x < 100; ++x) composite.setPixel(x, y, qRgb(255, 0, 0));
    const QString file = Out("c.bmp");
    ASSERT_TRUE(composite.save(file));
    const CliRun run = Render(
        {"--noini", "--composite", "X", file, "--kinds", "L,R", "--out", Out("o"), "--name", "c"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QImage l(Out("o/l/c_L.bmp")), r(Out("o/r/c_R.bmp"));
    EXPECT_EQ(l.size(), QSize(50, 40));
    EXPECT_EQ(Rgb(l, 25, 20), QRgb(0xFF0000));
    EXPECT_EQ(Rgb(r, 25, 20), QRgb(0x0000FF));
}

TEST_F(RenderFixture, OverUnderOpenedAgainComesBackWithItsViewsExchanged) {
    timg red, blue;
    MakeView(red, 30, 20, 0xFFFF0000);
    MakeView(blue, 30, 20, 0xFF0000FF);
    ASSERT_TRUE(red.bitmap.save(Out("red.bmp")));
    ASSERT_TRUE(blue.bitmap.save(Out("blue.bmp")));
    ASSERT_EQ(Render({"--noini", "--left", Out("red.bmp"), "--right", Out("blue.bmp"), "--kinds",
                      "V", "--out", Out("o"), "--name", "ou"})
                  .exitCode,
              0);
    // The right view is on top, and the over-under split takes the top as the left view.
    const CliRun again = Render({"--noini", "--composite", "V", Out("o/v/ou_V.bmp"), "--kinds", "L",
                                 "--out", Out("o"), "--name", "back"});
    ASSERT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_EQ(Rgb(QImage(Out("o/l/back_L.bmp")), 15, 10), QRgb(0x0000FF));
}

TEST_F(RenderFixture, ExistingFilesAreKeptWithoutOverwrite) {
    const QStringList args = {"--noini", "--left", left,    "--right", right,
                              "--kinds", "L,Prm",  "--out", Out("o")};
    ASSERT_EQ(Render(args).exitCode, 0);
    {
        QFile f(Out("o/l/l_r_L.bmp"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("keep me");
    }
    const CliRun kept = Render(args);
    EXPECT_EQ(kept.exitCode, 1);
    EXPECT_TRUE(kept.lines.join('\n').contains("User Abort!!! - File not Save"));
    EXPECT_TRUE(kept.lines.first().endsWith("Error!!! - File not Save")); // the parameter file
    EXPECT_EQ(Content(Out("o/l/l_r_L.bmp")), QByteArray("keep me"));
    const CliRun replaced = Render(args + QStringList{"--overwrite"});
    EXPECT_EQ(replaced.exitCode, 0);
    EXPECT_TRUE(Content(Out("o/l/l_r_L.bmp")).startsWith("BM"));
}

TEST_F(RenderFixture, ReadOnlyOutputFolderFailsTheOutput) {
    ASSERT_TRUE(QDir().mkpath(Out("o/x")));
    treadonlyfolder ro(Out("o/x"));
    if (!ro.Active()) GTEST_SKIP() << "cannot make a folder read-only here";
    const CliRun run =
        Render({"--noini", "--left", left, "--right", right, "--kinds", "X,L", "--out", Out("o")});
    EXPECT_EQ(run.exitCode, 1);
    ASSERT_EQ(run.lines.size(), 2);
    EXPECT_TRUE(run.lines[1].endsWith("\tError!!! - File not Save"));
    EXPECT_TRUE(run.lines[0].endsWith("\tOk - 18 Ko") || run.lines[0].contains("Ok - "));
}

TEST_F(RenderFixture, UnreadablePictureFailsWithAMessage) {
    QFile bad(Out("bad.jpg"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a picture");
    bad.close();
    const CliRun run = Render({"--noini", "--left", Out("bad.jpg"), "--right", right});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(run.err.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(Out("x")));
}

TEST(RenderCommandUsage, BadOptionsAreUsageErrors) {
    for (const QStringList& args :
         {QStringList{}, QStringList{"--noini"}, QStringList{"--left", "a.bmp"},
          QStringList{"--left", "a", "--right", "b", "--bits", "16"},
          QStringList{"--left", "a", "--right", "b", "--kinds", "X,Q"},
          QStringList{"--left", "a", "--right", "b", "--size", "12"},
          QStringList{"--left", "a", "--right", "b", "--frobnicate"},
          QStringList{"--left", "a", "--right", "b", "--prm", "p.prm"},
          QStringList{"--composite", "Z", "c.jpg"},
          QStringList{"--left", "a", "--right", "b", "--settings", "/no/such.ini"},
          QStringList{"--left", "a", "--right", "b", "--band", "-2"},
          QStringList{"--left", "a", "--right", "b", "--band", "wide"}}) {
        const CliRun run = Render(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith("orvanel-cli render: ")) << args.join(' ').toStdString();
    }
}
