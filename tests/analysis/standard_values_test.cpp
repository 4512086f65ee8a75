// The capacitors a builder buys: the shipped value series, the part or parallel pair nearest a
// designed value, and the design as bought.
#include <gtest/gtest.h>

#include "../support/Fixtures.h"
#include "../support/ShippedTables.h"
#include "analysis/BoughtParts.h"
#include "analysis/ReportText.h"
#include "analysis/StandardValues.h"
#include "design/Acceptance.h"
#include "design/Tuning.h"
#include "files/DesignFiles.h"

using namespace calbrine;
using namespace calbrine_test;

namespace {

std::vector<long> Stock(const char* name) {
    return StockedValues(ShippedSeries(name));
}

// The parts chosen for `tenths` of a picofarad, as a builder writes them.
std::string Chosen(double tenths, const char* series = "E12") {
    return PartsText(ChooseParts(tenths, Stock(series)));
}

}  // namespace

TEST(ValueSeries, ShippedSeriesStockOneDecadeAfterAnotherFromOnePicofaradToHundredNanofarad) {
    const std::vector<ValueSeries>& shipped = Shipped().series;
    ASSERT_EQ(shipped.size(), 3u);
    EXPECT_EQ(SeriesNamed(shipped, "e6")->figures, (std::vector<int>{10, 15, 22, 33, 47, 68}));
    EXPECT_EQ(SeriesNamed(shipped, "E12")->figures.size(), 12u);
    EXPECT_EQ(SeriesNamed(shipped, "E24")->figures.size(), 24u);
    EXPECT_EQ(SeriesNamed(shipped, "E48"), nullptr);
    const std::vector<long> e12 = Stock("E12");
    ASSERT_EQ(e12.size(), 61u);
    EXPECT_EQ(e12.front(), 10);      // 1 pF
    EXPECT_EQ(e12[12 + 11], 820);    // 82 pF closes the second decade
    EXPECT_EQ(e12[60 - 1], 820000);  // 82 nF
    EXPECT_EQ(e12.back(), 1000000);  // 100 nF
    EXPECT_EQ(Stock("E24")[24 * 2 + 23], 9100);
}

TEST(ValueSeries, ASeriesFileWithABadLineIsRefusedNamingIt) {
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"E6 10 15\n", "line 1: a series starts with its name and a colon"},
        {"# E-series\nE6: 10 15 9\n", "line 2: figures are rising whole numbers"},
        {"E6: 10 100\n", "line 1: figures are rising"},
        {"E6: 15 10\n", "line 1: figures are rising"},
        {"E6: 10 1,5\n", "line 1: figures are rising"},
        {"E6: 10 12.5\n", "line 1: figures are rising"},
        {"E6:\n", "line 1: a series without figures"},
        {"# nothing\n", "no series in the file"}};
    for (const auto& [text, why] : bad) {
        std::vector<ValueSeries> series;
        EXPECT_EQ(ReadValueSeries(text, series).rfind(why, 0), 0u) << text;
    }
    std::vector<ValueSeries> series;
    EXPECT_EQ(ReadValueSeries("E3: 10 22 47 # a comment\n\n", series), "");
    EXPECT_EQ(series[0].figures, (std::vector<int>{10, 22, 47}));
}

