// The single-layer air coil: Nagaoka's coefficient against its limits and table, Rosa's
// corrections against the geometric-mean-distance sums they stand for, the corrected
// inductance against a ring's and Wheeler's, and the coil wound for an inductance.
#include <gtest/gtest.h>

#include <cmath>

#include "analysis/CoilWinding.h"
#include "analysis/Solenoid.h"

using namespace calbrine;

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double Mu0 = 4e-7 * Pi;

// ln k - ln g for strips one pitch wide k pitches apart, from the closed form of g.
long double ClosedFormPairTerm(long k) {
    auto xlnx = [](long double x) { return x == 0 ? 0.0L : x * x * std::log(x); };
    const long double lnG = (xlnx(k + 1) + xlnx(k - 1) - 2 * xlnx(k)) / 2 - 1.5L;
    return std::log(static_cast<long double>(k)) - lnG;
}

}  // namespace

TEST(Solenoid, NagaokasCoefficientAtItsLimitsAndAtTheSquareCoil) {
    EXPECT_NEAR(NagaokaCoefficient(1.0), 0.6884, 1e-4);  // Nagaoka's table, D = l
    // Long: 1 - 4 x / (3 pi) + x^2 / 8; short: 2 / (pi x) (ln 4x - 1/2).
    const double x = 0.01;
    EXPECT_NEAR(NagaokaCoefficient(x), 1 - 4 * x / (3 * Pi) + x * x / 8, 1e-7);
    const double y = 1000;
    EXPECT_NEAR(NagaokaCoefficient(y), 2 / (Pi * y) * (std::log(4 * y) - 0.5), 1e-6);
    for (double ratio = 0.1; ratio < 10; ratio *= 1.5) {  // falling as the coil shortens
        EXPECT_GT(NagaokaCoefficient(ratio), NagaokaCoefficient(ratio * 1.5)) << ratio;
    }
}

TEST(Solenoid, RosasCorrectionsAreTheSumsOverTurnsAndStrips) {
    EXPECT_DOUBLE_EQ(RosaSelfCorrection(1e-3, 1e-3), 1.25 - std::log(2.0));  // touching bare
    EXPECT_NEAR(RosaSelfCorrection(0.701, 0.644), 0.47204, 1e-5);
    EXPECT_EQ(RosaMutualCorrection(1), 0);
    EXPECT_NEAR(RosaMutualCorrection(2), 0.1137, 1e-4);  // Rosa's table
    EXPECT_NEAR(RosaMutualCorrection(3), 0.1663, 1e-4);
    for (long n = 2; n <= 40; n += 1 + n / 4) {
        long double sum = 0;
        for (long k = 1; k < n; ++k) {
            sum += (n - k) * ClosedFormPairTerm(k);
        }
        EXPECT_NEAR(RosaMutualCorrection(n), static_cast<double>(2 * sum / n), 1e-12) << n;
    }
    // Many turns: towards ln(2 pi) - 3/2, less ln(N) / (6 N).
    const long many = 200000;
    EXPECT_NEAR(RosaMutualCorrection(many),
                std::log(2 * Pi) - 1.5 - std::log(static_cast<double>(many)) / (6.0 * many), 3e-6);
}

TEST(Solenoid, OneTurnIsARingOfRoundWireAndALongCoilIsWheelers) {
    // A ring of radius a in wire of radius r: mu0 a (ln(8 a / r) - 7/4).
    const double a = 0.05, wire = 1e-3;
    EXPECT_NEAR(SolenoidInductance(1, 2 * a, wire, wire),
                Mu0 * a * (std::log(8 * a / (wire / 2)) - 1.75), 1e-3 * Mu0 * a);
    // Wheeler: L (uH) = a^2 N^2 / (9 a + 10 l), inches, within 1 % for l > 0.8 a; thin wire
    // against the radius, so that Rosa's corrections are a fraction of a percent.
    const long turns = 500;
    const double pitch = 0.1e-3, diameter = 0.04;
    const double aInch = diameter / 2 / 0.0254, lInch = turns * pitch / 0.0254;
    const double wheeler = aInch * aInch * turns * turns / (9 * aInch + 10 * lInch) * 1e-6;
    EXPECT_NEAR(SolenoidInductance(turns, diameter, pitch, pitch), wheeler, 0.01 * wheeler);
}

TEST(AirCoil, TheWholeTurnsNearestTheInductanceCloseWoundOnTheForm) {
    const Wire awg22{"AWG22", 0.644, 0.701};
    AirCoil coil;
    ASSERT_EQ(WindAirCoil(6.8e-6, 10, awg22, coil), "");
    const double diameter = (10 + 0.701) / 1000, pitch = 0.701e-3;
    auto inductance = [&](long n) { return SolenoidInductance(n, diameter, pitch, 0.644e-3); };
    const long n = coil.turns;
    EXPECT_GT(n, 30);
    EXPECT_LE(std::fabs(inductance(n) - 6.8e-6), std::fabs(inductance(n - 1) - 6.8e-6));
    EXPECT_LE(std::fabs(inductance(n) - 6.8e-6), std::fabs(inductance(n + 1) - 6.8e-6));
    EXPECT_FLOAT_EQ(coil.inductance, static_cast<float>(inductance(n)));
    EXPECT_DOUBLE_EQ(coil.lengthM, n * pitch);
    // Each turn a helix rising one pitch, and two 25 mm leads.
    EXPECT_NEAR(coil.wireLengthM,
                n * std::sqrt(Pi * Pi * diameter * diameter + pitch * pitch) + 0.05, 1e-9);
    EXPECT_DOUBLE_EQ(coil.nagaoka, NagaokaCoefficient(diameter / (n * pitch)));
    EXPECT_EQ(AirCoilTcPpm(), 20);

    // One turn or none: half a turn's inductance decides.
    const double oneTurn = inductance(1);
    EXPECT_EQ(WindAirCoil(0.49 * oneTurn, 10, awg22, coil), "less than half a turn on this form");
    ASSERT_EQ(WindAirCoil(0.51 * oneTurn, 10, awg22, coil), "");
    EXPECT_EQ(coil.turns, 1);
    ASSERT_EQ(WindAirCoil(1e-3, 10, awg22, coil), "");  // the largest inductance wound
    EXPECT_LT(std::fabs(coil.inductance - 1e-3),
              inductance(coil.turns + 1) - inductance(coil.turns));
    for (double henry : {0.0, -1e-6, 1.0001e-3}) {
        EXPECT_NE(WindAirCoil(henry, 10, awg22, coil), "") << henry;
    }
}
