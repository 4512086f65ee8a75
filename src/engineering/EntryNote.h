// What the design page's value boxes tell the user about what they read: the boxes take any
// text (ParseEngValue), and a text that was not taken in full is said, so that "22o" read as
// 22 F or "2,2n" read as 22 nF does not go unnoticed.
#pragma once

#include <string>

namespace calbrine {

// The characters of a box's text that ParseEngValue passes over, each run quoted ("'o'",
// "','"); a unit after the number ("pF", "uH", "MHz", given as `unit`, any case) is not
// counted. Empty when every character was taken.
std::string IgnoredCharacters(const std::string& text, const std::string& unit);

// The note for a box: "read as 22F: 'o' ignored", "read as -5pF: the smallest value, 0.01pF,
// taken"; empty when the text was taken in full and not floored. `floorText` is what the
// floor shows ("" for a box without one).
std::string EntryNote(const std::string& text, const std::string& unit, float read,
                      const std::string& floorText);

}  // namespace calbrine
