// Details matched between the two views: features detected and paired on
// reduced copies, each pair then found again at full resolution by local
// correlation and settled to a fraction of a pixel by a local warp fitted to
// the two windows.
#include "montage/featurematch.h"

#include <opencv2/calib3d.hpp>
#include <opencv2/core.hpp>
#include <opencv2/features2d.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <set>
#include <thread>
#include <utility>

namespace {

// The picture as 8-bit grey, full resolution.
cv::Mat Grey(const QImage& image) {
    QImage img = image;
    if (img.format() != QImage::Format_RGB32 && img.format() != QImage::Format_ARGB32 &&
        img.format() != QImage::Format_ARGB32_Premultiplied)
        img = img.convertToFormat(QImage::Format_RGB32);
    const cv::Mat bgra(img.height(), img.width(), CV_8UC4, const_cast<uchar*>(img.constBits()),
                       size_t(img.bytesPerLine()));
    cv::Mat grey;
    cv::cvtColor(bgra, grey, cv::COLOR_BGRA2GRAY);
    return grey;
}

struct tfeatures {
    std::vector<cv::KeyPoint> keys;
    cv::Mat descriptors;
};

tfeatures Detect(const cv::Mat& grey, double factor, int count) {
    cv::Mat small = grey;
    if (factor > 1)
        cv::resize(grey, small,
                   cv::Size(std::max(1, int(std::lround(grey.cols / factor))),
                            std::max(1, int(std::lround(grey.rows / factor)))),
                   0, 0, cv::INTER_AREA);
    tfeatures f;
    cv::Ptr<cv::SIFT> sift = cv::SIFT::create(count);
    sift->detectAndCompute(small, cv::noArray(), f.keys, f.descriptors);
    return f;
}

// Left-to-right matches through the ratio test whose right feature has the
// same left feature for its own nearest neighbour.
std::vector<std::pair<int, int>> PairFeatures(const tfeatures& l, const tfeatures& r,
                                              double ratio) {
    std::vector<std::pair<int, int>> pairs;
    if (l.keys.size() < 2 || r.keys.size() < 2) return pairs;
    cv::BFMatcher matcher(cv::NORM_L2);
    std::vector<std::vector<cv::DMatch>> forward;
    std::vector<cv::DMatch> backward;
    std::thread back([&] { matcher.match(r.descriptors, l.descriptors, backward); });
    matcher.knnMatch(l.descriptors, r.descriptors, forward, 2);
    back.join();
    for (const auto& m : forward) {
        if (m.size() < 2 || !(m[0].distance < ratio * m[1].distance)) continue;
        const int li = m[0].queryIdx, ri = m[0].trainIdx;
        if (ri < 0 || ri >= int(backward.size()) || backward[ri].trainIdx != li) continue;
        pairs.emplace_back(li, ri);
    }
    return pairs;
}

// A full-resolution coordinate of the centre of a reduced pixel coordinate.
double FullResolution(double v, double factor) {
    return (v + 0.5) * factor - 0.5;
}

// One parabola through three samples: the offset of its top from the middle.
bool PeakOffset(float before, float at, float after, double& offset) {
    const double d = double(before) - 2.0 * at + after;
    if (!(d < 0)) return false;
    offset = 0.5 * (double(before) - after) / d;
    return std::abs(offset) <= 1.0;
}

// The four weights of the cubic convolution (a = -0.5) at fraction t of
// the way from the second sample to the third.
void CubicWeights(double t, double w[4]) {
    const double t2 = t * t, t3 = t2 * t;
    w[0] = -0.5 * t3 + t2 - 0.5 * t;
    w[1] = 1.5 * t3 - 2.5 * t2 + 1;
    w[2] = -1.5 * t3 + 2 * t2 + 0.5 * t;
    w[3] = 0.5 * t3 - 0.5 * t2;
}

// The Gauss-Newton refinement of one match. The left window stays on the
// pixel grid; the right one is sampled through the coarse turn, then through
// a local warp whose horizontal part may stretch and lean (the disparity
// changes across a slanted surface, and a window matched by a shift alone
// trades that change for a false vertical offset along oblique edges) and
// whose vertical part is a shift only. The right window's gain and offset
// absorb the views' different exposure.
struct tlocalwarp {
    double ex = 0, ey = 0; // shift, in left-view pixels
    double g = 0, h = 0;   // horizontal stretch and lean
};

constexpr int kMaxWarpIterations = 12;
// The refinement stops when the shift moves by less than this.
constexpr double kWarpConvergence = 1e-3;

struct trefiner {
    const cv::Mat& left;
    const cv::Mat& right;
    // Right-view offsets of a unit left-view offset in x and in y.
    double ixx, ixy, iyx, iyy;
    int radius;
    int margin;
    double minCorrelation;

