// The save pass: log lines and order, file names and folders, the overwrite
// answers shared by the pass, failures that do not stop it, the parameter
// file, and the single-output path.
#include "output/savepass.h"

#include "core/paramfile.h"
#include "core/settings.h"
#include "core/viewpair.h"
#include "output/naming.h"
#include "outputfixtures.h"
#include "smooth_ref.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <deque>
#include <tuple>

namespace {

class tscriptedquestions : public tsavequestions {
public:
    std::deque<toverwriteanswer> answers;
    std::deque<QString> otherNames; // empty string = cancel
    QStringList asked;
    toverwriteanswer AskOverwrite(const QString& path) override {
        asked << path;
        const toverwriteanswer a = answers.empty() ? toverwriteanswer::Cancel : answers.front();
        if (!answers.empty()) answers.pop_front();
        return a;
    }
    bool AskOtherName(int, QString& path) override {
        const QString n = otherNames.empty() ? QString() : otherNames.front();
        if (!otherNames.empty()) otherNames.pop_front();
        if (n.isEmpty()) return false;
        path = n;
        return true;
    }
};

class tfakeparamhost : public tparamhost {
public:
    bool confirm = true;
    int dialogs = 0;
    bool AskSaveParamName(QString&) override {
        ++dialogs;
        return confirm;
    }
    QString AskOpenParamName(const QString&, const QString&) override { return {}; }
    void AskRedirectFolders(const QString&, const QString&) override {}
    void ReloadViews(int) override {}
    void ShowMessage(const QString&) override {}
};

// A pair of pictures "in" a temporary folder, the dialog's default fields
// and options, real size.
struct SaveFixture : ::testing::Test {
    QTemporaryDir dir;
    tviewpair pair;
    tnamingfields fields;
    tsaveoptions options;
    tsettings settings;
    tfixedfolderanswers folders{true};
    tscriptedquestions questions;
    tfakeparamhost params;

    void SetUp() override {
        MakePatternView(pair.ImgLeft, 48, 36, 1);
        MakePatternView(pair.ImgRight, 48, 36, 2);
        pair.ImgRight.posx = -2;
        pair.ImgLeft.filename = dir.filePath("IMG_1234.JPG");
        pair.ImgRight.filename = dir.filePath("IMG_1235.JPG");
        pair.StereoType = KindPair;
        fields.LeftFile = pair.ImgLeft.filename;
        fields.RightFile = pair.ImgRight.filename;
        fields.RepBase = ".";
        for (int k : {KindLeft, KindRight, KindCrossed, KindParallel, KindOverUnder, KindAnaglyph,
                      KindDouble, KindParams}) {
            fields.Folder[k] = KindDefaultFolder(k);
            fields.Suffix[k] = KindDefaultSuffix(k);
        }
        options.W = 46;
        options.H = 36;
        options.askBeforeCreateDir = false;
    }
    void Tick(std::initializer_list<int> kinds) {
        fields.Ticked = {};
        for (int k : kinds) fields.Ticked[k] = true;
    }
    tsavereport Save() {
        return SaveSelectedKinds(pair, fields, options, settings, folders, questions, params);
    }
    QString Out(const char* rel) const { return QDir(dir.path()).filePath(rel); }
};

QString OkLine(const QString& path) {
    return SaveOkLine(QFileInfo(path).size());
}

void WriteMarker(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("marker");
}

QByteArray Content(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Mean absolute channel difference between a picture and the part of
// another that starts at `from`.
double MeanDifference(const QImage& out, const QImage& view, QPoint from) {
    double sum = 0;
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const QRgb a = out.pixel(x, y), b = view.pixel(from.x() + x, from.y() + y);
            sum += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                   std::abs(qBlue(a) - qBlue(b));
        }
    return sum / (3.0 * out.width() * out.height());
}

} // namespace

TEST(SaveLog, OkLineCountsWholeKilobytes) {
    EXPECT_EQ(SaveOkLine(0), "Ok - 0 Ko");
    EXPECT_EQ(SaveOkLine(1023), "Ok - 0 Ko");
    EXPECT_EQ(SaveOkLine(5000), "Ok - 4 Ko");
}

