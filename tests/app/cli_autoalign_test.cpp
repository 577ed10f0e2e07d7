// `orvanel-cli align --do auto` on pairs whose right view the test turned,
// magnified and raised: after a render of L and R the vertical disparity the
// test measures on its own is under 0.3 px and the turn is found back on the
// right view;
// a pair without reliable matches is refused and nothing is written.
#include "app/cli_align.h"
#include "core/inifile.h"
#include "montage/featurematch.h"
#include "output/rendercommand.h"
#include "support/stereoscene.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

QString ReadAll(std::FILE* f) {
    std::rewind(f);
    QByteArray bytes;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, qsizetype(n));
    return QString::fromUtf8(bytes);
}

struct tturn {
    double degrees;
    double scale;
    double down;
};

// The right view's turn against the left one in the written file, degrees.
double WrittenTurn(const QString& prm) {
    const tinifile f(prm);
    const double d = (f.ReadFloat("Right", "rot", 0) - f.ReadFloat("Left", "rot", 0)) * 180 / M_PI;
    return std::remainder(d, 360.0);
}

struct tcwd {
    QString saved = QDir::currentPath();
    ~tcwd() { QDir::setCurrent(saved); }
};

// Aligns the pair with --do auto, renders L and R, and returns the RMS of
// the vertical disparities measured between the outputs.
// Vertical disparities of details matched afresh between the outputs,
// those off by 2 px or more (wrong matches) left out.
std::vector<double> MatchedDisparities(const QImage& l, const QImage& r) {
    std::vector<double> dy;
    for (const tpointmatch& m : MatchViews(l.convertToFormat(QImage::Format_RGB32),
                                           r.convertToFormat(QImage::Format_RGB32)))
        if (std::abs(m.yl - m.yr) < 2) dy.push_back(m.yl - m.yr);
    return dy;
}

// Aligns the pair with --do auto and renders L and R; the outputs' vertical
// disparities are measured on a grid of windows (generated scenes) or on
// details matched afresh (photographs, whose flat walls and occlusions defeat
// the windows).
void AlignAndMeasure(const QImage& left, const QImage& right, const tturn& t, bool photo) {
    tcwd keepFolder;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString l = dir.filePath("l.bmp"), r = dir.filePath("r.bmp");
    ASSERT_TRUE(left.save(l));
    ASSERT_TRUE(TurnedView(right, t.degrees, t.scale, t.down).save(r));
    const QString prm = dir.filePath("pair.prm");
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    ASSERT_EQ(
        RunAlignCommand({"--noini", "--left", l, "--right", r, "--do", "auto", "--write-prm", prm},
                        out, err),
        0)
        << ReadAll(err).toStdString();
    const QString line = ReadAll(out);
    std::fclose(out);
    std::fclose(err);
    EXPECT_TRUE(line.startsWith("auto: ")) << line.toStdString();
    // Counter-clockwise by t.degrees is undone by the same turn clockwise,
    // on the right view: the left one is drawn as read.
    EXPECT_NEAR(WrittenTurn(prm), -t.degrees, 0.05) << line.toStdString();
    EXPECT_EQ(tinifile(prm).ReadFloat("Left", "rot", 1), 0.0) << line.toStdString();

    out = std::tmpfile();
    err = std::tmpfile();
    ASSERT_EQ(RunRenderCommand({"--prm", prm, "--kinds", "L,R", "--format", "bmp", "--out",
                                dir.filePath("out"), "--noini", "--overwrite"},
                               out, err),
              0)
        << ReadAll(err).toStdString();
    const QStringList lines = ReadAll(out).split('\n', Qt::SkipEmptyParts);
    std::fclose(out);
    std::fclose(err);
    ASSERT_EQ(lines.size(), 2);
    const QImage lo(lines[0].section('\t', 0, 0)), ro(lines[1].section('\t', 0, 0));
    ASSERT_FALSE(lo.isNull());
    ASSERT_EQ(lo.size(), ro.size());
    const std::vector<double> dy = photo ? MatchedDisparities(lo, ro) : VerticalDisparities(lo, ro);
    ASSERT_GE(dy.size(), photo ? 200u : 100u);
    EXPECT_LT(Rms(dy), 0.3) << line.toStdString();
}

class AutoAlignAccuracy : public ::testing::TestWithParam<tturn> {};
class AutoAlignPhotoAccuracy : public ::testing::TestWithParam<tturn> {};

} // namespace

