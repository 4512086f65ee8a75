// calbrine calibrate FILE --reading POS=HZ [--reading POS=HZ]... [--band LOW:HIGH
// [--mix sum|diff]] [--csv] [--save NEWFILE]: the built VFO solved from counter readings.
#pragma once

#include <string>

#include "cli/CommandLine.h"
#include "design/DesignRecord.h"

namespace calbrine {

// What the command prints and its exit status: 2 for a reading or option value that cannot
// be read, 1 for readings that cannot be solved or a design file that cannot be written.
struct CalibrateResult {
    int status = 0;
    std::string out;
    std::string error;  // without the program's name in front
};

CalibrateResult RunCalibrate(const CommandLine& line, const DesignRecord& design);

}  // namespace calbrine
