#include "engineering/EntryNote.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <vector>

#include "engineering/Characters.h"

namespace calbrine {

namespace {

bool IsScaleLetter(char c) {
    return std::string("PpNnUumKkMGg").find(c) != std::string::npos;
}

// Marks, byte by byte, what ParseEngValue keeps of its (trimmed, at most 12 characters) text,
// following its reading step for step.
std::vector<bool> KeptBytes(const std::string& t) {
    std::vector<bool> kept(t.size(), false);
    std::string taken;
    bool pointSeen = false, exponentSeen = false, suffixSeen = false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (c >= '0' && c <= '9') {
            kept[i] = !suffixSeen;
        } else if (c == '.') {
            kept[i] = !suffixSeen && !pointSeen;
            pointSeen = pointSeen || kept[i];
        } else if (c == '+' || c == '-') {
            kept[i] = taken.empty() || taken.back() == 'E';
        }
        if (kept[i]) {
            taken += c;
        }
        if (taken.empty()) {
            continue;
        }
        if ((c == 'E' || c == 'e') && !suffixSeen) {
            kept[i] = !exponentSeen;
            taken += exponentSeen ? "" : "E";
            pointSeen = exponentSeen = true;
        } else if (!exponentSeen && IsScaleLetter(c) && !suffixSeen) {
            kept[i] = suffixSeen = true;
            taken += c;
        }
    }
    return kept;
}

bool EndsWithUnit(const std::string& t, const std::string& unit) {
    if (unit.empty() || t.size() < unit.size()) {
        return false;
    }
    return std::equal(unit.begin(), unit.end(), t.end() - static_cast<long>(unit.size()),
                      [](char a, char b) { return std::tolower(a) == std::tolower(b); });
}

// A value as the note gives it: at most four significant digits and an SI prefix, "22F",
// "22nF", "4.7uH", "12MHz".
std::string ValueText(double value, const std::string& unit) {
    const double size = std::fabs(value);
    if (size == 0 || !std::isfinite(size)) {
        return "0" + unit;
    }
    const char* prefixes[] = {"f", "p", "n", "u", "m", "", "k", "M", "G", "T"};
    int group = static_cast<int>(std::floor(std::log10(size) / 3));
    group = std::max(-5, std::min(4, group));
    char digits[32];
    const double scaled = value / std::pow(1000.0, group);
    const auto end =
        std::to_chars(digits, digits + sizeof digits, scaled, std::chars_format::general, 4).ptr;
    return std::string(digits, end) + prefixes[group + 5] + unit;
}

}  // namespace

std::string IgnoredCharacters(const std::string& text, const std::string& unit) {
    const std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos) {
        return "";
    }
    const std::string whole = text.substr(begin, text.find_last_not_of(' ') - begin + 1);
    const std::string t = FirstCharacters(whole, 12);
    std::vector<bool> kept = KeptBytes(t);
    // The unit the box is for may follow the number, and characters past twelve are not read.
    std::size_t end = t.size();
    if (EndsWithUnit(whole, unit) && whole.size() == t.size()) {
        end -= unit.size();
    }
    std::string runs;
    for (std::size_t i = 0; i < end;) {
        if (kept[i]) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < end && !kept[j]) {
            ++j;
        }
        // Blanks before the scale letter change nothing ("470 pF" is how people write it);
        // between digits ("4 7p", read as 47p) they do, and are said.
        const bool blanks = t.find_first_not_of(' ', i) >= j;
        if (blanks && (j == end || std::isdigit(static_cast<unsigned char>(t[j])) == 0)) {
            i = j;
            continue;
        }
        runs += (runs.empty() ? "'" : ", '") + t.substr(i, j - i) + "'";
        i = j;
    }
    if (whole.size() > t.size()) {
        runs += (runs.empty() ? "'" : ", '") + whole.substr(t.size()) + "'";
    }
    return runs;
}

std::string EntryNote(const std::string& text, const std::string& unit, float read,
                      const std::string& floorText) {
    const std::string ignored = IgnoredCharacters(text, unit);
    const bool floored = !floorText.empty() && read <= 0;
    if (ignored.empty() && !floored) {
        return "";
    }
    const std::string shownUnit = unit == "Hz" || unit == "H" ? unit : "F";
    std::string note = "read as " + ValueText(read, shownUnit);
    if (!ignored.empty()) {
        note += ": " + ignored + " ignored";
    }
    if (floored) {
        note += std::string(ignored.empty() ? ": " : "; ") + "the smallest value, " + floorText +
                ", taken";
    }
    return note;
}

}  // namespace calbrine
