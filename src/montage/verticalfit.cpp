// The vertical model of a stereo pair fitted to matched points: least
// squares, RANSAC and the similarity the model stands for.
#include "montage/verticalfit.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace {

// Solves the 3 x 3 system m x = r by elimination with partial pivoting;
// false when it is singular against the size of its entries.
bool Solve3(double m[3][3], double r[3], double x[3]) {
    double scale = 0;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) scale = std::max(scale, std::abs(m[i][j]));
    if (!(scale > 0)) return false;
    for (int c = 0; c < 3; ++c) {
        int p = c;
        for (int i = c + 1; i < 3; ++i)
            if (std::abs(m[i][c]) > std::abs(m[p][c])) p = i;
        if (std::abs(m[p][c]) <= 1e-12 * scale) return false;
        if (p != c) {
            for (int j = 0; j < 3; ++j) std::swap(m[p][j], m[c][j]);
            std::swap(r[p], r[c]);
        }
        for (int i = c + 1; i < 3; ++i) {
            const double f = m[i][c] / m[c][c];
            for (int j = c; j < 3; ++j) m[i][j] -= f * m[c][j];
            r[i] -= f * r[c];
        }
    }
    for (int i = 2; i >= 0; --i) {
        double s = r[i];
        for (int j = i + 1; j < 3; ++j) s -= m[i][j] * x[j];
        x[i] = s / m[i][i];
    }
    return std::isfinite(x[0]) && std::isfinite(x[1]) && std::isfinite(x[2]);
}

// The model through three matches exactly.
bool ModelOfThree(const tpointmatch& p, const tpointmatch& q, const tpointmatch& r,
                  tverticalmodel& model) {
    // Relative to the first match, so that the pivot test measures the
    // triangle, not the distance to the origin.
    double m[3][3] = {{0, 0, 1}, {q.xr - p.xr, q.yr - p.yr, 0}, {r.xr - p.xr, r.yr - p.yr, 0}};
    double v[3] = {p.yl, q.yl - p.yl, r.yl - p.yl};
    double x[3];
    // The triangle must not be flat: its area against its longest side.
    const double area = std::abs(m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    const double side = std::max({std::hypot(m[1][0], m[1][1]), std::hypot(m[2][0], m[2][1]),
                                  std::hypot(r.xr - q.xr, r.yr - q.yr)});
    if (!(side > 0) || area < 1e-3 * side * side) return false;
    if (!Solve3(m, v, x)) return false;
    model.a = x[0];
    model.b = x[1];
    model.t = x[2] - model.a * p.xr - model.b * p.yr;
    return true;
}

int CountInliers(const std::vector<tpointmatch>& matches, const tverticalmodel& model,
                 double threshold, std::vector<char>* flags) {
    int n = 0;
    if (flags) flags->assign(matches.size(), 0);
    for (size_t i = 0; i < matches.size(); ++i) {
        if (std::abs(model.Residual(matches[i])) <= threshold) {
            ++n;
            if (flags) (*flags)[i] = 1;
        }
    }
    return n;
}

double Rms(const std::vector<tpointmatch>& matches, const std::vector<char>& use,
           const tverticalmodel& model, int& count) {
    double sum = 0;
    count = 0;
    for (size_t i = 0; i < matches.size(); ++i) {
        if (!use[i]) continue;
        const double r = model.Residual(matches[i]);
        sum += r * r;
        ++count;
    }
    return count ? std::sqrt(sum / count) : 0.0;
}

} // namespace

double tverticalmodel::Scale() const {
    return std::hypot(a, b);
}

double tverticalmodel::Angle() const {
    // Left = s R(phi) right in rows-down pixels, phi = atan2(a, b), is a
    // clockwise turn on the screen; the right view must turn that way.
    return -std::atan2(a, b);
}

