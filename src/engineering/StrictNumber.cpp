#include "engineering/StrictNumber.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace calbrine {

namespace {

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The multiplier of a scale letter, or 0 when `c` is none.
double ScaleOf(char c) {
    switch (c) {
        case 'p':
        case 'P':
            return 1e-12;
        case 'n':
        case 'N':
            return 1e-9;
        case 'u':
        case 'U':
            return 1e-6;
        case 'm':
            return 1e-3;
        case 'k':
        case 'K':
            return 1e3;
        case 'M':
            return 1e6;
        case 'g':
        case 'G':
            return 1e9;
        default:
            return 0;
    }
}

bool IsUnit(const std::string& rest) {
    for (const char* unit : {"F", "f", "H", "h", "Hz", "hz", "HZ"}) {
        if (rest == unit) {
            return true;
        }
    }
    return false;
}

// The length of the number at the front of `t` (sign, digits, point, exponent), 0 if none.
std::size_t NumberLength(const std::string& t) {
    std::size_t i = (t.size() > 0 && (t[0] == '+' || t[0] == '-')) ? 1 : 0;
    std::size_t digits = 0;
    for (; i < t.size() && IsDigit(t[i]); ++i, ++digits) {
    }
    if (i < t.size() && t[i] == '.') {
        for (++i; i < t.size() && IsDigit(t[i]); ++i, ++digits) {
        }
    }
    if (digits == 0) {
        return 0;
    }
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) {
            ++j;
        }
        if (j < t.size() && IsDigit(t[j])) {
            for (i = j; i < t.size() && IsDigit(t[i]); ++i) {
            }
        }
    }
    return i;
}

}  // namespace

std::string ReadStrictNumber(const std::string& text, double& value) {
    const std::size_t begin = text.find_first_not_of(" \t");
    const std::size_t end = text.find_last_not_of(" \t");
    const std::string t = begin == std::string::npos ? "" : text.substr(begin, end - begin + 1);
    const std::string quoted = "\"" + text + "\"";
    if (t.find(',') != std::string::npos) {
        return quoted + " has a comma: write the decimal point as \".\", such as 7.2M";
    }
    const std::size_t length = NumberLength(t);
    if (length == 0) {
        return quoted + " is not a number such as 7.2M, 4.7p or -750";
    }
    double scale = 1;
    std::size_t next = length;
    if (next < t.size() && ScaleOf(t[next]) != 0) {
        scale = ScaleOf(t[next]);
        ++next;
    }
    const std::string rest = t.substr(next);
    if (!rest.empty() && !IsUnit(rest)) {
        return quoted + " is not a number: \"" + rest + "\" is not understood";
    }
    // from_chars reads "." whatever the locale; it takes no plus sign.
    const std::size_t first = t[0] == '+' ? 1 : 0;
    double digits = 0;
    const auto read = std::from_chars(t.data() + first, t.data() + length, digits);
    const double number = digits * scale;
    if (read.ec != std::errc() || !std::isfinite(number)) {
        return quoted + " is too large a number";
    }
    value = number;
    return "";
}

}  // namespace calbrine
