// Runs a command line through the program's console entry in the test's own process and keeps
// what it printed and its exit status.
#pragma once

#include <QStringList>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/ConsoleCommands.h"

namespace calbrine_test {

struct Printed {
    int status = 0;
    std::string out;
    std::string err;
};

// The command line of the program's name followed by `arguments`, as the program reads it.
inline calbrine::CommandLine Parsed(const std::vector<std::string>& arguments) {
    QStringList list{QStringLiteral("calbrine")};
    for (const std::string& argument : arguments) {
        list << QString::fromStdString(argument);
    }
    return calbrine::ParseCommandLine(list);
}

// The words of `line`, split at blanks.
inline std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

inline Printed RunLine(const std::string& line) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = calbrine::RunConsoleCommand(Parsed(Words(line)), out, err, false);
    return {status, out.str(), err.str()};
}

}  // namespace calbrine_test
