// `orvanel-cli align`: usage errors, unreadable pictures, the steps on
// synthetic pairs checked through the parameter file it writes.
#include "app/cli_align.h"

#include "core/inifile.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

const double kPi = 3.14159265358979323846;

class AlignCommand : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        left = dir.filePath("left.bmp");
        right = dir.filePath("right.bmp");
        out = dir.filePath("out.prm");
        QImage blank(400, 300, QImage::Format_RGB32);
        blank.fill(Qt::gray);
        ASSERT_TRUE(blank.save(left));
        ASSERT_TRUE(blank.save(right));
    }
    int Run(QStringList args) { return RunAlignCommand(args); }
    QStringList Pair() { return {"--left", left, "--right", right, "--write-prm", out}; }
    double Read(const char* section, const char* key) {
        tinifile file;
        file.Load(out);
        return file.ReadFloat(section, key, -12345);
    }

    QTemporaryDir dir;
    QString left, right, out;
};

} // namespace

TEST_F(AlignCommand, UsageErrorsExitWithTwoAndWriteNothing) {
    EXPECT_EQ(Run({"--write-prm", out}), 2);                 // no pair
    EXPECT_EQ(Run({"--left", left, "--write-prm", out}), 2); // half a pair
    EXPECT_EQ(Run({"--left", left, "--right", right}), 2);   // no output
    EXPECT_EQ(Run(Pair() << "--point"
                         << "B7"
                         << "1,2,3,4"),
              2); // no such point
    EXPECT_EQ(Run(Pair() << "--point"
                         << "C"
                         << "1,2,3"),
              2); // three numbers
    EXPECT_EQ(Run(Pair() << "--point"
                         << "C"
                         << "1,2,nan,4"),
              2); // not finite
    EXPECT_EQ(Run(Pair() << "--current"
                         << "middle"),
              2);
    EXPECT_EQ(Run(Pair() << "--do"
                         << "spin"),
              2);
    EXPECT_EQ(Run(Pair() << "--do"
                         << "window"),
              2); // not available yet
    EXPECT_EQ(Run(Pair() << "--composite"
                         << "Q" << left),
              2);
    EXPECT_EQ(Run(Pair() << "--prm" << out), 2); // two sources
    EXPECT_FALSE(QFileInfo::exists(out));
}

