// Reading and writing engineering text.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "engineering/NumberText.h"
#include "engineering/modMain.h"

using namespace calbrine;

namespace {

float Parse(const std::string& text) {
    float value = -123.0f;
    ParseEngValue(text, value);
    return value;
}

template <typename Formatter>
std::string Text(Formatter formatter, double value) {
    std::string out = "previous";
    formatter(value, out);
    return out;
}

std::string Eng(double v) { return Text(FormatEng, v); }
std::string Cap(double v) { return Text([](double x, std::string& o) { FormatCapacitance(x, o); }, v); }
std::string Ind(double v) { return Text([](double x, std::string& o) { FormatInductance(x, o); }, v); }
std::string Small(double v) { return Text(FormatEngSmall, v); }
std::string Spaced(double v) { return Text(FormatEngSpaced, v); }

}  // namespace

TEST(ParseEngValue, ScaleLettersGiveSiValuesAsSingles) {
    EXPECT_EQ(Parse("4.7p"), 4.7e-12f);
    EXPECT_EQ(Parse("10 pF"), 1e-11f);
    EXPECT_EQ(Parse("22n"), 2.2e-8f);
    // The number and the multiplier are singles; their product is rounded once, which for
    // 7.7u lands one step away from the single nearest to 7.7e-6.
    EXPECT_EQ(Parse("7.7u"), static_cast<float>(static_cast<double>(7.7f) * 1e-6f));
    EXPECT_NE(Parse("7.7u"), 7.7e-6f);
    EXPECT_EQ(Parse("1m"), 0.001f);
    EXPECT_EQ(Parse("1M"), 1e6f);
    EXPECT_EQ(Parse("3g"), 3e9f);
    EXPECT_EQ(Parse("2k"), 2000.0f);
    EXPECT_EQ(Parse("2.2e-6"), 2.2e-6f);
    EXPECT_EQ(Parse("1E-3"), 0.001f);
    EXPECT_EQ(Parse("  22n  "), 2.2e-8f);
}

TEST(ParseEngValue, FollowsTheScanOrder) {
    EXPECT_EQ(Parse("4k7"), 4000.0f);    // digits after a scale letter are dropped
    EXPECT_EQ(Parse("1e3k"), 1000.0f);   // no scale letter after an exponent
    EXPECT_EQ(Parse("1MEG"), 1e6f);      // E after a scale letter is no exponent
    EXPECT_EQ(Parse("p10"), 10.0f);      // a scale letter before any digit is skipped
    EXPECT_EQ(Parse("e5"), 5.0f);        // and so is an exponent marker
    EXPECT_EQ(Parse("12.5.3"), 12.53f);  // only the first point counts
    EXPECT_EQ(Parse("1.5e-2.3"), 1.5e-23f);
    EXPECT_EQ(Parse("--5"), -5.0f);
    EXPECT_EQ(Parse("5-3"), 53.0f);
    EXPECT_EQ(Parse("+5"), 5.0f);
    EXPECT_EQ(Parse("1e-3"), 0.001f);
    EXPECT_EQ(Parse("1e"), 1.0f);        // an incomplete exponent ends the number
    EXPECT_EQ(Parse(".5u"), 5e-7f);
    EXPECT_EQ(Parse("\t5"), 5.0f);       // a tab is skipped like any other character
}

TEST(ParseEngValue, UnreadableTextIsZero) {
    EXPECT_EQ(Parse(""), 0.0f);
    EXPECT_EQ(Parse("   "), 0.0f);
    EXPECT_EQ(Parse("abc"), 0.0f);
    EXPECT_EQ(Parse("-"), 0.0f);
    EXPECT_EQ(Parse("."), 0.0f);
    EXPECT_EQ(Parse("µF"), 0.0f);
}

