// The build sheet's content, built from a design with capacitors off the series, and its page:
// every text within the page.
#include <gtest/gtest.h>

#include <algorithm>

#include "../support/Fixtures.h"
#include "../support/ShippedTables.h"
#include "Picture.h"
#include "analysis/BuildSheet.h"
#include "analysis/ReportText.h"
#include "analysis/Reports.h"
#include "schematic/BuildSheetPage.h"

using namespace calbrine;
using calbrine_test::Shipped;

namespace {

// C37 and C15 lie between E12 values, so they are bought as pairs; L7 is 3.3 uH.
SheetInput Input(const char* core = "T50-6") {
    SheetInput in;
    in.designName = "odd.TXT";
    in.design = calbrine_test::distinctValues;
    in.design.C37 = 510e-12f;
    in.design.C15 = 53e-12f;
    in.series = calbrine_test::ShippedSeries("E12");
    in.coil.core = FindCore(Shipped().cores, core);
    in.wires = Shipped().wires;
    return in;
}

BuildSheet Sheet(const SheetInput& in) {
    BuildSheet sheet;
    EXPECT_EQ(MakeBuildSheet(in, sheet), "");
    return sheet;
}

const SheetSection& Section(const BuildSheet& sheet, std::size_t i) {
    EXPECT_EQ(sheet.sections.size(), 5u);
    return sheet.sections.at(i);
}

// The value of a row of the coil's two-column table.
std::string CoilRow(const BuildSheet& sheet, const std::string& quantity) {
    for (const auto& row : Section(sheet, 2).table.TextRows()) {
        if (row[0] == quantity) {
            return row[1];
        }
    }
    return "(no row " + quantity + ")";
}

}  // namespace

TEST(BuildSheet, DesignValuesAndEveryCapacitorAsBought) {
    const BuildSheet sheet = Sheet(Input());
    EXPECT_EQ(sheet.title, "Build sheet: odd.TXT");
    EXPECT_EQ(sheet.subtitle, "Capacitors from the E12 series; L7 on T50-6 with AWG22");
    const auto values = Section(sheet, 0).table.TextRows();
    ASSERT_EQ(values.size(), 6u);
    EXPECT_EQ(values[0],
              (std::vector<std::string>{"CfineMin", "D9", "6.8pF", "C90", "C90", "270pF"}));
    EXPECT_EQ(values[3], (std::vector<std::string>{"C37", "C37", "510pF", "C35", "C35", "680pF"}));
    EXPECT_EQ(values[5], (std::vector<std::string>{"CcoarseMax", "C38", "150pF", "IF", "-", "9M"}));

    const SheetSection& parts = Section(sheet, 1);
    EXPECT_EQ(parts.heading, "Capacitors to buy from the E12 series");
    const auto rows = parts.table.TextRows();
    EXPECT_EQ(rows, BoughtPartsTable(BuyDesign(Input().design, Input().series)).TextRows());
    std::vector<std::string> bought;
    for (const auto& row : rows) {
        bought.push_back(row[0] + " " + row[3]);
    }
    EXPECT_EQ(bought, (std::vector<std::string>{"C39 8.2p", "C37 390p+120p", "C90 270p",
                                                "C15 47p+5.6p", "C34 390p", "C35 680p"}));
    EXPECT_EQ(rows[3][2], "52.6pF");
}

