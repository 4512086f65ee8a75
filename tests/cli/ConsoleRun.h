// Runs a command line through the program's console entry in the test's own process and keeps
// what it printed and its exit status.
#pragma once

#include <QStringList>
#include <sstream>
#include <string>

#include "cli/CommandLine.h"
#include "cli/ConsoleCommands.h"

namespace calbrine_test {

struct Printed {
    int status = 0;
    std::string out;
    std::string err;
};

// `line` split at blanks, after the program's name.
inline Printed RunLine(const std::string& line) {
    QStringList list{QStringLiteral("calbrine")};
    std::istringstream words(line);
    for (std::string word; words >> word;) {
        list << QString::fromStdString(word);
    }
    std::ostringstream out;
    std::ostringstream err;
    const int status =
        calbrine::RunConsoleCommand(calbrine::ParseCommandLine(list), out, err, false);
    return {status, out.str(), err.str()};
}

}  // namespace calbrine_test
