// Pushing, pulling, the phase noise's inputs and the lowest Q against plain ngspice runs of
// netlists edited by hand, and every phase-noise figure against Leeson's formula from the
// printed inputs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "../simulation/sim_test_support.h"
#include "circuit/OscillatorParts.h"
#include "design/Tuning.h"
#include "runs/Quality.h"
#include "runs/StartupMargin.h"
#include "simulation/SimulatedNetlist.h"

using namespace calbrine;
using namespace calbrine_test;

namespace {

constexpr double CoilQ = 150;
constexpr int PlainPeriods = 1000;  // measured over the last 700
constexpr int RingDownAt = 500;     // periods of a plain run before its supply is switched off

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// VfoMax's netlist as simulated, for PlainPeriods, its supply line's end "9.1)".
std::string Plain(int periods = PlainPeriods) {
    CircuitConditions conditions;
    conditions.coilQ = CoilQ;
    const TuningCapacitors c = SettingCapacitors(workedExample, TuningSetting::VfoMax);
    return Replaced(SimulatedNetlist(workedExample, c, conditions, 1, periods),
                    "\n.save v(out) v(emitter)", "\n.save v(out) v(emitter) v(base) l7#branch");
}

// Every step at the largest, as a user would ask ngspice for it.
std::string FixedSteps(const std::string& netlist) {
    return Replaced(netlist, "\n.tran", "\n.options trtol=1e9\n.tran");
}

std::vector<std::vector<double>> PlainRun(const std::string& netlist) {
    NgspiceSession session;
    const NetlistRun run =
        session.Run(netlist, {"time", node::Emitter, node::Output, node::Base, "l7#branch"}, {},
                    nullptr, RunLimits{600});
    EXPECT_EQ(run.outcome, NetlistRun::Outcome::Done) << run.errors;
    return run.vectors;
}

// The frequency over the last 700 periods of a run from the supply's step.
double Hz(const std::string& netlist) {
    const std::vector<std::vector<double>> v = PlainRun(netlist);
    const double end = v.empty() ? 0 : v[0].back();
    const double hz = CalculatedFrequency(workedExample, TuningSetting::VfoMax);
    return v.empty() ? 0 : FittedFrequency({v[0], v[1], v[2]}, end - 700 / hz, end);
}

// The current's largest swing about its mean in each period from `from` (seconds).
struct Periods {
    std::vector<double> base, coil;
};
Periods Swings(const std::vector<std::vector<double>>& v, double hz, double from) {
    Periods p;
    for (double t = from; t + 1 / hz <= v[0].back(); t += 1 / hz) {
        double bLow = 1e9, bHigh = -1e9, cLow = 1e9, cHigh = -1e9;
        for (std::size_t i = 0; i < v[0].size(); ++i) {
            if (v[0][i] >= t && v[0][i] < t + 1 / hz) {
                bLow = std::min(bLow, v[3][i]);
                bHigh = std::max(bHigh, v[3][i]);
                cLow = std::min(cLow, v[4][i]);
                cHigh = std::max(cHigh, v[4][i]);
            }
        }
        p.base.push_back((bHigh - bLow) / 2);
        p.coil.push_back((cHigh - cLow) / 2);
    }
    return p;
}

class QualityRun : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (!NgspiceMissing().empty()) {
            return;
        }
        QualityOptions options;
        options.settings = {TuningSetting::VfoMin, TuningSetting::VfoMax};
        options.noiseFigureDb = 8;
        options.flickerHz = 3e3f;
        options.bandwidthHz = 500;
        outcome_ = new QualityOutcome(
            SimulateQuality(workedExample, CoilQ, options, Simulator(TestWorkers()), {}));
    }
    static void TearDownTestSuite() {
        delete outcome_;
        outcome_ = nullptr;
    }
    void SetUp() override {
        if (const std::string why = NgspiceMissing(); !why.empty()) {
            GTEST_SKIP() << why;
        }
        ASSERT_TRUE(outcome_->Succeeded()) << outcome_->message;
        ASSERT_EQ(outcome_->settings.size(), 2u);
    }
    static const SettingQuality& VfoMax() { return outcome_->settings[1]; }
    // Pushing and pulling against plain runs at fixed steps from the supply's step.
    void PushingAndPulling();
    // QL, L7's peak current and Ps against a plain run whose supply is switched off.
    void LoadedQAndTankPower();
    // Every phase-noise and RMDR figure from Leeson's formula and the printed inputs.
    void PhaseNoiseFigures();
    // The lowest Q against long plain runs with L7's loss set by hand.
    void LowestQ();
    static QualityOutcome* outcome_;
};

QualityOutcome* QualityRun::outcome_ = nullptr;

}  // namespace

