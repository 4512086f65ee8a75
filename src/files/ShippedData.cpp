#include "files/ShippedData.h"

#include <sstream>

#include "engineering/StrictNumber.h"
#include "files/TextLineReader.h"

namespace calbrine {

std::vector<std::string> ShippedCopies(const std::string& programFolder, const std::string& name) {
    return {programFolder + "/../share/calbrine/" + name, programFolder + "/data/" + name};
}

bool ReadFirstCopy(const std::vector<std::string>& copies, std::string& text) {
    for (const std::string& copy : copies) {
        TextLineReader reader;
        if (!reader.Open(copy)) {
            continue;
        }
        text.clear();
        std::string line;
        while (reader.ReadLine(line)) {
            text += line + "\n";
        }
        if (!reader.Failed()) {
            return true;
        }
    }
    return false;
}

std::string BadDataLine(int number, const std::string& line, const std::string& why) {
    return "line " + std::to_string(number) + ": " + why + ": \"" + line + "\"";
}

std::vector<std::string> DataWords(const std::string& line) {
    std::istringstream words(line.substr(0, line.find('#')));
    std::vector<std::string> result;
    for (std::string word; words >> word;) {
        result.push_back(word);
    }
    return result;
}

bool DataNumber(const std::string& word, double& value) {
    // The strict reader refuses "1.2.3" and "12,7"; scale letters and units are no data here.
    return !word.empty() && word.find_first_not_of("+-.0123456789eE") == std::string::npos &&
           ReadStrictNumber(word, value).empty();
}

std::string ReadDataLines(const std::string& text,
                          const std::function<std::string(const std::vector<std::string>&)>& read) {
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        const std::vector<std::string> words = DataWords(line);
        if (words.empty()) {
            continue;
        }
        const std::string wrong = read(words);
        if (!wrong.empty()) {
            return BadDataLine(number, line, wrong);
        }
    }
    return "";
}

}  // namespace calbrine
