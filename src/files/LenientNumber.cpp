#include "files/LenientNumber.h"

#include <cfloat>
#include <cmath>

#include "engineering/NumberText.h"

namespace calbrine {

namespace {

// Blanks and tabs do not interrupt a number, so they are simply left out.
std::string Compact(const std::string& text) {
    std::string compact;
    compact.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != '\t') {
            compact += c;
        }
    }
    return compact;
}

}  // namespace

double LenientNumber(const std::string& text) {
    double value = 0;
    ReadDecimal(Compact(text), value);
    return value;
}

std::string TextAfterNumber(const std::string& text) {
    const std::string compact = Compact(text);
    double value = 0;
    std::size_t used = 0;
    ReadDecimal(compact, value, used);
    return compact.substr(used);
}

bool NearestSingle(double value, float& single) {
    // Half a unit in the last place above FLT_MAX: from there on a value rounds to infinity.
    const double limit = static_cast<double>(FLT_MAX) + std::ldexp(1.0, 103);
    if (std::isnan(value) || std::fabs(value) >= limit) {
        return false;
    }
    if (std::fabs(value) > FLT_MAX) {
        single = value < 0 ? -FLT_MAX : FLT_MAX;
    } else {
        single = static_cast<float>(value);
    }
    return true;
}

}  // namespace calbrine
