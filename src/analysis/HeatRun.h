// The heat run worked out: the drift the built VFO shows, from counter readings at two or more
// temperatures, and the pair of capacitors that cancels it.
#pragma once

#include <string>
#include <vector>

#include "analysis/CompensatingPair.h"
#include "analysis/HeatRunReadings.h"
#include "analysis/Parts.h"
#include "analysis/ReportTable.h"

namespace calbrine {

// The least-squares line of frequency against temperature through the readings. The readings
// differ by less than a single holds, so the line is formed in double.
struct MeasuredDrift {
    bool measured = false;
    std::string reason;  // why the readings give no line
    double hzPerC = 0;   // the line's slope
    double rmsResidualHz = 0;
    double meanTemperatureC = 0;  // the line passes through both means
    double meanFrequencyHz = 0;
    double coldestC = 0, warmestC = 0;
};

// Refuses fewer than two distinct temperatures, a temperature outside -40 to +85 degC and a
// frequency not above 0.
MeasuredDrift MeasureDrift(const std::vector<HeatReading>& readings);

struct HeatRunRequest {
    DialSetting setting;
    Part part = Part::C37;
    NegativeKind kind = NegativeKinds.back();  // N750
    ValueSeries series;
};

struct HeatRun {
    MeasuredDrift drift;
    Compensation compensation;  // when the drift was measured
};

// The measured drift, and the pair that cancels it at the setting; the part's present
// coefficient is that of `settings`.
HeatRun AnalyseHeatRun(const DesignRecord& design, const PartSettings& settings,
                       const std::vector<HeatReading>& readings, const HeatRunRequest& request);

// quantity,value: measured_hz_per_c, rms_residual_hz, np0_f, negative_f, negative_kind,
// predicted_hz_per_c, shift_hz, each with its text for people.
ReportTable HeatRunTable(const HeatRun& run);
// The readings' span, the table's figures in sentences and what the prediction assumes.
std::string HeatRunText(const HeatRun& run);

}  // namespace calbrine