TEST_F(SaveFixture, EveryKindInOrderEachInItsFolderWithItsName) {
    Tick({KindLeft, KindRight, KindCrossed, KindParallel, KindOverUnder, KindAnaglyph, KindDouble,
          KindParams});
    const tsavereport r = Save();
    const QStringList paths = {
        Out("prm/IMG_1234_35.prm"),   Out("l/IMG_1234_35_L.bmp"),   Out("r/IMG_1234_35_R.bmp"),
        Out("x/IMG_1234_35_X.bmp"),   Out("p/IMG_1234_35_P.bmp"),   Out("v/IMG_1234_35_V.bmp"),
        Out("ana/IMG_1234_35_A.bmp"), Out("bi/IMG_1234_35_Bi.bmp"),
    };
    QStringList want;
    for (const QString& p : paths) want << QDir::cleanPath(p) << OkLine(p);
    QStringList got;
    for (const QString& l : r.log) got << (l.startsWith("Ok") ? l : QDir::cleanPath(l));
    EXPECT_EQ(got, want);
    EXPECT_TRUE(r.AllWritten());
    EXPECT_EQ(QImage(paths[3]).size(), QSize(2 * 46, 36));
    EXPECT_EQ(QImage(paths[7]).size(), QSize(3 * 46, 36));
    EXPECT_EQ(QDir::cleanPath(settings.SaveDirSX), QDir::cleanPath(Out("x")));
}

// The frame of the 48 x 36 views, the right one 2 pixels to the left, runs
// over x 0..45: 46 x 36 from (0, 0), the size of the output, so scale 1. The
// left view gives the red, the right one (shift -2) green and blue.
TEST_F(SaveFixture, WrittenBmpEqualsTheReferenceAnaglyph) {
    Tick({KindAnaglyph});
    options.S = 4;
    ASSERT_TRUE(Save().AllWritten());
    QImage want(46, 36, QImage::Format_ARGB32);
    want.fill(0);
    for (const auto& [v, write, keep] :
         {std::tuple<const timg*, quint32, quint32>{&pair.ImgLeft, 0xFF0000, 0x00FFFF},
          {&pair.ImgRight, 0x00FFFF, 0xFF0000}})
        ReferenceSmooth(v->bitmap, want, 0, 0, 45, 35, 23.5, 17.5, v->posx, 0, 0, 1.0, write, keep);
    EXPECT_EQ(QImage(Out("ana/IMG_1234_35_A.bmp")).convertToFormat(QImage::Format_RGB32),
              want.convertToFormat(QImage::Format_RGB32));
}

TEST_F(SaveFixture, JpegTickWritesJpegNames) {
    Tick({KindCrossed});
    fields.Jpeg = true;
    ASSERT_TRUE(Save().AllWritten());
    EXPECT_TRUE(Content(Out("x/IMG_1234_35_X.jpg")).startsWith("\xFF\xD8"));
}

TEST_F(SaveFixture, YesToAllOverwritesTheRestWithoutAsking) {
    Tick({KindLeft, KindRight, KindCrossed});
    ASSERT_TRUE(Save().AllWritten());
    for (const char* p : {"l/IMG_1234_35_L.bmp", "r/IMG_1234_35_R.bmp", "x/IMG_1234_35_X.bmp"})
        WriteMarker(Out(p));
    questions.answers = {toverwriteanswer::YesToAll};
    ASSERT_TRUE(Save().AllWritten());
    EXPECT_EQ(questions.asked.size(), 1);
    EXPECT_NE(Content(Out("x/IMG_1234_35_X.bmp")), QByteArray("marker"));
}

TEST_F(SaveFixture, CancelSkipsOnlyTheCurrentFileSilently) {
    Tick({KindLeft, KindRight});
    WriteMarker(Out("l/IMG_1234_35_L.bmp"));
    WriteMarker(Out("r/IMG_1234_35_R.bmp"));
    questions.answers = {toverwriteanswer::Cancel, toverwriteanswer::Yes};
    const tsavereport r = Save();
    EXPECT_EQ(questions.asked.size(), 2);
    EXPECT_EQ(Content(Out("l/IMG_1234_35_L.bmp")), QByteArray("marker"));
    EXPECT_NE(Content(Out("r/IMG_1234_35_R.bmp")), QByteArray("marker"));
    // The cancelled file has its path line and nothing after it.
    ASSERT_EQ(r.log.size(), 3);
    EXPECT_TRUE(r.log[1].endsWith("IMG_1234_35_R.bmp"));
    EXPECT_FALSE(r.AllWritten());
}

TEST_F(SaveFixture, NoOffersAnotherNameAndCancellingItIsAUserAbort) {
    Tick({KindLeft, KindRight});
    WriteMarker(Out("l/IMG_1234_35_L.bmp"));
    WriteMarker(Out("r/IMG_1234_35_R.bmp"));
    questions.answers = {toverwriteanswer::No, toverwriteanswer::No};
    questions.otherNames = {QString(), Out("r/other.bmp")};
    const tsavereport r = Save();
    ASSERT_EQ(r.outputs.size(), 2u);
    EXPECT_EQ(r.outputs[0].text, "User Abort!!! - File not Save");
    EXPECT_TRUE(r.outputs[1].ok);
    EXPECT_EQ(r.outputs[1].path, Out("r/other.bmp"));
    EXPECT_TRUE(QImage(Out("r/other.bmp")).width() > 0);
    EXPECT_EQ(Content(Out("r/IMG_1234_35_R.bmp")), QByteArray("marker"));
}

