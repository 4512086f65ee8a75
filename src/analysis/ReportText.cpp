#include "analysis/ReportText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "engineering/Characters.h"
#include "engineering/EngineeringText.h"

namespace calbrine {

std::string PlainNumber(double value, int significantDigits) {
    if (!std::isfinite(value)) {
        return "nan";
    }
    value += 0.0;  // no "-0" in the output
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::general, significantDigits);
    return std::string(buffer, result.ptr);
}

std::string PlainNumber(float value) {
    if (!std::isfinite(value)) {
        return "nan";
    }
    value += 0.0F;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string FrequencyText(double hertz) {
    std::string text;
    FormatEng(hertz, text);
    return WithoutBlanks(text);
}

std::string SignedFrequencyText(double hertz) {
    return hertz < 0 ? "-" + FrequencyText(-hertz) : FrequencyText(hertz);
}

std::string CapacitanceText(double farad) {
    std::string text;
    FormatCapacitance(farad, text);
    return WithoutBlanks(text);
}

std::string InductanceText(double henry) {
    std::string text;
    FormatInductance(henry, text);
    return WithoutBlanks(text);
}

std::string AlignedTable(const std::vector<std::vector<std::string>>& rows) {
    std::vector<std::size_t> widths;
    for (const auto& row : rows) {
        widths.resize(std::max(widths.size(), row.size()), 0);
        for (std::size_t c = 0; c < row.size(); ++c) {
            widths[c] = std::max(widths[c], row[c].size());
        }
    }
    std::string out;
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            const std::string pad(widths[c] - row[c].size(), ' ');
            line += c == 0 ? row[c] + pad : "  " + pad + row[c];
        }
        out += line + "\n";
    }
    return out;
}

}  // namespace calbrine
