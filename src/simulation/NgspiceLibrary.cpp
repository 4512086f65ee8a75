#include "simulation/NgspiceLibrary.h"

#include <dlfcn.h>

#include <cstring>

#include "simulation/NgspiceSession.h"

namespace calbrine {

void NgspiceApi::Command(const std::string& text) const {
    std::vector<char> writable(text.begin(), text.end());
    writable.push_back('\0');
    command(writable.data());
}

void NgspiceReports::Clear() {
    std::lock_guard<std::mutex> lock(mutex);
    threadEnded = false;
    exitRequested = false;
    exitStatus = 0;
    fraction = 0;
    errors.clear();
}

void NgspiceReports::Resume() {
    std::lock_guard<std::mutex> lock(mutex);
    threadEnded = false;
}

NgspiceReports& Reports() {
    static NgspiceReports reports;
    return reports;
}

namespace {

constexpr std::size_t KeptErrorLines = 8;

bool IsErrorLine(const std::string& line) {
    return line.find("rror") != std::string::npos || line.find("too small") != std::string::npos;
}

// Every line ngspice prints arrives here, marked "stdout " or "stderr ".
int OnOutput(char* text, int, void*) {
    std::string line = text != nullptr ? text : "";
    for (const char* stream : {"stderr ", "stdout "}) {
        if (line.compare(0, std::strlen(stream), stream) == 0) {
            line.erase(0, std::strlen(stream));
        }
    }
    if (IsErrorLine(line)) {
        NgspiceReports& r = Reports();
        std::lock_guard<std::mutex> lock(r.mutex);
        if (r.errors.size() < KeptErrorLines) {
            r.errors.push_back(line);
        }
    }
    return 0;
}

int OnStatus(char* text, int, void*) {
    const double fraction = StatusFraction(text != nullptr ? text : "");
    if (fraction >= 0) {
        NgspiceReports& r = Reports();
        std::lock_guard<std::mutex> lock(r.mutex);
        r.fraction = fraction;
    }
    return 0;
}

// ngspice calls this instead of exit(); the process goes on and the library is opened afresh
// before the next run.
int OnExit(int status, NG_BOOL, NG_BOOL, int, void*) {
    NgspiceReports& r = Reports();
    {
        std::lock_guard<std::mutex> lock(r.mutex);
        r.exitRequested = true;
        r.spent = true;
        r.exitStatus = status;
        r.threadEnded = true;
    }
    r.changed.notify_all();
    return 0;
}

// The flag is true when the background thread has stopped (the header's comment has it the
// other way round).
int OnBackgroundThread(NG_BOOL stopped, int, void*) {
    if (stopped) {
        NgspiceReports& r = Reports();
        {
            std::lock_guard<std::mutex> lock(r.mutex);
            r.threadEnded = true;
        }
        r.changed.notify_all();
    }
    return 0;
}

template <typename Function>
bool Find(void* handle, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(handle, name));
    return function != nullptr;
}

bool Open(NgspiceApi& api, const std::string& file, std::string& problem) {
    api = NgspiceApi{};
    api.handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (api.handle == nullptr) {
        const char* why = dlerror();
        problem = "The ngspice library (" + file + ") is missing: " + (why != nullptr ? why : "");
        return false;
    }
    api.file = file;
    if (!Find(api.handle, "ngSpice_Init", api.init) ||
        !Find(api.handle, "ngSpice_Command", api.command) ||
        !Find(api.handle, "ngSpice_Circ", api.circ) ||
        !Find(api.handle, "ngGet_Vec_Info", api.vectorInfo) ||
        !Find(api.handle, "ngSpice_running", api.running)) {
        problem = "The library " + file + " is not a usable ngspice library.";
        dlclose(api.handle);
        api = NgspiceApi{};
        return false;
    }
    Reports().Clear();
    {
        std::lock_guard<std::mutex> lock(Reports().mutex);
        Reports().spent = false;
    }
    api.init(OnOutput, OnStatus, OnExit, nullptr, nullptr, OnBackgroundThread, nullptr);
    return true;
}

}  // namespace

const NgspiceApi* OpenNgspice(const std::string& file, std::string& problem) {
    static NgspiceApi api;
    bool spent = false;
    {
        std::lock_guard<std::mutex> lock(Reports().mutex);
        spent = Reports().spent;
    }
    if (api.handle != nullptr && spent) {
        dlclose(api.handle);
        api = NgspiceApi{};
    }
    if (api.handle != nullptr && api.file == file) {
        return &api;
    }
    if (api.handle != nullptr) {
        // Another file asked for: only its presence is checked, the open library stays.
        void* other = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (other == nullptr) {
            problem = "The ngspice library (" + file + ") is missing.";
            return nullptr;
        }
        dlclose(other);
        return &api;
    }
    return Open(api, file, problem) ? &api : nullptr;
}

}  // namespace calbrine
