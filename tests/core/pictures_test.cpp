// The program's pictures by what they show: each symbol in every style, the design window,
// the opening window and the printed page against reviewed references in tests/data/pictures,
// and each schematic traced as a circuit against the oscillator's netlist.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "../support/Fixtures.h"
#include "CircuitTrace.h"
#include "Picture.h"
#include "design/DesignValues.h"
#include "schematic/DesignSchematic.h"
#include "schematic/OpeningSchematic.h"
#include "schematic/PrintedPage.h"
#include "schematic/Symbols.h"

using namespace calbrine;
using namespace calbrine::testing;
using calbrine_test::Joined;

namespace {

using Boxes = std::map<std::string, std::string>;

// The printer's date, fixed; the results, all different.
class Pictures : public ::testing::Test, public calbrine_test::RecordedServices {
  protected:
    void SetUp() override {
        SetProgramConstants();
        InstallRunTimeServices(this);
        date = "14.03.2026 09:26:53";
        DesignValues = calbrine_test::distinctValues;
        TuningResults = TuningRecord{4.8e6f, 5.05e6f, 4.81e6f, 4.7935e6f};
    }
    void TearDown() override { InstallRunTimeServices(nullptr); }
};

void DrawWindowSymbols(SchematicSurface& s, const SymbolStyle& style) {
    s.SetLineWidth(2);
    DrawHorizontalResistor(s, style, 1000, 1000, "Rh", "Rvalue");
    DrawVerticalResistor(s, style, 3000, 1000, "Rv", "Rvalue");
    DrawHorizontalCapacitor(s, style, 4000, 1000, "Ch", "never drawn");
    DrawVerticalCapacitor(s, style, 6000, 1000, "Cv", "never drawn");
    DrawInductor(s, style, 7000, 1000, "L", "never drawn");
    DrawTransistor(s, style, 8000, 1500, "Q");
    DrawGround(s, style, 10000, 1000);
}

void DrawPrintedSymbols(SchematicSurface& s) {
    s.SetLineWidth(8);
    PrintVerticalCapacitor(s, "Cv", 4.7e-12, 1000, 1000);
    PrintVariableCapacitor(s, "Cvar", 33e-12, 2.2e-12, 2000, 1000);
    PrintHorizontalCapacitor(s, "Ch", 22e-9, 3000, 1000);
    PrintInductor(s, "L", 1.5e-6, 5000, 1000);
    PrintHorizontalResistor(s, "Rh", 4700, 6000, 1000);
    PrintVerticalResistor(s, "Rv", 2.2e6, 7500, 1000);
    PrintTransistor(s, "Q", "Type", 8500, 1500);
    PrintGround(s, 10000, 1000);
}

void ExpectCircuit(const PictureRecorder& picture, const std::string& placements) {
    std::vector<std::string> loose;
    const Netlist nodes = TraceNodes(PictureCircuit(picture, placements), loose);
    EXPECT_EQ(loose, std::vector<std::string>{}) << placements << ": leads that end nowhere";
    EXPECT_EQ(nodes, ReadNetlist("oscillator.net")) << placements << " joins:" << Describe(nodes);
}

}  // namespace

TEST_F(Pictures, SymbolsInEveryStyle) {
    PictureRecorder design, opening, printed;
    DrawWindowSymbols(design, DesignWindowStyle);
    DrawWindowSymbols(opening, OpeningWindowStyle);
    DrawPrintedSymbols(printed);
    EXPECT_EQ(CompareWithReference(design, "symbols-design-window"), "");
    EXPECT_EQ(CompareWithReference(opening, "symbols-opening-window"), "");
    EXPECT_EQ(CompareWithReference(printed, "symbols-printed"), "");
}