void QualityRun::PushingAndPulling() {
    const std::string fixed = FixedSteps(Plain());
    const double up = Hz(Replaced(fixed, " 9.1)", " 9.6)"));
    const double down = Hz(Replaced(fixed, " 9.1)", " 8.6)"));
    const double asSet = Hz(fixed);
    const double loaded = Hz(Replaced(fixed, "\n.tran", "\nRLOAD out 0 1000\n.tran"));
    const SettingQuality& q = VfoMax();
    EXPECT_EQ(q.setting, TuningSetting::VfoMax);
    ASSERT_TRUE(q.pushingHzPerV && q.pullingHz);
    EXPECT_NEAR(*q.pushingHzPerV, up - down, 0.05 * std::fabs(up - down));
    EXPECT_NEAR(*q.pullingHz, loaded - asSet, 0.05 * std::fabs(loaded - asSet));
    // VfoMin's own figures, not VfoMax's.
    const SettingQuality& low = outcome_->settings[0];
    EXPECT_EQ(low.setting, TuningSetting::VfoMin);
    ASSERT_TRUE(low.pushingHzPerV && low.pullingHz && low.leeson);
    EXPECT_LT(low.simulatedHz, q.simulatedHz - 1e5);
    EXPECT_GT(std::fabs(*low.pullingHz - *q.pullingHz), 0.05 * std::fabs(*q.pullingHz));
}

void QualityRun::LoadedQAndTankPower() {
    // Settled, then the supply off over a tenth of a period.
    std::string netlist = Plain(RingDownAt + 200);
    const double hz = CalculatedFrequency(workedExample, TuningSetting::VfoMax);
    const std::size_t line = netlist.find("\nV1 ");
    const std::size_t end = netlist.find('\n', line + 1);
    const double off = RingDownAt / hz;
    const std::string rise = std::to_string(0.1 / hz);
    netlist.replace(line + 1, end - line - 1,
                    "V1 supply 0 PWL(0 0 " + rise + " 9.1 " + std::to_string(off) + " 9.1 " +
                        std::to_string(off + 0.1 / hz) + " 0)");
    const std::vector<std::vector<double>> v = PlainRun(netlist);
    ASSERT_FALSE(v.empty());
    const Periods before = Swings(v, hz, off - 100 / hz);
    const Periods after = Swings(v, hz, off);
    const double peak = *std::max_element(before.coil.begin(), before.coil.begin() + 100);
    // The decay over 30 periods from the first in which the base swings less than 0.3 V.
    const std::size_t first = static_cast<std::size_t>(
        std::find_if(after.base.begin(), after.base.end(), [](double s) { return s < 0.3; }) -
        after.base.begin());
    ASSERT_LT(first + 30, after.coil.size());
    const double tau = 30 / hz / std::log(after.coil[first] / after.coil[first + 30]);
    const SettingQuality& q = VfoMax();
    ASSERT_TRUE(q.leeson);
    const double loadedQ = 3.141592653589793 * q.simulatedHz * tau;
    EXPECT_NEAR(q.leeson->loadedQ, loadedQ, 0.1 * loadedQ);
    EXPECT_NEAR(q.coilPeakAmps, peak, 0.05 * peak);
    const double power =
        2 * 3.141592653589793 * q.simulatedHz * 0.5 * workedExample.L7 * peak * peak / loadedQ;
    EXPECT_NEAR(q.leeson->tankPowerW, power, 0.15 * power);
}

void QualityRun::PhaseNoiseFigures() {
    const std::string csv = QualityTable(*outcome_).Csv();
    std::istringstream lines(csv);
    std::string header;
    std::getline(lines, header);
    EXPECT_EQ(header,
              "setting,simulated_hz,min_coil_q,startup_margin,pushing_hz_per_v,pulling_hz,"
              "loaded_q,tank_power_w,pn_100hz_dbc,pn_1khz_dbc,pn_10khz_dbc,pn_100khz_dbc,"
              "rmdr_2khz_db,rmdr_20khz_db");
    const std::string report = QualityReport(*outcome_);
    for (const char* input : {"F 8 dB", "flicker corner 3kHz", "T 290 K", "bandwidth 500Hz",
                              "an estimate (a few dB), not a measurement"}) {
        EXPECT_NE(report.find(input), std::string::npos) << input;
    }
    int rows = 0;
    for (std::string line; std::getline(lines, line); ++rows) {
        std::vector<std::string> cells;
        std::istringstream fields(line);
        for (std::string cell; std::getline(fields, cell, ',');) {
            cells.push_back(cell);
        }
        ASSERT_EQ(cells.size(), 14u) << line;
        EXPECT_NEAR(std::stod(cells[3]), CoilQ / std::stod(cells[2]), 1e-6 * CoilQ) << line;
        const double f0 = std::stod(cells[1]);
        const double ql = std::stod(cells[6]);
        const double ps = std::stod(cells[7]);
        const auto leeson = [&](double fm) {
            const double x = f0 / (2 * ql * fm);
            return 10 * std::log10(0.5 * std::pow(10, 0.8) * 1.380649e-23 * 290 / ps * (1 + x * x) *
                                   (1 + 3e3 / fm));
        };
        const double offsets[] = {100, 1e3, 1e4, 1e5};
        for (int i = 0; i < 4; ++i) {
            EXPECT_NEAR(std::stod(cells[8 + i]), leeson(offsets[i]), 0.1) << line;
        }
        EXPECT_NEAR(std::stod(cells[12]), -leeson(2e3) - 10 * std::log10(500.0), 0.1);
        EXPECT_NEAR(std::stod(cells[13]), -leeson(2e4) - 10 * std::log10(500.0), 0.1);
    }
    EXPECT_EQ(rows, 2);
}