TEST_P(AutoAlignAccuracy, GeneratedSceneComesOutLevel) {
    const tstereoscene s = DepthScene(960, 640, 7);
    AlignAndMeasure(s.left, s.right, GetParam(), false);
}

TEST_P(AutoAlignPhotoAccuracy, RectifiedPhotographsComeOutLevel) {
    const char* data = std::getenv("ORVANEL_TESTDATA");
    if (!data) GTEST_SKIP() << "ORVANEL_TESTDATA not set";
    for (const char* name : {"aloe_L.jpg", "backpack_L.png"}) {
        SCOPED_TRACE(name);
        const QString left = QString::fromLocal8Bit(data) + "/" + name;
        const QImage l(left), r(QString(left).replace("_L.", "_R."));
        ASSERT_FALSE(l.isNull());
        ASSERT_FALSE(r.isNull());
        AlignAndMeasure(l, r, GetParam(), true);
    }
}

// The last: a magnification too small to correct (under a thousandth) that
// still makes the right view's picture the smaller one.
INSTANTIATE_TEST_SUITE_P(Turns, AutoAlignAccuracy,
                         ::testing::Values(tturn{3.0, 1.03, 20}, tturn{-3.0, 0.97, -20},
                                           tturn{1.2, 1.0, 7}, tturn{-0.4, 1.012, -13},
                                           tturn{0.8, 0.9994, -9}));
INSTANTIATE_TEST_SUITE_P(Turns, AutoAlignPhotoAccuracy,
                         ::testing::Values(tturn{3.0, 1.03, 20}, tturn{-3.0, 0.97, -20},
                                           tturn{1.2, 1.0, 7}, tturn{-0.4, 1.012, -13}));

TEST(AutoAlignCommand, NoReliableMatchesIsRefusedAndNothingWritten) {
    QTemporaryDir dir;
    const QString l = dir.filePath("l.bmp"), r = dir.filePath("r.bmp");
    ASSERT_TRUE(TexturedPicture(640, 480, 3).save(l));
    QImage black(640, 480, QImage::Format_RGB32);
    black.fill(Qt::black);
    ASSERT_TRUE(black.save(r));
    for (const char* step : {"auto", "auto-window"}) {
        SCOPED_TRACE(step);
        const QString prm = dir.filePath("pair.prm");
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        EXPECT_EQ(
            RunAlignCommand(
                {"--noini", "--left", l, "--right", r, "--do", step, "--write-prm", prm}, out, err),
            1);
        EXPECT_EQ(ReadAll(err), "orvanel-cli align: no reliable matches\n");
        EXPECT_TRUE(ReadAll(out).isEmpty());
        std::fclose(out);
        std::fclose(err);
        EXPECT_FALSE(QFile::exists(prm));
    }
}

TEST(AutoAlignCommand, WindowStandsOnTheNearestDetail) {
    // The panel is 30 px nearer than the background's 8: after the window
    // step it shows no parallax and the background stands behind it.
    QTemporaryDir dir;
    const tstereoscene s = DepthScene(900, 600, 11);
    const QString l = dir.filePath("l.bmp"), r = dir.filePath("r.bmp");
    ASSERT_TRUE(s.left.save(l));
    ASSERT_TRUE(s.right.save(r));
    const QString prm = dir.filePath("pair.prm");
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    ASSERT_EQ(RunAlignCommand({"--noini", "--left", l, "--right", r, "--do", "auto", "--do",
                               "auto-window", "--write-prm", prm},
                              out, err),
              0)
        << ReadAll(err).toStdString();
    const QStringList lines = ReadAll(out).split('\n', Qt::SkipEmptyParts);
    std::fclose(out);
    std::fclose(err);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].contains(
        QRegularExpression("^auto: \\d+ matches, \\d+ inliers, rotation -?0\\.0\\d\\d°, "
                           "magnification (1\\.000\\d|0\\.999\\d), "
                           "vertical residual RMS 0\\.\\d\\d px$")))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith("auto-window: W1 ")) << lines[1].toStdString();
    const tinifile f(prm);
    // W1 on the panel: its left and right x differ by the panel's 30 px, and
    // the right view moves by that much so that they meet.
    const double wl = f.ReadFloat("Left", "pt[9].x", 0), wr = f.ReadFloat("Right", "pt[9].x", 0);
    EXPECT_NEAR(wl - wr, 30, 0.3);
    EXPECT_NEAR(f.ReadFloat("Right", "posx", 0) - f.ReadFloat("Left", "posx", 0), 30, 0.3);
}
