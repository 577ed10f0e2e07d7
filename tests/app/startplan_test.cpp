// The command line carried out on the pair: what loads where, the kind, the
// remembered folders and the refresh.
#include "app/startplan.h"

#include "input/fakedisplayhost.h"
#include "input/userreport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class StartPlan : public ::testing::Test {
protected:
    void SetUp() override {
        SetUserReport(&host);
        host.pair.StereoType = KindNone;
        folder = dir.path();
    }
    void TearDown() override { SetUserReport(nullptr); }

    QString picture(const QString& name, int w, int h, QRgb colour) {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(colour);
        const QString path = folder + "/" + name;
        EXPECT_TRUE(img.save(path));
        return path;
    }

    bool run(const QStringList& args) {
        tstartplan plan = PlanCommandLine(args, host.pair.StereoType);
        return ExecuteStartPlan(plan, loader, host, settings, [this](const QString& f) {
            opened << f;
            return true;
        });
    }

    QTemporaryDir dir;
    QString folder;
    tfakedisplayhost host;
    tviewloader loader{host};
    tsettings settings;
    QStringList opened;
};

} // namespace

TEST_F(StartPlan, TwoPicturesBecomeThePairAndRememberTheirFolders) {
    const QString l = picture("l.png", 64, 48, qRgb(200, 0, 0));
    const QString r = picture("r.png", 64, 48, qRgb(0, 0, 200));
    EXPECT_TRUE(run({l, r}));
    EXPECT_EQ(host.pair.ImgLeft.filename, l);
    EXPECT_EQ(host.pair.ImgRight.filename, r);
    EXPECT_EQ(qRed(host.pair.ImgLeft.bitmap.pixel(3, 3)), 200);
    EXPECT_EQ(qBlue(host.pair.ImgRight.bitmap.pixel(3, 3)), 200);
    EXPECT_EQ(host.pair.StereoType, KindPair);
    EXPECT_EQ(QDir(settings.OpenDirL), QDir(folder));
    EXPECT_EQ(QDir(settings.OpenDirR), QDir(folder));
    EXPECT_GE(host.recomposes, 1);
}

TEST_F(StartPlan, KindOnePairAndKindTwoWithTwoFilesLoadsNothingButRefreshes) {
    const QString l = picture("l.png", 32, 32, qRgb(10, 20, 30));
    const QString r = picture("r.png", 32, 32, qRgb(30, 20, 10));
    EXPECT_TRUE(run({"1", l, r}));
    EXPECT_EQ(host.pair.StereoType, KindPair);

    tfakedisplayhost fresh;
    SetUserReport(&fresh);
    tviewloader other(fresh);
    fresh.pair.StereoType = KindNone;
    tstartplan plan = PlanCommandLine({"2", l, r}, fresh.pair.StereoType);
    EXPECT_FALSE(ExecuteStartPlan(plan, other, fresh, settings, {}));
    EXPECT_TRUE(fresh.pair.ImgLeft.filename.isEmpty());
    EXPECT_EQ(fresh.pair.StereoType, KindNone);
    EXPECT_EQ(fresh.recomposes, 1);
}

TEST_F(StartPlan, OverUnderCodeSplitsThePictureWithItsKindAndFolder) {
    QImage img(100, 80, QImage::Format_RGB32);
    img.fill(qRgb(0, 0, 0));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x) img.setPixel(x, y, qRgb(255, 255, 255));
    const QString path = folder + "/ou.png";
    ASSERT_TRUE(img.save(path));
    EXPECT_TRUE(run({"105", path}));
    EXPECT_EQ(host.pair.StereoType, KindOverUnder);
    EXPECT_EQ(QDir(settings.OpenDirSV), QDir(folder));
    EXPECT_EQ(host.pair.ImgLeft.Width(), 100);
    EXPECT_EQ(host.pair.ImgRight.Width(), 100);
    // The upper half is the left view.
    EXPECT_EQ(host.pair.ImgLeft.bitmap.pixel(50, 5), qRgb(255, 255, 255));
}

TEST_F(StartPlan, SinglePictureBecomesTheLeftViewAndAsksForArrangement) {
    const QString p = picture("one.png", 20, 10, qRgb(1, 2, 3));
    settings.DesktopType = 0;
    EXPECT_TRUE(run({p}));
    EXPECT_EQ(host.pair.ImgLeft.filename, p);
    EXPECT_EQ(host.pair.StereoType, KindLeft);
    EXPECT_EQ(settings.DesktopType, 255);
}

TEST_F(StartPlan, MissingOrDamagedPicturesLeaveTheViewsAsTheyWere) {
    const QString good = picture("good.png", 16, 16, qRgb(9, 9, 9));
    QFile bad(folder + "/bad.jpg");
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("\xFF\xD8\xFF garbage");
    bad.close();
    EXPECT_TRUE(run({folder + "/bad.jpg", good}));
    EXPECT_TRUE(host.pair.ImgLeft.filename.isEmpty());
    EXPECT_EQ(host.pair.ImgRight.filename, good);
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_TRUE(host.messages[0].contains("bad.jpg"));

    settings.DesktopType = 0;
    EXPECT_FALSE(run({folder + "/nowhere.jpg"}));
    EXPECT_EQ(host.pair.ImgRight.filename, good);
    EXPECT_EQ(settings.DesktopType, 255);
}

TEST_F(StartPlan, ParameterFileCodeOpensItWithItsImages) {
    const QString prm = folder + "/a.prm";
    QFile f(prm);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_TRUE(run({"10", prm}));
    EXPECT_EQ(opened, QStringList{prm});
    EXPECT_EQ(host.pair.StereoType, KindParams);
}

TEST_F(StartPlan, MpoAloneOpensBothViewsAsAPair) {
    // Two JPEG pictures one after the other: the MPO reader's fallback.
    QByteArray bytes;
    for (const QRgb c : {qRgb(220, 10, 10), qRgb(10, 10, 220)}) {
        QImage img(24, 16, QImage::Format_RGB32);
        img.fill(c);
        const QString one = folder + "/one.jpg";
        ASSERT_TRUE(img.save(one, "JPEG", 95));
        QFile f(one);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        bytes += f.readAll();
    }
    const QString mpo = folder + "/cam.MPO";
    QFile out(mpo);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
    out.close();
    EXPECT_EQ(PlanCommandLine({mpo}, KindNone).action, tstartaction::LoadMpo);
    EXPECT_TRUE(run({mpo}));
    EXPECT_EQ(host.pair.StereoType, KindPair);
    EXPECT_EQ(host.pair.ImgLeft.filename, mpo);
    EXPECT_EQ(host.pair.ImgRight.filename, mpo);
    EXPECT_GT(qRed(host.pair.ImgLeft.bitmap.pixel(3, 3)), 200);
    EXPECT_GT(qBlue(host.pair.ImgRight.bitmap.pixel(3, 3)), 200);
    EXPECT_EQ(QDir(settings.OpenDirL), QDir(folder));
}
