// A design as bought: each fixed capacitor replaced by the stocked part, or parallel pair,
// nearest its designed value, and how far that moves the VFO and RF band ends.
#pragma once

#include <string>
#include <vector>

#include "analysis/ReportTable.h"
#include "analysis/StandardValues.h"
#include "design/DesignFields.h"
#include "design/DesignRecord.h"

namespace calbrine {

// The fixed capacitors, bought from a series: C39, C37, C90, C15, C34 and C35. The varicap D9,
// the tuning capacitor C38 and the coil L7 are not.
std::vector<const DesignField*> FixedCapacitorFields();

struct BoughtCapacitor {
    const DesignField* field = nullptr;
    float designed = 0;
    PartChoice choice;
    float bought = 0;         // the parts together
    double errorPercent = 0;  // (bought - designed) / designed * 100
};

// The band ends of a design in hertz: the VFO's and the RF sum's and difference's, each low
// end first.
struct BandEnds {
    float vfoLow = 0, vfoHigh = 0;
    float sumLow = 0, sumHigh = 0;
    float diffLow = 0, diffHigh = 0;
};
BandEnds BandEndsOf(const DesignRecord& design);

struct BoughtDesign {
    std::string seriesName;
    std::vector<BoughtCapacitor> capacitors;  // in the order of FixedCapacitorFields
    DesignRecord designed;
    // The design with the bought values, as a design file written from it reads back and
    // the accept step takes it, so that its figures are those of the saved file.
    DesignRecord bought;
    BandEnds designedEnds, boughtEnds;
};

BoughtDesign BuyDesign(const DesignRecord& designed, const ValueSeries& series);

// A record as a design file written from it is read back and accepted: each value through
// its file text.
DesignRecord AsSavedAndRead(const DesignRecord& design);

// One row a capacitor: part, designed_f, bought_f, parts, error_percent.
ReportTable BoughtPartsTable(const BoughtDesign& bought);
// Band end, Designed, As bought, Moved Hz: the VFO's and the RF sum's and difference's ends;
// CSV band_end, designed_hz, bought_hz, moved_hz.
ReportTable BandEndsTable(const BoughtDesign& bought);
// What the parts were chosen from, and by which rule.
std::string BoughtSeriesNote(const BoughtDesign& bought);
// What the band ends as bought assume.
std::string BandEndsNote();
// True when a bought value differs from its designed one.
bool BoughtChangesDesign(const BoughtDesign& bought);
// The parts table, the series note, and the band ends designed and as bought with their moves.
std::string BoughtPartsText(const BoughtDesign& bought);

}  // namespace calbrine
