// "Calage automatique": the pair aligned from matched details through the
// ordinary points and commands, and the stereo window at the nearest detail.
#include "montage/autoalign.h"

#include "core/viewpair.h"
#include "input/userreport.h"
#include "montage/alignment.h"
#include "montage/featurematch.h"
#include "montage/magnification.h"
#include "montage/stereowindow.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

namespace {

constexpr double kPi = 3.14159265358979323846;
// How much longer the right view's C-A1 vector is made than the left one's.
constexpr double kRightArmMargin = 1e-6;
// The average drop of a view's details each time the resampler draws it
// other than at a whole-pixel offset: half of its third-of-a-pixel step.
constexpr double kSamplingDrop = 1.0 / 6.0;

// The first RANSAC threshold: 2 px, more on large pictures whose details
// are found on a reduced copy.
double FirstThreshold(const QImage& left) {
    return std::max(2.0, std::max(left.width(), left.height()) / 800.0);
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
    return v[v.size() / 2];
}

// Degrees within (-180, 180].
double Degrees(double radians) {
    double d = std::remainder(radians * 180.0 / kPi, 360.0);
    if (d <= -180.0) d += 360.0;
    return d;
}

QString Number(double v, int decimals) {
    QString text = QString::number(v, 'f', decimals);
    // No minus sign on a value that prints as zero.
    if (text.startsWith('-') && text.mid(1).toDouble() == 0) text.remove(0, 1);
    return text;
}

// Where a detail of the left view should stand along the width, far from C:
// on the side with more room, inside the picture.
double FarAlongWidth(double cx, double width) {
    const double reach = 0.35 * width;
    const double x = cx < width / 2 ? cx + reach : cx - reach;
    return std::clamp(x, 0.05 * width, 0.95 * width);
}

} // namespace

tpairfit MatchAndFit(const QImage& left, const QImage& right) {
    tpairfit p;
    p.matches = MatchViews(left, right);
    if (p.matches.size() >= 3) p.fitted = RobustVerticalFit(p.matches, FirstThreshold(left), p.fit);
    return p;
}

QString FitRefusal(const tpairfit& p) {
    const QString refusal = QStringLiteral("no reliable matches");
    if (!p.fitted || p.fit.inliers < kMinAutoInliers) return refusal;
    if (2 * p.fit.inliers < int(p.matches.size())) return refusal;
    const double s = p.fit.model.Scale();
    if (!(std::abs(s - 1) <= kMaxAutoScaleChange)) return refusal;
    if (!(std::abs(Degrees(p.fit.model.Angle())) <= kMaxAutoTurnDegrees)) return refusal;
    return {};
}

QString AutoResultLine(const tautoresult& r) {
    return QStringLiteral("auto: %1 matches, %2 inliers, rotation %3%4, magnification %5, "
                          "vertical residual RMS %6 px")
        .arg(r.matches)
        .arg(r.inliers)
        .arg(Number(r.rotationDegrees, 3))
        .arg(QString::fromUtf8("°"))
        .arg(Number(r.magnification, 4))
        .arg(Number(r.rms, 2));
}

bool MatchPairWaiting(talignhost& host, tpairfit& fit, QString& error) {
    tviewpair& pair = host.Pair();
    // Shared copies: the window may change the views while the worker reads.
    const QImage left = pair.ImgLeft.bitmap, right = pair.ImgRight.bitmap;
    if (left.isNull() || right.isNull() || left.width() < 16 || left.height() < 16 ||
        right.width() < 16 || right.height() < 16) {
        error = QStringLiteral("both views must hold a picture");
        return false;
    }
    std::atomic<bool> done{false};
    std::thread worker([&] {
        fit = MatchAndFit(left, right);
        done = true;
    });
    while (!done) {
        host.ProcessEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
    }
    worker.join();
    if (pair.ImgLeft.bitmap.cacheKey() != left.cacheKey() ||
        pair.ImgRight.bitmap.cacheKey() != right.cacheKey()) {
        error = QStringLiteral("the views changed while they were matched");
        return false;
    }
    return true;
}

