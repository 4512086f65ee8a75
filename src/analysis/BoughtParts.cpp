#include "analysis/BoughtParts.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "analysis/ReportText.h"
#include "design/Acceptance.h"
#include "design/Tuning.h"
#include "engineering/NumberText.h"
#include "files/LenientNumber.h"

namespace calbrine {

std::vector<const DesignField*> FixedCapacitorFields() {
    // A fixed capacitor's field is named after its part; D9's and C38's fields hold their ends.
    std::vector<const DesignField*> fields;
    for (const DesignField& field : DesignFields) {
        if (field.unit == FieldUnit::Farad && std::strcmp(field.name, field.part) == 0) {
            fields.push_back(&field);
        }
    }
    return fields;
}

BandEnds BandEndsOf(const DesignRecord& d) {
    const TuningRecord r = TuneDesign(d);
    BandEnds e;
    e.vfoLow = std::min(r.VfoMin, r.VfoMax);
    e.vfoHigh = std::max(r.VfoMin, r.VfoMax);
    // Formed as the design window's result lines form them.
    e.sumLow = d.IF + e.vfoLow;
    e.sumHigh = d.IF + e.vfoHigh;
    const float diffFromLow = std::fabs(d.IF - e.vfoLow);
    const float diffFromHigh = std::fabs(d.IF - e.vfoHigh);
    e.diffLow = std::min(diffFromLow, diffFromHigh);
    e.diffHigh = std::max(diffFromLow, diffFromHigh);
    return e;
}

DesignRecord AsSavedAndRead(const DesignRecord& design) {
    DesignRecord read = design;
    for (const DesignField& field : DesignFields) {
        float single = 0;
        NearestSingle(LenientNumber(SingleText(design.*field.member)), single);
        read.*field.member = single;
    }
    return AcceptDesign(read).design;
}

BoughtDesign BuyDesign(const DesignRecord& designed, const ValueSeries& series) {
    const std::vector<long> stock = StockedValues(series);
    BoughtDesign result;
    result.seriesName = series.name;
    result.designed = designed;
    DesignRecord bought = designed;
    for (const DesignField* field : FixedCapacitorFields()) {
        BoughtCapacitor c;
        c.field = field;
        c.designed = designed.*field->member;
        c.choice = ChooseCapacitor(c.designed, stock);
        c.bought = ChoiceFarad(c.choice);
        c.errorPercent = (static_cast<double>(c.bought) - c.designed) / c.designed * 100;
        bought.*field->member = c.bought;
        result.capacitors.push_back(c);
    }
    result.bought = AsSavedAndRead(bought);
    result.designedEnds = BandEndsOf(designed);
    result.boughtEnds = BandEndsOf(result.bought);
    return result;
}

ReportTable BoughtPartsTable(const BoughtDesign& b) {
    ReportTable table;
    table.columns = {{"Part", "part"},
                     {"Designed", "designed_f"},
                     {"Bought", "bought_f"},
                     {"Parts", "parts"},
                     {"Off", "error_percent"}};
    for (const BoughtCapacitor& c : b.capacitors) {
        const std::string parts = PartsText(c.choice);
        table.rows.push_back(
            {{c.field->name, c.field->name},
             {CapacitanceText(c.designed), PlainNumber(c.designed)},
             {CapacitanceText(c.bought), PlainNumber(c.bought)},
             {parts, parts},
             {PlainNumber(c.errorPercent, 3) + " %", PlainNumber(c.errorPercent)}});
    }
    return table;
}

namespace {

std::vector<TableCell> EndRow(const char* name, float designed, float bought) {
    const double moved = static_cast<double>(bought) - designed;
    return {{name, name},
            {FrequencyText(designed), PlainNumber(designed)},
            {FrequencyText(bought), PlainNumber(bought)},
            {PlainNumber(moved), PlainNumber(moved)}};
}

}  // namespace

ReportTable BandEndsTable(const BoughtDesign& b) {
    const BandEnds& d = b.designedEnds;
    const BandEnds& a = b.boughtEnds;
    ReportTable table;
    table.columns = {{"Band end", "band_end"},
                     {"Designed", "designed_hz"},
                     {"As bought", "bought_hz"},
                     {"Moved Hz", "moved_hz"}};
    table.rows = {EndRow("VFO low", d.vfoLow, a.vfoLow),
                  EndRow("VFO high", d.vfoHigh, a.vfoHigh),
                  EndRow("RF sum low", d.sumLow, a.sumLow),
                  EndRow("RF sum high", d.sumHigh, a.sumHigh),
                  EndRow("RF diff low", d.diffLow, a.diffLow),
                  EndRow("RF diff high", d.diffHigh, a.diffHigh)};
    return table;
}

std::string BoughtSeriesNote(const BoughtDesign& b) {
    return "Fixed capacitors from the " + b.seriesName +
           " series (1 pF to 100 nF): the nearest value, or the pair in\n"
           "parallel nearest the design where a single part is more than 1 % off.\n";
}

std::string BandEndsNote() {
    return "D9, C38 and L7 as designed; the ends are the tuning calculation's, with every part\n"
           "at its nominal value.\n";
}

bool BoughtChangesDesign(const BoughtDesign& b) {
    for (const BoughtCapacitor& c : b.capacitors) {
        if (c.bought != c.designed) {
            return true;
        }
    }
    return false;
}

std::string BoughtPartsText(const BoughtDesign& b) {
    return BoughtSeriesNote(b) + "\n" + BoughtPartsTable(b).Text() + "\n" +
           BandEndsTable(b).Text() + "\n" + BandEndsNote();
}

}  // namespace calbrine