bool FitVerticalModel(const std::vector<tpointmatch>& matches, const std::vector<char>& use,
                      tverticalmodel& model) {
    auto used = [&](size_t i) { return use.empty() || use[i]; };
    double mx = 0, my = 0, ml = 0;
    int n = 0;
    for (size_t i = 0; i < matches.size(); ++i) {
        if (!used(i)) continue;
        mx += matches[i].xr;
        my += matches[i].yr;
        ml += matches[i].yl;
        ++n;
    }
    if (n < 3) return false;
    mx /= n;
    my /= n;
    ml /= n;
    // Centred normal equations of yl - ml = a (xr - mx) + b (yr - my).
    double sxx = 0, sxy = 0, syy = 0, sxl = 0, syl = 0;
    for (size_t i = 0; i < matches.size(); ++i) {
        if (!used(i)) continue;
        const double x = matches[i].xr - mx, y = matches[i].yr - my, l = matches[i].yl - ml;
        sxx += x * x;
        sxy += x * y;
        syy += y * y;
        sxl += x * l;
        syl += y * l;
    }
    const double det = sxx * syy - sxy * sxy;
    if (!(det > 1e-9 * std::max(sxx, syy) * std::max(sxx, syy))) return false;
    model.a = (sxl * syy - syl * sxy) / det;
    model.b = (syl * sxx - sxl * sxy) / det;
    model.t = ml - model.a * mx - model.b * my;
    return std::isfinite(model.a) && std::isfinite(model.b) && std::isfinite(model.t);
}

bool RobustVerticalFit(const std::vector<tpointmatch>& matches, double threshold, trobustfit& fit,
                       std::uint32_t seed) {
    fit = trobustfit{};
    const int n = int(matches.size());
    if (n < 3 || !(threshold > 0)) return false;

    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> pick(0, n - 1);
    tverticalmodel best;
    int bestCount = -1;
    int iterations = 1000;
    for (int it = 0; it < iterations; ++it) {
        const int i = pick(rng), j = pick(rng), k = pick(rng);
        if (i == j || j == k || i == k) continue;
        tverticalmodel m;
        if (!ModelOfThree(matches[i], matches[j], matches[k], m)) continue;
        const int count = CountInliers(matches, m, threshold, nullptr);
        if (count > bestCount) {
            bestCount = count;
            best = m;
            // Enough samples for a 99.9 % chance of one clean sample.
            const double w = double(count) / n;
            const double clean = w * w * w;
            if (clean >= 1.0)
                iterations = it + 1;
            else if (clean > 0)
                iterations = std::min(
                    iterations, it + 1 + int(std::ceil(std::log(0.001) / std::log(1 - clean))));
        }
    }
    if (bestCount < 3) return false;

    // Least squares over the consensus, again while it changes.
    std::vector<char> flags;
    CountInliers(matches, best, threshold, &flags);
    double limit = threshold;
    tverticalmodel model = best;
    for (int round = 0; round < 10; ++round) {
        tverticalmodel next;
        if (!FitVerticalModel(matches, flags, next)) break;
        model = next;
        // Three robust deviations of the consensus' residuals.
        std::vector<double> r;
        for (int i = 0; i < n; ++i)
            if (flags[i]) r.push_back(std::abs(model.Residual(matches[i])));
        std::nth_element(r.begin(), r.begin() + r.size() / 2, r.end());
        const double sigma = 1.4826 * r[r.size() / 2];
        limit = std::clamp(3 * sigma, threshold / 4, threshold);
        std::vector<char> nextFlags;
        CountInliers(matches, model, limit, &nextFlags);
        if (nextFlags == flags) break;
        if (std::count(nextFlags.begin(), nextFlags.end(), 1) < 3) break;
        flags.swap(nextFlags);
    }
    tverticalmodel last;
    if (FitVerticalModel(matches, flags, last)) model = last;
    fit.model = model;
    fit.inlier = flags;
    fit.threshold = limit;
    fit.rms = Rms(matches, flags, model, fit.inliers);
    return true;
}

void ModelToLeft(const tverticalmodel& m, double tx, double xr, double yr, double& xl, double& yl) {
    xl = m.b * xr - m.a * yr + tx;
    yl = m.a * xr + m.b * yr + m.t;
}

void ModelToRight(const tverticalmodel& m, double tx, double xl, double yl, double& xr,
                  double& yr) {
    const double s2 = m.a * m.a + m.b * m.b;
    const double u = xl - tx, v = yl - m.t;
    xr = (m.b * u + m.a * v) / s2;
    yr = (-m.a * u + m.b * v) / s2;
}
