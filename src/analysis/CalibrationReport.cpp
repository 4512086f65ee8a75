#include "analysis/CalibrationReport.h"

#include <charconv>
#include <cmath>

#include "analysis/ReportText.h"
#include "design/Tuning.h"

namespace calbrine {

namespace {

// Hertz with one decimal, "." as decimal point in any locale.
std::string Hertz(double hz) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, hz + 0.0, std::chars_format::fixed, 1);
    return std::string(buffer, result.ptr);
}

std::string Signed(const std::string& text, bool negative) {
    return (negative ? "-" : "+") + text;
}

std::string Change(double built, double designed) {
    return Signed(PlainNumber(std::fabs(100 * (built / designed - 1)), 3), built < designed) + " %";
}

// A capacitance that may be negative or zero, to 0.01 pF.
std::string StrayText(double farad) {
    return std::fabs(farad) < 0.005e-12 ? "0pF"
                                        : Signed(CapacitanceText(std::fabs(farad)), farad < 0);
}

std::string VfoRange(const DesignRecord& d) {
    const float cfine = NominalFineCapacitance(d);
    const float atMin = ResonanceFrequency(d, cfine, d.CcoarseMin);
    const float atMax = ResonanceFrequency(d, cfine, d.CcoarseMax);
    return FrequencyText(std::fmin(atMin, atMax)) + " to " + FrequencyText(std::fmax(atMin, atMax));
}

std::string PartsTable(const DesignRecord& design, const Calibration& c) {
    const float swing = design.CcoarseMax - design.CcoarseMin;
    return AlignedTable(
        {{"Part", "Built", "Designed", "Change"},
         {"L7", InductanceText(c.l7), InductanceText(design.L7), Change(c.l7, design.L7)},
         {"C90 with stray", CapacitanceText(c.design.C90), CapacitanceText(design.C90),
          StrayText(c.stray)},
         {"C38 swing", CapacitanceText(std::fabs(c.swing)), CapacitanceText(std::fabs(swing)),
          c.swingSolved ? Change(c.swing, swing) : "kept: three readings solve it"}});
}

// A spread to two significant digits: more would claim more than the estimate knows.
double TwoDigits(double value) {
    if (!(value > 0) || !std::isfinite(value)) {
        return value;
    }
    const double scale = std::pow(10.0, std::floor(std::log10(value)) - 1);
    return std::round(value / scale) * scale;
}

// How sure the solve is: each quantity's ± for the counter error, and what the residual can
// and cannot show.
std::string Sureness(const Calibration& c, std::size_t readings) {
    std::string text = "For a counter error of " + Hertz(c.counterErrorHz) +
                       " Hz (one standard deviation): L7 \xC2\xB1 " +
                       InductanceText(TwoDigits(c.l7Deviation)) + ", stray \xC2\xB1 " +
                       CapacitanceText(TwoDigits(c.strayDeviation));
    if (c.swingSolved) {
        text += ", C38 swing \xC2\xB1 " + CapacitanceText(TwoDigits(c.swingDeviation));
    }
    text += "\n";
    const std::size_t unknowns = c.swingSolved ? 3 : 2;
    if (readings <= unknowns) {
        text += std::to_string(readings) + " readings fit " + std::to_string(unknowns) +
                " unknowns exactly: the residual cannot show an error in them\n";
    }
    if (c.illConditioned) {
        text +=
            "Warning: these readings barely tell the unknowns apart: a counter error moves "
            "L7 over 100 times as much, in proportion; " +
            std::string(c.swingSolved ? "two readings, keeping C38's swing as designed, tell "
                                        "L7 and the stray far better"
                                      : "take the readings further apart along C38's range") +
            "\n";
    }
    return text;
}

std::string ResidualAndRange(const DesignRecord& design, const Calibration& c,
                             std::size_t readings) {
    return "RMS residual: " + Hertz(c.rmsResidualHz) + " Hz\n" + Sureness(c, readings) +
           "\nBuilt VFO " + VfoRange(c.design) + " (designed " + VfoRange(design) + ")\n";
}

}  // namespace

std::vector<std::vector<std::string>> ReadingRows(const std::vector<CalibrationReading>& readings,
                                                  const Calibration& c) {
    std::vector<std::vector<std::string>> rows;
    for (std::size_t i = 0; i < readings.size() && i < c.fits.size(); ++i) {
        rows.push_back({PlainNumber(readings[i].positionPercent, 6) + " %",
                        Hertz(readings[i].frequencyHz), Hertz(c.fits[i].modelHz),
                        Hertz(c.fits[i].residualHz)});
    }
    return rows;
}

std::string CalibrationSummary(const DesignRecord& design, const Calibration& c) {
    return PartsTable(design, c) + "\n" + ResidualAndRange(design, c, c.fits.size());
}

std::string CalibrationText(const DesignRecord& design,
                            const std::vector<CalibrationReading>& readings, const Calibration& c) {
    std::vector<std::vector<std::string>> rows = {
        {"Position", "Measured Hz", "Model Hz", "Residual Hz"}};
    for (auto& row : ReadingRows(readings, c)) {
        rows.push_back(row);
    }
    return "Calibrated from " + std::to_string(readings.size()) + " readings, D9 at " +
           CapacitanceText(NominalFineCapacitance(design)) + "\n\n" + PartsTable(design, c) + "\n" +
           AlignedTable(rows) + ResidualAndRange(design, c, readings.size());
}

std::string CalibrationCsv(const Calibration& c) {
    std::string csv =
        "quantity,value\nL7," + PlainNumber(c.l7) + "\nCstray," + PlainNumber(c.stray) + "\n";
    if (c.swingSolved) {
        csv += "CcoarseSwing," + PlainNumber(c.swing) + "\n";
    }
    csv += "rms_residual_hz," + PlainNumber(c.rmsResidualHz) + "\n";
    csv += "L7_uncertainty," + PlainNumber(c.l7Deviation) + "\nCstray_uncertainty," +
           PlainNumber(c.strayDeviation) + "\n";
    if (c.swingSolved) {
        csv += "CcoarseSwing_uncertainty," + PlainNumber(c.swingDeviation) + "\n";
    }
    return csv;
}

std::string BenchChangeText(const DesignRecord& calibrated, const RfBand& band, Mix mix) {
    const std::string edges = FrequencyText(band.lowHz) + " to " + FrequencyText(band.highHz);
    const FitResult fit = FitInductorAndPadding(calibrated, band, mix);
    if (!fit.reached) {
        return "Cannot land " + edges + ": " + fit.reason;
    }
    return "To land " + edges + ": C37 to " + CapacitanceText(fit.design.C37) + ", L7 to " +
           InductanceText(fit.design.L7);
}

}  // namespace calbrine
