#include "cli/CommandDesign.h"

#include <algorithm>
#include <cctype>

#include "design/Acceptance.h"
#include "design/Tuning.h"
#include "engineering/Characters.h"
#include "files/DesignFiles.h"

namespace calbrine {

CommandDesign ReadCommandDesign(const std::string& file) {
    CommandDesign result;
    const DesignFileRead read = ReadDesignRecord(file, DesignRecord{});
    if (!read.read) {
        result.error = read.error;
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