TEST_F(AlignCommand, UnreadablePictureFailsWithOne) {
    QFile bad(dir.filePath("bad.bmp"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("BM this is not a picture");
    bad.close();
    EXPECT_EQ(Run({"--left", bad.fileName(), "--right", right, "--write-prm", out}), 1);
    EXPECT_EQ(Run({"--left", dir.filePath("none.bmp"), "--right", right, "--write-prm", out}), 1);
    EXPECT_EQ(Run({"--prm", dir.filePath("none.prm"), "--write-prm", out}), 1);
    EXPECT_FALSE(QFileInfo::exists(out));
}

TEST_F(AlignCommand, LevelShiftsRightViewOntoLeftCentre) {
    ASSERT_EQ(Run(Pair() << "--point"
                         << "C"
                         << "100,100,110,95"
                         << "--do"
                         << "level"),
              0);
    EXPECT_EQ(Read("Left", "posx"), 0);
    EXPECT_EQ(Read("Right", "posx"), -10);
    EXPECT_EQ(Read("Right", "posy"), 5);
    EXPECT_EQ(Read("Right", "pt[1].x"), 110);
    EXPECT_EQ(Read("Right", "pt[1].d"), 1);
}

TEST_F(AlignCommand, LevelKeepsTheCurrentViewUnshifted) {
    ASSERT_EQ(Run(Pair() << "--point"
                         << "C"
                         << "100,100,110,95"
                         << "--current"
                         << "right"
                         << "--do"
                         << "level"),
              0);
    EXPECT_EQ(Read("Right", "posx"), 0);
    EXPECT_EQ(Read("Left", "posx"), 10);
    EXPECT_EQ(Read("Left", "posy"), -5);
}

TEST_F(AlignCommand, CompositeIsSplitAndRecordedWithItsKind) {
    // Crossed: the right half is the left view.
    QImage composite(400, 150, QImage::Format_RGB32);
    composite.fill(Qt::white);
    const QString file = dir.filePath("pair_x.bmp");
    ASSERT_TRUE(composite.save(file));
    ASSERT_EQ(Run({"--composite", "X", file, "--point", "C", "50,50,60,40", "--do", "level",
                   "--write-prm", out}),
              0);
    tinifile prm;
    prm.Load(out);
    EXPECT_EQ(prm.ReadInteger("Stereo", "type", 0), 2);
    EXPECT_EQ(prm.ReadString("Left", "filename", ""), QFileInfo(file).absoluteFilePath());
    EXPECT_EQ(prm.ReadFloat("Right", "posx", 0), -10);
    EXPECT_EQ(prm.ReadFloat("Right", "posy", 0), 10);
    EXPECT_EQ(Run({"--composite", "2", file, "--write-prm", out}), 0);
}

TEST_F(AlignCommand, RotateTurnsTheLongerVector) {
    ASSERT_EQ(Run(Pair() << "--point"
                         << "C"
                         << "150,120,160,110"
                         << "--point"
                         << "A1"
                         << "250,110,260,90"
                         << "--current"
                         << "right"
                         << "--do"
                         << "rotate"),
              0);
    EXPECT_EQ(Read("Left", "rot"), 0);
    EXPECT_NEAR(Read("Right", "rot"), 2 * kPi + std::asin(10 / std::sqrt(10400.0)) - std::atan(0.2),
                1e-12);
}

TEST_F(AlignCommand, OrientationStepsRunInOrder) {
    ASSERT_EQ(Run(Pair() << "--point"
                         << "orient1"
                         << "100,100,100,100"
                         << "--point"
                         << "orient2"
                         << "200,100,200,110"
                         << "--do"
                         << "orient-right"),
              0);
    EXPECT_NEAR(Read("Right", "rot"), std::atan(0.1), 1e-12);
    // The last step wins: both lines horizontal.
    ASSERT_EQ(Run(Pair() << "--point"
                         << "orient1"
                         << "100,100,100,100"
                         << "--point"
                         << "orient2"
                         << "200,100,200,110"
                         << "--do"
                         << "orient-both"
                         << "--do"
                         << "orient-horizontal"),
              0);
    EXPECT_EQ(Read("Left", "rot"), 0);
    EXPECT_NEAR(Read("Right", "rot"), std::atan(0.1), 1e-12);
}

TEST_F(AlignCommand, MagnifyRecordsFactorAndPointsInFileCoordinates) {
    ASSERT_EQ(Run(Pair() << "--point"
                         << "d1"
                         << "100,10,120,15"
                         << "--point"
                         << "d2"
                         << "100,260,120,255"
                         << "--do"
                         << "magnify"),
              0);
    // Heights 250 and 240: the left view is reduced by 250 / 240.
    EXPECT_NEAR(Read("Left", "dz"), 250.0 / 240.0, 1e-12);
    EXPECT_EQ(Read("Right", "dz"), 1);
    EXPECT_NEAR(Read("Left", "pt[8].y"), 260, 1e-9);
}

TEST_F(AlignCommand, MagnifyWithOppositeOrderIsRefused) {
    EXPECT_EQ(Run(Pair() << "--point"
                         << "d1"
                         << "100,10,120,255"
                         << "--point"
                         << "d2"
                         << "100,260,120,15"
                         << "--do"
                         << "magnify"),
              1);
    EXPECT_FALSE(QFileInfo::exists(out));
}

TEST_F(AlignCommand, ParameterFileIsReadBackAndExtended) {
    ASSERT_EQ(Run(Pair() << "--point"
                         << "C"
                         << "100,100,110,95"
                         << "--do"
                         << "level"),
              0);
    const QString second = dir.filePath("second.prm");
    ASSERT_EQ(Run({"--prm", out, "--point", "A1", "200,100,210,80", "--do", "rotate", "--write-prm",
                   second}),
              0);
    tinifile file;
    file.Load(second);
    EXPECT_EQ(file.ReadFloat("Right", "posx", 0), -10);
    EXPECT_GT(file.ReadFloat("Right", "rot", 0), 0);
    EXPECT_EQ(file.ReadString("Left", "filename", ""), QFileInfo(left).absoluteFilePath());
}

TEST_F(AlignCommand, ProgramRunsAlignWithItsExitStatus) {
    auto run = [](const QStringList& args, QString* err = nullptr) {
        QProcess p;
        p.start(QStringLiteral(ORVANEL_BIN_DIR "/orvanel-cli"), QStringList{"align"} + args);
        p.waitForFinished(30000);
        if (err) *err = QString::fromUtf8(p.readAllStandardError());
        return p.exitCode();
    };
    QString err;
    EXPECT_EQ(run(Pair() << "--do"
                         << "window",
                  &err),
              2);
    EXPECT_TRUE(err.contains("window"));
    EXPECT_EQ(run(Pair() << "--point"
                         << "C"
                         << "100,100,110,95"
                         << "--do"
                         << "level"),
              0);
    EXPECT_EQ(Read("Right", "posx"), -10);
}