    // The right window of left offsets -r-1..r+1 under `w`, sampled bicubically
    // from the right picture, whose point (rx, ry) stands for the left point.
    // False when it reaches outside the picture. (The library's own remapping
    // rounds positions to a 32nd of a pixel, too coarse here.)
    bool Sample(double rx, double ry, const tlocalwarp& w, std::vector<double>& out) const {
        const int n = 2 * radius + 3;
        out.resize(size_t(n) * n);
        for (int j = 0; j < n; ++j) {
            const double v = j - radius - 1;
            for (int i = 0; i < n; ++i) {
                const double u = i - radius - 1;
                const double a = u + w.ex + w.g * u + w.h * v, b = v + w.ey;
                const double X = rx + ixx * a + iyx * b, Y = ry + ixy * a + iyy * b;
                const double fx = std::floor(X), fy = std::floor(Y);
                const int x0 = int(fx) - 1, y0 = int(fy) - 1;
                if (!(X >= 1 && Y >= 1) || x0 + 3 >= right.cols || y0 + 3 >= right.rows)
                    return false;
                double wx[4], wy[4];
                CubicWeights(X - fx, wx);
                CubicWeights(Y - fy, wy);
                double sum = 0;
                for (int k = 0; k < 4; ++k) {
                    const uchar* row = right.ptr<uchar>(y0 + k) + x0;
                    sum +=
                        wy[k] * (wx[0] * row[0] + wx[1] * row[1] + wx[2] * row[2] + wx[3] * row[3]);
                }
                out[size_t(j) * n + i] = sum;
            }
        }
        return true;
    }

    // Moves (ex, ey) of `w` onto the best fit of the right window to the left
    // one. False when the fit does not settle, leaves the correlation peak or
    // needs a warp no surface gives.
    bool Settle(int x, int y, double rx, double ry, tlocalwarp& w) const {
        const int r = radius, n = 2 * r + 1;
        const cv::Mat templ = left(cv::Rect(x - r, y - r, n, n));
        // Gaussian weights: the window's middle counts most.
        const double sigma = 0.6 * r;
        std::vector<double> weight(size_t(n) * n);
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < n; ++i)
                weight[size_t(j) * n + i] =
                    std::exp(-((i - r) * (i - r) + (j - r) * (j - r)) / (2 * sigma * sigma));
        const double startX = w.ex, startY = w.ey;
        double alpha = 1, beta = 0;
        std::vector<double> win;
        const int stride = n + 2;
        for (int it = 0; it < kMaxWarpIterations; ++it) {
            if (!Sample(rx, ry, w, win)) return false;
            double A[6][6] = {}, B[6] = {};
            for (int j = 0; j < n; ++j) {
                const double* row = &win[size_t(j + 1) * stride];
                const double* up = &win[size_t(j) * stride];
                const double* down = &win[size_t(j + 2) * stride];
                const uchar* t = templ.ptr<uchar>(j);
                const double v = j - r;
                for (int i = 0; i < n; ++i) {
                    const double u = i - r;
                    const double wt = weight[size_t(j) * n + i];
                    const double W = row[i + 1];
                    const double wu = 0.5 * (row[i + 2] - row[i]);
                    const double wv = 0.5 * (down[i + 1] - up[i + 1]);
                    // Derivatives along the warp's own horizontal and vertical.
                    const double wa = wu / (1 + w.g), wb = wv - w.h * wa;
                    const double J[6] = {alpha * wa, alpha * wa * u, alpha * wa * v, alpha * wb, W,
                                         1.0};
                    const double e = t[i] - (alpha * W + beta);
                    for (int p = 0; p < 6; ++p) {
                        B[p] += wt * J[p] * e;
                        for (int q = p; q < 6; ++q) A[p][q] += wt * J[p] * J[q];
                    }
                }
            }
            cv::Matx66d M;
            cv::Vec6d rhs;
            for (int p = 0; p < 6; ++p) {
                rhs[p] = B[p];
                for (int q = 0; q < 6; ++q) M(p, q) = p <= q ? A[p][q] : A[q][p];
            }
            cv::Vec6d d;
            if (!cv::solve(M, rhs, d, cv::DECOMP_CHOLESKY)) return false;
            w.ex += d[0];
            w.g += d[1];
            w.h += d[2];
            w.ey += d[3];
            alpha += d[4];
            beta += d[5];
            if (!(std::abs(w.ex - startX) <= 1 && std::abs(w.ey - startY) <= 1 &&
                  std::abs(w.g) <= 0.3 && std::abs(w.h) <= 0.3 && alpha > 0.2 && alpha < 5))
                return false;
            if (std::abs(d[0]) < kWarpConvergence && std::abs(d[3]) < kWarpConvergence &&
                std::abs(d[1]) * r < kWarpConvergence && std::abs(d[2]) * r < kWarpConvergence)
                return true;
        }
        return false;
    }

