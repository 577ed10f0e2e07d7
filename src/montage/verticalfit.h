// The vertical model of a stereo pair fitted to matched points: the left
// view's height of a detail from its place in the right view, the
// horizontal disparity left free because it is the depth.
#pragma once

#include <cstdint>
#include <vector>

// One detail seen in both views, in picture pixels of each view's bitmap.
struct tpointmatch {
    double xl = 0, yl = 0;
    double xr = 0, yr = 0;
};

// yl = a * xr + b * yr + t: the right view turned by atan2(a, b), magnified
// by hypot(a, b) and raised by t brings each detail to its left height.
struct tverticalmodel {
    double a = 0;
    double b = 1;
    double t = 0;

    double Residual(const tpointmatch& m) const { return m.yl - (a * m.xr + b * m.yr + t); }
    // The magnification of the left view against the right one.
    double Scale() const;
    // The counter-clockwise turn (y up) of the left view against the right
    // one, in radians.
    double Angle() const;
};

// The least-squares model over the matches whose `use` flag is set (all
// when `use` is empty); false when they do not fix the model (fewer than
// three, or all on one line).
bool FitVerticalModel(const std::vector<tpointmatch>& matches, const std::vector<char>& use,
                      tverticalmodel& model);

struct trobustfit {
    tverticalmodel model;
    std::vector<char> inlier;
    int inliers = 0;
    // Root mean square of the inliers' vertical residuals, in pixels.
    double rms = 0;
    // The largest residual still counted as an inlier.
    double threshold = 0;
};

// RANSAC over three-match samples with the threshold `threshold`, then the
// least-squares model over the consensus, refined while the inliers change
// (the threshold then follows three robust deviations, never above the first
// one nor under a quarter of it). The same seed gives the same result.
// False when no sample fixes a model.
bool RobustVerticalFit(const std::vector<tpointmatch>& matches, double threshold, trobustfit& fit,
                       std::uint32_t seed = 1);

// The right-view point that the full similarity of the model (with the
// horizontal shift `tx`) carries to the left-view point (xl, yl), and back.
void ModelToLeft(const tverticalmodel& m, double tx, double xr, double yr, double& xl, double& yl);
void ModelToRight(const tverticalmodel& m, double tx, double xl, double yl, double& xr, double& yr);
