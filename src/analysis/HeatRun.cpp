#include "analysis/HeatRun.h"

#include <cmath>

#include "analysis/Drift.h"
#include "analysis/ReportText.h"
#include "analysis/Reports.h"

namespace calbrine {

namespace {

std::string Rate(double hzPerC) {
    return (hzPerC > 0 ? "+" : "") + DriftRateText(hzPerC) + " Hz/degC";
}

std::string ReadingRefusal(const std::vector<HeatReading>& readings) {
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const HeatReading& r = readings[i];
        const std::string which = "reading " + std::to_string(i + 1);
        if (!(r.temperatureC >= ColdestHeatRunC && r.temperatureC <= WarmestHeatRunC)) {
            return which + " is at " + PlainNumber(r.temperatureC, 6) +
                   " degC, outside -40 to +85 degC";
        }
        if (!(r.frequencyHz > 0) || !std::isfinite(r.frequencyHz)) {
            return which + " has no frequency above 0";
        }
    }
    for (const HeatReading& r : readings) {
        if (r.temperatureC != readings.front().temperatureC) {
            return "";
        }
    }  // none, or all at one temperature
    return "two or more readings are needed, at two or more temperatures";
}

}  // namespace

MeasuredDrift MeasureDrift(const std::vector<HeatReading>& readings) {
    MeasuredDrift m;
    m.reason = ReadingRefusal(readings);
    if (!m.reason.empty()) {
        return m;
    }
    const double n = static_cast<double>(readings.size());
    m.coldestC = m.warmestC = readings.front().temperatureC;
    for (const HeatReading& r : readings) {
        m.meanTemperatureC += r.temperatureC / n;
        m.meanFrequencyHz += r.frequencyHz / n;
        m.coldestC = std::fmin(m.coldestC, r.temperatureC);
        m.warmestC = std::fmax(m.warmestC, r.temperatureC);
    }
    // About the means, so that the megahertz of the readings do not swamp their differences.
    double spread = 0;
    double together = 0;
    for (const HeatReading& r : readings) {
        const double t = r.temperatureC - m.meanTemperatureC;
        spread += t * t;
        together += t * (r.frequencyHz - m.meanFrequencyHz);
    }
    m.hzPerC = together / spread;
    double squares = 0;
    for (const HeatReading& r : readings) {
        const double line = m.meanFrequencyHz + m.hzPerC * (r.temperatureC - m.meanTemperatureC);
        squares += (r.frequencyHz - line) * (r.frequencyHz - line);
    }
    m.rmsResidualHz = std::sqrt(squares / n);
    m.measured = true;
    return m;
}

HeatRun AnalyseHeatRun(const DesignRecord& design, const PartSettings& settings,
                       const std::vector<HeatReading>& readings, const HeatRunRequest& request) {
    HeatRun run;
    run.drift = MeasureDrift(readings);
    if (!run.drift.measured) {
        return run;
    }
    PairRequest pair;
    pair.part = request.part;
    pair.kind = request.kind;
    pair.series = request.series;
    pair.ccoarse = CoarseAtSetting(design, request.setting);
    pair.where = DialSettingName(request.setting);
    pair.driftHzPerC = run.drift.hzPerC;
    run.compensation = CompensateWithPair(design, settings, pair);
    return run;
}

ReportTable HeatRunTable(const HeatRun& run) {
    const Compensation& c = run.compensation;
    const auto number = [](const std::string& text, double value) {
        return TableCell{text, PlainNumber(value)};
    };
    const double np0 = c.np0Tenths * FaradPerTenthPicofarad;
    const double negative = c.negativeTenths * FaradPerTenthPicofarad;
    ReportTable table;
    table.columns = {{"Quantity", "quantity"}, {"Value", "value"}};
    table.rows = {
        {{"Measured drift", "measured_hz_per_c"}, number(Rate(run.drift.hzPerC), run.drift.hzPerC)},
        {{"RMS residual", "rms_residual_hz"},
         number(FrequencyText(run.drift.rmsResidualHz) + "Hz", run.drift.rmsResidualHz)},
        {{"NP0 part", "np0_f"}, number(CapacitanceText(np0), np0)},
        {{std::string(c.request.kind.name) + " part", "negative_f"},
         number(CapacitanceText(negative), negative)},
        {{"Negative kind", "negative_kind"}, {c.request.kind.name, c.request.kind.name}},
        {{"Predicted drift", "predicted_hz_per_c"},
         number(Rate(c.predictedHzPerC), c.predictedHzPerC)},
        {{c.request.where + " moves", "shift_hz"},
         number(SignedFrequencyText(c.shiftHz) + "Hz", c.shiftHz)}};
    return table;
}

std::string HeatRunText(const HeatRun& run) {
    const Compensation& c = run.compensation;
    const MeasuredDrift& d = run.drift;
    std::string text = "Heat run at " + c.request.where + ": from " + PlainNumber(d.coldestC, 6) +
                       " to " + PlainNumber(d.warmestC, 6) + " degC\n\n" +
                       HeatRunTable(run).Text() + "\n";
    text += "Make " + std::string(PartName(c.request.part)) + " (" +
            CapacitanceText(c.designedFarad) + ", now " + PlainNumber(c.presentPpm, 4) +
            " ppm/degC) " + PairText(c) + "\n  in parallel (" + c.request.series.name +
            " values, " + CapacitanceText(PairFarad(c)) + " together, " +
            PlainNumber(c.effectivePpm, 4) + " ppm/degC as one part).\n";
    text +=
        "The prediction is the measured drift plus the change the new parts make by\n"
        "calculation, at their makers' coefficients and with the new sum in the tank;\n"
        "the rest of the build is taken to drift as measured.\n";
    return text;
}

}  // namespace calbrine