TEST_F(SaveFixture, AbortLeavesEveryLaterExistingFileButWritesNewOnes) {
    Tick({KindLeft, KindRight, KindCrossed});
    WriteMarker(Out("l/IMG_1234_35_L.bmp"));
    WriteMarker(Out("x/IMG_1234_35_X.bmp"));
    questions.answers = {toverwriteanswer::Abort};
    const tsavereport r = Save();
    EXPECT_EQ(questions.asked.size(), 1);
    ASSERT_EQ(r.outputs.size(), 3u);
    EXPECT_FALSE(r.outputs[0].ok);
    EXPECT_TRUE(r.outputs[1].ok); // a new file
    EXPECT_EQ(r.outputs[2].text, "User Abort!!! - File not Save");
    EXPECT_EQ(Content(Out("x/IMG_1234_35_X.bmp")), QByteArray("marker"));
}

// Each failure logs "Error!!! - File not Save" and its cause on the next
// line, and the pass goes on.
TEST_F(SaveFixture, FailuresLogTheirCauseAndThePassGoesOn) {
    Tick({KindLeft, KindCrossed});
    options.W = 0;
    tsavereport r = Save();
    EXPECT_EQ(r.log, QStringList({"Error!!! - File not Save", "no output size",
                                  "Error!!! - File not Save", "no output size"}));
    options.W = 46;
    pair.ImgRight.posx = 500;
    r = Save();
    ASSERT_EQ(r.outputs.size(), 2u);
    EXPECT_EQ(r.outputs[0].text, "Error!!! - File not Save");
    EXPECT_EQ(r.outputs[0].cause, "no common frame");
    EXPECT_EQ(r.log.mid(1, 2), QStringList({"Error!!! - File not Save", "no common frame"}));
    EXPECT_FALSE(QFile::exists(r.outputs[0].path));

    // A picture name the parameter file could not read back: no .prm, the
    // pictures are still written.
    pair.ImgRight.posx = -2;
    pair.ImgLeft.filename = dir.filePath("IMG_12\n34.JPG");
    fields.LeftFile = pair.ImgLeft.filename;
    Tick({KindParams, KindLeft});
    r = Save();
    ASSERT_EQ(r.outputs.size(), 2u);
    EXPECT_EQ(r.outputs[0].cause, "a picture name holds a line break");
    EXPECT_TRUE(r.outputs[1].ok);
    EXPECT_TRUE(QDir(Out("prm")).isEmpty());
}

