// Designs evaluated side by side: the curve, the fit and the drift of two designs computed
// on two threads at once each give that design's own results, while the window's design in
// DesignValues stays as it was.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

#include "../support/Fixtures.h"
#include "analysis/Reports.h"
#include "design/DesignValues.h"
#include "design/Tuning.h"

using namespace calbrine;

namespace {

// Every figure of one design that the explorer shows, as text, so a comparison covers all.
std::string Figures(const DesignRecord& design) {
    const FitRequest fit{{7.0e6, 7.2e6}, Mix::Difference, FitSolve::CoarseCapacitor};
    const FitResult fitted = SolveFit(design, fit);
    const DriftAnalysis drift = AnalyseDrift(design, PartSettings{});
    return DialTable(design, 21).Csv() + FitCsv(fit, fitted) + DriftTable(drift).Csv() +
           DriftSummary(drift) + CaptionsOf(design, TuneDesign(WithNominalFine(design))).lblSum;
}

}  // namespace

TEST(SideBySide, TwoDesignsOnTwoThreadsKeepTheirOwnResults) {
    const DesignRecord first = calbrine_test::workedExample;
    const DesignRecord second = calbrine_test::distinctValues;
    const std::string firstAlone = Figures(first);
    const std::string secondAlone = Figures(second);
    ASSERT_NE(firstAlone, secondAlone);

    DesignValues = calbrine_test::reversedExample;
    DesignValues.CfineNom = 1e-12f;  // not the mean: a calculation that borrowed it would show
    const DesignRecord windowDesign = DesignValues;

    std::vector<std::string> firstRuns(40), secondRuns(40);
    std::thread a([&] {
        for (std::string& run : firstRuns) {
            run = Figures(first);
        }
    });
    std::thread b([&] {
        for (std::string& run : secondRuns) {
            run = Figures(second);
        }
    });
    a.join();
    b.join();
    for (std::size_t i = 0; i < firstRuns.size(); ++i) {
        ASSERT_EQ(firstRuns[i], firstAlone) << "run " << i;
        ASSERT_EQ(secondRuns[i], secondAlone) << "run " << i;
    }
    EXPECT_EQ(std::memcmp(&DesignValues, &windowDesign, sizeof windowDesign), 0);
    DesignValues = DesignRecord{};
}
