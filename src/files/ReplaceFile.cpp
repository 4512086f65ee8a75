#include "files/ReplaceFile.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace calbrine {

namespace {

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a chain of symbolic links ends at (which need not exist yet).
bool FollowLinks(std::string& path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info;
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return true;
        }
        std::vector<char> text(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 1);
        const ssize_t length = readlink(path.c_str(), text.data(), text.size());
        if (length < 0 || static_cast<std::size_t>(length) >= text.size()) {
            return false;
        }
        std::string next(text.data(), static_cast<std::size_t>(length));
        if (next.empty()) {
            return false;
        }
        if (next[0] != '/') {
            next = FolderOf(path) + "/" + next;
        }
        path = next;
    }
    return false;  // a loop of links
}

bool WriteAll(int fd, const std::string& content) {
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t count = write(fd, content.data() + done, content.size() - done);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(count);
    }
    return true;
}

mode_t NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

bool ReplaceFile(const std::string& target, const std::string& content) {
    std::string path = target;
    if (path.empty() || !FollowLinks(path)) {
        return false;
    }
    mode_t mode = NewFileMode();
    struct stat old;
    if (stat(path.c_str(), &old) == 0) {
        if (!S_ISREG(old.st_mode) || access(path.c_str(), W_OK) != 0) {
            return false;
        }
        mode = old.st_mode & 07777;
    }

    std::string temporary = FolderOf(path) + "/.calbrine-XXXXXX";
    const int fd = mkstemp(&temporary[0]);
    if (fd < 0) {
        return false;
    }
    bool ok = fchmod(fd, mode) == 0;
    ok = ok && WriteAll(fd, content);
    ok = ok && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        unlink(temporary.c_str());
    }
    return ok;
}

std::string ReplaceRefusal(const std::string& target) {
    std::string path = target;
    if (path.empty()) {
        return "no file is named";
    }
    if (!FollowLinks(path)) {
        return "'" + target + "' is a symbolic link that leads nowhere";
    }
    struct stat info;
    if (stat(path.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            return "'" + target + "' is a folder";
        }
        if (!S_ISREG(info.st_mode) || access(path.c_str(), W_OK) != 0) {
            return "'" + target + "' may not be written";
        }
    }
    const std::string folder = FolderOf(path);
    if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        return "the folder '" + folder + "' does not exist";
    }
    if (access(folder.c_str(), W_OK | X_OK) != 0) {
        return "the folder '" + folder + "' may not be written";
    }
    return "";
}

}  // namespace calbrine
