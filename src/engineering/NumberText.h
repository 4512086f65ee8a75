// Locale-independent number text shared by the formatters and the file writers.
#pragma once

#include <cstddef>
#include <string>

namespace calbrine {

// A single written with at most seven significant digits, "." as decimal point, trailing
// zeros dropped and exponent form ("1.234568E+07", "2E-10") outside 1e-5 .. 1e7.
// A value that is not finite is written as "0".
std::string SingleText(float value);

// `value` rounded half away from zero to `decimals` places (0..6), returned as a single.
float RoundHalfAway(float value, int decimals);

// Reads the decimal number at the front of `text`: an optional sign, digits with at most one
// point, an optional exponent. Returns false when the text holds no digits at all; `value`
// is then 0. Overflow gives +-infinity, underflow 0 (or a subnormal).
bool ReadDecimal(const std::string& text, double& value);
// The same, with how many characters of `text` the number took (0 when there was none).
bool ReadDecimal(const std::string& text, double& value, std::size_t& used);

}  // namespace calbrine
