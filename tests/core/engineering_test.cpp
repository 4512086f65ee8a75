// Reading and writing engineering text against the tables in tests/data/numbers, in the C
// locale and under one whose decimal separator is a comma.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <sstream>
#include <string>

#include "../support/Fixtures.h"
#include "engineering/EngineeringText.h"
#include "engineering/NumberText.h"

using namespace calbrine;

namespace {

// The text between the first and the last double quote of a line.
std::string Quoted(const std::string& line) {
    const std::size_t first = line.find('"'), last = line.rfind('"');
    return line.substr(first + 1, last - first - 1);
}

// A number of the tables, read the same way whatever the locale.
double Number(const std::string& text) {
    if (text.rfind("nan", 0) == 0 || text.rfind("inf", 0) == 0) {
        return text[0] == 'n' ? NAN : INFINITY;
    }
    std::istringstream in(text);
    double value = 0;
    in >> value;
    return value;
}

class EngineeringText : public ::testing::TestWithParam<const char*> {
    void SetUp() override { ASSERT_NE(std::setlocale(LC_ALL, GetParam()), nullptr); }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};
INSTANTIATE_TEST_SUITE_P(Locales, EngineeringText, ::testing::Values("C", "de_DE.UTF-8"));

}  // namespace

TEST_P(EngineeringText, ParserTable) {
    int cases = 0;
    for (const std::string& line : calbrine_test::DataLines("numbers/parser_cases.txt")) {
        float value = -123.0f;
        ParseEngValue(Quoted(line), value);
        EXPECT_EQ(value, static_cast<float>(Number(line.substr(line.rfind('"') + 2)))) << line;
        ++cases;
    }
    EXPECT_GT(cases, 40);
}

TEST_P(EngineeringText, FormatterTable) {
    // A value ending in "f" is passed as a single, through the overload the design values use.
    const auto format = [](const std::string& name, const std::string& v, std::string& out) {
        float single = static_cast<float>(Number(v));
        const bool isSingle = v.back() == 'f';
        if (name == "FormatEng") {
            FormatEng(Number(v), out);
        } else if (name == "FormatCapacitance") {
            isSingle ? FormatCapacitance(single, out) : FormatCapacitance(Number(v), out);
        } else if (name == "FormatInductance") {
            isSingle ? FormatInductance(single, out) : FormatInductance(Number(v), out);
        } else if (name == "FormatEngSmall") {
            FormatEngSmall(Number(v), out);
        } else if (name == "FormatEngSpaced") {
            FormatEngSpaced(Number(v), out);
        } else {
            out = SingleText(single);
        }
    };
    int cases = 0;
    for (const std::string& line : calbrine_test::DataLines("numbers/formatter_cases.txt")) {
        const std::size_t blank = line.find(' ');
        const std::string name = line.substr(0, blank);
        const std::string value = line.substr(blank + 1, line.find(' ', blank + 1) - blank - 1);
        std::string out = "previous";
        format(name, value, out);
        EXPECT_EQ(out, Quoted(line)) << line;
        ++cases;
    }
    EXPECT_GT(cases, 100);

    std::string empty;  // FormatEngSpaced writes only into an output that holds text
    FormatEngSpaced(4700, empty);
    EXPECT_EQ(empty, "");
    // The single forms leave the magnitude in the caller's variable.
    float capacitance = -47e-12f, inductance = -4.7e-6f;
    FormatCapacitance(capacitance, empty);
    FormatInductance(inductance, empty);
    EXPECT_EQ(std::make_pair(capacitance, inductance), std::make_pair(47e-12f, 4.7e-6f));
}
