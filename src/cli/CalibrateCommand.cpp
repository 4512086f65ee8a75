#include "cli/CalibrateCommand.h"

#include "analysis/CalibrationReport.h"
#include "analysis/Reports.h"
#include "cli/CommandDesign.h"
#include "engineering/StrictNumber.h"
#include "files/DesignFiles.h"

namespace calbrine {

std::string ParseCalibrateOptions(const OptionValues& values, CalibrateOptions& options) {
    options.csv = values.IsSet("csv");
    options.save = ReadableName(values.Value("save"));
    if (const std::string text = values.Value("counter-error"); !text.empty()) {
        const std::string wrong = ReadStrictNumber(text, options.counterErrorHz);
        if (!wrong.empty() || !(options.counterErrorHz > 0) || options.counterErrorHz > 1e6) {
            return "--counter-error takes hertz above 0, up to 1M: " +
                   (wrong.empty() ? "\"" + text + "\"" : wrong);
        }
    }
    const std::vector<std::string> readings = values.Values("reading");
    if (readings.size() < 2) {
        return "calibrate wants two or more readings: --reading POS=HZ --reading POS=HZ";
    }
    // A product is checked even without a band, where it has nothing to choose.
    std::optional<Mix> mix;
    if (const std::string text = values.Value("mix"); !text.empty()) {
        mix = Mix::Sum;
        const std::string wrong = ParseMix(text, *mix);
        if (!wrong.empty()) {
            return wrong;
        }
    }
    for (const std::string& text : readings) {
        CalibrationReading& reading = options.readings.emplace_back();
        const std::string wrong = ParseReading(text, reading);
        if (!wrong.empty()) {
            return "--reading: " + wrong;
        }
    }
    if (const std::string band = values.Value("band"); !band.empty()) {
        options.target = BandChoice{{}, mix};
        return ParseBand(band, options.target->band);
    }
    return "";
}

CommandResult CalibrateCommand(const CalibrateOptions& options, const CommandInput& input) {
    const Calibration c = Calibrate(input.design, options.readings, options.counterErrorHz);
    if (!c.solved) {
        return Failure(1, "Cannot calibrate: " + c.reason);
    }
    if (!options.save.empty() && !WriteDesignRecord(c.design, options.save)) {
        return Failure(1, options.save + ": The file was not written correctly.");
    }
    if (options.csv) {
        return {0, CalibrationCsv(c), ""};
    }
    std::string text = CalibrationText(input.design, options.readings, c);
    if (options.target) {
        // Without --mix, the product that reaches the band, as fit takes it.
        const RfBand& band = options.target->band;
        const Mix taken = options.target->mix
                              ? *options.target->mix
                              : SolveFitEitherMix(c.design, {band, Mix::Sum}).request.mix;
        text += BenchChangeText(c.design, band, taken) + "\n";
    }
    if (!options.save.empty()) {
        text += "Calibrated design saved as " + options.save + "\n";
    }
    return {0, text, ""};
}

}  // namespace calbrine
