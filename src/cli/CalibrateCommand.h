// calbrine calibrate FILE --reading POS=HZ [--reading POS=HZ]... [--band LOW:HIGH
// [--mix sum|diff]] [--csv] [--save NEWFILE]: the built VFO solved from counter readings.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/Calibration.h"
#include "cli/CommandBasics.h"
#include "cli/CommandOptions.h"

namespace calbrine {

struct CalibrateOptions {
    bool csv = false;
    std::vector<CalibrationReading> readings;  // two or more
    std::optional<BandChoice> target;          // the band the bench change is to land
    std::string save;                          // the file for the calibrated design; empty: none
    double counterErrorHz = DefaultCounterErrorHz;  // one standard deviation of each reading
};

// Refuses fewer than two readings and a reading or option value that cannot be read.
std::string ParseCalibrateOptions(const OptionValues& values, CalibrateOptions& options);
// Fails (1) for readings that cannot be solved and a design file that cannot be written.
CommandResult CalibrateCommand(const CalibrateOptions& options, const CommandInput& input);

}  // namespace calbrine
