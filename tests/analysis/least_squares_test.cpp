// The least-squares solver on problems whose answer is known: a curve through exact points, the
// best straight line through scattered ones, and problems whose unknowns cannot be told apart.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/LeastSquares.h"

using namespace calbrine;

namespace {

using Vector = std::vector<double>;

// The residuals a * exp(b * t) - y and their derivatives by a and b.
LeastSquaresProblem ExponentialThrough(const Vector& t, const Vector& y) {
    return {t.size(), [t, y](std::size_t i, const Vector& x, Vector* d) {
                const double e = std::exp(x[1] * t[i]);
                if (d != nullptr) {
                    *d = {e, x[0] * t[i] * e};
                }
                return x[0] * e - y[i];
            }};
}

}  // namespace

TEST(LeastSquares, FindsTheCurveThroughExactPoints) {
    const Vector t = {0, 0.5, 1, 2, 3, 5};
    Vector y;
    for (double ti : t) {
        y.push_back(2 * std::exp(-0.5 * ti));
    }
    const LeastSquaresFit fit = SolveLeastSquares(ExponentialThrough(t, y), {1, 0});
    EXPECT_TRUE(fit.determined);
    ASSERT_EQ(fit.x.size(), 2u);
    EXPECT_NEAR(fit.x[0], 2, 1e-9);
    EXPECT_NEAR(fit.x[1], -0.5, 1e-9);
    EXPECT_LT(fit.sumOfSquares, 1e-20);
}

// Points off any line: the fit is the line of the normal equations worked by hand, 1.06 + 1.96 t,
// which leaves 0.06, 0.12, -0.22, -0.16 and 0.2.
TEST(LeastSquares, FindsTheBestLineThroughScatteredPoints) {
    const Vector t = {0, 1, 2, 3, 4};
    const Vector y = {1.0, 2.9, 5.2, 7.1, 8.7};
    const LeastSquaresProblem line = {t.size(), [&](std::size_t i, const Vector& x, Vector* d) {
                                          if (d != nullptr) {
                                              *d = {1, t[i]};
                                          }
                                          return x[0] + x[1] * t[i] - y[i];
                                      }};
    const LeastSquaresFit fit = SolveLeastSquares(line, {0, 0});
    EXPECT_TRUE(fit.determined);
    EXPECT_NEAR(fit.x[0], 1.06, 1e-9);
    EXPECT_NEAR(fit.x[1], 1.96, 1e-9);
    EXPECT_NEAR(fit.sumOfSquares, 0.132, 1e-12);
}

TEST(LeastSquares, SaysWhenTheUnknownsCannotBeToldApart) {
    // Only the sum of the first two unknowns reaches the residuals: the fit still lowers the
    // sum of squares, but it cannot say how the sum splits.
    const Vector y = {3, 3.1, 2.9};
    const LeastSquaresProblem sumOnly = {y.size(), [&](std::size_t i, const Vector& x, Vector* d) {
                                             if (d != nullptr) {
                                                 *d = {1, 1, static_cast<double>(i)};
                                             }
                                             return x[0] + x[1] + x[2] * i - y[i];
                                         }};
    const LeastSquaresFit traded = SolveLeastSquares(sumOnly, {0, 0, 0});
    EXPECT_FALSE(traded.determined);
    EXPECT_LT(traded.sumOfSquares, 0.1);

    // An unknown no residual depends on.
    const LeastSquaresProblem unused = {y.size(), [&](std::size_t i, const Vector& x, Vector* d) {
                                            if (d != nullptr) {
                                                *d = {1, 0};
                                            }
                                            return x[0] - y[i];
                                        }};
    const LeastSquaresFit idle = SolveLeastSquares(unused, {0, 5});
    EXPECT_FALSE(idle.determined);
    EXPECT_EQ(idle.x[1], 5);
}
