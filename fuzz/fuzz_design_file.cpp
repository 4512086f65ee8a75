// Any bytes read as a design file and as the last-session file: no crash, and every stored
// value the readers leave behind is finite.
#include <stdlib.h>
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "design/DesignValues.h"
#include "files/DesignFiles.h"
#include "services/RunTimeServices.h"

namespace {

struct SilentServices : calbrine::RunTimeServices {
    void ShowMessage(const std::string&, const std::string&) override {}
    void Beep() override {}
    std::string GeneralDateText() override { return "24.12.2025 18:30:05"; }
};

SilentServices silent;
std::string folder;

const char* const DesignName = "fuzzed.TXT";
const char* const LastSessionName = "LastSession.TXT";

void RemoveFolder() {
    std::remove(DesignName);
    std::remove(LastSessionName);
    rmdir(folder.c_str());
}

void Write(const char* name, const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(name, "wb");
    if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
        std::perror(name);
        std::abort();
    }
}

void CheckFinite() {
    const calbrine::DesignRecord& d = calbrine::DesignValues;
    for (float v : {d.CfineMin, d.CfineMax, d.C39, d.C37, d.CcoarseMin, d.CcoarseMax, d.C90, d.C15,
                    d.C34, d.C35, d.L7, d.IF}) {
        if (!std::isfinite(v)) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Under TMPDIR when set, so that a run that crashes leaves nothing in a shared folder.
    std::string pattern = std::filesystem::temp_directory_path() / "calbrine-fuzz-XXXXXX";
    if (mkdtemp(&pattern[0]) == nullptr || chdir(pattern.c_str()) != 0) {
        std::perror("private temp folder");
        std::abort();
    }
    folder = pattern;
    std::atexit(RemoveFolder);
    calbrine::InstallRunTimeServices(&silent);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Write(DesignName, data, size);
    calbrine::DesignValues = calbrine::DesignRecord{};
    calbrine::ReadDesignFile(DesignName);
    CheckFinite();

    Write(LastSessionName, data, size);
    calbrine::DesignValues = calbrine::DesignRecord{};
    calbrine::ReadLastSession();
    CheckFinite();
    return 0;
}
