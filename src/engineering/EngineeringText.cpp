#include "engineering/EngineeringText.h"

#include <cmath>
#include <limits>

#include "engineering/Characters.h"
#include "engineering/NumberText.h"

namespace calbrine {

std::string WorkText;

// ---------------------------------------------------------------------------------------
// Reading engineering text

namespace {

struct ScaleLetter {
    const char* accepted;
    char kept;
    float multiplier;
};

// Tested in this order; only M and m differ by case (mega and milli).
constexpr ScaleLetter scaleLetters[] = {
    {"Pp", 'p', 1e-12f}, {"Nn", 'n', 1e-9f}, {"Uu", 'u', 1e-6f}, {"m", 'm', 1e-3f},
    {"Kk", 'k', 1e3f},   {"M", 'M', 1e6f},   {"Gg", 'G', 1e9f},
};

const ScaleLetter* FindScaleLetter(char c) {
    for (const ScaleLetter& letter : scaleLetters) {
        for (const char* a = letter.accepted; *a != '\0'; ++a) {
            if (*a == c) {
                return &letter;
            }
        }
    }
    return nullptr;
}


}  // namespace

void ParseEngValue(const std::string& text, float& value) {
    const std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos) {
        value = 0;
        return;
    }
    const std::size_t end = text.find_last_not_of(' ');
    const std::string trimmed = FirstCharacters(text.substr(begin, end - begin + 1), 12);

    std::string kept;
    float multiplier = 1.0f;
    bool pointSeen = false;
    bool exponentSeen = false;
    bool suffixSeen = false;
    for (char c : trimmed) {
        if (c >= '0' && c <= '9') {
            if (!suffixSeen) {
                kept += c;
            }
        } else if (c == '.') {
            if (!suffixSeen && !pointSeen) {
                kept += c;
                pointSeen = true;
            }
        } else if (c == '+' || c == '-') {
            if (kept.empty() || kept.back() == 'E') {
                kept += c;
            }
        }
        if (kept.empty()) {
            continue;
        }
        if ((c == 'E' || c == 'e') && !suffixSeen) {
            if (exponentSeen) {
                continue;
            }
            kept += 'E';
            exponentSeen = true;
            pointSeen = true;
        }
        if (exponentSeen) {
            continue;
        }
        if (const ScaleLetter* letter = FindScaleLetter(c)) {
            if (!suffixSeen) {
                suffixSeen = true;
                kept += letter->kept;
                multiplier = letter->multiplier;
            }
        }
    }

    double number = 0;
    ReadDecimal(kept, number);
    const float single = static_cast<float>(number);
    float result;
    if (!std::isfinite(single)) {
        result = ParseLimit;  // outside the single range, whatever the sign
    } else {
        const float product = static_cast<float>(static_cast<double>(single) * multiplier);
        result = std::isfinite(product) ? product : ParseLimit;
    }
    if (result > ParseLimit) {
        result = ParseLimit;
    } else if (result < -ParseLimit) {
        result = -ParseLimit;
    }
    value = result;
}

// ---------------------------------------------------------------------------------------
// Writing engineering text

