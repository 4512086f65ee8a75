// A heat run of the built VFO: the counter read at one setting of the dial at two or more
// temperatures, as typed on the command line or in the explorer and kept in the settings file
// beside a design.
#pragma once

#include <string>
#include <vector>

#include "design/DesignRecord.h"

namespace calbrine {

// One reading: the temperature around the VFO and what the counter shows there.
struct HeatReading {
    double temperatureC = 0;
    double frequencyHz = 0;
};

// The temperatures a heat run may be taken at, in degC, both ends included.
constexpr double ColdestHeatRunC = -40;
constexpr double WarmestHeatRunC = 85;

// Where the dial stands during the heat run: at one end of C38 (VfoMin: C38 at CcoarseMax,
// VfoMax: at CcoarseMin) or at a position of its range in percent as calibrate takes it. D9
// stands at its nominal capacitance.
struct DialSetting {
    enum class Kind { VfoMin, VfoMax, Position };
    Kind kind = Kind::VfoMin;
    double positionPercent = 0;  // for a position
};

// What the explorer keeps of a heat run beside the design.
struct HeatRunRecord {
    DialSetting setting;
    std::vector<HeatReading> readings;
};

// "25=7.012345M": the temperature in degC (a plain number) and the frequency in engineering
// text as a calibration reading takes it. Returns empty text, or what is wrong, quoting the
// text: no TEMP=HZ, a temperature outside -40 to +85 degC, a frequency not above 0.
std::string ParseHeatReading(const std::string& text, HeatReading& reading);
// The same form with plain numbers, as the settings file keeps it: "25=7012345.5".
std::string HeatReadingText(const HeatReading& reading);

// "VfoMin", "VfoMax" (any case) or a position "50", "50%" from 0 to 100. Returns empty text,
// or what is wrong, quoting the text.
std::string ParseDialSetting(const std::string& text, DialSetting& setting);
// "VfoMin", "VfoMax" or the position's plain number ("50").
std::string DialSettingText(const DialSetting& setting);
// As a person reads it: "VfoMin", "VfoMax" or "C38 at 50 %".
std::string DialSettingName(const DialSetting& setting);
// C38's capacitance at the setting.
float CoarseAtSetting(const DesignRecord& design, const DialSetting& setting);

}  // namespace calbrine
