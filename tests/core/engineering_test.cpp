// Reading and writing engineering text, in the C locale and under one whose decimal separator
// is a comma.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "engineering/NumberText.h"
#include "engineering/modMain.h"

using namespace calbrine;

namespace {

float Parse(const std::string& text) {
    float value = -123.0f;
    ParseEngValue(text, value);
    return value;
}

using Formatter = void (*)(double, std::string&);
using Cases = std::vector<std::pair<double, const char*>>;
const Formatter Cap = [](double value, std::string& out) { FormatCapacitance(value, out); };
const Formatter Ind = [](double value, std::string& out) { FormatInductance(value, out); };
const Formatter Single = [](double value, std::string& out) { out = SingleText(float(value)); };

// What a formatter leaves in an output that held text before.
std::string Text(Formatter format, double value) {
    std::string out = "previous";
    format(value, out);
    return out;
}

class EngineeringText : public ::testing::TestWithParam<const char*> {
    void SetUp() override { ASSERT_NE(std::setlocale(LC_ALL, GetParam()), nullptr); }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};
INSTANTIATE_TEST_SUITE_P(Locales, EngineeringText, ::testing::Values("C", "de_DE.UTF-8"));

}  // namespace

// Scale letters give SI values as singles, the product of number and multiplier rounded once.
// The scan drops digits after a scale letter (4k7), takes no scale letter after an exponent
// (1e3k) and no exponent after a scale letter (1MEG), skips anything before a digit (the comma
// too), lets only the first point count and ends the number at an incomplete exponent. What
// cannot be read is zero; results are limited to +-1e10, and outside the single range they are
// +1e10 whatever the sign. Twelve characters (not bytes) are read, counted after leading blanks.
TEST_P(EngineeringText, ParseFollowsTheScanOrder) {
    const float micro77 = static_cast<float>(static_cast<double>(7.7f) * 1e-6f);
    const float cut = static_cast<float>(static_cast<double>(1234567890.0f) * 1e-12f);
    // clang-format off
    const std::pair<const char*, float> cases[] = {
        {"4.7p", 4.7e-12f}, {"10 pF", 1e-11f}, {"22n", 2.2e-8f}, {"1m", 0.001f}, {"1M", 1e6f},
        {"3g", 3e9f}, {"2k", 2000.0f}, {"2.2e-6", 2.2e-6f}, {"1E-3", 0.001f}, {"1e-3", 0.001f},
        {"  22n  ", 2.2e-8f}, {".5u", 5e-7f}, {"+5", 5.0f}, {"7.7u", micro77},
        {"4k7", 4000.0f}, {"1e3k", 1000.0f}, {"1MEG", 1e6f}, {"p10", 10.0f}, {"e5", 5.0f},
        {"\t5", 5.0f}, {"4,7p", 47e-12f}, {"12.5.3", 12.53f}, {"1.5e-2.3", 1.5e-23f},
        {"--5", -5.0f}, {"5-3", 53.0f}, {"1e", 1.0f},
        {"", 0}, {"   ", 0}, {"abc", 0}, {"-", 0}, {".", 0}, {"µF", 0},
        {"1E20", 1e10f}, {"-1E20", -1e10f}, {"1E39", 1e10f}, {"-1E39", 1e10f}, {"1E38G", 1e10f},
        {"-3E38", -1e10f}, {"1E-50", 0}, {"1E-400", 0}, {"9E999999999", 1e10f}, {"10G", 1e10f},
        {"11G", 1e10f}, {"12345678901234", 1e10f}, {"1.0000000000005", 1.0f},
        {"  1.00000000009  ", 1.0f}, {"1234567890p123", cut}, {"µµµµµµµµµµµ5", 5.0f}};
    // clang-format on
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(Parse(text), expected) << '"' << text << '"';
    }
    EXPECT_NE(micro77, 7.7e-6f);  // one step away from the single nearest to 7.7e-6
}

