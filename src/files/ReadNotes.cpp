#include "files/ReadNotes.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <utility>

#include "engineering/Characters.h"
#include "files/LenientNumber.h"

namespace calbrine {

namespace {

// The shortest text that reads back as the same single, with a plain exponent: "9E6",
// "6.8E-6", "120".
std::string CompactNumber(float value) {
    char general[64];
    const auto plain = std::to_chars(general, general + sizeof general, value);
    char scientific[64];
    const auto sci = std::to_chars(scientific, scientific + sizeof scientific, value,
                                   std::chars_format::scientific);
    std::string text(scientific, sci.ptr);
    const std::size_t e = text.find('e');
    if (e != std::string::npos) {
        std::string exponent = text.substr(e + 1);
        const bool negative = exponent[0] == '-';
        exponent = exponent.substr(exponent.find_first_not_of("+-0") == std::string::npos
                                       ? exponent.size() - 1
                                       : exponent.find_first_not_of("+-0"));
        text = text.substr(0, e) + "E" + (negative ? "-" : "") + exponent;
    }
    const std::string shortest(general, plain.ptr);
    return shortest.size() <= text.size() && shortest.find('e') == std::string::npos ? shortest
                                                                                     : text;
}

// The scale a letter stands for in engineering text (as the design window reads it), or 0.
double Scale(char letter) {
    const std::pair<const char*, double> scales[] = {{"Pp", 1e-12}, {"Nn", 1e-9}, {"Uu", 1e-6},
                                                     {"m", 1e-3},   {"Kk", 1e3},  {"M", 1e6},
                                                     {"Gg", 1e9}};
    for (const auto& [letters, scale] : scales) {
        if (std::strchr(letters, letter) != nullptr) {
            return scale;
        }
    }
    return 0;
}

}  // namespace

std::string PlaceNote(int line, const std::string& key, const DesignField& field) {
    return "line " + std::to_string(line) + " '" + key + ":' holds " + field.name +
           "'s place: design files are read by position";
}

std::string ValueNote(const DesignField& field, const std::string& valueText, float read) {
    const std::string typed = Trimmed(valueText);
    const std::string rest = TextAfterNumber(valueText);
    if (rest.empty()) {
        return "";
    }
    const std::string start = std::string(field.name) + ": '" + typed + "' ";
    // Nothing taken when what is passed over is every character but the blanks.
    const auto blanks = std::count_if(valueText.begin(), valueText.end(),
                                      [](char c) { return c == ' ' || c == '\t'; });
    if (rest.size() + static_cast<std::size_t>(blanks) == valueText.size()) {
        return start + "is not a number: read as 0";
    }
    std::string note = start + "read as " + CompactNumber(read) + " " + UnitLetters(field);
    if (const double scale = Scale(rest[0]); scale != 0) {
        note += ": write " + CompactNumber(static_cast<float>(LenientNumber(valueText) * scale));
    } else {
        note += ": '" + rest + "' ignored";
    }
    return note;
}

std::string EndNote(std::size_t fieldsRead) {
    if (fieldsRead >= DesignFieldCount) {
        return "";
    }
    std::string missing;
    for (std::size_t i = fieldsRead; i < DesignFieldCount; ++i) {
        missing += (i == fieldsRead ? "" : (i + 1 == DesignFieldCount ? " and " : ", "));
        missing += DesignFields[i].name;
    }
    return std::string("the file ends before ") + DesignFields[fieldsRead].name +
           "'s line: " + missing + (fieldsRead + 1 == DesignFieldCount ? " is" : " are") +
           " not in it";
}

}  // namespace calbrine
