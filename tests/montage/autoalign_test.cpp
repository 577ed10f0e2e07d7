// The automatic alignment over a display without a window: the refusals of
// pairs that cannot be matched, sound results on awkward pairs, the window
// kept alive while matching, and on the hand-held photographs an alignment
// as level as the best least-squares fit of its own matches.
#include "montage/alignhost.h"
#include "montage/autoalign.h"
#include "support/stereoscene.h"

#include "core/viewpair.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

void SetPair(tviewpair& pair, const QImage& left, const QImage& right) {
    pair.ImgLeft.bitmap = left.convertToFormat(QImage::Format_RGB32);
    pair.ImgRight.bitmap = right.convertToFormat(QImage::Format_RGB32);
    pair.ImgLeft.Reset();
    pair.ImgRight.Reset();
}

// The right view's turn against the left one, degrees.
double Turn(const tviewpair& pair) {
    return std::remainder((pair.ImgRight.rot - pair.ImgLeft.rot) * 180 / M_PI, 360.0);
}

// Root mean square of the montage height differences of the matches.
double MontageRms(const tviewpair& pair, const std::vector<tpointmatch>& m) {
    double s = 0;
    for (const tpointmatch& q : m) {
        const double d = MontagePosition(pair.ImgLeft, q.xl, q.yl).y() -
                         MontagePosition(pair.ImgRight, q.xr, q.yr).y();
        s += d * d;
    }
    return std::sqrt(s / m.size());
}

// The least-squares residual of yl = a xr + b yr + t by Cramer's rule on the
// raw normal equations: slow and plain, kept apart from the program's fit.
double LeastSquaresRms(const std::vector<tpointmatch>& m) {
    double n[3][3] = {}, v[3] = {};
    for (const tpointmatch& q : m) {
        const double row[3] = {q.xr, q.yr, 1};
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) n[i][j] += row[i] * row[j];
            v[i] += row[i] * q.yl;
        }
    }
    auto det = [](double a[3][3]) {
        return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
               a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
               a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
    };
    const double d = det(n);
    double x[3];
    for (int k = 0; k < 3; ++k) {
        double c[3][3];
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) c[i][j] = j == k ? v[i] : n[i][j];
        x[k] = det(c) / d;
    }
    double s = 0;
    for (const tpointmatch& q : m) {
        const double r = q.yl - (x[0] * q.xr + x[1] * q.yr + x[2]);
        s += r * r;
    }
    return std::sqrt(s / m.size());
}

} // namespace

