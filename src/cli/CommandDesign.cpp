#include "cli/CommandDesign.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "design/Acceptance.h"
#include "design/Tuning.h"
#include "engineering/Characters.h"
#include "engineering/StrictNumber.h"
#include "files/DesignFiles.h"
#include "files/LenientNumber.h"

namespace calbrine {

std::string ParseFieldSettings(const std::vector<std::string>& texts,
                               std::vector<FieldSetting>& sets) {
    for (const std::string& text : texts) {
        const std::size_t equals = text.find('=');
        const DesignField* field =
            equals == std::string::npos ? nullptr : FieldNamed(text.substr(0, equals));
        if (field == nullptr) {
            std::string names;
            for (const DesignField& f : DesignFields) {
                names += std::string(names.empty() ? "" : ", ") + f.name;
            }
            return "--set \"" + text + "\": FIELD=VALUE, FIELD one of " + names;
        }
        double value = 0;
        const std::string wrong = ReadStrictNumber(text.substr(equals + 1), value);
        float single = 0;
        if (!wrong.empty() || !NearestSingle(value, single)) {
            return "--set " + text + ": " + (wrong.empty() ? "too large" : wrong);
        }
        sets.push_back({field, single});
    }
    return "";
}

CommandDesign ReadCommandDesign(const std::string& file, const std::vector<FieldSetting>& sets) {
    CommandDesign result;
    std::error_code ignored;
    if (std::filesystem::is_directory(file, ignored)) {
        result.error = "'" + ShownName(file) + "' is a folder, not a design file";
        return result;
    }
    DesignFileRead read = ReadDesignRecord(file, DesignRecord{});
    for (const FieldSetting& set : sets) {
        read.design.*set.field->member = set.value;
    }
    if (!read.read) {
        result.error = "The file '" + ShownName(file) + "' was not found.";
        return result;
    }
    if (read.valueLines == 0) {
        result.error = file + " is not a Calbrine design file";
        return result;
    }
    AcceptedDesign accepted = AcceptDesign(read.design);
    const TuningRecord tuning = TuneDesign(accepted.design);
    // The resonance gives 0 where a frequency is not a finite single.
    if (tuning.VfoMin == 0 || tuning.VfoMax == 0 || tuning.FineLow == 0 || tuning.FineHigh == 0) {
        result.error = file + ": the design's frequencies lie outside what the program can hold";
        return result;
    }
    result.design = accepted.design;
    // What the reader took first, then what the accept step changed.
    result.notes = read.notes;
    result.notes.insert(result.notes.end(), accepted.notes.begin(), accepted.notes.end());
    return result;
}

std::string ReadableName(const std::string& file) {
    if (CharacterCount(file) < 5 && !file.empty()) {
        return (file[0] == '/' ? "/." : "./") + file;
    }
    return file;
}

std::string ShownName(const std::string& file) {
    // "/./tmp" was "/tmp", "./abc" was "abc": a short name with the prefix it was given.
    const std::string given = file.size() > 2 ? file.substr(2) : "";
    return !given.empty() && ReadableName(given) == file ? given : file;
}

std::string KeptPartSettings(const std::string& file, PartSettings& settings) {
    const std::string settingsFile = SettingsPath(file);
    const std::string bad = ReadSettingsFile(settingsFile, settings);
    return bad.empty() ? "" : settingsFile + ": " + bad;
}

std::string NonFiniteWord(const std::string& text) {
    std::string word;
    auto nonFinite = [](std::string w) {
        std::transform(w.begin(), w.end(), w.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        const std::size_t sign = !w.empty() && (w[0] == '-' || w[0] == '+') ? 1 : 0;
        return w.compare(sign, std::string::npos, "nan") == 0 ||
               w.compare(sign, std::string::npos, "inf") == 0 ||
               w.compare(sign, std::string::npos, "infinity") == 0;
    };
    for (const char c : text + "\n") {
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '+' || c == '.') {
            word += c;
        } else if (!word.empty()) {
            if (nonFinite(word)) {
                return word;
            }
            word.clear();
        }
    }
    return "";
}

}  // namespace calbrine
