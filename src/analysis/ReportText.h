// Number text for the explorer's reports: engineering text for people, plain numbers for
// CSV, both with "." as decimal point whatever the locale.
#pragma once

#include <string>
#include <vector>

namespace calbrine {

// Nine significant digits, "." as decimal point, no thousands separators: "5469798", "2e-11".
std::string PlainNumber(double value, int significantDigits = 9);
// A single as the shortest text that reads back as the same single ("1e-11", not the
// "9.99999996e-12" its double would give): what the CSV writes for the design's values.
std::string PlainNumber(float value);
// FormatEng / FormatCapacitance / FormatInductance text without leading blanks.
std::string FrequencyText(double hertz);
// A frequency that may be negative: "-31.2k" rather than the milli form.
std::string SignedFrequencyText(double hertz);
std::string CapacitanceText(double farad);
std::string InductanceText(double henry);
// Rows of cells with each column padded to its widest cell; the first column is
// left-aligned, the others right-aligned. Lines end in "\n".
std::string AlignedTable(const std::vector<std::vector<std::string>>& rows);

}  // namespace calbrine
