// Sample files and a scratch-folder fixture for the file tests.
#pragma once

#include <set>

#include "../support/Fixtures.h"
#include "design/DesignValues.h"

namespace calbrine_test {

using Values = std::vector<float>;
using Texts = std::vector<std::string>;

// The twelve stored values of a record, in file order.
inline Values Stored(const calbrine::DesignRecord& d) {
    return {d.CfineMin, d.CfineMax, d.C39, d.C37, d.CcoarseMin, d.CcoarseMax,
            d.C90,      d.C15,      d.C34, d.C35, d.L7,         d.IF};
}

inline const Values counting{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
inline const Values builtIn{200e-12f, 20e-12f,  33e-12f,  220e-12f, 10e-12f, 240e-12f,
                            33e-12f,  180e-12f, 470e-12f, 470e-12f, 7.7e-6f, 11e6f};

inline std::string NotFound(const std::string& name) {
    return "Calbrine: The file '" + name + "' was not found.";
}

// A well-formed file holding the values 1 .. 12, optionally with one value replaced.
inline std::string CountingFile(const std::string& end, const std::string& key = "",
                                const std::string& value = "", const std::string& first = "name") {
    std::string text = first + end + "date" + end + end;
    const char* keys[] = {"CfineMin", "CfineMax", "C39", "C37", "CcoarseMin", "CcoarseMax",
                          "C90",      "C15",      "C34", "C35", "L7",         "IF"};
    for (int i = 0; i < 12; ++i) {
        text += keys[i] + (": " + (keys[i] == key ? value : std::to_string(i + 1))) + end;
    }
    return text + "Spare 2: 2" + end + "Spare 3: 3" + end + "Spare 4: 4" + end + "Spare 5: 5" + end;
}

// A scratch working folder with recorded messages, beeps and a fixed date.
class FileTest : public ::testing::Test, public RecordedServices {
  protected:
    void SetUp() override { calbrine::InstallRunTimeServices(this); }
    void TearDown() override { calbrine::InstallRunTimeServices(nullptr); }

    static void Put(const std::string& name, const std::string& text) {
        std::ofstream(name, std::ios::binary) << text;
    }
    // The names in the working directory: no temporary file may be left behind.
    static std::set<std::string> Entries() {
        std::set<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(".")) {
            names.insert(e.path().filename());
        }
        return names;
    }

  private:
    ScratchFolder folder_;
};

}  // namespace calbrine_test
