// Engineering text: reading typed values such as "4.7p" or "22n" into numbers in SI base
// units, and writing numbers back as text with scale letters and units.
#pragma once

#include <string>

namespace calbrine {

// The program-wide text into which most callers let a formatter write before copying it on.
extern std::string WorkText;

// Reads engineering text into a single. Never reports an error: what cannot be read is 0,
// results are limited to +-1e10.
void ParseEngValue(const std::string& text, float& value);
// The largest magnitude ParseEngValue gives: larger numbers are read as it.
constexpr float ParseLimit = 1e10f;

// Frequencies: " 12M", " 5.4698M", "0.0 " for zero.
void FormatEng(double value, std::string& out);
// Capacitances: "4.7pF", "0.022uF", empty text below 1e-14 F. The float form replaces the
// caller's variable by its magnitude first.
void FormatCapacitance(float& value, std::string& out);
void FormatCapacitance(double value, std::string& out);
// Inductances: "4.7uH", "100nH", empty text below 1e-10 H. The float form replaces the
// caller's variable by its magnitude first.
void FormatInductance(float& value, std::string& out);
void FormatInductance(double value, std::string& out);
// Small times for the simulator: "250n", "2p", "0  " for zero.
void FormatEngSmall(double value, std::string& out);
// Resistances with a blank before the scale letter: "4.7 k". Does nothing when `out` is
// empty on entry.
void FormatEngSpaced(double value, std::string& out);

}  // namespace calbrine
