#include "simulation/WorkerProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

extern char** environ;

namespace calbrine {

std::unique_ptr<PrivateFolder> PrivateFolder::Make(std::string& problem) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = (tmp != nullptr && *tmp != '\0' ? tmp : "/tmp");
    pattern += "/calbrine-worker-XXXXXX";
    // mkdtemp makes the folder with permissions 0700.
    if (mkdtemp(pattern.data()) == nullptr) {
        problem = "no private folder for a worker (" + pattern + "): " + std::strerror(errno);
        return nullptr;
    }
    std::unique_ptr<PrivateFolder> folder(new PrivateFolder(pattern));
    // An empty start-up file: ngspice reads it in place of the home folder's.
    std::ofstream start(pattern + "/.spiceinit");
    if (!start) {
        problem = "no start-up file in a worker's private folder (" + pattern + ")";
        return nullptr;
    }
    return folder;
}

PrivateFolder::~PrivateFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

namespace {

// The program's environment with HOME and TMPDIR set to the worker's folder.
std::vector<std::string> WorkerEnvironment(const std::string& folder) {
    std::vector<std::string> variables;
    for (char** v = environ; *v != nullptr; ++v) {
        if (std::strncmp(*v, "HOME=", 5) != 0 && std::strncmp(*v, "TMPDIR=", 7) != 0) {
            variables.emplace_back(*v);
        }
    }
    variables.push_back("HOME=" + folder);
    variables.push_back("TMPDIR=" + folder);
    return variables;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& t : texts) {
        pointers.push_back(t.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

bool StartWorkerProcess(const std::vector<std::string>& arguments, int channelNumber,
                        WorkerProcess& process, std::string& problem) {
    std::unique_ptr<PrivateFolder> folder = PrivateFolder::Make(problem);
    if (!folder) {
        return false;
    }
    int pair[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) {
        problem = std::string("no channel to a worker: ") + std::strerror(errno);
        return false;
    }
    // Out of the way of the descriptors the worker is given, so that no dup2 overwrites it.
    const int child = fcntl(pair[1], F_DUPFD_CLOEXEC, 10);
    close(pair[1]);
    // The program is named from where it was asked for, before the worker changes folder.
    std::vector<std::string> argv = arguments;
    if (!argv[0].empty() && argv[0][0] != '/') {
        argv[0] = std::filesystem::absolute(argv[0]).string();
    }
    std::vector<std::string> environment = WorkerEnvironment(folder->Path());
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, child, channelNumber);
    posix_spawn_file_actions_addchdir_np(&actions, folder->Path().c_str());
    std::vector<char*> argp = Pointers(argv);
    std::vector<char*> envp = Pointers(environment);
    pid_t pid = -1;
    const int failed =
        child < 0 ? errno : posix_spawn(&pid, argp[0], &actions, nullptr, argp.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (child >= 0) {
        close(child);
    }
    if (failed != 0) {
        close(pair[0]);
        problem = "could not be started (" + arguments[0] + "): " + std::strerror(failed);
        return false;
    }
    process.pid = pid;
    process.channel = pair[0];
    process.folder = std::move(folder);
    fcntl(process.channel, F_SETFL, O_NONBLOCK);
    return true;
}

}  // namespace calbrine