TEST(AutoAlign, PairsWithoutReliableMatchesAreRefusedAndLeftAlone) {
    QImage black(700, 500, QImage::Format_RGB32);
    black.fill(Qt::black);
    const struct {
        const char* what;
        QImage left, right;
    } cases[] = {
        {"black right view", TexturedPicture(700, 500, 5), black},
        {"black views", black, black},
        {"different scenes", TexturedPicture(700, 500, 5), TexturedPicture(700, 500, 6)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        tviewpair pair;
        SetPair(pair, c.left, c.right);
        pair.ImgRight.posx = 12;
        trecordinghost host(pair);
        tautoresult r;
        QString error;
        EXPECT_FALSE(AutoAlign(host, r, error));
        EXPECT_EQ(error, "no reliable matches");
        EXPECT_FALSE(pair.ImgLeft.pt[PtStereo0].d);
        EXPECT_FALSE(pair.ImgRight.pt[PtStereo1].d);
        EXPECT_EQ(pair.ImgRight.posx, 12);
        EXPECT_EQ(host.composes, 0);
        EXPECT_FALSE(AutoWindow(host, r, error));
        EXPECT_FALSE(pair.ImgLeft.pt[PtWin1].d);
    }
    tviewpair empty;
    trecordinghost host(empty);
    tautoresult r;
    QString error;
    EXPECT_FALSE(AutoAlign(host, r, error));
    EXPECT_EQ(error, "both views must hold a picture");
}

TEST(AutoAlign, AwkwardPairsGiveSoundResults) {
    const tstereoscene s = DepthScene(800, 560, 21);
    const QImage turned = TurnedView(s.right, 2.0, 1.0, 6);
    // A tiled pattern: every detail repeats every 64 px.
    const QImage tile = TexturedPicture(64, 64, 8);
    QImage tiles(800, 560, QImage::Format_RGB32);
    {
        QPainter p(&tiles);
        for (int y = 0; y < tiles.height(); y += tile.height())
            for (int x = 0; x < tiles.width(); x += tile.width()) p.drawImage(x, y, tile);
    }
    const struct {
        const char* what;
        QImage left, right;
        double turn; // expected turn of the right view, degrees
        bool mayRefuse;
    } cases[] = {
        {"identical views", s.left, s.left, 0.0, false},
        {"ordinary pair", s.left, turned, -2.0, false},
        {"swapped views", turned, s.left, 2.0, false},
        {"repetitive texture", tiles, TurnedView(tiles, 1.0, 1.0, 3), -1.0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        tviewpair pair;
        SetPair(pair, c.left, c.right);
        trecordinghost host(pair);
        tautoresult r;
        QString error;
        if (!AutoAlign(host, r, error)) {
            EXPECT_TRUE(c.mayRefuse);
            EXPECT_EQ(error, "no reliable matches");
            continue;
        }
        EXPECT_NEAR(Turn(pair), c.turn, 0.05);
        EXPECT_NEAR(r.rotationDegrees, c.turn, 0.05);
        EXPECT_LT(r.rms, 0.5);
        EXPECT_GE(r.inliers, kMinAutoInliers);
        // The ordinary points carry the alignment: C and A1 at one height.
        for (int index : {PtStereo0, PtStereo1}) {
            ASSERT_TRUE(PairUsable(pair, index));
            EXPECT_NEAR(MontagePosition(pair.ImgLeft, index).y(),
                        MontagePosition(pair.ImgRight, index).y(), 1e-6);
        }
        EXPECT_LT(MontageRms(pair, r.inliersNow), 0.5);
    }
}

TEST(AutoAlign, MagnifiedViewIsReducedThroughD1D2) {
    const tstereoscene s = DepthScene(800, 560, 31);
    for (const double scale : {1.03, 0.97}) {
        SCOPED_TRACE(scale);
        tviewpair pair;
        SetPair(pair, s.left, TurnedView(s.right, -1.5, scale, -9));
        trecordinghost host(pair);
        tautoresult r;
        QString error;
        ASSERT_TRUE(AutoAlign(host, r, error)) << error.toStdString();
        // The right view shows the details larger by `scale`: the left view
        // is 1/scale of it. The right view is the one resampled, the left
        // one stays as read.
        EXPECT_NEAR(r.magnification, 1 / scale, 0.001);
        EXPECT_NEAR(pair.ImgRight.dz, scale, 0.001);
        EXPECT_EQ(pair.ImgLeft.dz, 1.0);
        EXPECT_TRUE(PairUsable(pair, PtDz1));
        EXPECT_TRUE(PairUsable(pair, PtDz2));
        EXPECT_NEAR(Turn(pair), 1.5, 0.05);
        EXPECT_LT(MontageRms(pair, r.inliersNow), 0.5);
    }
}

TEST(AutoAlign, WindowKeepsRunningWhileMatching) {
    const tstereoscene s = DepthScene(900, 600, 41);
    tviewpair pair;
    SetPair(pair, s.left, s.right);
    trecordinghost host(pair);
    tpairfit fit;
    QString error;
    ASSERT_TRUE(MatchPairWaiting(host, fit, error));
    EXPECT_GT(host.events, 0);
    // A view replaced while the matching ran makes its result worthless.
    host.events = 0;
    host.onEvents = [&pair](int n) {
        if (n == 1) pair.ImgRight.bitmap = pair.ImgRight.bitmap.copy();
    };
    EXPECT_FALSE(MatchPairWaiting(host, fit, error));
    EXPECT_EQ(error, "the views changed while they were matched");
}

TEST(AutoAlign, HandHeldPairIsAsLevelAsTheBestFitOfItsMatches) {
    const char* data = std::getenv("ORVANEL_TESTDATA");
    if (!data) GTEST_SKIP() << "ORVANEL_TESTDATA not set";
    const QString dir = QString::fromLocal8Bit(data);
    const QImage l(dir + "/handheld_vase_L.jpg"), r(dir + "/handheld_vase_R.jpg");
    ASSERT_FALSE(l.isNull());
    ASSERT_FALSE(r.isNull());
    tviewpair pair;
    SetPair(pair, l, r);
    trecordinghost host(pair);
    tautoresult result;
    QString error;
    ASSERT_TRUE(AutoAlign(host, result, error)) << error.toStdString();
    ASSERT_GE(result.inliers, 50);
    // The views' parameters leave the inliers within 10 % of the residual of
    // their own best least-squares fit.
    const double best = LeastSquaresRms(result.inliersNow);
    EXPECT_LE(MontageRms(pair, result.inliersNow), 1.1 * best);
    EXPECT_LT(best, 2.0);
    // A hand-held turn, not a wild one.
    EXPECT_LT(std::abs(Turn(pair)), 5.0);
    ASSERT_TRUE(AutoWindow(host, result, error)) << error.toStdString();
    EXPECT_TRUE(PairUsable(pair, PtWin1));
}
