#include "analysis/CoreTable.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <sstream>

#include "files/ShippedData.h"

namespace calbrine {

namespace {

// Lower case without blanks: "AWG 26" and "awg26" are the same wire.
std::string Folded(const std::string& text) {
    std::string folded;
    for (unsigned char c : text) {
        if (!std::isspace(c)) {
            folded += static_cast<char>(std::tolower(c));
        }
    }
    return folded;
}

bool Positive(const std::string& word, double& value) {
    return DataNumber(word, value) && value > 0;
}

struct MixColumns {
    std::vector<int> mixes;
    std::vector<double> tcPpm;
};

// A "mixes" or "tc_ppm" line; empty text or what is wrong with it.
std::string ReadMixLine(const std::vector<std::string>& words, MixColumns& columns) {
    const bool mixes = words[0] == "mixes";
    const bool inTurn = mixes ? columns.mixes.empty() && words.size() > 1
                              : !columns.mixes.empty() && columns.tcPpm.empty() &&
                                    words.size() == columns.mixes.size() + 1;
    if (!inTurn) {
        return "one \"mixes\" line, then one \"tc_ppm\" line with a coefficient for each mix";
    }
    for (std::size_t i = 1; i < words.size(); ++i) {
        double value = 0;
        if (!DataNumber(words[i], value) || (mixes && (value < 0 || value != std::floor(value)))) {
            return mixes ? "a mix is a whole number" : "a coefficient is a number of ppm/degC";
        }
        if (mixes) {
            columns.mixes.push_back(static_cast<int>(value));
        } else {
            columns.tcPpm.push_back(value);
        }
    }
    return "";
}

// A size's line: each mix it is made in gives a core.
std::string ReadSizeLine(const std::vector<std::string>& words, const MixColumns& columns,
                         std::vector<ToroidCore>& cores) {
    ToroidCore core;
    core.size = words[0];
    if (columns.tcPpm.empty() || words.size() != 4 + columns.mixes.size()) {
        return "a size wants OD, ID, height and an AL for each mix, after the mixes and tc_ppm";
    }
    if (!Positive(words[1], core.outerMm) || !Positive(words[2], core.innerMm) ||
        !Positive(words[3], core.heightMm) || core.innerMm >= core.outerMm) {
        return "sizes are positive numbers of mm, ID below OD";
    }
    for (std::size_t m = 0; m < columns.mixes.size(); ++m) {
        if (words[4 + m] == "-") {
            continue;
        }
        if (!Positive(words[4 + m], core.alMicrohenry)) {
            return "AL is a positive number of uH per 100 turns squared, or \"-\"";
        }
        core.mix = columns.mixes[m];
        core.tcPpm = columns.tcPpm[m];
        cores.push_back(core);
    }
    return "";
}

}  // namespace

std::string ToroidCore::Name() const {
    return size + "-" + std::to_string(mix);
}

std::string ReadCoreTable(const std::string& text, std::vector<ToroidCore>& cores) {
    MixColumns columns;
    const std::string wrong =
        ReadDataLines(text, [&columns, &cores](const std::vector<std::string>& words) {
            const bool mixLine = words[0] == "mixes" || words[0] == "tc_ppm";
            return mixLine ? ReadMixLine(words, columns) : ReadSizeLine(words, columns, cores);
        });
    if (!wrong.empty()) {
        return wrong;
    }
    return cores.empty() ? "no cores in the file" : "";
}

std::optional<ToroidCore> FindCore(const std::vector<ToroidCore>& cores, const std::string& name) {
    // "T-50-6" as the maker prints it, "T50-6" as builders write it.
    std::string wanted = Folded(name);
    if (wanted.size() > 2 && wanted[0] == 't' && wanted[1] == '-') {
        wanted.erase(1, 1);
    }
    for (const ToroidCore& core : cores) {
        if (Folded(core.Name()) == wanted) {
            return core;
        }
    }
    return std::nullopt;
}

std::vector<NamedTc> CoreTcPresets(const std::vector<ToroidCore>& cores) {
    std::vector<NamedTc> presets;
    for (const ToroidCore& core : cores) {
        presets.push_back({core.Name(), core.tcPpm});
    }
    return presets;
}

std::string ReadWireTable(const std::string& text, std::vector<Wire>& wires) {
    const std::string wrong = ReadDataLines(text, [&wires](const std::vector<std::string>& words) {
        Wire wire;
        if (words.size() != 3 || !Positive(words[1], wire.conductorMm) ||
            !Positive(words[2], wire.overallMm) || wire.overallMm < wire.conductorMm) {
            return std::string("a wire wants its name, conductor and overall diameter in mm");
        }
        wire.name = words[0];
        wires.push_back(wire);
        return std::string();
    });
    if (!wrong.empty()) {
        return wrong;
    }
    return wires.empty() ? "no wires in the file" : "";
}

std::optional<Wire> FindWire(const std::vector<Wire>& wires, const std::string& name) {
    const std::string wanted = Folded(name);
    double mm = 0;
    const bool diameter = wanted.size() > 2 && wanted.compare(wanted.size() - 2, 2, "mm") == 0 &&
                          DataNumber(wanted.substr(0, wanted.size() - 2), mm);
    for (const Wire& wire : wires) {
        const bool sameDiameter =
            diameter && Folded(wire.name).back() == 'm' && std::abs(wire.conductorMm - mm) < 5e-4;
        if (Folded(wire.name) == wanted || sameDiameter) {
            return wire;
        }
    }
    return std::nullopt;
}

}  // namespace calbrine