// Frequencies: rounding does not move to the next scale (999999.9), an exact tie goes away
// from zero (100.125), past seven digits the exponent form takes over (-1e7) and a value that
// vanishes at its decimals is zero. Capacitances and inductances scale on the magnitude; the
// double 1e-14 is on the capacitance threshold. 0.0015625 is an exact tie at three decimals.
// Stored values have seven significant digits. Whatever is not finite gives the zero text.
TEST_P(EngineeringText, FormattersScaleRoundAndGiveZeroTexts) {
    const double nan = NAN, inf = INFINITY;
    // clang-format off
    const std::pair<Formatter, Cases> tables[] = {
        {FormatEng, {{12e6, " 12M"}, {5469798, " 5.4698M"}, {289127, " 289.13k"}, {50, " 50 "},
                     {0, "0.0 "}, {999999.9, " 1000k"}, {-8587, "-8587000m"}, {0.5, " 500m"},
                     {0.0005, " .5m"}, {-0.0005, "-.5m"}, {1e9, " 1G"}, {999999999, " 1000M"},
                     {1.23456e9, " 1.2346G"}, {123456, " 123.46k"}, {12345, " 12.345k"},
                     {100.125, " 100.13 "}, {-1e7, "-1E+10m"}, {1e-9, "0.0 "},
                     {nan, "0.0 "}, {inf, "0.0 "}, {-inf, "0.0 "}, {1e300, "0.0 "}}},
        {Cap, {{100e-12, "100pF"}, {4.7e-12, "4.7pF"}, {4.7e-9, "4700pF"}, {22e-9, "0.022uF"},
               {1e-8, "0.01uF"}, {9.99e-9, "9990pF"}, {1.5, "1.5F"}, {0.0221, "22.1mF"},
               {47, "0.047KF"}, {20000, "0.02MEG"}, {-47e-12, "47pF"}, {0, ""}, {1e-14, "0.01pF"},
               {1.23456789e-12, "1.23457pF"}, {123.4567e-12, "123.457pF"},
               {1234.567e-12, "1234.57pF"}, {nan, ""}, {inf, ""}, {-inf, ""}, {1e300, ""}}},
        {Ind, {{4.7e-6, "4.7uH"}, {100e-9, "100nH"}, {1e-11, ""}, {1e-10, "0.1nH"}, {1e-12f, ""},
               {0.0025, "2.5mH"}, {2.5, "2.5H"}, {2500, "2.5KH"}, {2.5e6, "2.5MEG"},
               {nan, ""}, {inf, ""}, {-inf, ""}, {1e300, ""}}},
        {FormatEngSmall, {{2.5e-7, "250n"}, {2e-12, "2p"}, {0, "0  "}, {2, "2000m"},
                          {1.23456e-5, "12.35u"}, {1.23456e-3, "1.235m"}, {2.08e-5, "20.8u"},
                          {-2.5e-7, "-250n"}, {1e-20, "0  "}, {0.0625, "62.5m"},
                          {0.0015625, "1.563m"}, {nan, "0  "}, {1e300, "0  "}}},
        {FormatEngSpaced, {{4.7e-12, "4.7 p"}, {1e6, "1 M"}, {10000, "10 k"}, {2200, "2.2 k"},
                           {50, "50 "}, {0, ""}, {nan, ""}, {inf, ""}, {-inf, ""}, {1e300, ""}}},
        {Single, {{2e-10f, "2E-10"}, {7.7e-6f, "7.7E-06"}, {1.1e7f, "1.1E+07"},
                  {12345678.0f, "1.234568E+07"}, {1234567.0f, "1234567"}, {0.022f, "0.022"},
                  {-0.5f, "-0.5"}, {0.0f, "0"}, {nan, "0"}}}};
    // clang-format on
    for (const auto& [format, cases] : tables) {
        for (const auto& [value, text] : cases) {
            EXPECT_EQ(Text(format, value), text) << value;
        }
    }
    std::string empty;  // FormatEngSpaced writes only into an output that holds text
    FormatEngSpaced(4700, empty);
    EXPECT_EQ(empty, "");

    // The float forms replace the caller's value by its magnitude; the single 1e-14f lies just
    // below the double threshold.
    float capacitance = -47e-12f, inductance = -4.7e-6f, floored = 1e-14f;
    std::string c, l, f = "x";
    FormatCapacitance(capacitance, c);
    FormatInductance(inductance, l);
    FormatCapacitance(floored, f);
    EXPECT_EQ(c + "|" + l + "|" + f, "47pF|4.7uH|");
    EXPECT_EQ(std::make_pair(capacitance, inductance), std::make_pair(47e-12f, 4.7e-6f));
}
