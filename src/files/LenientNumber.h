// The forgiving number reading of the design-file readers: a value line's text gives the
// number it begins with, whatever follows.
#pragma once

#include <string>

namespace calbrine {

// The number at the front of `text`: blanks and tabs are skipped before and inside it, then
// an optional sign, digits with at most one ".", an optional exponent. Reading stops at the
// first character that cannot continue the number ("200p" gives 200, "1,5" gives 1); text
// without a leading number gives 0. Too large a number gives +-infinity.
double LenientNumber(const std::string& text);

// What LenientNumber passes over: the text after the number at the front of `text`, blanks
// and tabs left out; all of it when it begins with no number.
std::string TextAfterNumber(const std::string& text);

// The single nearest to `value`; false (and `single` untouched) when `value` lies outside
// the single range.
bool NearestSingle(double value, float& single);

}  // namespace calbrine