bool AutoAlign(talignhost& host, tautoresult& result, QString& error) {
    tpairfit p;
    if (!MatchPairWaiting(host, p, error)) return false;
    error = FitRefusal(p);
    if (!error.isEmpty()) return false;

    tviewpair& pair = host.Pair();
    timg& left = pair.ImgLeft;
    timg& right = pair.ImgRight;
    const tverticalmodel& m = p.fit.model;

    // The full similarity of the model: its horizontal shift is the median
    // disparity, which only places the points, never the alignment.
    std::vector<double> shifts;
    double cx = 0, cy = 0;
    for (size_t i = 0; i < p.matches.size(); ++i) {
        if (!p.fit.inlier[i]) continue;
        const tpointmatch& q = p.matches[i];
        shifts.push_back(q.xl - (m.b * q.xr - m.a * q.yr));
        cx += q.xl;
        cy += q.yl;
    }
    const double tx = Median(shifts);
    cx /= p.fit.inliers;
    cy /= p.fit.inliers;

    auto place = [&](int index, double xl, double yl) {
        double xr = 0, yr = 0;
        ModelToRight(m, tx, xl, yl, xr, yr);
        left.PlacePoint(index, xl, yl);
        right.PlacePoint(index, xr, yr);
    };
    // C at the inliers' centroid, A1 far from it along the width.
    place(PtStereo0, cx, cy);
    place(PtStereo1, FarAlongWidth(cx, left.Width()), cy);
    // The magnification between the pictures as read from their files.
    const double scale = m.Scale() * left.dz / right.dz;
    const bool magnify = std::abs(scale - 1) > kMinAutoScaleChange;
    // The resampler takes its kernel by the third of a pixel a position falls
    // in, the thirds counted from a third above the point asked for: a view
    // it draws turned shows its details a sixth of a pixel lower on average,
    // and a view drawn unturned at the fractional offset the common frame
    // gives it between 0 and 0.31 px lower, about a sixth on average over
    // the offsets. The turned right view and the unturned left one thus drop
    // alike; the right view resampled once more for a magnification drops a
    // sixth more, and is raised by that much through its C and A1.
    if (magnify) {
        right.pt[PtStereo0].y += kSamplingDrop;
        right.pt[PtStereo1].y += kSamplingDrop;
    }
    // The fit takes the left view's rows as the direction of the disparity:
    // the right view is the one to turn. "Caler en Rotation" turns the view
    // with the longer C-A1 vector, so the right one is made longer by a
    // millionth, which moves its A1 by far less than the fit's precision.
    // A magnification too small to correct still shortens the right vector
    // by up to a thousandth: it is then stretched to the left one's length
    // (as the views will be when their dz are cancelled), its direction kept.
    {
        const double stretch = (1 + kRightArmMargin) * (magnify ? 1.0 : scale);
        trealpoint& c = right.pt[PtStereo0];
        trealpoint& a1 = right.pt[PtStereo1];
        a1.x = c.x + (a1.x - c.x) * stretch;
        a1.y = c.y + (a1.y - c.y) * stretch;
    }

    if (magnify) {
        // d1 and d2 across the height, leaning by half the turn so that their
        // height difference grows by exactly the magnification.
        const double phi = std::atan2(m.a, m.b);
        const double h = 0.3 * right.Height();
        double rx = 0, ry = 0;
        ModelToRight(m, tx, cx, cy, rx, ry);
        const double ux = std::sin(phi / 2) * h, uy = std::cos(phi / 2) * h;
        double xl = 0, yl = 0;
        ModelToLeft(m, tx, rx - ux, ry - uy, xl, yl);
        left.PlacePoint(PtDz1, xl, yl);
        right.PlacePoint(PtDz1, rx - ux, ry - uy);
        ModelToLeft(m, tx, rx + ux, ry + uy, xl, yl);
        left.PlacePoint(PtDz2, xl, yl);
        right.PlacePoint(PtDz2, rx + ux, ry + uy);
    }

    const double dzL = left.dz, dzR = right.dz;
    // Both turns undone first: the magnification measures unturned views.
    LevelOnCentre(host);
    if (magnify) {
        // The right view is resampled, the left one stays as read: only
        // one view then carries the resampler's sampling drop.
        host.MakeCurrent(false);
        if (!ApplyZoomCorrection(host, false)) {
            error = QStringLiteral("the magnification %1 cannot be applied").arg(scale);
            return false;
        }
    } else {
        if (dzL != 1 || dzR != 1) CancelMagnification(host);
        AlignRotation(host);
    }
    // The points are kept from the next clicks, as after a magnification.
    host.LockPoints();
    host.ShowZoomInfo();

    result = tautoresult{};
    result.matches = int(p.matches.size());
    result.inliers = p.fit.inliers;
    result.rotationDegrees = Degrees(right.rot - left.rot);
    result.magnification = scale;
    result.rms = p.fit.rms;
    // The inliers follow the bitmaps: read at dz, now at the views' dz.
    for (size_t i = 0; i < p.matches.size(); ++i) {
        if (!p.fit.inlier[i]) continue;
        tpointmatch q = p.matches[i];
        q.xl *= dzL / left.dz;
        q.yl *= dzL / left.dz;
        q.xr *= dzR / right.dz;
        q.yr *= dzR / right.dz;
        result.inliersNow.push_back(q);
    }
    result.leftKey = left.bitmap.cacheKey();
    result.rightKey = right.bitmap.cacheKey();
    return true;
}

