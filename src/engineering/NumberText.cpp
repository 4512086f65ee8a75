#include "engineering/NumberText.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace calbrine {

std::string SingleText(float value) {
    if (!std::isfinite(value)) {
        return "0";
    }
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                std::chars_format::general, 7);
    std::string text(buffer, result.ptr);
    for (char& c : text) {
        if (c == 'e') {
            c = 'E';
        }
    }
    return text;
}

float RoundHalfAway(float value, int decimals) {
    static const double powers[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6};
    double scale = powers[decimals];
    // A single times a power of ten up to 1e6 is exact in double precision, so the
    // half-way test below sees the exact value of the single.
    double scaled = std::fabs(static_cast<double>(value)) * scale;
    double whole = std::trunc(scaled);
    if (scaled - whole >= 0.5) {
        whole += 1;
    }
    double rounded = whole / scale;
    return static_cast<float>(value < 0 ? -rounded : rounded);
}

namespace {

// Decimal exponent of the first significant digit of a well-formed number text without sign.
long DecimalExponent(const char* first, const char* last) {
    long exponent = 0;
    bool afterPoint = false;
    bool significant = false;
    const char* p = first;
    for (; p < last && *p != 'E' && *p != 'e'; ++p) {
        if (*p == '.') {
            afterPoint = true;
        } else if (!significant && *p == '0') {
            if (afterPoint) {
                --exponent;
            }
        } else {
            if (!significant) {
                significant = true;
                if (afterPoint) {
                    --exponent;
                }
            } else if (!afterPoint) {
                ++exponent;
            }
        }
    }
    if (p < last) {
        ++p;
        bool negative = *p == '-';
        if (*p == '+' || *p == '-') {
            ++p;
        }
        // Any exponent beyond a million is out of every double's range; holding it there
        // keeps the sum below from overflowing.
        long explicitExponent = 0;
        if (std::from_chars(p, last, explicitExponent).ec != std::errc() ||
            explicitExponent > 1000000) {
            explicitExponent = 1000000;
        }
        exponent += negative ? -explicitExponent : explicitExponent;
    }
    return exponent;
}

}  // namespace

bool ReadDecimal(const std::string& text, double& value) {
    std::size_t used = 0;
    return ReadDecimal(text, value, used);
}

bool ReadDecimal(const std::string& text, double& value, std::size_t& used) {
    value = 0;
    used = 0;
    std::size_t i = 0;
    const std::size_t n = text.size();
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t mantissaStart = i;
    std::size_t digits = 0;
    while (i < n && text[i] >= '0' && text[i] <= '9') {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && text[i] >= '0' && text[i] <= '9') {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return false;
    }
    std::size_t end = i;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (j < n && text[j] >= '0' && text[j] <= '9') {
            while (j < n && text[j] >= '0' && text[j] <= '9') {
                ++j;
            }
            end = j;
        }
    }
    const char* first = text.data() + mantissaStart;
    const char* last = text.data() + end;
    double magnitude = 0;
    auto result = std::from_chars(first, last, magnitude, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: the decimal exponent tells which.
        magnitude = DecimalExponent(first, last) > 0 ? HUGE_VAL : 0.0;
    }
    value = negative ? -magnitude : magnitude;
    used = end;
    return true;
}

}  // namespace calbrine
