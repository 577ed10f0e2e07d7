// Details matched between the two views: features detected and paired on
// reduced copies, each pair then refined to a fraction of a pixel by local
// correlation at full resolution.
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

struct trefiner {
    const cv::Mat& left;
    const cv::Mat& right;
    // Right-view offsets of a unit left-view offset in x and in y.
    double ixx, ixy, iyx, iyy;
    int radius;
    int margin;
    double minCorrelation;

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
        const double du = at.x + ox - m, dv = at.y + oy - m;
        out.xl = x;
        out.yl = y;
        out.xr = rx + ixx * du + iyx * dv;
        out.yr = ry + ixy * du + iyy * dv;
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
