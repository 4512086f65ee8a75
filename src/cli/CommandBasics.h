// What every command of the command line shares: the options as typed, what a command is run
// on, and what it prints with its exit status.
#pragma once

#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "design/DesignRecord.h"

namespace calbrine {

// What a command prints, and its exit status: 0, 1 when it fails, 2 when the command line is
// wrong. `error` goes to the error stream with the program's name in front.
struct CommandResult {
    int status = 0;
    std::string out;
    std::string error;
};

inline CommandResult Failure(int status, std::string error) {
    return {status, "", std::move(error)};
}

// The options given on the command line, by their long names, with their values as typed.
class OptionValues {
  public:
    // A switch is added with an empty value.
    void Add(const std::string& name, const std::string& value) {
        if (values_.count(name) == 0) {
            given_.push_back(name);
        }
        values_[name].push_back(value);
    }
    bool IsSet(const std::string& name) const { return values_.count(name) != 0; }
    // The last value given, or empty text.
    std::string Value(const std::string& name) const {
        const auto found = values_.find(name);
        return found == values_.end() ? "" : found->second.back();
    }
    std::vector<std::string> Values(const std::string& name) const {
        const auto found = values_.find(name);
        return found == values_.end() ? std::vector<std::string>{} : found->second;
    }
    // The names in the order they were first given.
    const std::vector<std::string>& Given() const { return given_; }

  private:
    std::map<std::string, std::vector<std::string>> values_;
    std::vector<std::string> given_;
};

// Where a simulation command tells its progress: on the error stream, when it is a terminal.
struct ProgressSink {
    std::ostream& err;
    bool isTerminal = false;
};

// What a command runs on besides its options: the accepted design, the file it was read from
// (the part settings are kept beside it) and where progress goes.
struct CommandInput {
    const DesignRecord& design;
    const std::string& file;
    ProgressSink progress;
};

}  // namespace calbrine