TEST_F(Pictures, DesignWindowWithItsBoxesAndNominalValue) {
    DesignValues.C37 = -120e-12f;  // a design file may hold a negative value: shown as magnitude
    PictureRecorder picture;
    picture.DrawLine(0, 0, 100, 100, 0);  // cleared away
    Boxes boxes;
    DrawDesignSchematic(picture, boxes);
    EXPECT_EQ(CompareWithReference(picture, "design-window"), "");
    ExpectCircuit(picture, "design_window.parts");
    EXPECT_EQ(Joined(boxes),
              "Text0=150pF Text1=39pF Text10=6.8pF Text2=8.2pF Text3=120pF "
              "Text4=15pF Text5=270pF Text6=47pF Text7=390pF Text8=680pF Text9=3.3uH");
    EXPECT_EQ(DesignValues.C37, 120e-12f);
    EXPECT_EQ(DesignValues.CfineNom, (39e-12f + 6.8e-12f) / 2);

    // The nominal value is the mean either way round; values too small to show empty their
    // boxes; drawing again gives the same picture.
    std::swap(DesignValues.CfineMin, DesignValues.CfineMax);
    DesignValues.C39 = 1e-15f;
    DesignValues.L7 = 1e-11f;
    PictureRecorder again;
    DrawDesignSchematic(again, boxes);
    EXPECT_EQ(DesignValues.CfineNom, (39e-12f + 6.8e-12f) / 2);
    EXPECT_EQ(boxes["Text2"] + boxes["Text9"], "");
    EXPECT_EQ(again.TextAt(1200, 6800), "Nom: 22.9pF");
}

// A surface failing part-way: the boxes of D9 and C39 are already written. (An overflowing
// nominal value is tried through the design window, which reports it.)
TEST_F(Pictures, DesignWindowFailingPartWayKeepsWhatWasWritten) {
    PictureRecorder failing;
    failing.failAt = 22;  // C37's first line
    Boxes boxes{{"Text3", "old"}};
    EXPECT_THROW(DrawDesignSchematic(failing, boxes), std::runtime_error);
    EXPECT_EQ(Joined(boxes), "Text1=39pF Text10=6.8pF Text2=8.2pF Text3=old");
}

TEST_F(Pictures, OpeningWindowIsTheSameWhateverTheDesign) {
    PictureRecorder picture, other;
    picture.DrawLine(0, 0, 100, 100, 0x010000);  // the gradient stays under the picture
    DrawOpeningSchematic(picture);
    DesignValues = DesignRecord{};
    other.DrawLine(0, 0, 100, 100, 0x010000);
    DrawOpeningSchematic(other);
    EXPECT_EQ(picture.items, other.items);
    EXPECT_EQ(CompareWithReference(picture, "opening-window"), "");
    ExpectCircuit(picture, "opening_window.parts");
}

TEST_F(Pictures, PrintedPageShowsValuesAndResultsAndChangesNothing) {
    DesignValues.C37 = -120e-12f;  // printed as its magnitude, and left as it was
    const DesignRecord before = DesignValues;
    PictureRecorder page;
    DrawPrintedPage(page);
    EXPECT_EQ(std::memcmp(&before, &DesignValues, sizeof before), 0);
    EXPECT_EQ(CompareWithReference(page, "printed-page"), "");
    ExpectCircuit(page, "printed_page.parts");

    // An inductance too small to show empties the work text: R34, R33 and R32 print nothing
    // until C91's value refills it for R36.
    DesignValues.L7 = 1e-11f;
    PictureRecorder tiny;
    DrawPrintedPage(tiny);
    EXPECT_EQ(tiny.TextAt(9400, 2050) + tiny.TextAt(9200, 3050) + tiny.TextAt(8250, 5600), "");
    EXPECT_EQ(tiny.TextAt(10600, 4550), "2.2 k");

    // A failing printer stops the page before it ends.
    PictureRecorder failing;
    failing.failAt = 40;
    EXPECT_THROW(DrawPrintedPage(failing), std::runtime_error);
    EXPECT_EQ(failing.pageSteps, (std::vector<std::string>{"landscape", "origin -1000 -400"}));
}
