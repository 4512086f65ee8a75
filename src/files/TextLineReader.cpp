#include "files/TextLineReader.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace calbrine {

namespace {

bool SameIgnoringCase(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z') {
            x = static_cast<char>(x - 'A' + 'a');
        }
        if (y >= 'A' && y <= 'Z') {
            y = static_cast<char>(y - 'A' + 'a');
        }
        if (x != y) {
            return false;
        }
    }
    return i == a.size() && b[i] == '\0';
}

}  // namespace

std::string FindFileIgnoringCase(const std::string& name) {
    struct stat info;
    if (name.empty() || name.find('/') != std::string::npos || lstat(name.c_str(), &info) == 0 ||
        errno != ENOENT) {
        return name;
    }
    DIR* dir = opendir(".");
    if (dir == nullptr) {
        return name;
    }
    std::vector<std::string> matches;
    while (const dirent* entry = readdir(dir)) {
        if (SameIgnoringCase(name, entry->d_name)) {
            matches.emplace_back(entry->d_name);
        }
    }
    closedir(dir);
    if (matches.empty()) {
        return name;
    }
    return *std::min_element(matches.begin(), matches.end());
}

TextLineReader::~TextLineReader() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

bool TextLineReader::Open(const std::string& path) {
    // Non-blocking, so that a named pipe cannot hold the program at the open.
    fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd_ < 0) {
        return false;
    }
    struct stat info;
    if (fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd_);
        fd_ = -1;
        return false;
    }
    return true;
}

int TextLineReader::PeekByte() {
    if (pos_ == filled_) {
        if (atEnd_ || failed_ || fd_ < 0) {
            return -1;
        }
        ssize_t count;
        do {
            count = read(fd_, buffer_, sizeof buffer_);
        } while (count < 0 && errno == EINTR);
        if (count < 0) {
            failed_ = true;
            return -1;
        }
        if (count == 0) {
            atEnd_ = true;
            return -1;
        }
        pos_ = 0;
        filled_ = static_cast<std::size_t>(count);
    }
    return static_cast<unsigned char>(buffer_[pos_]);
}

int TextLineReader::NextByte() {
    const int c = PeekByte();
    if (c >= 0) {
        ++pos_;
    }
    return c;
}

bool TextLineReader::ReadLine(std::string& line) {
    line.clear();
    if (PeekByte() < 0) {
        return false;
    }
    // Whole runs of the buffer up to the line end are taken at once.
    while (PeekByte() >= 0) {
        const char* first = buffer_ + pos_;
        const char* last = buffer_ + filled_;
        const char* end = std::find_if(first, last, [](char c) { return c == '\r' || c == '\n'; });
        const std::size_t room = MaxKept - line.size();
        line.append(first, std::min(static_cast<std::size_t>(end - first), room));
        pos_ = static_cast<std::size_t>(end - buffer_);
        if (end != last) {
            const bool cr = NextByte() == '\r';
            if (cr && PeekByte() == '\n') {
                NextByte();
            }
            break;
        }
    }
    // A read error in the middle of a line spoils the line.
    return !failed_;
}

}  // namespace calbrine
