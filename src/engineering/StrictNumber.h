// Reading a number typed into one of the fields that take a whole value at once: the command
// line's options and the explorer's band edges, coefficients and readings. The design
// window's value boxes keep their forgiving reading (ParseEngValue); these take the text in
// full or refuse it, so that "7,2M" is never read as 72 MHz.
#pragma once

#include <string>

namespace calbrine {

// Engineering text: an optional sign, digits with at most one point, an optional exponent
// ("1.5e-6"), an optional scale letter (p, n, u, m, k, M, G; only M and m differ by case) and
// an optional unit after it (F, H, Hz). Blanks around the text are allowed. Returns empty
// text with `value` set, or why the text is not such a number, quoting it.
std::string ReadStrictNumber(const std::string& text, double& value);

}  // namespace calbrine
