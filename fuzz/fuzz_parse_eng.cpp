// Any text read as an engineering value gives a finite number within +-1e10.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engineering/EngineeringText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    float value = 0;
    calbrine::ParseEngValue(std::string(reinterpret_cast<const char*>(data), size), value);
    if (!std::isfinite(value) || std::fabs(value) > 1e10f) {
        std::abort();
    }
    return 0;
}