TEST(ValueSeries, ASinglePartWithinOnePercentElseTheNearerOfItAndTheBestPair) {
    EXPECT_EQ(Chosen(1000), "100p");      // a stocked value
    EXPECT_EQ(Chosen(1010), "100p");      // 1 % off, still one part
    EXPECT_EQ(Chosen(1220), "100p+22p");  // 120p is 1.6 % off
    // 12p is 1 % off at 118.81 tenths: just within it one part, just beyond it 10p + 1.8p.
    EXPECT_EQ(Chosen(118.82), "12p");
    EXPECT_EQ(Chosen(118.80), "10p+1.8p");
    // Beyond 1 % a pair that is no nearer leaves the single part.
    EXPECT_EQ(Chosen(98.9), "10p");  // 8.2p + 1.8p is as far off
    // Ties: of two single parts the larger; a pair as near as the part, the part; of two
    // pairs as near, the one with the larger biggest part, whether their sums agree or not.
    EXPECT_EQ(Chosen(11), "1.2p");        // 1p is as near, and no pair nearer than 2p
    EXPECT_EQ(Chosen(21, "E6"), "2.2p");  // 1p + 1p is as near
    EXPECT_EQ(Chosen(37), "2.7p+1p");     // not 2.2p + 1.5p
    EXPECT_EQ(Chosen(24.5), "1.5p+1p");   // not 1.2p + 1.2p, 0.5 tenths the other way
    // The series chosen: 1.1 pF is stocked in E24 only; E6's nearest is 1p, 9 % off, as no
    // pair of it comes nearer than 2p.
    EXPECT_EQ(Chosen(11, "E24"), "1.1p");
    EXPECT_EQ(Chosen(11, "E6"), "1p");
    // Both ends of the stock: below 1 pF the smallest part, above 100 nF two of the largest.
    EXPECT_EQ(Chosen(0.1), "1p");
    EXPECT_EQ(Chosen(2000000), "100n+100n");
    EXPECT_EQ(Chosen(8000000), "100n+100n");
    EXPECT_EQ(Chosen(1500000), "82n+68n");
}

TEST(ValueSeries, PartsAreWrittenAsBuildersWriteThem) {
    const std::vector<std::pair<std::vector<long>, std::string>> texts = {
        {{10}, "1p"},
        {{82}, "8.2p"},
        {{8200}, "820p"},
        {{10000}, "1n"},
        {{12000}, "1.2n"},
        {{1000000}, "100n"},
        {{1000, 220}, "100p+22p"},
        {{820000, 82}, "82n+8.2p"}};
    for (const auto& [parts, text] : texts) {
        EXPECT_EQ(PartsText({parts}), text);
    }
    const PartChoice pair{{1000, 220}};
    EXPECT_EQ(pair.Total(), 1220);
    EXPECT_EQ(ChoiceFarad(pair), 122e-12f);
    EXPECT_EQ(PartsText(ChooseCapacitor(122e-12f, Stock("E12"))), "100p+22p");
}

TEST(BoughtParts, TheSixFixedCapacitorsInTheirOrderAndTheDesignAsBought) {
    std::vector<std::string> names;
    for (const DesignField* field : FixedCapacitorFields()) {
        names.push_back(field->name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"C39", "C37", "C90", "C15", "C34", "C35"}));

    // Stocked values are bought as designed and move no band end.
    const ValueSeries& e12 = ShippedSeries("E12");
    const BoughtDesign same = BuyDesign(WithNominalFine(distinctValues), e12);
    for (const BoughtCapacitor& c : same.capacitors) {
        EXPECT_EQ(c.bought, c.designed) << c.field->name;
        EXPECT_EQ(c.errorPercent, 0);
    }
    EXPECT_EQ(same.boughtEnds.vfoLow, same.designedEnds.vfoLow);
    EXPECT_EQ(same.boughtEnds.diffHigh, same.designedEnds.diffHigh);
    EXPECT_FALSE(BoughtChangesDesign(same));

    DesignRecord odd = WithNominalFine(distinctValues);
    odd.C39 = 9.5e-12f;      // 6.8p + 2.7p and 5.6p + 3.9p make it exactly
    odd.C37 = 125e-12f;      // 120p is 4 % low, 120p + 4.7p 0.24 %
    odd.C35 = 675e-12f;      // 680p is 0.74 % high
    odd.L7 = 3.3123457e-6f;  // a single whose file text has fewer digits than it holds
    const BoughtDesign b = BuyDesign(odd, e12);
    ASSERT_EQ(b.capacitors.size(), 6u);
    EXPECT_EQ(PartsText(b.capacitors[0].choice), "6.8p+2.7p");
    EXPECT_NEAR(b.capacitors[0].errorPercent, 0, 1e-5);
    EXPECT_EQ(PartsText(b.capacitors[1].choice), "120p+4.7p");
    EXPECT_NEAR(b.capacitors[1].errorPercent, -0.24, 1e-5);
    EXPECT_EQ(PartsText(b.capacitors[5].choice), "680p");
    EXPECT_NEAR(b.capacitors[5].errorPercent, 100 * 5.0 / 675, 1e-5);
    EXPECT_EQ(b.bought.C35, 680e-12f);
    EXPECT_EQ(b.bought.C90, odd.C90);  // a stocked value
    EXPECT_TRUE(BoughtChangesDesign(b));

    // The figures as bought are those of the design file written from it, read back.
    ScratchFolder folder;
    ASSERT_TRUE(WriteDesignRecord(b.bought, "bought.TXT"));
    const DesignFileRead read = ReadDesignRecord("bought.TXT", DesignRecord{});
    ASSERT_TRUE(read.read);
    const TuningRecord saved = TuneDesign(AcceptDesign(read.design).design);
    EXPECT_EQ(b.boughtEnds.vfoLow, saved.VfoMin);
    EXPECT_EQ(b.boughtEnds.vfoHigh, saved.VfoMax);
    EXPECT_NE(b.boughtEnds.vfoLow, b.designedEnds.vfoLow);
    EXPECT_EQ(b.boughtEnds.sumHigh, odd.IF + saved.VfoMax);
}

