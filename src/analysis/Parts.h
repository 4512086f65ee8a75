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
constexpr std::array<TcPreset, 7> TcPresets = {{{"NP0", 0},
                                                {"C0G", 0},
                                                {"N150", -150},
                                                {"N750", -750},
                                                {"Polystyrene", -150},
                                                {"Silver mica", 50},
                                                {"Air-core inductor", 20}}};
// Presets formed from data the program reads, such as a coil core's ("T50-6": the coefficient
// of its iron-powder mix).
struct NamedTc {
    std::string name;
    double ppm;
};
// A preset name (case-insensitive), one of `more`, or a number in engineering text ("-750");
// nullopt for text that is none of these.
std::optional<double> TcFromText(const std::string& text, const std::vector<NamedTc>& more = {});

// The quality factor L7 is simulated with unless said otherwise: a typical iron-powder toroid
// at the HF bands.
constexpr double DefaultCoilQ = 150;

// Temperature coefficient (ppm/degC) and tolerance (percent) of every part, and the coil's Q.
struct PartSettings {
    std::array<double, PartCount> tcPpm{0, 0, 0, 0, 0, 0, 0, 0, 20};
    std::array<double, PartCount> tolerancePercent{5, 5, 5, 5, 5, 5, 5, 5, 10};
    std::vector<CalibrationReading> readings;  // the counter readings of the built VFO
    double coilQ = DefaultCoilQ;               // L7's in every simulation; 0: an ideal coil
    double& Tc(Part p) { return tcPpm[static_cast<std::size_t>(p)]; }
    double Tc(Part p) const { return tcPpm[static_cast<std::size_t>(p)]; }
    double& Tolerance(Part p) { return tolerancePercent[static_cast<std::size_t>(p)]; }
    double Tolerance(Part p) const { return tolerancePercent[static_cast<std::size_t>(p)]; }
};

// The settings file kept beside a design: "<design>.explore", lines "tc.C37: -150",
// "tolerance.L7: 10", the coil's Q "coilq.L7: 150" (a file without it reads as the default)
// and the counter readings "reading: 50=5012300", "#" starts a comment.
// Numbers are written with "." in any locale.
std::string SettingsPath(const std::string& designPath);
std::string SettingsText(const PartSettings& settings);
// Reads what it knows and leaves the rest at the values already in `settings`; readings in
// the text replace those in `settings`. Returns an error text naming the first bad line, or
// empty text.
std::string ReadSettingsText(const std::string& text, PartSettings& settings);
bool WriteSettingsFile(const std::string& path, const PartSettings& settings);
// Defaults when the file is missing; an error text when it holds a bad line.
std::string ReadSettingsFile(const std::string& path, PartSettings& settings);

}  // namespace calbrine
