#include "cli/CalibrateCommand.h"

#include "analysis/CalibrationReport.h"
#include "analysis/Reports.h"
#include "cli/CommandOptions.h"
#include "files/DesignFiles.h"

namespace calbrine {

namespace {

// The readings and the band as typed; empty text, or what is wrong with one of them.
std::string ReadOptions(const CommandLine& line, std::vector<CalibrationReading>& readings,
                        RfBand& band, Mix& mix) {
    for (const std::string& text : line.readings) {
        CalibrationReading reading;
        const std::string wrong = ParseReading(text, reading);
        if (!wrong.empty()) {
            return "--reading: " + wrong;
        }
        readings.push_back(reading);
    }
    if (readings.size() < 2) {
        return "calibrate wants two or more readings: --reading POS=HZ --reading POS=HZ";
    }
    std::string wrong = line.band.empty() ? "" : ParseBand(line.band, band);
    if (wrong.empty() && !line.mix.empty()) {
        wrong = ParseMix(line.mix, mix);
    }
    return wrong;
}

}  // namespace

CalibrateResult RunCalibrate(const CommandLine& line, const DesignRecord& design) {
    std::vector<CalibrationReading> readings;
    RfBand band;
    Mix mix = Mix::Sum;
    const std::string wrong = ReadOptions(line, readings, band, mix);
    if (!wrong.empty()) {
        return {2, "", wrong};
    }
    const Calibration c = Calibrate(design, readings);
    if (!c.solved) {
        return {1, "", "Cannot calibrate: " + c.reason};
    }
    if (!line.save.empty() && !WriteDesignRecord(c.design, line.save)) {
        return {1, "", line.save + ": The file was not written correctly."};
    }
    if (line.csv) {
        return {0, CalibrationCsv(c), ""};
    }
    std::string text = CalibrationText(design, readings, c);
    if (!line.band.empty()) {
        // Without --mix, the product that reaches the band, as fit takes it.
        const Mix taken =
            line.mix.empty() ? SolveFitEitherMix(c.design, {band, Mix::Sum}).request.mix : mix;
        text += BenchChangeText(c.design, band, taken) + "\n";
    }
    if (!line.save.empty()) {
        text += "Calibrated design saved as " + line.save + "\n";
    }
    return {0, text, ""};
}

}  // namespace calbrine
