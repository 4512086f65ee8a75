#include "analysis/Parts.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

#include "analysis/ReportText.h"
#include "design/DesignFields.h"
#include "design/Tuning.h"
#include "engineering/Characters.h"
#include "engineering/NumberText.h"
#include "engineering/StrictNumber.h"

namespace calbrine {

namespace {

constexpr std::array<const char*, PartCount> partNames = {"D9",  "C39", "C37", "C38", "C90",
                                                          "C15", "C34", "C35", "L7"};

// A whole plain number ("-150", "2.5e1"); trailing characters make it unreadable.
std::optional<double> WholeNumber(const std::string& text) {
    double value = 0;
    if (!ReadDecimal(text, value) ||
        text.find_first_not_of("+-.0123456789eE") != std::string::npos) {
        return std::nullopt;
    }
    return value;
}

// A line of L7's coil ("core", "wire" or "form" with its value); false for another kind, an
// empty name or a form outside the diameters taken.
bool ReadCoilLine(const std::string& kind, const std::string& value, CoilChoice& coil) {
    if (kind == "core" || kind == "wire") {
        if (value.empty()) {
            return false;
        }
        (kind == "core" ? coil.core : coil.wire) = value;
        return true;
    }
    const auto mm = WholeNumber(value);
    if (kind != "form" || !mm || !(*mm >= LeastFormMm && *mm <= MostFormMm)) {
        return false;
    }
    coil.formMm = *mm;
    return true;
}

// A heat-run line, "heatrun.setting: VfoMin" or "heatrun: 25=7012345" (`key` in lower case):
// false for a line of another key; `wrong` when the value does not read. The first reading
// read replaces those in `record`.
bool ReadHeatRunLine(const std::string& key, const std::string& value, HeatRunRecord& record,
                     bool& readingsSeen, bool& wrong) {
    if (key == "heatrun.setting") {
        wrong = !ParseDialSetting(value, record.setting).empty();
        return true;
    }
    if (key != "heatrun") {
        return false;
    }
    HeatReading reading;
    wrong = !ParseHeatReading(value, reading).empty();
    if (!readingsSeen) {
        record.readings.clear();
        readingsSeen = true;
    }
    if (!wrong) {
        record.readings.push_back(reading);
    }
    return true;
}

}  // namespace

const char* PartName(Part part) {
    return partNames[static_cast<std::size_t>(part)];
}

std::optional<Part> PartFromName(const std::string& name) {
    const std::string wanted = Lower(Trimmed(name));
    for (Part part : AllParts) {
        if (wanted == Lower(PartName(part))) {
            return part;
        }
    }
    if (wanted == "l") {
        return Part::L7;
    }
    return std::nullopt;
}

double PartValue(const DesignRecord& d, Part part) {
    switch (part) {
        case Part::D9:
            return NominalFineCapacitance(d);
        case Part::C39:
            return d.C39;
        case Part::C37:
            return d.C37;
        case Part::C38:
            return (static_cast<double>(d.CcoarseMin) + d.CcoarseMax) / 2;
        case Part::C90:
            return d.C90;
        case Part::C15:
            return d.C15;
        case Part::C34:
            return d.C34;
        case Part::C35:
            return d.C35;
        case Part::L7:
            return d.L7;
    }
    return 0;
}

DesignRecord ScalePart(const DesignRecord& design, Part part, double factor) {
    DesignRecord d = design;
    auto scale = [factor](float& v) { v = static_cast<float>(v * factor); };
    switch (part) {
        case Part::D9:
            scale(d.CfineMin);
            scale(d.CfineMax);
            break;
        case Part::C39:
            scale(d.C39);
            break;
        case Part::C37:
            scale(d.C37);
            break;
        case Part::C38:
            scale(d.CcoarseMin);
            scale(d.CcoarseMax);
            break;
        case Part::C90:
            scale(d.C90);
            break;
        case Part::C15:
            scale(d.C15);
            break;
        case Part::C34:
            scale(d.C34);
            break;
        case Part::C35:
            scale(d.C35);
            break;
        case Part::L7:
            scale(d.L7);
            break;
    }
    return d;
}

std::optional<double> TcFromText(const std::string& text, const std::vector<NamedTc>& more) {
    const std::string wanted = Lower(Trimmed(text));
    for (const TcPreset& preset : TcPresets) {
        if (wanted == Lower(preset.name)) {
            return preset.ppm;
        }
    }
    for (const NamedTc& preset : more) {
        if (wanted == Lower(preset.name)) {
            return preset.ppm;
        }
    }
    double ppm = 0;
    if (!ReadStrictNumber(text, ppm).empty()) {
        return std::nullopt;
    }
    return ppm;
}

std::string SettingsPath(const std::string& designPath) {
    return designPath + ".explore";
}

std::string SettingsText(const PartSettings& settings) {
    std::string text = "# Temperature coefficients (ppm/degC) and tolerances (%) of the parts\n";
    for (Part part : AllParts) {
        text += std::string("tc.") + PartName(part) + ": " + PlainNumber(settings.Tc(part)) + "\n";
    }
    for (Part part : AllParts) {
        text += std::string("tolerance.") + PartName(part) + ": " +
                PlainNumber(settings.Tolerance(part)) + "\n";
    }
    const CoilChoice& coil = settings.coil;
    if (!coil.core.empty() || !coil.wire.empty()) {
        text += "# L7's coil: core, wire and an air coil's form diameter (mm)\n";
    }
    if (!coil.core.empty()) {
        text += "core.L7: " + coil.core + "\n";
    }
    if (!coil.wire.empty()) {
        text += "wire.L7: " + coil.wire + "\n";
    }
    if (coil.formMm != DefaultFormMm) {
        text += "form.L7: " + PlainNumber(coil.formMm) + "\n";
    }
    if (!settings.readings.empty()) {
        text += "# Counter readings: C38's position in percent = frequency in hertz\n";
    }
    for (const CalibrationReading& reading : settings.readings) {
        text += "reading: " + ReadingText(reading) + "\n";
    }
    if (!settings.readings.empty() && settings.readingsDesign) {
        text += "readings.design:";
        for (const DesignField& field : DesignFields) {
            text += std::string(" ") + field.name + "=" +
                    PlainNumber(*settings.readingsDesign.*field.member);
        }
        text += "\n";
    }
    if (!settings.heatRun.readings.empty() ||
        settings.heatRun.setting.kind != DialSetting::Kind::VfoMin) {
        text +=
            "# Heat run: temperature in degC = frequency in hertz, at one setting\n"
            "heatrun.setting: " +
            DialSettingText(settings.heatRun.setting) + "\n";
    }
    for (const HeatReading& reading : settings.heatRun.readings) {
        text += "heatrun: " + HeatReadingText(reading) + "\n";
    }
    return text;
}

namespace {

// "CfineMin=1e-11 ... IF=9e6": every field once, each a plain number.
std::optional<DesignRecord> ReadingsDesign(const std::string& text) {
    std::istringstream words(text);
    DesignRecord design;
    std::size_t found = 0;
    for (std::string word; words >> word; ++found) {
        const std::size_t equals = word.find('=');
        const DesignField* field =
            equals == std::string::npos ? nullptr : FieldNamed(word.substr(0, equals));
        double value = 0;
        if (field == nullptr || !ReadStrictNumber(word.substr(equals + 1), value).empty()) {
            return std::nullopt;
        }
        design.*field->member = static_cast<float>(value);
    }
    return found == DesignFieldCount ? std::optional<DesignRecord>(design) : std::nullopt;
}

}  // namespace

std::string ReadingsDesignChange(const PartSettings& settings, const DesignRecord& now) {
    std::string change;
    if (!settings.readingsDesign) {
        return change;
    }
    // Compared as the boxes show them, so that a design put through the accept step (which
    // rounds to what its boxes show) is still the one the readings were taken against.
    for (const DesignField& field : DesignFields) {
        const std::string then =
            WithoutBlanks(FieldText(field, *settings.readingsDesign.*field.member));
        const std::string shown = WithoutBlanks(FieldText(field, now.*field.member));
        if (then != shown) {
            change += std::string(change.empty() ? "" : "; ") + field.name + " " + then +
                      " then, " + shown + " now";
        }
    }
    return change;
}

std::string ReadSettingsText(const std::string& text, PartSettings& settings) {
    std::istringstream lines(text);
    std::string line;
    bool readingsSeen = false;
    bool heatReadingsSeen = false;
    for (int number = 1; std::getline(lines, line); ++number) {
        line = Trimmed(line.substr(0, line.find('#')));
        if (line.empty()) {
            continue;
        }
        const std::size_t colon = line.find(':');
        const std::size_t dot = line.find('.');
        const std::string bad = "line " + std::to_string(number) + ": " + line;
        bool wrong = false;
        if (colon != std::string::npos &&
            ReadHeatRunLine(Lower(Trimmed(line.substr(0, colon))), Trimmed(line.substr(colon + 1)),
                            settings.heatRun, heatReadingsSeen, wrong)) {
            if (wrong) {
                return bad;
            }
            continue;
        }
        if (colon != std::string::npos && Lower(Trimmed(line.substr(0, colon))) == "reading") {
            CalibrationReading reading;
            if (!ParseReading(Trimmed(line.substr(colon + 1)), reading).empty()) {
                return bad;
            }
            if (!readingsSeen) {
                settings.readings.clear();
                readingsSeen = true;
            }
            settings.readings.push_back(reading);
            continue;
        }
        if (colon != std::string::npos &&
            Lower(Trimmed(line.substr(0, colon))) == "readings.design") {
            settings.readingsDesign = ReadingsDesign(line.substr(colon + 1));
            if (!settings.readingsDesign) {
                return bad;
            }
            continue;
        }
        if (colon == std::string::npos || dot == std::string::npos || dot > colon) {
            return bad;
        }
        const std::string kind = Lower(line.substr(0, dot));
        const auto part = PartFromName(line.substr(dot + 1, colon - dot - 1));
        const std::string valueText = Trimmed(line.substr(colon + 1));
        if (part == Part::L7 && ReadCoilLine(kind, valueText, settings.coil)) {
            continue;
        }
        const auto value = WholeNumber(valueText);
        if (!part || !value || (kind != "tc" && kind != "tolerance")) {
            return bad;
        }
        (kind == "tc" ? settings.Tc(*part) : settings.Tolerance(*part)) = *value;
    }
    return "";
}

bool WriteSettingsFile(const std::string& path, const PartSettings& settings) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << SettingsText(settings);
    return static_cast<bool>(out.flush());
}

std::string ReadSettingsFile(const std::string& path, PartSettings& settings) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return "";
    }
    std::ostringstream text;
    text << in.rdbuf();
    return ReadSettingsText(text.str(), settings);
}

}  // namespace calbrine