int NearestRobustIndex(const std::vector<double>& disparities) {
    const int n = int(disparities.size());
    if (n == 0) return -1;
    std::vector<int> order(size_t(n), 0);
    for (int i = 0; i < n; ++i) order[size_t(i)] = i;
    std::sort(order.begin(), order.end(),
              [&](int a, int b) { return disparities[size_t(a)] < disparities[size_t(b)]; });
    const int skipped = int(std::floor(0.02 * n));
    return order[size_t(n - 1 - skipped)];
}

bool AutoWindow(talignhost& host, tautoresult& last, QString& error) {
    tviewpair& pair = host.Pair();
    timg& left = pair.ImgLeft;
    timg& right = pair.ImgRight;
    if (last.inliersNow.empty() || last.leftKey != left.bitmap.cacheKey() ||
        last.rightKey != right.bitmap.cacheKey()) {
        tpairfit p;
        if (!MatchPairWaiting(host, p, error)) return false;
        error = FitRefusal(p);
        if (!error.isEmpty()) return false;
        last = tautoresult{};
        last.matches = int(p.matches.size());
        last.inliers = p.fit.inliers;
        last.rms = p.fit.rms;
        last.rotationDegrees = Degrees(p.fit.model.Angle());
        last.magnification = p.fit.model.Scale();
        for (size_t i = 0; i < p.matches.size(); ++i)
            if (p.fit.inlier[i]) last.inliersNow.push_back(p.matches[i]);
        last.leftKey = left.bitmap.cacheKey();
        last.rightKey = right.bitmap.cacheKey();
    }
    // Crossed disparity on the montage plane: the nearer a detail, the
    // further right it stands in the left view.
    std::vector<double> d;
    d.reserve(last.inliersNow.size());
    for (const tpointmatch& q : last.inliersNow)
        d.push_back(MontagePosition(left, q.xl, q.yl).x() - MontagePosition(right, q.xr, q.yr).x());
    const int k = NearestRobustIndex(d);
    if (k < 0) {
        error = QStringLiteral("no reliable matches");
        return false;
    }
    const tpointmatch& w = last.inliersNow[size_t(k)];
    left.PlacePoint(PtWin1, w.xl, w.yl);
    right.PlacePoint(PtWin1, w.xr, w.yr);
    RunWindowMode(host, CalcAtWindow);
    return true;
}

bool RunAutoAlignCommand(talignhost& host, QString& line) {
    static bool running = false;
    line.clear();
    if (running) return false;
    running = true;
    struct tclear {
        ~tclear() { running = false; }
    } clear;
    const tbusyguard busy(UserReport());
    tautoresult result;
    QString error;
    if (!AutoAlign(host, result, error) || !AutoWindow(host, result, error)) {
        line = QStringLiteral("auto: ") + error;
        return false;
    }
    line = AutoResultLine(result);
    return true;
}
