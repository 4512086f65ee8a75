// The counter readings as text: typed on the command line or in the explorer, and kept in the
// settings file beside a design.
#include <cmath>
#include <optional>

#include "analysis/Calibration.h"
#include "analysis/ReportText.h"
#include "engineering/NumberText.h"

namespace calbrine {

namespace {

// The scale letters of ParseEngValue: only M and m differ by case (mega and milli).
struct ScaleLetter {
    const char* accepted;
    double multiplier;
};
constexpr ScaleLetter scaleLetters[] = {{"Pp", 1e-12}, {"Nn", 1e-9}, {"Uu", 1e-6}, {"m", 1e-3},
                                        {"Kk", 1e3},   {"M", 1e6},   {"Gg", 1e9}};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The length of the decimal number at the front of `text` ("-1.5", "2e6"), 0 when none.
std::size_t NumberLength(const std::string& text) {
    std::size_t i = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    std::size_t digits = 0;
    bool point = false;
    for (; i < text.size() && (IsDigit(text[i]) || (text[i] == '.' && !point)); ++i) {
        point = point || text[i] == '.';
        digits += IsDigit(text[i]) ? 1 : 0;
    }
    if (digits == 0) {
        return 0;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        j += j < text.size() && (text[j] == '+' || text[j] == '-') ? 1 : 0;
        const std::size_t exponentStart = j;
        while (j < text.size() && IsDigit(text[j])) {
            ++j;
        }
        i = j > exponentStart ? j : i;
    }
    return i;
}

// A whole number followed by nothing but what `unit` accepts; nan when anything else is there.
template <class Unit>
double Number(const std::string& text, Unit unit) {
    const std::size_t length = NumberLength(text);
    double value = 0;
    if (length == 0 || !ReadDecimal(text.substr(0, length), value)) {
        return std::nan("");
    }
    const auto multiplier = unit(text.substr(length));
    return multiplier ? value * *multiplier : std::nan("");
}

std::optional<double> PercentSign(const std::string& rest) {
    return rest.empty() || rest == "%" ? std::optional<double>(1) : std::nullopt;
}

// Nothing, "Hz", a scale letter, or a scale letter and "Hz".
std::optional<double> Hertz(const std::string& rest) {
    const auto isHz = [](const std::string& t) { return t.empty() || t == "Hz" || t == "hz"; };
    if (isHz(rest)) {
        return 1.0;
    }
    for (const ScaleLetter& letter : scaleLetters) {
        for (const char* a = letter.accepted; *a != '\0'; ++a) {
            if (rest[0] == *a && isHz(rest.substr(1))) {
                return letter.multiplier;
            }
        }
    }
    return std::nullopt;
}

}  // namespace

std::string ParseReading(const std::string& text, CalibrationReading& reading) {
    const std::size_t equals = text.find('=');
    const std::string quoted = "\"" + text + "\"";
    if (equals == std::string::npos) {
        return quoted + " is not POS=HZ, such as 50=5.0123M";
    }
    const double position = PositionNumber(text.substr(0, equals));
    const double frequency = FrequencyNumber(text.substr(equals + 1));
    if (std::isnan(position) || std::isnan(frequency)) {
        return quoted + " is not POS=HZ, such as 50=5.0123M: C38's position in percent, then " +
               "the counter's frequency with \".\" as decimal point";
    }
    if (!(position >= 0 && position <= 100)) {
        return quoted + ": the position lies outside 0 to 100 %";
    }
    if (!(frequency > 0) || !std::isfinite(frequency)) {
        return quoted + ": the frequency must be above 0";
    }
    reading = {position, frequency};
    return "";
}

double PositionNumber(const std::string& text) {
    return Number(text, PercentSign);
}

double FrequencyNumber(const std::string& text) {
    return Number(text, Hertz);
}

std::string ReadingText(const CalibrationReading& reading) {
    return PlainNumber(reading.positionPercent) + "=" + PlainNumber(reading.frequencyHz, 12);
}

}  // namespace calbrine
