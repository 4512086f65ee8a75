// Reading a text file line by line with bounded memory, for the design-file readers.
#pragma once

#include <cstddef>
#include <string>

namespace calbrine {

// Finds the file to read for `name`: the name itself when it exists; otherwise, for a plain
// name without a folder part, a file of the working directory whose name equals it without
// regard to ASCII case (the first in byte order when several do). Returns `name` unchanged
// when nothing matches, so that opening it fails as it should.
std::string FindFileIgnoringCase(const std::string& name);

class TextLineReader {
  public:
    // Only so much of a line is kept; the rest of it is read and dropped.
    static constexpr std::size_t MaxKept = 64 * 1024;

    TextLineReader() = default;
    ~TextLineReader();
    TextLineReader(const TextLineReader&) = delete;
    TextLineReader& operator=(const TextLineReader&) = delete;

    // Opens a regular file for reading; false for a missing file, a folder, a device or a
    // pipe (which could block or never end).
    bool Open(const std::string& path);

    // Reads the next line without its end (CR LF, a lone CR or a lone LF). Returns false at
    // the end of the file and when reading fails; Failed() tells the two apart.
    bool ReadLine(std::string& line);
    bool Failed() const { return failed_; }

  private:
    // The next byte, or -1 at the end of the file or on a read error.
    int NextByte();
    int PeekByte();

    int fd_ = -1;
    bool failed_ = false;
    bool atEnd_ = false;
    char buffer_[16 * 1024];
    std::size_t pos_ = 0;
    std::size_t filled_ = 0;
};

}  // namespace calbrine