TEST(BoughtParts, TheTableGivesEveryCapacitorAndTheTextEveryBandEndWithItsMove) {
    DesignRecord odd = WithNominalFine(distinctValues);
    odd.C37 = 125e-12f;
    const BoughtDesign b = BuyDesign(odd, ShippedSeries("E12"));
    const std::string csv = BoughtPartsTable(b).Csv();
    const std::string header = "part,designed_f,bought_f,parts,error_percent\n";
    const std::string c39 = PlainNumber(8.2e-12f);
    const std::string c35 = PlainNumber(680e-12f);
    EXPECT_EQ(csv.substr(0, header.size() + 4), header + "C39,");
    EXPECT_NE(csv.find("\nC39," + c39 + "," + c39 + ",8.2p,0\n"), std::string::npos);
    EXPECT_NE(csv.find("\nC37," + PlainNumber(125e-12f) + "," + PlainNumber(124.7e-12f) +
                       ",120p+4.7p,-0.2"),
              std::string::npos);
    const std::string last = "\nC35," + c35 + "," + c35 + ",680p,0\n";  // the last row
    EXPECT_EQ(csv.substr(csv.size() - last.size()), last);
    const std::string text = BoughtPartsText(b);
    EXPECT_NE(text.find("E12 series"), std::string::npos);
    for (const char* end :
         {"VFO low", "VFO high", "RF sum low", "RF sum high", "RF diff low", "RF diff high"}) {
        EXPECT_NE(text.find(end), std::string::npos) << end;
    }
    const double moved = static_cast<double>(b.boughtEnds.vfoHigh) - b.designedEnds.vfoHigh;
    EXPECT_GT(moved, 0);  // less capacitance, a higher VFO
    EXPECT_NE(text.find(PlainNumber(moved)), std::string::npos);

    // The band ends' table, each end's move its bought less its designed frequency.
    const ReportTable ends = BandEndsTable(b);
    EXPECT_EQ(ends.Csv().substr(0, ends.Csv().find('\n')),
              "band_end,designed_hz,bought_hz,moved_hz");
    const float designed[] = {b.designedEnds.vfoLow,  b.designedEnds.vfoHigh,
                              b.designedEnds.sumLow,  b.designedEnds.sumHigh,
                              b.designedEnds.diffLow, b.designedEnds.diffHigh};
    const float bought[] = {b.boughtEnds.vfoLow,  b.boughtEnds.vfoHigh, b.boughtEnds.sumLow,
                            b.boughtEnds.sumHigh, b.boughtEnds.diffLow, b.boughtEnds.diffHigh};
    ASSERT_EQ(ends.rows.size(), 6u);
    for (std::size_t r = 0; r < 6; ++r) {
        EXPECT_EQ(ends.rows[r][1].csv, PlainNumber(designed[r])) << r;
        EXPECT_EQ(ends.rows[r][2].csv, PlainNumber(bought[r])) << r;
        EXPECT_EQ(ends.rows[r][3].csv, PlainNumber(static_cast<double>(bought[r]) - designed[r]));
        EXPECT_NE(text.find(ends.rows[r][0].text), std::string::npos);
    }
    EXPECT_EQ(ends.rows[5][0].text, "RF diff high");
}
