// Reading the values of the subcommands' options.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <utility>

#include "analysis/CoilWinding.h"
#include "cli/CommandOptions.h"
#include "engineering/Characters.h"
#include "engineering/StrictNumber.h"
#include "runs/MonteCarlo.h"
#include "simulation/SimulatedNetlist.h"
#include "simulation/WorkerPool.h"

namespace calbrine {

namespace {

// "C37=..." as the part and the text after "=", or why it is not that, naming `option`.
std::string SplitPartValue(const std::string& text, const char* option, const char* form,
                           Part& part, std::string& value) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos) {
        return std::string(option) + " wants " + form + ", not \"" + text + "\"";
    }
    const auto named = PartFromName(text.substr(0, equals));
    if (!named) {
        return std::string(option) + ": no part \"" + text.substr(0, equals) +
               "\" (D9, C39, C37, C38, C90, C15, C34, C35, L7)";
    }
    part = *named;
    value = text.substr(equals + 1);
    return "";
}

}  // namespace

std::string ParseSteps(const std::string& text, int& steps) {
    double value = 0;
    if (!ReadStrictNumber(text, value).empty() || value != std::floor(value) || value < 2 ||
        value > 1001) {
        return "--steps wants a whole number from 2 to 1001, not \"" + text + "\"";
    }
    steps = static_cast<int>(value);
    return "";
}

std::string ParseBand(const std::string& text, RfBand& band) {
    const std::size_t colon = text.find(':');
    const std::string bad = "--band wants LOW:HIGH such as 7M:7.2M, not \"" + text + "\"";
    if (colon == std::string::npos) {
        return bad;
    }
    double lowHz = 0;
    double highHz = 0;
    for (auto [edge, hz] :
         {std::pair{text.substr(0, colon), &lowHz}, std::pair{text.substr(colon + 1), &highHz}}) {
        const std::string wrong = ReadStrictNumber(edge, *hz);
        if (!wrong.empty()) {
            return "--band: " + wrong;
        }
    }
    if (!(lowHz > 0) || !(highHz > lowHz)) {
        return "--band wants 0 < LOW < HIGH, not \"" + text + "\"";
    }
    band = {lowHz, highHz};
    return "";
}

std::string ParseMix(const std::string& text, Mix& mix) {
    const std::string t = Lower(text);
    if (t == "sum") {
        mix = Mix::Sum;
    } else if (t == "diff" || t == "difference") {
        mix = Mix::Difference;
    } else {
        return "--mix wants sum or diff, not \"" + text + "\"";
    }
    return "";
}

std::string ParseSolve(const std::string& text, FitSolve& solve) {
    const std::string t = Lower(text);
    if (t == "l7,c37" || t == "c37,l7") {
        solve = FitSolve::InductorAndPadding;
    } else if (t == "coarse") {
        solve = FitSolve::CoarseCapacitor;
    } else {
        return "--solve wants L7,C37 or coarse, not \"" + text + "\"";
    }
    return "";
}

std::string ParseTc(const std::string& text, PartNumber& tc, const std::vector<NamedTc>& cores) {
    Part part = Part::C37;
    std::string value;
    const std::string wrong =
        SplitPartValue(text, "--tc", "PART=PPM such as C37=N750 or L7=20", part, value);
    if (!wrong.empty()) {
        return wrong;
    }
    const auto ppm = TcFromText(value, cores);
    if (!ppm) {
        return "--tc: \"" + value +
               "\" is neither a number nor NP0, C0G, N150, N750, polystyrene, silver mica, nor "
               "a core such as T50-6";
    }
    tc = {part, *ppm};
    return "";
}

std::string ParseTol(const std::string& text, PartNumber& tol) {
    Part part = Part::C37;
    std::string value;
    const std::string wrong =
        SplitPartValue(text, "--tol", "PART=PERCENT such as C37=2 or L7=10", part, value);
    if (!wrong.empty()) {
        return wrong;
    }
    double percent = 0;
    if (!ReadStrictNumber(value, percent).empty() || !(percent >= 0) || !(percent < 100)) {
        return "--tol: the tolerance of " + std::string(PartName(part)) +
               " wants a percentage from 0 up to 100, not \"" + value + "\"";
    }
    tol = {part, percent};
    return "";
}

