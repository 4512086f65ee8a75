// Starting one simulation worker: the process, its socket and the private folder it works in.
// ngspice reads a start-up file named `.spiceinit` from the folder it starts in, or else from
// the user's home folder, and runs what it holds (`shell` commands included); a design folder
// from elsewhere must never run commands or change figures that way. So every worker starts in
// an empty folder of its own, readable by the user alone, holding an empty `.spiceinit` that
// stands in for the home folder's, with HOME and TMPDIR pointing there too, so that whatever
// the simulator reads or writes of its own stays there. The folder goes when the worker does.
#pragma once

#include <sys/types.h>

#include <memory>
#include <string>
#include <vector>

namespace calbrine {

// A folder made for one worker and removed, with what is in it, when this is destroyed.
class PrivateFolder {
  public:
    // Makes the folder under TMPDIR (or /tmp); `problem` says why it could not be made.
    static std::unique_ptr<PrivateFolder> Make(std::string& problem);
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    const std::string& Path() const { return path_; }

  private:
    explicit PrivateFolder(std::string path) : path_(std::move(path)) {}
    std::string path_;
};

// A started worker: its process, the program's end of its socket and its folder.
struct WorkerProcess {
    pid_t pid = -1;
    int channel = -1;
    std::unique_ptr<PrivateFolder> folder;
};

// Starts `arguments` (the program first) with its standard streams on /dev/null, the other end
// of a new socket as descriptor `channelNumber`, in a private folder of its own. False, with
// `problem` saying why, when it could not be started.
bool StartWorkerProcess(const std::vector<std::string>& arguments, int channelNumber,
                        WorkerProcess& process, std::string& problem);

}  // namespace calbrine
