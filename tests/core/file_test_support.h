// A fresh working directory and recording run-time services for the file tests.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/RunTimeServices.h"

namespace calbrine_test {

struct RecordingServices : calbrine::RunTimeServices {
    void ShowMessage(const std::string& text, const std::string& title) override {
        messages.push_back(title + ": " + text);
    }
    void Beep() override { ++beeps; }
    std::string GeneralDateText() override { return "24.12.2025 18:30:05"; }
    std::vector<std::string> messages;
    int beeps = 0;
};

class FileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "calbrine-XXXXXX");
        ASSERT_NE(mkdtemp(&pattern[0]), nullptr);
        std::filesystem::current_path(folder_ = pattern);
        calbrine::InstallRunTimeServices(&services);
    }
    void TearDown() override {
        calbrine::InstallRunTimeServices(nullptr);
        std::filesystem::current_path(original_);
        std::filesystem::remove_all(folder_);
    }

    static std::string Contents(const std::string& name) {
        std::ifstream in(name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void Put(const std::string& name, const std::string& text) {
        std::ofstream(name, std::ios::binary) << text;
    }
    // The lines of a text whose every line, the last included, ends in CR LF.
    static std::vector<std::string> CrLfLines(const std::string& text) {
        std::vector<std::string> lines;
        std::size_t start = 0;
        for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos;) {
            lines.push_back(text.substr(start, end - start));
            start = end + 2;
        }
        EXPECT_EQ(start, text.size()) << "text after the last CR LF";
        return lines;
    }
    // The sorted names in the working directory: no temporary file may be left behind.
    static std::vector<std::string> Entries() {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(".")) {
            names.push_back(e.path().filename());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    RecordingServices services;
    std::filesystem::path original_ = std::filesystem::current_path(), folder_;
};

}  // namespace calbrine_test