TEST(ParseEngValue, CutsAtTwelveCharactersAndLimits) {
    EXPECT_EQ(Parse("12345678901234"), 1e10f);  // 123456789012 after the cut
    EXPECT_EQ(Parse("1.0000000000005"), 1.0f);  // the 5 lies beyond the cut
    EXPECT_EQ(Parse("  1.00000000009  "), 1.0f);  // blanks go before the cut
    EXPECT_EQ(Parse("1234567890p123"),
              static_cast<float>(static_cast<double>(1234567890.0f) * 1e-12f));
    EXPECT_EQ(Parse("1E20"), 1e10f);
    EXPECT_EQ(Parse("-1E20"), -1e10f);
    EXPECT_EQ(Parse("1E39"), 1e10f);
    EXPECT_EQ(Parse("-1E39"), 1e10f);  // outside the single range: +1e10 whatever the sign
    EXPECT_EQ(Parse("1E38G"), 1e10f);
    EXPECT_EQ(Parse("-3E38"), -1e10f);
    EXPECT_EQ(Parse("1E-50"), 0.0f);
    EXPECT_EQ(Parse("1E-400"), 0.0f);
    EXPECT_EQ(Parse("9E999999999"), 1e10f);
    EXPECT_EQ(Parse("10G"), 1e10f);
    EXPECT_EQ(Parse("11G"), 1e10f);
    // Twelve characters counted as characters, not bytes.
    EXPECT_EQ(Parse("µµµµµµµµµµµ5"), 5.0f);
}

TEST(FormatEng, ScalesWithSignAndBlank) {
    EXPECT_EQ(Eng(12e6), " 12M");
    EXPECT_EQ(Eng(5469798), " 5.4698M");
    EXPECT_EQ(Eng(289127), " 289.13k");
    EXPECT_EQ(Eng(50), " 50 ");
    EXPECT_EQ(Eng(0), "0.0 ");
    EXPECT_EQ(Eng(999999.9), " 1000k");  // rounding does not move to the next scale
    EXPECT_EQ(Eng(-8587), "-8587000m");
    EXPECT_EQ(Eng(0.5), " 500m");
    EXPECT_EQ(Eng(0.0005), " .5m");
    EXPECT_EQ(Eng(-0.0005), "-.5m");
    EXPECT_EQ(Eng(1e9), " 1G");
    EXPECT_EQ(Eng(999999999), " 1000M");
    EXPECT_EQ(Eng(1.23456e9), " 1.2346G");
    EXPECT_EQ(Eng(123456), " 123.46k");
    EXPECT_EQ(Eng(12345), " 12.345k");
    EXPECT_EQ(Eng(100.125), " 100.13 ");  // an exact tie goes away from zero
    EXPECT_EQ(Eng(-1e7), "-1E+10m");       // past seven digits the exponent form takes over
    EXPECT_EQ(Eng(1e-9), "0.0 ");           // vanishes at its decimals
}

TEST(FormatCapacitance, ScalesOnMagnitude) {
    EXPECT_EQ(Cap(100e-12), "100pF");
    EXPECT_EQ(Cap(4.7e-12), "4.7pF");
    EXPECT_EQ(Cap(4.7e-9), "4700pF");
    EXPECT_EQ(Cap(22e-9), "0.022uF");
    EXPECT_EQ(Cap(1e-8), "0.01uF");
    EXPECT_EQ(Cap(9.99e-9), "9990pF");
    EXPECT_EQ(Cap(1.5), "1.5F");
    EXPECT_EQ(Cap(0.0221), "22.1mF");
    EXPECT_EQ(Cap(47), "0.047KF");
    EXPECT_EQ(Cap(20000), "0.02MEG");
    EXPECT_EQ(Cap(-47e-12), "47pF");
    EXPECT_EQ(Cap(0), "");
    EXPECT_EQ(Cap(1e-14), "0.01pF");  // the double 1e-14 is on the threshold
    EXPECT_EQ(Cap(1.23456789e-12), "1.23457pF");
    EXPECT_EQ(Cap(123.4567e-12), "123.457pF");
    EXPECT_EQ(Cap(1234.567e-12), "1234.57pF");
}

TEST(FormatCapacitance, FloatFormWritesTheMagnitudeBack) {
    float value = -47e-12f;
    std::string out;
    FormatCapacitance(value, out);
    EXPECT_EQ(out, "47pF");
    EXPECT_EQ(value, 47e-12f);

    float floored = 1e-14f;  // the single lies just below the double threshold
    out = "x";
    FormatCapacitance(floored, out);
    EXPECT_EQ(out, "");

    float inductance = -4.7e-6f;
    FormatInductance(inductance, out);
    EXPECT_EQ(out, "4.7uH");
    EXPECT_EQ(inductance, 4.7e-6f);
}