// 3.3 uH on T50-6 (AL 40): 29 turns, 3.364 uH; AWG22 is the thickest whose one layer holds
// them (31 turns), AWG18 holds 18.
TEST(BuildSheet, CoilOnAToroidFitsOrSaysItDoesNot) {
    SheetInput in = Input();
    BuildSheet sheet = Sheet(in);
    EXPECT_EQ(Section(sheet, 2).heading, "Coil L7: 3.364uH on a T50-6 toroid");
    EXPECT_EQ(CoilRow(sheet, "Core"), "T50-6, mix 6: 12.7 mm OD, 7.7 mm ID, 4.83 mm high");
    EXPECT_EQ(CoilRow(sheet, "Turns"), "29");
    EXPECT_EQ(CoilRow(sheet, "Inductance"),
              "3.364uH with the nominal AL; 3.1958uH to 3.5322uH with AL \xC2\xB1"
              "5 %");
    EXPECT_EQ(CoilRow(sheet, "Wire"),
              "AWG22, 0.701 mm over the enamel, the thickest that fits one layer");
    EXPECT_EQ(CoilRow(sheet, "One layer"), "fits: 29 turns, at most 31");
    EXPECT_EQ(CoilRow(sheet, "Coefficient"), "35 ppm/degC, the mix's");
    EXPECT_EQ(CoilRow(sheet, "Wire length"), "0.475 m with 25 mm leads, an estimate");

    in.coil.wire = FindWire(in.wires, "AWG18");
    sheet = Sheet(in);
    EXPECT_EQ(CoilRow(sheet, "Wire"), "AWG18, 1.11 mm over the enamel, as chosen");
    EXPECT_EQ(CoilRow(sheet, "One layer"),
              "does not fit: at most 18 turns; take thinner wire or a larger core");
}

TEST(BuildSheet, AirCoilAndCoilsThatCannotBeWound) {
    SheetInput in = Input("air");
    ASSERT_FALSE(in.coil.core);
    in.coil.formMm = 12;
    const BuildSheet sheet = Sheet(in);
    AirCoil coil;
    ASSERT_EQ(WindAirCoil(in.design.L7, 12, *FindWire(in.wires, "AWG22"), coil), "");
    EXPECT_EQ(Section(sheet, 2).heading,
              "Coil L7: " + InductanceText(coil.inductance) + " as an air coil");
    EXPECT_EQ(CoilRow(sheet, "Form"), "12 mm diameter, nothing magnetic inside");
    EXPECT_EQ(CoilRow(sheet, "Turns"), std::to_string(coil.turns) + ", close-wound in one layer");
    EXPECT_EQ(CoilRow(sheet, "Wire"), "AWG22, 0.701 mm over the enamel, the default");
    EXPECT_EQ(CoilRow(sheet, "Coefficient"), "20 ppm/degC, an estimate");

    BuildSheet none;
    in.design.L7 = 1.1e-3f;
    EXPECT_EQ(MakeBuildSheet(in, none),
              "cannot wind L7 as an air coil: the inductance must be above 0 H and at most 1 mH");
    in = Input();
    in.design.L7 = 0.2e-9f;
    EXPECT_EQ(MakeBuildSheet(in, none), "cannot wind L7 on T50-6: less than half a turn on T50-6");
    in.wires.erase(std::remove_if(in.wires.begin(), in.wires.end(),
                                  [](const Wire& w) { return w.name.rfind("AWG", 0) == 0; }),
                   in.wires.end());
    EXPECT_EQ(MakeBuildSheet(in, none), "the wire table has no gauge to wind L7 with");
    EXPECT_TRUE(none.sections.empty());
}

// The drift of the design as bought, L7 at the toroid's mix (an air coil keeps the setting),
// with the compensation line the drift report gives.
TEST(BuildSheet, DriftCompensationWithTheCoresCoefficient) {
    SheetInput in = Input("T68-2");
    in.settings.Tc(Part::L7) = 20;
    in.settings.Tc(Part::C39) = -150;
    const BuildSheet sheet = Sheet(in);
    PartSettings expected = in.settings;
    expected.Tc(Part::L7) = 95;
    const DriftAnalysis drift = AnalyseDrift(sheet.bought.bought, expected, Part::C37, &in.series);
    const SheetSection& section = Section(sheet, 3);
    ASSERT_GE(section.lines.size(), 2u);
    EXPECT_EQ(section.lines[0] + "\n", DriftSummary(drift).substr(0, section.lines[0].size() + 1));
    const std::string compensation = CompensationText(drift.compensation);
    EXPECT_EQ(section.lines[1], compensation.substr(0, compensation.find('\n')));
    const DriftAnalysis asSet = AnalyseDrift(sheet.bought.bought, in.settings);
    EXPECT_NE(section.lines[0] + "\n", DriftSummary(asSet).substr(0, section.lines[0].size() + 1));
    EXPECT_NE(section.notes[0].find("the default coefficients"), std::string::npos);
    EXPECT_NE(section.notes[0].find("L7 at 95 ppm/degC, the T68-2's mix"), std::string::npos);

    in = Input("air");
    in.settings.Tc(Part::L7) = 50;
    in.settingsFrom = "kept in odd.TXT.explore";
    const std::string note = Section(Sheet(in), 3).notes[0];
    EXPECT_NE(note.find("the coefficients kept in odd.TXT.explore; L7 at 50 ppm/degC."),
              std::string::npos)
        << note;
}

