// The vertical model's least squares and RANSAC against values worked out by
// hand, and the choice of the nearest robust detail.
#include "montage/autoalign.h"
#include "montage/verticalfit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

tpointmatch Match(double xr, double yr, double yl) {
    return {0, yl, xr, yr};
}

} // namespace

TEST(VerticalFit, LeastSquaresOfFourMatchesWorkedByHand) {
    // Centred sums: Sxx = Syy = 100, Sxy = 0, Sxl = 15, Syl = 105, so
    // a = 0.15, b = 1.05, t = 5.75 - 0.15 * 5 - 1.05 * 5 = -0.25 and every
    // residual is +-0.25.
    const std::vector<tpointmatch> m = {Match(0, 0, 0), Match(10, 0, 1), Match(0, 10, 10),
                                        Match(10, 10, 12)};
    tverticalmodel model;
    ASSERT_TRUE(FitVerticalModel(m, {}, model));
    EXPECT_NEAR(model.a, 0.15, 1e-12);
    EXPECT_NEAR(model.b, 1.05, 1e-12);
    EXPECT_NEAR(model.t, -0.25, 1e-12);
    const double expected[] = {0.25, -0.25, -0.25, 0.25};
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(model.Residual(m[size_t(i)]), expected[i], 1e-12);
    // The use flags leave the fourth match out: three points fit exactly,
    // a = 0.1, b = 1.0, t = 0.
    ASSERT_TRUE(FitVerticalModel(m, {1, 1, 1, 0}, model));
    EXPECT_NEAR(model.a, 0.1, 1e-12);
    EXPECT_NEAR(model.b, 1.0, 1e-12);
    EXPECT_NEAR(model.t, 0.0, 1e-12);
}

TEST(VerticalFit, MatchesThatDoNotFixTheModelAreRefused) {
    tverticalmodel model;
    const struct {
        const char* what;
        std::vector<tpointmatch> m;
    } cases[] = {
        {"two matches", {Match(0, 0, 0), Match(5, 5, 5)}},
        {"on one line", {Match(0, 0, 0), Match(5, 5, 5), Match(10, 10, 9), Match(20, 20, 21)}},
        {"one point", {Match(3, 4, 4), Match(3, 4, 5), Match(3, 4, 6)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(FitVerticalModel(c.m, {}, model));
        trobustfit fit;
        EXPECT_FALSE(RobustVerticalFit(c.m, 1.0, fit));
    }
}

TEST(VerticalFit, TurnAndMagnificationOfTheModel) {
    // The left view is the right one magnified by 1.02 and turned by 0.1 rad
    // clockwise on the screen: the right view must turn by -0.1.
    tverticalmodel m;
    m.a = 1.02 * std::sin(0.1);
    m.b = 1.02 * std::cos(0.1);
    EXPECT_NEAR(m.Scale(), 1.02, 1e-12);
    EXPECT_NEAR(m.Angle(), -0.1, 1e-12);
    // The similarity: right (100, 50) with tx 7, t 3 lands at
    // (b*100 - a*50 + 7, a*100 + b*50 + 3), and comes back.
    m.t = 3;
    double xl = 0, yl = 0, xr = 0, yr = 0;
    ModelToLeft(m, 7, 100, 50, xl, yl);
    EXPECT_NEAR(xl, 1.02 * (std::cos(0.1) * 100 - std::sin(0.1) * 50) + 7, 1e-9);
    EXPECT_NEAR(yl, 1.02 * (std::sin(0.1) * 100 + std::cos(0.1) * 50) + 3, 1e-9);
    ModelToRight(m, 7, xl, yl, xr, yr);
    EXPECT_NEAR(xr, 100, 1e-9);
    EXPECT_NEAR(yr, 50, 1e-9);
}

TEST(VerticalFit, RansacIgnoresGrossOutliersAndKeepsTheExactModel) {
    // 40 matches on yl = 0.02 xr + 0.99 yr + 4, then 15 wrong by 30 to 100 px.
    std::vector<tpointmatch> m;
    for (int i = 0; i < 40; ++i) {
        const double x = 17.0 * (i % 8) * 7, y = 23.0 * (i / 8) * 5 + (i % 3);
        m.push_back(Match(x, y, 0.02 * x + 0.99 * y + 4));
    }
    for (int i = 0; i < 15; ++i) {
        const double x = 31.0 * i, y = 400 - 19.0 * i;
        m.push_back(Match(x, y, 0.02 * x + 0.99 * y + 4 + (i % 2 ? 30 : -100) + i));
    }
    trobustfit fit;
    ASSERT_TRUE(RobustVerticalFit(m, 2.0, fit));
    EXPECT_EQ(fit.inliers, 40);
    EXPECT_NEAR(fit.model.a, 0.02, 1e-9);
    EXPECT_NEAR(fit.model.b, 0.99, 1e-9);
    EXPECT_NEAR(fit.model.t, 4, 1e-7);
    EXPECT_LT(fit.rms, 1e-7);
    for (int i = 0; i < 55; ++i) EXPECT_EQ(bool(fit.inlier[size_t(i)]), i < 40) << i;
}

TEST(AutoWindowChoice, NearestRobustDetailLeavesTheClosestTwoPercentOut) {
    const struct {
        int count;
        int expectedValue; // disparities are 0 .. count-1, shuffled
    } cases[] = {{10, 9}, {49, 48}, {50, 48}, {100, 97}, {200, 195}};
    for (const auto& c : cases) {
        std::vector<double> d;
        for (int i = 0; i < c.count; ++i) d.push_back((i * 37) % c.count);
        const int k = NearestRobustIndex(d);
        ASSERT_GE(k, 0);
        EXPECT_EQ(d[size_t(k)], c.expectedValue) << c.count;
    }
    EXPECT_EQ(NearestRobustIndex({}), -1);
}