TEST(FormatInductance, ScalesOnMagnitude) {
    EXPECT_EQ(Ind(4.7e-6), "4.7uH");
    EXPECT_EQ(Ind(100e-9), "100nH");
    EXPECT_EQ(Ind(1e-11), "");
    EXPECT_EQ(Ind(1e-10), "0.1nH");
    EXPECT_EQ(Ind(static_cast<double>(1e-12f)), "");
    EXPECT_EQ(Ind(0.0025), "2.5mH");
    EXPECT_EQ(Ind(2.5), "2.5H");
    EXPECT_EQ(Ind(2500), "2.5KH");
    EXPECT_EQ(Ind(2.5e6), "2.5MEG");
}

TEST(FormatEngSmall, MultipliesAndKeepsTheSign) {
    EXPECT_EQ(Small(2.5e-7), "250n");
    EXPECT_EQ(Small(2e-12), "2p");
    EXPECT_EQ(Small(0), "0  ");
    EXPECT_EQ(Small(2), "2000m");
    EXPECT_EQ(Small(1.23456e-5), "12.35u");
    EXPECT_EQ(Small(1.23456e-3), "1.235m");
    EXPECT_EQ(Small(2.08e-5), "20.8u");
    EXPECT_EQ(Small(-2.5e-7), "-250n");
    EXPECT_EQ(Small(1e-20), "0  ");
    EXPECT_EQ(Small(0.0625), "62.5m");
    EXPECT_EQ(Small(0.0015625), "1.563m");  // 1.5625: an exact tie at three decimals
}

TEST(FormatEngSpaced, NeedsANonEmptyOutput) {
    EXPECT_EQ(Spaced(4.7e-12), "4.7 p");
    EXPECT_EQ(Spaced(1e6), "1 M");
    EXPECT_EQ(Spaced(10000), "10 k");
    EXPECT_EQ(Spaced(2200), "2.2 k");
    EXPECT_EQ(Spaced(50), "50 ");
    EXPECT_EQ(Spaced(0), "");
    std::string out;
    FormatEngSpaced(4700, out);
    EXPECT_EQ(out, "");
}

TEST(Formatters, NonFiniteValuesGiveTheZeroText) {
    const double values[] = {std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(), 1e300};
    for (double v : values) {
        EXPECT_EQ(Eng(v), "0.0 ") << v;
        EXPECT_EQ(Cap(v), "") << v;
        EXPECT_EQ(Ind(v), "") << v;
        EXPECT_EQ(Spaced(v), "") << v;
    }
    EXPECT_EQ(Small(std::numeric_limits<double>::quiet_NaN()), "0  ");
    EXPECT_EQ(Small(1e300), "0  ");
}

TEST(NumberText, SevenSignificantDigitsWithPoint) {
    EXPECT_EQ(SingleText(2e-10f), "2E-10");
    EXPECT_EQ(SingleText(7.7e-6f), "7.7E-06");
    EXPECT_EQ(SingleText(1.1e7f), "1.1E+07");
    EXPECT_EQ(SingleText(12345678.0f), "1.234568E+07");
    EXPECT_EQ(SingleText(1234567.0f), "1234567");
    EXPECT_EQ(SingleText(0.022f), "0.022");
    EXPECT_EQ(SingleText(-0.5f), "-0.5");
    EXPECT_EQ(SingleText(0.0f), "0");
    EXPECT_EQ(SingleText(std::nanf("")), "0");
}

TEST(NumberText, IndependentOfTheLocale) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    }
    EXPECT_EQ(SingleText(0.022f), "0.022");
    EXPECT_EQ(Eng(5469798), " 5.4698M");
    EXPECT_EQ(Cap(22e-9), "0.022uF");
    EXPECT_EQ(Parse("4.7p"), 4.7e-12f);
    EXPECT_EQ(Parse("4,7p"), 47e-12f);  // the comma is skipped, not a decimal point
    std::setlocale(LC_ALL, saved.c_str());
}