namespace {

struct ScaleRow {
    double threshold;  // the row applies when the tested value is >= threshold
    double factor;     // divisor, or multiplier for FormatEngSmall
    const char* suffix;
};

// Decimals by the size of the scaled number: > 1000, > 100, > 10, > 1, otherwise.
using DecimalsTable = int[5];

enum class TextForm { Plain, SignedBlank };

struct Formatter {
    const ScaleRow* rows;
    std::size_t rowCount;
    bool belowLastRowIsZero;  // values below the last threshold take the zero text
    bool multiplies;
    bool signedTests;  // FormatEng tests the value and the scaled number with their sign
    const int* decimals;
    const char* zeroText;
    TextForm form;
};

int DecimalsFor(const int* table, double v) {
    if (v > 1000) {
        return table[0];
    }
    if (v > 100) {
        return table[1];
    }
    if (v > 10) {
        return table[2];
    }
    if (v > 1) {
        return table[3];
    }
    return table[4];
}

std::string SignedBlankText(float number) {
    std::string text = SingleText(number);
    if (text.compare(0, 2, "0.") == 0) {
        text.erase(0, 1);
    } else if (text.compare(0, 3, "-0.") == 0) {
        text.erase(1, 1);
    }
    return number < 0 ? text : " " + text;
}

void Format(const Formatter& f, double value, std::string& out) {
    if (!std::isfinite(value)) {
        out = f.zeroText;
        return;
    }
    const double tested = f.signedTests ? value : std::fabs(value);
    const ScaleRow* row = nullptr;
    for (std::size_t i = 0; i < f.rowCount; ++i) {
        if (tested >= f.rows[i].threshold) {
            row = &f.rows[i];
            break;
        }
    }
    if (row == nullptr && !f.belowLastRowIsZero) {
        row = &f.rows[f.rowCount - 1];
    }
    float v = 0;
    if (row != nullptr) {
        v = static_cast<float>(f.multiplies ? value * row->factor : value / row->factor);
    }
    if (v == 0 || !std::isfinite(v)) {
        out = f.zeroText;
        return;
    }
    const double decimalsTest = f.signedTests ? v : std::fabs(v);
    const float rounded = RoundHalfAway(v, DecimalsFor(f.decimals, decimalsTest));
    if (rounded == 0 || !std::isfinite(rounded)) {
        // Far outside the program's ranges: the number vanishes at its decimals.
        out = f.zeroText;
        return;
    }
    const std::string number =
        f.form == TextForm::SignedBlank ? SignedBlankText(rounded) : SingleText(rounded);
    out = number + row->suffix;
}

// "otherwise" rows are listed with a threshold of minus infinity.
constexpr double Anything = -std::numeric_limits<double>::infinity();

constexpr ScaleRow engRows[] = {
    {1e9, 1e9, "G"}, {1e6, 1e6, "M"}, {1000, 1000, "k"}, {1, 1, " "}, {Anything, 0.001, "m"}};
constexpr ScaleRow capacitanceRows[] = {{10000, 1e6, "MEG"}, {10, 1000, "KF"},
                                        {1, 1, "F"},         {0.01, 0.001, "mF"},
                                        {1e-8, 1e-6, "uF"},  {1e-14, 1e-12, "pF"}};
constexpr ScaleRow inductanceRows[] = {{1e6, 1e6, "MEG"},  {1000, 1000, "KH"},
                                       {1, 1, "H"},        {0.001, 0.001, "mH"},
                                       {1e-6, 1e-6, "uH"}, {1e-10, 1e-9, "nH"}};
constexpr ScaleRow smallRows[] = {
    {0.001, 1000, "m"}, {1e-6, 1e6, "u"}, {1e-9, 1e9, "n"}, {Anything, 1e12, "p"}};
constexpr ScaleRow spacedRows[] = {{1e9, 1e9, " G"},   {1e6, 1e6, " M"},     {1000, 1000, " k"},
                                   {1, 1, " "},        {0.001, 0.001, " m"}, {1e-6, 1e-6, " u"},
                                   {1e-9, 1e-9, " n"}, {1e-14, 1e-12, " p"}};

constexpr int engDecimals[] = {2, 2, 3, 4, 5};
constexpr int componentDecimals[] = {2, 3, 4, 5, 6};
constexpr int smallDecimals[] = {0, 1, 2, 3, 4};

template <std::size_t N>
constexpr std::size_t Count(const ScaleRow (&)[N]) {
    return N;
}

const Formatter engFormatter{engRows, Count(engRows), false,  false,
                             true,    engDecimals,    "0.0 ", TextForm::SignedBlank};
const Formatter capacitanceFormatter{
    capacitanceRows, Count(capacitanceRows), true, false,
    false,           componentDecimals,      "",   TextForm::Plain};
const Formatter inductanceFormatter{inductanceRows, Count(inductanceRows), true, false,
                                    false,          componentDecimals,     "",   TextForm::Plain};
const Formatter smallFormatter{smallRows, Count(smallRows), false, true,
                               false,     smallDecimals,    "0  ", TextForm::Plain};
const Formatter spacedFormatter{spacedRows, Count(spacedRows), true, false,
                                false,      componentDecimals, "",   TextForm::Plain};

}  // namespace

void FormatEng(double value, std::string& out) {
    Format(engFormatter, value, out);
}

void FormatCapacitance(float& value, std::string& out) {
    value = std::fabs(value);
    Format(capacitanceFormatter, value, out);
}

void FormatCapacitance(double value, std::string& out) {
    Format(capacitanceFormatter, std::fabs(value), out);
}

void FormatInductance(float& value, std::string& out) {
    value = std::fabs(value);
    Format(inductanceFormatter, value, out);
}

void FormatInductance(double value, std::string& out) {
    Format(inductanceFormatter, std::fabs(value), out);
}

void FormatEngSmall(double value, std::string& out) {
    Format(smallFormatter, value, out);
}

void FormatEngSpaced(double value, std::string& out) {
    if (out.empty()) {
        return;
    }
    Format(spacedFormatter, value, out);
}

}  // namespace calbrine
