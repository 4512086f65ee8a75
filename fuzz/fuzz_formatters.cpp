// Any single (4 bytes) or double (8 bytes), subnormals, infinities and nan included, through
// every formatter: no crash, and no text ever shows "nan" or "inf".
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engineering/EngineeringText.h"

namespace {

void Check(const std::string& text, const char* formatter, double value) {
    std::string lower = text;
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    if (lower.find("nan") != std::string::npos || lower.find("inf") != std::string::npos) {
        std::fprintf(stderr, "%s(%a) wrote \"%s\"\n", formatter, value, text.c_str());
        std::abort();
    }
}

void FormatAll(double value) {
    using namespace calbrine;
    std::string out;
    FormatEng(value, out);
    Check(out, "FormatEng", value);
    FormatCapacitance(value, out);
    Check(out, "FormatCapacitance", value);
    FormatInductance(value, out);
    Check(out, "FormatInductance", value);
    FormatEngSmall(value, out);
    Check(out, "FormatEngSmall", value);
    out = "x";
    FormatEngSpaced(value, out);
    Check(out, "FormatEngSpaced", value);
}

void FormatAllSingle(float value) {
    using namespace calbrine;
    FormatAll(value);
    std::string out;
    float magnitude = value;
    FormatCapacitance(magnitude, out);
    Check(out, "FormatCapacitance(float&)", value);
    magnitude = value;
    FormatInductance(magnitude, out);
    Check(out, "FormatInductance(float&)", value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 4) {
        float value;
        std::memcpy(&value, data, sizeof value);
        FormatAllSingle(value);
    } else if (size == 8) {
        double value;
        std::memcpy(&value, data, sizeof value);
        FormatAll(value);
        FormatAllSingle(static_cast<float>(value));
    }
    return 0;
}
