// The oscillator's parts as the explorer treats them one by one: their values in a design,
// their temperature coefficients and tolerances, and the file that keeps those beside a
// design.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "analysis/Calibration.h"
#include "analysis/HeatRunReadings.h"
#include "design/DesignRecord.h"

namespace calbrine {

// D9 is the fine-tune varicap (both ends), C38 the coarse-tune capacitor (both ends).
enum class Part { D9, C39, C37, C38, C90, C15, C34, C35, L7 };
constexpr std::size_t PartCount = 9;
constexpr std::array<Part, PartCount> AllParts = {Part::D9,  Part::C39, Part::C37,
                                                  Part::C38, Part::C90, Part::C15,
                                                  Part::C34, Part::C35, Part::L7};

const char* PartName(Part part);
// Case-insensitive; also accepts L7 as "L".
std::optional<Part> PartFromName(const std::string& name);

// A part's value in farad or henry; D9 at its nominal capacitance, C38 the mean of its ends.
double PartValue(const DesignRecord& design, Part part);
// `design` with one part multiplied by `factor`; D9 and C38 scale at both ends.
DesignRecord ScalePart(const DesignRecord& design, Part part, double factor);

// Named temperature coefficients in ppm/degC.
struct TcPreset {
    const char* name;
    double ppm;
};
// "Varicap (typical)" is an estimate for D9: a silicon tuning diode's capacitance rises with
// temperature by some +200 to +500 ppm/degC at a mid-range reverse voltage, more at a low one
// (makers' data sheets); +300 is a middle figure, to be replaced by the diode's own.
constexpr std::array<TcPreset, 8> TcPresets = {{{"NP0", 0},
                                                {"C0G", 0},
                                                {"N150", -150},
                                                {"N750", -750},
                                                {"Polystyrene", -150},
                                                {"Silver mica", 50},
                                                {"Air-core inductor", 20},
                                                {"Varicap (typical)", 300}}};
// Presets formed from data the program reads, such as a coil core's ("T50-6": the coefficient
// of its iron-powder mix).
struct NamedTc {
    std::string name;
    double ppm;
};
// A preset name (case-insensitive), one of `more`, or a number in engineering text ("-750");
// nullopt for text that is none of these.
std::optional<double> TcFromText(const std::string& text, const std::vector<NamedTc>& more = {});

// An air coil's form diameters, in mm: the least and most taken, and the one taken when
// none is chosen.
constexpr double LeastFormMm = 1;
constexpr double MostFormMm = 100;
constexpr double DefaultFormMm = 10;

// How L7 is wound: the core as a builder names it ("T50-6", "air"; empty: none chosen), the
// wire ("AWG26"; empty: none chosen) and an air coil's form diameter in mm.
struct CoilChoice {
    std::string core;
    std::string wire;
    double formMm = DefaultFormMm;
};

// Temperature coefficient (ppm/degC) and tolerance (percent) of every part.
struct PartSettings {
    std::array<double, PartCount> tcPpm{0, 0, 0, 0, 0, 0, 0, 0, 20};
    std::array<double, PartCount> tolerancePercent{5, 5, 5, 5, 5, 5, 5, 5, 10};
    std::vector<CalibrationReading> readings;  // the counter readings of the built VFO
    // The design the readings were taken against; none for a file from before it was kept.
    std::optional<DesignRecord> readingsDesign;
    CoilChoice coil;                           // how L7 is wound
    HeatRunRecord heatRun;                     // the counter at temperatures, at one setting
    double& Tc(Part p) { return tcPpm[static_cast<std::size_t>(p)]; }
    double Tc(Part p) const { return tcPpm[static_cast<std::size_t>(p)]; }
    double& Tolerance(Part p) { return tolerancePercent[static_cast<std::size_t>(p)]; }
    double Tolerance(Part p) const { return tolerancePercent[static_cast<std::size_t>(p)]; }
};

// The settings file kept beside a design: "<design>.explore", lines "tc.C37: -150",
// "tolerance.L7: 10", the counter readings "reading: 50=5012300" with the design they were
// taken against ("readings.design: CfineMin=1e-11 ... IF=9e6"), once chosen, L7's coil
// "core.L7: T50-6", "wire.L7: AWG26", "form.L7: 12.5", and the heat run's setting and
// readings "heatrun.setting: VfoMin", "heatrun: 25=7012345"; "#" starts a comment. Numbers
// are written with "." in any locale.
std::string SettingsPath(const std::string& designPath);
std::string SettingsText(const PartSettings& settings);
// Reads what it knows and leaves the rest at the values already in `settings` (a file without
// the coil's lines leaves the coil as it was); readings in the text replace those in
// `settings`. Returns an error text naming the first bad line, or
// empty text.
std::string ReadSettingsText(const std::string& text, PartSettings& settings);
bool WriteSettingsFile(const std::string& path, const PartSettings& settings);
// How the design the readings were taken against differs from `now`, field by field
// ("L7 7.71uH then, 7.5uH now"); empty when it does not, or when the file did not say.
std::string ReadingsDesignChange(const PartSettings& settings, const DesignRecord& now);
// Defaults when the file is missing; an error text when it holds a bad line.
std::string ReadSettingsFile(const std::string& path, PartSettings& settings);

}  // namespace calbrine