    // The right point of left point (x, y) near its first estimate (rx, ry).
    bool Refine(int x, int y, double rx, double ry, tpointmatch& out) const {
        const int r = radius, m = margin;
        if (x - r < 0 || y - r < 0 || x + r >= left.cols || y + r >= left.rows) return false;
        const cv::Mat templ = left(cv::Rect(x - r, y - r, 2 * r + 1, 2 * r + 1));
        cv::Scalar mean, dev;
        cv::meanStdDev(templ, mean, dev);
        if (dev[0] < 2.0) return false; // nothing to correlate on
        const int side = 2 * (r + m) + 1;
        const double h = r + m;
        // The warped search area must lie inside the right picture.
        const double reach = h * (std::abs(ixx) + std::abs(ixy) + std::abs(iyx) + std::abs(iyy));
        if (rx - reach < 0 || ry - reach < 0 || rx + reach > right.cols - 1 ||
            ry + reach > right.rows - 1)
            return false;
        // Search pixel (u, v) shows the right picture at the left offset
        // (u - h, v - h) from (x, y).
        const cv::Matx23d map(ixx, iyx, rx - h * (ixx + iyx), ixy, iyy, ry - h * (ixy + iyy));
        cv::Mat search;
        cv::warpAffine(right, search, map, cv::Size(side, side),
                       cv::INTER_LINEAR | cv::WARP_INVERSE_MAP, cv::BORDER_REPLICATE);
        cv::Mat score;
        cv::matchTemplate(search, templ, score, cv::TM_CCOEFF_NORMED);
        double best = 0;
        cv::Point at;
        cv::minMaxLoc(score, nullptr, &best, nullptr, &at);
        if (!(best >= minCorrelation)) return false;
        if (at.x <= 0 || at.y <= 0 || at.x >= score.cols - 1 || at.y >= score.rows - 1)
            return false;
        double ox = 0, oy = 0;
        if (!PeakOffset(score.at<float>(at.y, at.x - 1), score.at<float>(at.y, at.x),
                        score.at<float>(at.y, at.x + 1), ox) ||
            !PeakOffset(score.at<float>(at.y - 1, at.x), score.at<float>(at.y, at.x),
                        score.at<float>(at.y + 1, at.x), oy))
            return false;
        tlocalwarp w;
        w.ex = at.x + ox - m;
        w.ey = at.y + oy - m;
        if (!Settle(x, y, rx, ry, w)) return false;
        out.xl = x;
        out.yl = y;
        out.xr = rx + ixx * w.ex + iyx * w.ey;
        out.yr = ry + ixy * w.ex + iyy * w.ey;
        return true;
    }
};

} // namespace

