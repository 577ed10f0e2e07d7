// An MPO opened as a pair: every open command, the reload of a parameter
// file written from it, the command line's composite, and a damaged second
// picture that leaves the views alone.
#include "core/paramfile.h"
#include "core/settings.h"
#include "core/stereokinds.h"
#include "input/headlesspair.h"
#include "input/viewloader.h"

#include "fakedisplayhost.h"
#include "inputfixtures.h"

#include <functional>

namespace {

// Two JPEGs one after the other: the reader's fallback makes them a pair,
// which is enough here (the index itself is tested with the reader).
QString WritePairFile(const QTemporaryDir& dir, const QString& name, bool cutSecond = false) {
    QImage left(40, 30, QImage::Format_ARGB32), right(40, 30, QImage::Format_ARGB32);
    left.fill(qRgb(230, 30, 30));
    right.fill(qRgb(30, 30, 230));
    const QString l = dir.filePath("l.jpg"), r = dir.filePath("r.jpg");
    EXPECT_TRUE(EncodeJpeg(left, l) && EncodeJpeg(right, r));
    QByteArray second = ReadBytes(r);
    if (cutSecond) second = second.left(second.size() / 2);
    const QString path = dir.filePath(name);
    EXPECT_TRUE(WriteBytes(path, ReadBytes(l) + second));
    return path;
}

bool IsRed(const QImage& img) {
    return !img.isNull() && qRed(img.pixel(10, 10)) > 200 && qBlue(img.pixel(10, 10)) < 60;
}
bool IsBlue(const QImage& img) {
    return !img.isNull() && qBlue(img.pixel(10, 10)) > 200 && qRed(img.pixel(10, 10)) < 60;
}

class MpoLoad : public ::testing::Test {
protected:
    QTemporaryDir dir;
    tfakedisplayhost host;
    tviewloader loader{host};
    tsettings saved = Settings;
    timg& L = host.pair.ImgLeft;
    timg& R = host.pair.ImgRight;
    void TearDown() override { Settings = saved; }
};

struct topencase {
    const char* name;
    std::function<bool(tviewloader&)> open;
};

class MpoOpenCommands : public MpoLoad, public ::testing::WithParamInterface<topencase> {};

TEST_P(MpoOpenCommands, EveryOpenCommandLoadsThePair) {
    const QString file = WritePairFile(dir, "cam.mpo");
    host.answers << QStringList{file} << QStringList{file};
    host.pair.StereoType = KindNone;
    ASSERT_TRUE(GetParam().open(loader));
    EXPECT_TRUE(IsRed(L.bitmap));
    EXPECT_TRUE(IsBlue(R.bitmap));
    EXPECT_EQ(L.filename, file);
    EXPECT_EQ(R.filename, file);
    EXPECT_EQ(host.pair.StereoType, KindPair);
    // One dialog: the file holds both views.
    EXPECT_EQ(host.asked.size(), 1);
    EXPECT_GE(host.recomposes, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, MpoOpenCommands,
    ::testing::Values(topencase{"Image", [](tviewloader& l) { return l.OpenImage(); }},
                      topencase{"Left", [](tviewloader& l) { return l.OpenLeft(); }},
                      topencase{"Right", [](tviewloader& l) { return l.OpenRight(); }},
                      topencase{"Pair", [](tviewloader& l) { return l.OpenPair(); }},
                      topencase{"Crossed", [](tviewloader& l) { return l.OpenCrossed(); }},
                      topencase{"Anaglyph", [](tviewloader& l) { return l.OpenAnaglyph(); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MpoLoad, DamagedSecondPictureLeavesTheViewsAsTheyWere) {
    L.bitmap = PatternImage(5, 4);
    L.filename = "kept_L.png";
    R.bitmap = PatternImage(6, 4);
    R.filename = "kept_R.png";
    host.pair.StereoType = KindPair;
    EXPECT_FALSE(loader.LoadMpoPair(WritePairFile(dir, "cut.mpo", true)));
    EXPECT_EQ(L.bitmap, PatternImage(5, 4));
    EXPECT_EQ(R.bitmap, PatternImage(6, 4));
    EXPECT_EQ(L.filename, "kept_L.png");
    EXPECT_EQ(R.filename, "kept_R.png");
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_TRUE(host.messages[0].contains("cut.mpo"));
}

TEST_F(MpoLoad, ReloadTakesTheFirstPictureLeftAndTheSecondRight) {
    const QString file = WritePairFile(dir, "cam.mpo");
    L.filename = R.filename = file;
    loader.ReloadViews(KindPair);
    EXPECT_TRUE(IsRed(L.bitmap));
    EXPECT_TRUE(IsBlue(R.bitmap));
    // A right view alone from an MPO is its second picture too.
    L.bitmap = QImage();
    loader.ReloadViews(KindRight);
    EXPECT_TRUE(IsBlue(R.bitmap));
}

TEST_F(MpoLoad, CompositeWordMpoNamesThePairFile) {
    EXPECT_EQ(CompositeKindOfText("mpo"), KindMpo);
    EXPECT_EQ(CompositeKindOfText("X"), KindCrossed);
    tviewpair pair;
    theadlesshost headless(pair);
    QString failed;
    EXPECT_FALSE(LoadPairHeadless({{}, {}, WritePairFile(dir, "cut.mpo", true), KindMpo}, pair,
                                  headless, failed));
    EXPECT_EQ(failed, dir.filePath("cut.mpo"));
}

TEST(MpoCameraPair, CameraFileRoundTripsThroughAParameterFile) {
    const QString data = TestDataDir();
    if (data.isEmpty()) GTEST_SKIP() << "no test photographs";
    QTemporaryDir dir;
    const QString file = data + "/3ds_sugarshack.mpo";
    tviewpair pair;
    theadlesshost host(pair);
    QString failed;
    ASSERT_TRUE(LoadPairHeadless({{}, {}, file, KindMpo}, pair, host, failed));
    ASSERT_NE(pair.ImgLeft.bitmap, pair.ImgRight.bitmap);
    pair.ImgRight.posx = -4.5;
    const QString prm = dir.filePath("s.prm");
    ASSERT_TRUE(WriteParams(pair, prm, false, host, Settings));
    tviewpair back;
    theadlesshost backHost(back);
    QString error;
    ASSERT_TRUE(LoadParamPairHeadless(prm, back, backHost, error)) << error.toStdString();
    EXPECT_EQ(back.StereoType, KindPair);
    EXPECT_EQ(back.ImgLeft.filename, file);
    EXPECT_EQ(back.ImgRight.filename, file);
    EXPECT_EQ(back.ImgLeft.bitmap, pair.ImgLeft.bitmap);
    EXPECT_EQ(back.ImgRight.bitmap, pair.ImgRight.bitmap);
    EXPECT_DOUBLE_EQ(back.ImgRight.posx, -4.5);
}

} // namespace
