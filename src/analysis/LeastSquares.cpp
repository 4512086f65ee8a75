#include "analysis/LeastSquares.h"

#include <cmath>
#include <limits>
#include <utility>

namespace calbrine {

namespace {

using Vector = std::vector<double>;
using Matrix = std::vector<Vector>;

// Below this the residuals cannot tell the unknowns apart.
constexpr double SmallestCorrelationDeterminant = 1e-12;
constexpr int MostSteps = 500;
constexpr double FirstDamping = 1e-3;
constexpr double LargestDamping = 1e12;

double SquaredResiduals(const LeastSquaresProblem& problem, const Vector& x) {
    double sum = 0;
    for (std::size_t i = 0; i < problem.residualCount; ++i) {
        const double e = problem.residual(i, x, nullptr);
        sum += e * e;
    }
    return sum;  // nan for unknowns that give no residual, which no step accepts
}

// The normal equations of the fit at `x` in its first `n` unknowns: J'J into `a`, -J'e into `b`.
void NormalEquations(const LeastSquaresProblem& problem, const Vector& x, Matrix& a, Vector& b,
                     std::size_t n) {
    a.assign(n, Vector(n, 0.0));
    b.assign(n, 0.0);
    Vector d;
    for (std::size_t r = 0; r < problem.residualCount; ++r) {
        d.assign(x.size(), 0.0);
        const double e = problem.residual(r, x, &d);
        for (std::size_t i = 0; i < n; ++i) {
            for (std::size_t j = 0; j < n; ++j) {
                a[i][j] += d[i] * d[j];
            }
            b[i] -= d[i] * e;
        }
    }
}

// Solves (a + lambda diag(a)) x = b by elimination with row exchanges; false when singular.
bool SolveDamped(Matrix a, Vector b, double lambda, Vector& x) {
    const std::size_t n = b.size();
    for (std::size_t i = 0; i < n; ++i) {
        a[i][i] *= 1 + lambda;
    }
    for (std::size_t col = 0; col < n; ++col) {
        std::size_t pivot = col;
        for (std::size_t row = col + 1; row < n; ++row) {
            pivot = std::fabs(a[row][col]) > std::fabs(a[pivot][col]) ? row : pivot;
        }
        if (!(std::fabs(a[pivot][col]) > 0)) {
            return false;
        }
        std::swap(a[col], a[pivot]);
        std::swap(b[col], b[pivot]);
        for (std::size_t row = col + 1; row < n; ++row) {
            const double factor = a[row][col] / a[col][col];
            for (std::size_t k = col; k < n; ++k) {
                a[row][k] -= factor * a[col][k];
            }
            b[row] -= factor * b[col];
        }
    }
    x.assign(n, 0.0);
    for (std::size_t row = n; row-- > 0;) {
        double sum = b[row];
        for (std::size_t k = row + 1; k < n; ++k) {
            sum -= a[row][k] * x[k];
        }
        x[row] = sum / a[row][row];
    }
    return true;
}

// By expansion along the first row: exact in form for the few unknowns of a fit.
double Determinant(const Matrix& m) {
    const std::size_t n = m.size();
    if (n == 0) {
        return 1;
    }
    double det = 0;
    for (std::size_t j = 0; j < n; ++j) {
        Matrix minor;
        for (std::size_t row = 1; row < n; ++row) {
            minor.push_back(m[row]);
            minor.back().erase(minor.back().begin() + static_cast<std::ptrdiff_t>(j));
        }
        const double term = m[0][j] * Determinant(minor);
        det = j % 2 == 0 ? det + term : det - term;
    }
    return det;
}

// The determinant of the correlations of the unknowns: 1 when the residuals tell them apart
// independently, 0 when one of them can be traded for the others.
double CorrelationDeterminant(const Matrix& a) {
    Matrix r = a;
    for (std::size_t i = 0; i < a.size(); ++i) {
        for (std::size_t j = 0; j < a.size(); ++j) {
            r[i][j] = a[i][j] / std::sqrt(a[i][i] * a[j][j]);
        }
    }
    return Determinant(r);
}

}  // namespace

LeastSquaresFit SolveLeastSquares(const LeastSquaresProblem& problem, Vector x) {
    const std::size_t n = x.size();
    double sum = SquaredResiduals(problem, x);
    double lambda = FirstDamping;
    Matrix a;
    Vector b;
    for (int iteration = 0; iteration < MostSteps; ++iteration) {
        NormalEquations(problem, x, a, b, n);
        bool improved = false;
        while (!improved && lambda < LargestDamping) {
            Vector step;
            if (SolveDamped(a, b, lambda, step)) {
                Vector trial(n);
                for (std::size_t i = 0; i < n; ++i) {
                    trial[i] = x[i] + step[i];
                }
                const double trialSum = SquaredResiduals(problem, trial);
                improved = trialSum < sum;
                if (improved) {
                    x = std::move(trial);
                    sum = trialSum;
                }
            }
            lambda = improved ? lambda / 10 : lambda * 10;
        }
        if (!improved) {
            break;
        }
    }
    NormalEquations(problem, x, a, b, n);
    LeastSquaresFit fit;
    fit.determined = CorrelationDeterminant(a) >= SmallestCorrelationDeterminant;
    fit.x = std::move(x);
    fit.sumOfSquares = sum;
    return fit;
}

LeastSquaresSpread SpreadOfFit(const LeastSquaresProblem& problem, const Vector& x,
                               std::size_t unknowns, double residualError) {
    Matrix a;
    Vector b;
    NormalEquations(problem, x, a, b, unknowns);
    LeastSquaresSpread spread;
    spread.correlationDeterminant = CorrelationDeterminant(a);
    // Each column of the inverse of J'J; its diagonal times the residuals' variance is each
    // unknown's variance.
    for (std::size_t i = 0; i < unknowns; ++i) {
        Vector unit(unknowns, 0.0);
        unit[i] = 1;
        Vector column;
        const bool solved = SolveDamped(a, unit, 0, column);
        spread.deviations.push_back(solved && column[i] >= 0
                                        ? residualError * std::sqrt(column[i])
                                        : std::numeric_limits<double>::infinity());
    }
    return spread;
}

}  // namespace calbrine