std::vector<tpointmatch> MatchViews(const QImage& leftImage, const QImage& rightImage,
                                    const tmatchoptions& options, tmatchstats* stats) {
    std::vector<tpointmatch> result;
    if (stats) *stats = tmatchstats{};
    if (leftImage.isNull() || rightImage.isNull()) return result;

    // Both views at once: grey copies, then their features.
    const int side =
        std::max({leftImage.width(), leftImage.height(), rightImage.width(), rightImage.height()});
    const double factor = std::max(1.0, double(side) / std::max(64, options.detectSide));
    cv::Mat greyL, greyR;
    tfeatures fl, fr;
    {
        std::thread other([&] {
            greyR = Grey(rightImage);
            fr = Detect(greyR, factor, options.features);
        });
        greyL = Grey(leftImage);
        fl = Detect(greyL, factor, options.features);
        other.join();
    }
    const std::vector<std::pair<int, int>> pairs = PairFeatures(fl, fr, options.ratio);
    if (stats) {
        stats->leftFeatures = int(fl.keys.size());
        stats->rightFeatures = int(fr.keys.size());
        stats->coarse = int(pairs.size());
    }
    if (pairs.size() < 3) return result;

    std::vector<tpointmatch> coarse;
    coarse.reserve(pairs.size());
    for (const auto& p : pairs) {
        const cv::Point2f& l = fl.keys[size_t(p.first)].pt;
        const cv::Point2f& r = fr.keys[size_t(p.second)].pt;
        coarse.push_back({FullResolution(l.x, factor), FullResolution(l.y, factor),
                          FullResolution(r.x, factor), FullResolution(r.y, factor)});
    }

    // The turn and magnification of the coarse matches shape the search
    // windows; a pair they do not fix is searched unturned.
    tverticalmodel model;
    trobustfit fit;
    if (RobustVerticalFit(coarse, std::max(2.0, 1.5 * factor), fit) && fit.inliers >= 3) {
        const double s = fit.model.Scale();
        if (s > 0.5 && s < 2.0) model = fit.model;
    }
    const double s2 = model.a * model.a + model.b * model.b;
    const trefiner refiner{greyL,
                           greyR,
                           model.b / s2,
                           -model.a / s2,
                           model.a / s2,
                           model.b / s2,
                           std::max(3, options.radius),
                           int(std::ceil(2 * factor)) + 2,
                           options.minCorrelation};

    // Each left detail once; the two halves of the list on the two cores.
    std::vector<std::pair<int, int>> starts;
    std::set<std::pair<int, int>> seen;
    std::vector<size_t> order;
    for (size_t i = 0; i < coarse.size(); ++i) {
        const std::pair<int, int> key(int(std::lround(coarse[i].xl)),
                                      int(std::lround(coarse[i].yl)));
        if (!seen.insert(key).second) continue;
        starts.push_back(key);
        order.push_back(i);
    }
    std::vector<tpointmatch> refined(order.size());
    std::vector<char> ok(order.size(), 0);
    auto work = [&](size_t from, size_t to) {
        for (size_t k = from; k < to; ++k) {
            const tpointmatch& c = coarse[order[k]];
            const int x = starts[k].first, y = starts[k].second;
            // The coarse right point moved with the left one onto the grid.
            const double dx = x - c.xl, dy = y - c.yl;
            const double rx = c.xr + refiner.ixx * dx + refiner.iyx * dy;
            const double ry = c.yr + refiner.ixy * dx + refiner.iyy * dy;
            ok[k] = refiner.Refine(x, y, rx, ry, refined[k]);
        }
    };
    {
        const size_t half = order.size() / 2;
        std::thread other(work, half, order.size());
        work(0, half);
        other.join();
    }
    for (size_t k = 0; k < order.size(); ++k)
        if (ok[k]) result.push_back(refined[k]);
    return result;
}
