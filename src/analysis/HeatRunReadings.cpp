#include "analysis/HeatRunReadings.h"

#include <cmath>

#include "analysis/Calibration.h"
#include "analysis/ReportText.h"
#include "engineering/Characters.h"
#include "engineering/NumberText.h"

namespace calbrine {

namespace {

// A plain decimal number and nothing else; NaN for other text.
double PlainTemperature(const std::string& text) {
    double value = 0;
    std::size_t used = 0;
    const bool read = ReadDecimal(text, value, used);
    return read && used == text.size() ? value : std::nan("");
}

}  // namespace

std::string ParseHeatReading(const std::string& text, HeatReading& reading) {
    const std::size_t equals = text.find('=');
    const std::string quoted = "\"" + text + "\"";
    const double temperature =
        equals == std::string::npos ? std::nan("") : PlainTemperature(text.substr(0, equals));
    const double frequency =
        equals == std::string::npos ? std::nan("") : FrequencyNumber(text.substr(equals + 1));
    if (std::isnan(temperature) || std::isnan(frequency)) {
        return quoted + " is not TEMP=HZ, such as 25=7.0123M: the temperature in degC, then " +
               "the counter's frequency with \".\" as decimal point";
    }
    if (!(temperature >= ColdestHeatRunC && temperature <= WarmestHeatRunC)) {
        return quoted + ": the temperature lies outside -40 to +85 degC";
    }
    if (!(frequency > 0) || !std::isfinite(frequency)) {
        return quoted + ": the frequency must be above 0";
    }
    reading = {temperature, frequency};
    return "";
}

std::string HeatReadingText(const HeatReading& reading) {
    return PlainNumber(reading.temperatureC) + "=" + PlainNumber(reading.frequencyHz, 12);
}

std::string ParseDialSetting(const std::string& text, DialSetting& setting) {
    const std::string name = Lower(Trimmed(text));
    if (name == "vfomin" || name == "vfomax") {
        setting = {name == "vfomin" ? DialSetting::Kind::VfoMin : DialSetting::Kind::VfoMax, 0};
        return "";
    }
    const double position = PositionNumber(Trimmed(text));
    if (!(position >= 0 && position <= 100)) {
        return "\"" + text + "\" is not VfoMin, VfoMax or C38's position from 0 to 100 %";
    }
    setting = {DialSetting::Kind::Position, position};
    return "";
}

std::string DialSettingText(const DialSetting& setting) {
    switch (setting.kind) {
        case DialSetting::Kind::VfoMin:
            return "VfoMin";
        case DialSetting::Kind::VfoMax:
            return "VfoMax";
        case DialSetting::Kind::Position:
            break;
    }
    return PlainNumber(setting.positionPercent);
}

std::string DialSettingName(const DialSetting& setting) {
    return setting.kind == DialSetting::Kind::Position
               ? "C38 at " + PlainNumber(setting.positionPercent, 6) + " %"
               : DialSettingText(setting);
}

float CoarseAtSetting(const DesignRecord& design, const DialSetting& setting) {
    switch (setting.kind) {
        case DialSetting::Kind::VfoMin:
            return design.CcoarseMax;
        case DialSetting::Kind::VfoMax:
            return design.CcoarseMin;
        case DialSetting::Kind::Position:
            break;
    }
    return CoarseAtPosition(design, setting.positionPercent);
}

}  // namespace calbrine
