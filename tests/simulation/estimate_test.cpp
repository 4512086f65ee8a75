// The extrapolation of a frequency from runs at two time steps, on frequencies whose error
// follows the step as the order says.
#include <gtest/gtest.h>

#include <cmath>

#include "simulation/FrequencyEstimate.h"

using namespace calbrine;

TEST(FrequencyEstimate, RemovesAnErrorOfTheMeasuredOrderAndBoundsItsSize) {
    struct Case {
        double trueHz, errorAtH, order;
    };
    const Case cases[] = {
        {5448930, -1520, StepOrder},  // reading low, as the trapezoidal rule does
        {5448930, 800, StepOrder},
        {7e6, -2000, 1.0},
        {1e5, 0, StepOrder},
    };
    for (const Case& c : cases) {
        const double fine = c.trueHz + c.errorAtH;
        const double coarse = c.trueHz + c.errorAtH * std::pow(2, c.order);
        const FrequencyEstimate e = ExtrapolateFrequency(fine, coarse, c.order);
        EXPECT_NEAR(e.hz, c.trueHz, 1e-6) << c.errorAtH;
        EXPECT_NEAR(e.errorHz, std::fabs(c.errorAtH), 1e-6) << c.errorAtH;
    }
    EXPECT_EQ(StepOrder, 2.0);
}
