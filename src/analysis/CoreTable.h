// The maker's data a coil is wound from: the iron-powder toroids (size, mix, AL, the mix's
// temperature coefficient) and the enamelled wires (conductor and overall diameter), each
// read from a data file that ships with the program.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/Parts.h"

namespace calbrine {

// One toroid of one mix, as a builder names it: "T50-6".
struct ToroidCore {
    std::string size;  // "T50"
    int mix = 0;
    double alMicrohenry = 0;  // uH per 100 turns squared
    double outerMm = 0, innerMm = 0, heightMm = 0;
    double tcPpm = 0;  // the mix's temperature coefficient, ppm/degC
    std::string Name() const;
};

// Reads the core file: a "mixes" line naming the mixes, a "tc_ppm" line with their
// coefficients, then a line a size: name, OD, ID and height in mm, and each mix's AL ("-" for a
// size not made in it). Returns empty text or what is wrong with the first bad line.
std::string ReadCoreTable(const std::string& text, std::vector<ToroidCore>& cores);
// The core a builder names: "T50-6", "t50-6", "T-50-6"; nullopt for another name.
std::optional<ToroidCore> FindCore(const std::vector<ToroidCore>& cores, const std::string& name);
// Every core's name with its mix's coefficient, as presets for L7's coefficient ("T50-6", 35).
std::vector<NamedTc> CoreTcPresets(const std::vector<ToroidCore>& cores);

struct Wire {
    std::string name;  // "AWG26", "0.4mm"
    double conductorMm = 0;
    double overallMm = 0;  // over the enamel: what a turn takes beside the next
};

// Reads the wire file: a line a wire, its name, conductor and overall diameter in mm.
std::string ReadWireTable(const std::string& text, std::vector<Wire>& wires);
// A wire as a builder names it: a gauge ("AWG26", "awg 26") or a conductor diameter ("0.4mm",
// "0.40 mm") that the table lists; nullopt for another.
std::optional<Wire> FindWire(const std::vector<Wire>& wires, const std::string& name);

}  // namespace calbrine