// What part of the views the pass writes, for two pattern views of 120 x 80
// drawn at scale 1 into outputs the size of the expected frame:
// - ratio 2:3 (width:height) keeps the height's candidate 53 x 79 (53 =
//   80 * 2 / 3 truncated, 79 = 53 * 3 / 2; it strays 68 from 120 x 80 against
//   100 for 120 x 180), taken from the top-left corner;
// - "Source = Cadre Manuel" takes each view's own crop, 30 x 20 from (10, 5)
//   in the left view and from (14, 7) in the right one.
TEST_F(SaveFixture, RatioAndManualSourceDecideWhatIsWritten) {
    MakePatternView(pair.ImgLeft, 120, 80, 1);
    MakePatternView(pair.ImgRight, 120, 80, 2);
    pair.ImgRight.posx = 0;
    for (timg* v : {&pair.ImgLeft, &pair.ImgRight}) {
        v->mancropd = true;
        v->mancropw = 30;
        v->mancroph = 20;
    }
    pair.ImgLeft.mancropl = 10;
    pair.ImgLeft.mancropt = 5;
    pair.ImgRight.mancropl = 14;
    pair.ImgRight.mancropt = 7;
    const struct {
        const char* what;
        int ratioW, ratioH;
        bool manual;
        QRect left, right; // the parts of the views that must be written
    } cases[] = {
        {"ratio 2:3", 2, 3, false, QRect(0, 0, 53, 79), QRect(0, 0, 53, 79)},
        {"manual frame", 0, 0, true, QRect(10, 5, 30, 20), QRect(14, 7, 30, 20)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        options.ratioW = c.ratioW;
        options.ratioH = c.ratioH;
        options.manual = c.manual;
        options.W = c.left.width();
        options.H = c.left.height();
        Tick({KindLeft, KindRight});
        questions.answers = {toverwriteanswer::YesToAll};
        const tsavereport r = Save();
        ASSERT_TRUE(r.AllWritten());
        const QImage outL(r.outputs[0].path), outR(r.outputs[1].path);
        ASSERT_EQ(outL.size(), c.left.size());
        // The drawing is smoothed: a few levels of difference, where another
        // part of the views would differ by tens on average.
        EXPECT_LT(MeanDifference(outL, pair.ImgLeft.bitmap, c.left.topLeft()), 4.0);
        EXPECT_LT(MeanDifference(outR, pair.ImgRight.bitmap, c.right.topLeft()), 4.0);
    }
}

TEST_F(SaveFixture, AbortInTheFolderCheckEndsThePassSilently) {
    class tabort : public tfixedfolderanswers {
    public:
        tabort() : tfixedfolderanswers(true) {}
        tcreateanswer AskCreateDirectory(const QString&) override { return tcreateanswer::Abort; }
    } abort;
    Tick({KindCrossed, KindParams});
    const tsavereport r =
        SaveSelectedKinds(pair, fields, options, settings, abort, questions, params);
    EXPECT_TRUE(r.abandoned);
    EXPECT_TRUE(r.log.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(Out("x")));
}

TEST_F(SaveFixture, ExistingParameterFileIsReplacedOnlyAfterItsDialog) {
    Tick({KindParams});
    ASSERT_TRUE(Save().AllWritten());
    EXPECT_EQ(params.dialogs, 0);
    const QString prm = Out("prm/IMG_1234_35.prm");
    WriteMarker(prm);
    params.confirm = false;
    tsavereport r = Save();
    EXPECT_EQ(params.dialogs, 1);
    EXPECT_EQ(r.log.mid(1), QStringList({"Error!!! - File not Save", "not written"}));
    EXPECT_EQ(Content(prm), QByteArray("marker"));
    params.confirm = true;
    r = Save();
    EXPECT_TRUE(r.AllWritten());
    EXPECT_TRUE(Content(prm).contains("IMG_1234.JPG"));
}

TEST_F(SaveFixture, RenderKindTakesTheFrameSizeForAZeroSizeAndWritesByExtension) {
    const QString bmp = Out("single.bmp");
    ASSERT_TRUE(RenderKind(pair, bmp, KindParallel, 0, 3, 0, 0, false));
    EXPECT_EQ(QImage(bmp).size(), QSize(2 * 46 + 3, 36));
    const QString jpg = Out("single.jpeg");
    ASSERT_TRUE(RenderKind(pair, jpg, KindLeft, 0, 0, 18, 23, true));
    EXPECT_TRUE(Content(jpg).startsWith("\xFF\xD8"));
    EXPECT_FALSE(RenderKind(pair, Out("p.bmp"), KindParams, 0, 0, 0, 0, false));
    EXPECT_FALSE(RenderKind(pair, Out("missing/dir/a.bmp"), KindLeft, 0, 0, 0, 0, false));
}

TEST_F(SaveFixture, PictureTooLargeForItsFileFormatFailsBeforeComposing) {
    Tick({KindCrossed, KindLeft});
    options.W = 60000; // a crossed BMP of 120000 x 40000 would pass 4 GiB
    options.H = 40000;
    const tsavereport r = Save();
    ASSERT_EQ(r.outputs.size(), 2u);
    EXPECT_EQ(r.outputs[0].text, "Error!!! - File not Save");
    EXPECT_EQ(r.outputs[1].text, "Error!!! - File not Save");
}

TEST_F(SaveFixture, PreviewGoesThroughJpegAndLeavesTheUsersFilesAlone) {
    QDir::setCurrent(dir.path());
    WriteMarker(Out("tmp.jpg")); // the user's own file of that name
    QImage picture;
    ASSERT_TRUE(RenderKindPreview(pair, "a_X.jpg", KindCrossed, 0, 2, 0, 0, picture));
    EXPECT_EQ(picture.size(), QSize(2 * 46 + 2, 36));
    EXPECT_EQ(Content(Out("tmp.jpg")), QByteArray("marker"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"tmp.jpg"}));
    ASSERT_TRUE(RenderKindPreview(pair, "a_X.bmp", KindAnaglyph, 0, 0, 0, 0, picture));
    EXPECT_EQ(picture.size(), QSize(46, 36));
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 255);
    EXPECT_FALSE(RenderKindPreview(pair, "a.bmp", KindDouble, 0, 0, 0, 0, picture));
}
