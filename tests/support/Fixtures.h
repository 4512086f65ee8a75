// What tests of every kind share: the example designs, a scratch working folder, the text of a
// file, and run-time services that record messages and beeps and give a fixed date.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "design/DesignValues.h"
#include "services/RunTimeServices.h"

namespace calbrine_test {

// 10/40 pF fine tune, 20/100 pF coarse tune, 4.7 uH, IF 12 MHz: VFO 5.4698 to 5.7589 MHz.
inline const calbrine::DesignRecord workedExample{10e-12f,  40e-12f,  10e-12f, 100e-12f, 20e-12f,
                                                  100e-12f, 100e-12f, 47e-12f, 470e-12f, 470e-12f,
                                                  4.7e-6f,  12e6f,    25e-12f};
// The built-in defaults: coarse range given high end first, IF 11 MHz.
inline const calbrine::DesignRecord reversedExample{200e-12f, 20e-12f, 33e-12f,  220e-12f, 240e-12f,
                                                    10e-12f,  33e-12f, 180e-12f, 470e-12f, 470e-12f,
                                                    7.7e-6f,  11e6f,   0};
// No two parts share a value, and none shares one with a fixed part, so a value drawn or
// written beside the wrong part shows.
inline const calbrine::DesignRecord distinctValues{6.8e-12f, 39e-12f,  8.2e-12f, 120e-12f,
                                                   15e-12f,  150e-12f, 270e-12f, 47e-12f,
                                                   390e-12f, 680e-12f, 3.3e-6f,  9e6f};

// The shipped example (data/Defaults.TXT): the 40 m band, 7.0 to 7.2 MHz, as 12 MHz - VFO.
inline const calbrine::DesignRecord fortyMetreExample{10e-12f, 40e-12f, 10e-12f, 150e-12f, 10e-12f,
                                                      50e-12f, 33e-12f, 22e-12f, 680e-12f, 680e-12f,
                                                      6.8e-6f, 12e6f,   25e-12f};

inline std::string FileText(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The lines of a file under tests/data that are neither blank nor "#" comments.
inline std::vector<std::string> DataLines(const std::string& file) {
    std::ifstream in(std::string(CALBRINE_TEST_DATA) + "/" + file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] != '#') {
            lines.push_back(line);
        }
    }
    return lines;
}

// "key=value key=value ..." in the map's order, for one readable comparison.
inline std::string Joined(const std::map<std::string, std::string>& values) {
    std::string text;
    for (const auto& [key, value] : values) {
        text += (text.empty() ? "" : " ") + key + "=" + value;
    }
    return text;
}

// Makes a fresh folder the working folder for its lifetime, then removes it.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "calbrine-XXXXXX");
        EXPECT_NE(mkdtemp(&pattern[0]), nullptr);
        std::filesystem::current_path(folder_ = pattern);
    }
    ~ScratchFolder() {
        std::filesystem::current_path(original_);
        std::filesystem::remove_all(folder_);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

  private:
    std::filesystem::path original_ = std::filesystem::current_path(), folder_;
};

// Messages are recorded as "title: text".
class RecordedServices : public calbrine::RunTimeServices {
  public:
    void ShowMessage(const std::string& text, const std::string& title) override {
        messages.push_back(title + ": " + text);
    }
    void Beep() override { ++beeps; }
    std::string GeneralDateText() override { return date; }
    // Questions are recorded as "title: text"; each takes the next of `choices`, or cancels.
    std::size_t AskChoice(const std::string& text, const std::string& title,
                          const std::vector<std::string>& buttons) override {
        questions.push_back(title + ": " + text);
        std::size_t answer = buttons.size() - 1;
        if (!choices.empty()) {
            answer = choices.front();
            choices.erase(choices.begin());
        }
        return answer;
    }
    std::vector<std::string> questions;
    std::vector<std::size_t> choices;

    std::vector<std::string> messages;
    int beeps = 0;
    std::string date = "24.12.2025 18:30:05";
};

}  // namespace calbrine_test
