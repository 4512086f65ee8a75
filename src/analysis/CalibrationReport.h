// The calibration as the command line and the explorer show it: the built parts against the
// designed ones, how well each reading fits, the built VFO's range, and what to change on the
// bench to land a band.
#pragma once

#include <string>
#include <vector>

#include "analysis/BandFit.h"
#include "analysis/Calibration.h"

namespace calbrine {

// The built parts against the designed ones, the RMS residual and the built VFO's range.
std::string CalibrationSummary(const DesignRecord& design, const Calibration& c);
// The text report of a solved calibration of `design` from `readings`: the summary with the
// readings' table.
std::string CalibrationText(const DesignRecord& design,
                            const std::vector<CalibrationReading>& readings, const Calibration& c);
// Header "quantity,value"; rows L7 (henry), Cstray (farad), CcoarseSwing (farad, only when
// solved from three readings on) and rms_residual_hz.
std::string CalibrationCsv(const Calibration& c);
// The readings' table alone: position, measured, model and residual, frequencies in hertz.
std::vector<std::vector<std::string>> ReadingRows(const std::vector<CalibrationReading>& readings,
                                                  const Calibration& c);
// "To land 7M to 7.2M: C37 to 137pF, L7 to 6.52uH": the padding capacitor and inductor that
// put the calibrated design on `band`, or why it cannot be reached.
std::string BenchChangeText(const DesignRecord& calibrated, const RfBand& band, Mix mix);

}  // namespace calbrine