std::string ParseRuns(const std::string& text, int& runs) {
    double value = 0;
    if (!ReadStrictNumber(text, value).empty() || value != std::floor(value) || value < 1 ||
        value > MostMonteCarloRuns) {
        return "--runs wants a whole number from 1 to 100000, not \"" + text + "\"";
    }
    runs = static_cast<int>(value);
    return "";
}

std::string ParseSeed(const std::string& text, std::uint32_t& seed) {
    const bool digits = !text.empty() && text.size() <= 10 &&
                        text.find_first_not_of("0123456789") == std::string::npos;
    const unsigned long long value = digits ? std::stoull(text) : 1ULL << 32;
    if (value > 0xFFFFFFFFULL) {
        return "--seed wants a whole number from 0 to 4294967295, not \"" + text + "\"";
    }
    seed = static_cast<std::uint32_t>(value);
    return "";
}

std::string ParseJobs(const std::string& text, int& jobs) {
    const bool digits = !text.empty() && text.size() <= 3 &&
                        text.find_first_not_of("0123456789") == std::string::npos;
    const int value = digits ? std::stoi(text) : 0;
    if (value < 1 || value > MostWorkers) {
        return "--jobs wants a whole number from 1 to 64, not '" + text + "'";
    }
    jobs = value;
    return "";
}

std::string ReadJobs(const OptionValues& values, int& jobs) {
    return values.IsSet("jobs") ? ParseJobs(values.Value("jobs"), jobs) : "";
}

std::string ParseCoilQ(const std::string& text, double& q) {
    double value = 0;
    if (!ReadStrictNumber(text, value).empty() || !std::isfinite(value) || value < 0) {
        return "--coil-q wants a quality factor of 0 (an ideal coil) or more, not '" + text + "'";
    }
    q = value;
    return "";
}

std::string ReadCoilQ(const OptionValues& values, std::optional<double>& q) {
    if (!values.IsSet("coil-q")) {
        return "";
    }
    q = 0;
    return ParseCoilQ(values.Value("coil-q"), *q);
}

std::string ParseSetting(const std::string& text, TuningSetting& setting) {
    const std::optional<TuningSetting> named = SettingNamed(text);
    if (!named) {
        return "--setting wants VfoMin, VfoMax, FineLow or FineHigh, not '" + text + "'";
    }
    setting = *named;
    return "";
}

std::string ParseSeries(const std::string& text, std::string& series) {
    const std::string t = Lower(text);
    if (t != "e6" && t != "e12" && t != "e24") {
        return "--series wants E6, E12 or E24, not \"" + text + "\"";
    }
    series = "E" + t.substr(1);
    return "";
}

std::string ParseInductance(const std::string& text, double& henry) {
    // A capacitance's or a frequency's unit is no inductance's.
    const bool otherUnit = text.find_first_of("FfzZ") != std::string::npos;
    if (otherUnit || !ReadStrictNumber(text, henry).empty() || !(henry > 0) ||
        henry > MostCoilInductance) {
        return "--inductance wants an inductance above 0 and up to 1m (1 mH), such as 7.7u, "
               "not \"" +
               text + "\"";
    }
    return "";
}

std::string ParseForm(const std::string& text, double& mm) {
    std::string t = Lower(text);
    if (t.size() > 2 && t.compare(t.size() - 2, 2, "mm") == 0) {
        t.erase(t.size() - 2);
    }
    const bool plain = !t.empty() && t.find_first_not_of("0123456789.") == std::string::npos;
    if (!plain || !ReadStrictNumber(t, mm).empty() || !(mm >= 1) || !(mm <= 100)) {
        return "--form wants a diameter from 1mm to 100mm, such as 10mm, not \"" + text + "\"";
    }
    return "";
}

}  // namespace calbrine
