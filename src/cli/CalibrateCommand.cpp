#include "cli/CalibrateCommand.h"

#include "analysis/CalibrationReport.h"
#include "analysis/ExplorerCommands.h"
#include "files/DesignFiles.h"
#include "services/MessageRecorder.h"

namespace calbrine {

namespace {

// The design file writer takes the program-wide values: `design` is lent to them for the
// write, and the writer's message is the error.
bool SaveDesign(const std::string& file, const DesignRecord& design, std::string& error) {
    const DesignRecord kept = DesignValues;
    DesignValues = design;
    {
        MessageRecorder recorder(false);
        WriteDesignFile(file);
        error = recorder.Messages().empty() ? "" : file + ": " + recorder.Messages().front();
    }
    DesignValues = kept;
    return error.empty();
}

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
    std::string unwritten;
    if (!line.save.empty() && !SaveDesign(line.save, c.design, unwritten)) {
        return {1, "", unwritten};
    }
    if (line.csv) {
        return {0, CalibrationCsv(c), ""};
    }
    std::string text = CalibrationText(design, readings, c);
    if (!line.band.empty()) {
        text += BenchChangeText(c.design, band, mix) + "\n";
    }
    if (!line.save.empty()) {
        text += "Calibrated design saved as " + line.save + "\n";
    }
    return {0, text, ""};
}

}  // namespace calbrine