// The output's swing in each whole period of a plain run of `periods` from the supply's step,
// with L7's Q at `q` (its loss resistor scaled from the one at CoilQ).
std::vector<double> PeriodSwings(double q, int periods) {
    std::string netlist = Plain(periods);
    const std::size_t line = netlist.find("\nRL7 coil tank ");
    const std::size_t value = line + 15;
    const std::size_t end = netlist.find('\n', value);
    const double ohms = std::stod(netlist.substr(value, end - value)) * CoilQ / q;
    netlist.replace(value, end - value, std::to_string(ohms));
    const std::vector<std::vector<double>> v = PlainRun(netlist);
    const double hz = CalculatedFrequency(workedExample, TuningSetting::VfoMax);
    std::vector<double> low(static_cast<std::size_t>(periods), 1e9), high(low.size(), -1e9);
    for (std::size_t i = 0; !v.empty() && i < v[0].size(); ++i) {
        const std::size_t k = static_cast<std::size_t>(v[0][i] * hz);
        if (k < low.size()) {
            low[k] = std::min(low[k], v[2][i]);
            high[k] = std::max(high[k], v[2][i]);
        }
    }
    std::vector<double> swings;
    for (std::size_t k = 0; k < low.size(); ++k) {
        swings.push_back(high[k] - low[k]);
    }
    return swings;
}

void QualityRun::LowestQ() {
    for (const SettingQuality& q : outcome_->settings) {
        ASSERT_TRUE(q.minCoilQ && q.startupMargin) << SettingName(q.setting);
        EXPECT_NEAR(*q.startupMargin, CoilQ / *q.minCoilQ, 1e-9 * CoilQ);
        EXPECT_GT(*q.minCoilQ, LowestSearchedQ);
        EXPECT_LT(*q.minCoilQ, CoilQ / 4);
    }
    constexpr int Periods = 1500;
    const std::vector<double> below = PeriodSwings(0.8 * *VfoMax().minCoilQ, Periods);
    const std::vector<double> above = PeriodSwings(1.25 * *VfoMax().minCoilQ, Periods);
    ASSERT_EQ(below.size(), static_cast<std::size_t>(Periods));
    ASSERT_EQ(above.size(), static_cast<std::size_t>(Periods));
    // Dies out: falling, or gone, and far below the smallest swing taken for an oscillation.
    EXPECT_LT(below.back(), 0.1 * SmallestOutputVpp);
    EXPECT_LE(below.back(), 0.5 * below[Periods - 300]);
    // Builds up: steady at an oscillation's swing.
    EXPECT_GT(above.back(), SmallestOutputVpp);
    EXPECT_NEAR(above.back(), above[Periods - 300], 0.01 * above.back());
}

// One test, as each test of the suite runs in a process of its own and would make the shared
// run again.
TEST_F(QualityRun, AgreesWithPlainRunsAndLeesonsFormula) {
    PushingAndPulling();
    LoadedQAndTankPower();
    PhaseNoiseFigures();
    LowestQ();
}

TEST(Quality, ADeadDesignHasItsFiguresEmpty) {
    if (const std::string why = NgspiceMissing(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    QualityOptions options;
    options.settings = {TuningSetting::FineHigh};
    const QualityOutcome q =
        SimulateQuality(WithDivider(1e-6f), CoilQ, options, Simulator(TestWorkers()), {});
    ASSERT_TRUE(q.Succeeded()) << q.message;
    const std::string csv = QualityTable(q).Csv();
    EXPECT_EQ(csv.substr(csv.find('\n') + 1), "FineHigh,,,,,,,,,,,,,\n");
    EXPECT_NE(QualityReport(q).find("FineHigh does not oscillate: no figures."), std::string::npos);
}