TEST(BuildSheet, RangesAsDesignedAndAsBought) {
    const BuildSheet sheet = Sheet(Input());
    const BandEnds d = BandEndsOf(Input().design);
    const BandEnds b = sheet.bought.boughtEnds;
    ASSERT_NE(d.vfoLow, b.vfoLow);
    const auto rows = Section(sheet, 4).table.TextRows();
    ASSERT_EQ(rows.size(), 3u);
    auto range = [](float low, float high) {
        return FrequencyText(low) + " to " + FrequencyText(high);
    };
    auto moved = [](float designed, float bought) {
        return PlainNumber(static_cast<double>(bought) - designed) + " Hz";
    };
    EXPECT_EQ(rows[0], (std::vector<std::string>{
                           "VFO", range(d.vfoLow, d.vfoHigh), range(b.vfoLow, b.vfoHigh),
                           moved(d.vfoLow, b.vfoLow), moved(d.vfoHigh, b.vfoHigh)}));
    EXPECT_EQ(rows[1][0], "RF sum");
    EXPECT_EQ(rows[1][2], range(b.sumLow, b.sumHigh));
    EXPECT_EQ(rows[1][4], moved(d.sumHigh, b.sumHigh));
    EXPECT_EQ(rows[2][0], "RF diff");
    EXPECT_EQ(rows[2][1], range(d.diffLow, d.diffHigh));
    EXPECT_EQ(rows[2][3], moved(d.diffLow, b.diffLow));
}

// The longest texts the sheet has (a long file name, a coil that does not fit) stay on the
// page, no two texts of a line meet, and every cell, line and note is printed.
TEST(BuildSheetPage, EveryTextOnOnePortraitPageApart) {
    SheetInput in = Input();
    in.designName = std::string(70, 'x') + ".TXT";
    in.coil.wire = FindWire(in.wires, "AWG18");
    in.settingsFrom = "kept in " + in.designName + ".explore";
    const BuildSheet sheet = Sheet(in);
    calbrine::testing::PictureRecorder page;
    DrawBuildSheetPage(page, sheet);
    EXPECT_EQ(page.pageSteps, (std::vector<std::string>{"portrait", "origin -700 -500", "end"}));
    std::string printed;
    for (const calbrine::testing::PrintedText& t : page.texts) {
        const float right = t.at.x + ReckonedWidth(t.text, t.points);
        EXPECT_TRUE(t.at.x >= 0 && right <= SheetWidth) << t.text;
        EXPECT_TRUE(t.at.y >= 0 && t.at.y + 1.25f * 20 * t.points <= SheetHeight) << t.text;
        for (const calbrine::testing::PrintedText& u : page.texts) {
            const bool meet = &u != &t && u.at.y == t.at.y && u.at.x >= t.at.x && u.at.x < right;
            EXPECT_FALSE(meet) << t.text << " meets " << u.text;
        }
        printed += t.text;
    }
    auto unspaced = [](std::string text) {
        text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
        return text;
    };
    std::vector<std::string> wanted = {sheet.title, sheet.subtitle};
    for (const SheetSection& s : sheet.sections) {
        wanted.push_back(s.heading);
        wanted.insert(wanted.end(), s.lines.begin(), s.lines.end());
        wanted.insert(wanted.end(), s.notes.begin(), s.notes.end());
        for (const auto& row : s.table.TextRows()) {
            wanted.insert(wanted.end(), row.begin(), row.end());
        }
    }
    for (const std::string& text : wanted) {
        EXPECT_NE(unspaced(printed).find(unspaced(text)), std::string::npos) << text;
    }
}
