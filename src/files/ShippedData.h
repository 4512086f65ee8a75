// The data files that ship with the program: the example design, the capacitor value series,
// the core table and the wire table. Installed under share/calbrine beside the program's bin
// folder, and copied to data/ beside the program in the build folder.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace calbrine {

// Where a shipped file `name` ("cores/iron-powder.txt") may lie for a program in
// `programFolder`: the installed copy first, then the build folder's.
std::vector<std::string> ShippedCopies(const std::string& programFolder, const std::string& name);

// The whole text of the first of `copies` that can be read; false when none can.
bool ReadFirstCopy(const std::vector<std::string>& copies, std::string& text);

// "line 4: ..." for a data file's line that cannot be read, as the table readers report it.
std::string BadDataLine(int number, const std::string& line, const std::string& why);

// Hands the words of each line of a data file that holds any to `read`, which returns empty
// text or why the line is wrong; the first wrong line ends the reading with what
// BadDataLine says of it. Empty text when every line was read.
std::string ReadDataLines(const std::string& text,
                          const std::function<std::string(const std::vector<std::string>&)>& read);

// The words of a line of a data file, with the "#" comment dropped.
std::vector<std::string> DataWords(const std::string& line);

// A number of a data file written in full ("12.70", "4.9", "95", "-150"); false for any other
// word.
bool DataNumber(const std::string& word, double& value);

}  // namespace calbrine
