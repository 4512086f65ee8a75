#include "analysis/Solenoid.h"

#include <cmath>

namespace calbrine {

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double Mu0 = 4e-7 * Pi;  // H/m

// ln(k) - ln(g), g the geometric mean distance of two strips one pitch wide whose centres
// lie k pitches apart, in pitches: how much more two round turns k apart couple than their
// strips of sheet.
double StripPairCorrection(long k) {
    if (k == 1) {
        return 1.5 - 2 * std::log(2.0);
    }
    // The series in 1/k^2 of the closed form, which loses its digits to cancellation.
    const double inverseSquare = 1.0 / (static_cast<double>(k) * k);
    double power = inverseSquare;
    double sum = 0;
    for (int m = 2; m < 60; ++m) {
        const double term = (1.0 / (2 * m) - 2.0 / (2 * m - 1) + 1.0 / (2 * m - 2)) * power;
        sum += term;
        if (term < 1e-18 * sum) {
            break;
        }
        power *= inverseSquare;
    }
    return sum;
}

}  // namespace

double NagaokaCoefficient(double diameterOverLength) {
    // k^2 = D^2 / (D^2 + l^2) and k' its complement, with the complete elliptic integrals.
    const double ratio = diameterOverLength;
    const double k = ratio / std::sqrt(1 + ratio * ratio);
    const double kc = 1 / std::sqrt(1 + ratio * ratio);
    const double K = std::comp_ellint_1(k);
    const double E = std::comp_ellint_2(k);
    return 4 / (3 * Pi * kc) * ((kc * kc) / (k * k) * (K - E) + E - k);
}

double RosaSelfCorrection(double pitch, double conductor) {
    return 1.25 - std::log(2 * pitch / conductor);
}

double RosaMutualCorrection(long turns) {
    // Every ordered pair of turns k apart: 2 (N - k) of them.
    double sum = 0;
    for (long k = 1; k < turns; ++k) {
        sum += static_cast<double>(turns - k) * StripPairCorrection(k);
    }
    return 2 * sum / static_cast<double>(turns);
}

double SolenoidInductance(long turns, double diameter, double pitch, double conductor) {
    const double n = static_cast<double>(turns);
    const double length = n * pitch;  // the sheet: a pitch a turn
    const double radius = diameter / 2;
    const double sheet =
        Mu0 * Pi * radius * radius * n * n * NagaokaCoefficient(diameter / length) / length;
    return sheet -
           Mu0 * radius * n * (RosaSelfCorrection(pitch, conductor) + RosaMutualCorrection(turns));
}

}  // namespace calbrine
