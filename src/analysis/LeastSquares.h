// Nonlinear least squares by Levenberg-Marquardt, for fits of a handful of unknowns to
// measurements, in double.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

namespace calbrine {

// Residual `index` (model minus measurement) at the unknowns `x`; when `derivatives` is given
// (sized as x, zeroed), also its derivative by each unknown. The unknowns should be scaled so
// that steps of one in each weigh alike.
using ResidualFunction = std::function<double(std::size_t index, const std::vector<double>& x,
                                              std::vector<double>* derivatives)>;

struct LeastSquaresProblem {
    std::size_t residualCount = 0;
    ResidualFunction residual;
};

struct LeastSquaresFit {
    std::vector<double> x;
    double sumOfSquares = 0;  // nan when the start gives no residuals
    // False when the residuals cannot tell the unknowns apart at x: one of them can be traded
    // for the others (the determinant of their correlations is below 1e-12, or not a number).
    bool determined = false;
};

// Steps that lower the sum of squared residuals are taken and the damping eased; the fit ends
// when no damping finds a lower sum, which is where the arithmetic ends too, or after 500 steps.
LeastSquaresFit SolveLeastSquares(const LeastSquaresProblem& problem, std::vector<double> start);

// How far the unknowns of a fit move when each measurement is off by an independent error of
// standard deviation `residualError`: one standard deviation of each of the first `unknowns`
// unknowns at `x` (the rest held), from the inverse of J'J, in the unknowns' own units;
// infinite for one the residuals cannot tell. Linear in the errors, as a fit's spread is for
// errors small beside the residuals' curvature.
struct LeastSquaresSpread {
    std::vector<double> deviations;
    double correlationDeterminant = 0;  // as LeastSquaresFit::determined judges it
};

LeastSquaresSpread SpreadOfFit(const LeastSquaresProblem& problem, const std::vector<double>& x,
                               std::size_t unknowns, double residualError);

}  // namespace calbrine
