// The capacitors a builder can buy: the values of a preferred-number series (E6, E12, E24),
// and the single part or parallel pair of them nearest a designed value.
#pragma once

#include <string>
#include <vector>

namespace calbrine {

// A series as its data file gives it: a name and the two significant figures of each value
// in one decade ("E12", 10 12 15 ... 82).
struct ValueSeries {
    std::string name;
    std::vector<int> figures;
};

// Reads the series file's lines "E12: 10 12 15 ..."; "#" starts a comment. Returns empty
// text, or what is wrong with the first bad line ("line 3: ...").
std::string ReadValueSeries(const std::string& text, std::vector<ValueSeries>& series);
// The series of that name, any case; null for another name.
const ValueSeries* SeriesNamed(const std::vector<ValueSeries>& series, const std::string& name);

// Capacitances are counted in tenths of a picofarad, so that every stocked value, every sum of
// two and every tie between them is exact.
constexpr double FaradPerTenthPicofarad = 1e-13;

// The values stocked in a series, from 1 pF to 100 nF, smallest first, in tenths of a pF.
std::vector<long> StockedValues(const ValueSeries& series);

// One part, or two in parallel, biggest first, in tenths of a pF.
struct PartChoice {
    std::vector<long> parts;
    long Total() const;
};

// A single part is taken when it is within this fraction of the designed value.
constexpr double SinglePartTolerance = 0.01;

// The stocked value nearest `tenths` (of two as near, the larger); when that is more than 1 %
// off, the pair in parallel nearest it if that is nearer still (of pairs as near, the one with
// the larger biggest part). `stock` is sorted and not empty.
PartChoice ChooseParts(double tenths, const std::vector<long>& stock);
PartChoice ChooseCapacitor(float farad, const std::vector<long>& stock);

// The capacitance of the parts together, held as a single as the design's values are.
float ChoiceFarad(const PartChoice& choice);
// The parts as a builder writes them: "100p+22p", "8.2p", "1.5n", "100n".
std::string PartsText(const PartChoice& choice);

}  // namespace calbrine
