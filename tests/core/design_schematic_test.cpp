// The design window's schematic: order and colours of the picture, the entry boxes, the
// nominal fine-tune capacitance, and what survives a failure part-way.
#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "RecordingSurface.h"
#include "design/DesignValues.h"
#include "schematic/DesignSchematic.h"

using namespace calbrine;
using namespace calbrine::testing;

namespace {

constexpr Colour Blue = 0xFF0000;
using Boxes = std::map<std::string, std::string>;

void LoadExample() {
    DesignValues = DesignRecord{};
    DesignValues.CfineMin = 10e-12f;
    DesignValues.CfineMax = 40e-12f;
    DesignValues.C39 = 10e-12f;
    DesignValues.C37 = -100e-12f;  // a design file may hold a negative value
    DesignValues.CcoarseMin = 20e-12f;
    DesignValues.CcoarseMax = 150e-12f;
    DesignValues.C90 = 220e-12f;
    DesignValues.C15 = 47e-12f;
    DesignValues.C34 = 470e-12f;
    DesignValues.C35 = 0.0022e-6f;
    DesignValues.L7 = 4.7e-6f;
}

}  // namespace

TEST(DesignSchematic, WholePictureAndBoxes) {
    LoadExample();
    RecordingSurface s, again;
    Boxes boxes, boxesAgain;
    DrawDesignSchematic(s, boxes);

    ASSERT_EQ(s.calls.size(), 181u);
    EXPECT_EQ(s.Slice(0, 3),
              (std::vector<SurfaceCall>{
                  {"Clear", {}, 0, ""}, LineWidth(2), Line(2500, 6000, 2500, 6400, Blue)}));
    EXPECT_EQ(s.Texts(), (std::vector<std::string>{"D9",          "Fine-tune varicap",
                                                   "Max:",        "Min:",
                                                   "Nom: 25pF",   "C39",
                                                   "C37",         "C38",
                                                   "Coarse-tune", "capacitor or varicap",
                                                   "Min:",        "Max:",
                                                   "C90",         "L7",
                                                   "C15",         "C34",
                                                   "C35",         "R34",
                                                   "10k",         "R33",
                                                   "10k",         "Q8",
                                                   "2N3904",      "R36",
                                                   "2200",        "R32",
                                                   "4700",        "C91",
                                                   "Output to Q7"}));
    EXPECT_EQ(s.TextAt(1200, 6800), "Nom: 25pF");
    EXPECT_EQ(s.TextAt(1260, 6500), "Max:");
    EXPECT_EQ(s.TextAt(10200, 5570), "Output to Q7");
    for (const SurfaceCall& c : s.calls) {
        if (c.kind.rfind("Draw", 0) == 0 || c.kind == "PlotPoint") {
            EXPECT_EQ(c.colour, c.kind == "PlotPoint" ? 0xFFFFFFu : Blue) << c;
        }
    }
    // The grounds, then the twelve wires, end the picture.
    const std::size_t wires = s.calls.size() - 12;
    EXPECT_EQ(s.calls[wires - 24], Line(2350, 7000, 2650, 7000, Blue));
    EXPECT_EQ(s.calls[wires - 3], Line(9200, 6700, 9500, 6700, Blue));
    EXPECT_EQ(s.calls[wires], Line(2500, 6000, 3200, 6000, Blue));
    EXPECT_EQ(s.calls.back(), Line(10100, 1000, 10100, 2100, Blue));

    const Boxes expected = {{"Text1", "40pF"},  {"Text10", "10pF"}, {"Text2", "10pF"},
                            {"Text3", "100pF"}, {"Text4", "20pF"},  {"Text0", "150pF"},
                            {"Text5", "220pF"}, {"Text9", "4.7uH"}, {"Text6", "47pF"},
                            {"Text7", "470pF"}, {"Text8", "2200pF"}};
    EXPECT_EQ(boxes, expected);
    EXPECT_EQ(DesignValues.C37, 100e-12f);  // the formatter leaves the magnitude
    EXPECT_EQ(DesignValues.CfineNom, 25e-12f);

    DrawDesignSchematic(again, boxesAgain);
    EXPECT_EQ(again.calls, s.calls);
    EXPECT_EQ(boxesAgain, expected);
}

TEST(DesignSchematic, NominalIsTheMeanAndTinyValuesEmptyTheirBoxes) {
    LoadExample();
    DesignValues.CfineMin = 40e-12f;
    DesignValues.CfineMax = 10e-12f;
    DesignValues.C39 = 1e-15f;
    DesignValues.L7 = 1e-11f;
    RecordingSurface s;
    Boxes boxes = {{"Text2", "typed"}, {"Text9", "4.7u"}};
    DrawDesignSchematic(s, boxes);
    EXPECT_EQ(DesignValues.CfineNom, 25e-12f);
    EXPECT_EQ(s.TextAt(1200, 6800), "Nom: 25pF");
    EXPECT_EQ(boxes["Text2"], "");
    EXPECT_EQ(boxes["Text9"], "");
}

TEST(DesignSchematic, FailureKeepsWhatWasWrittenBeforeIt) {
    LoadExample();
    RecordingSurface full;
    Boxes unused;
    DrawDesignSchematic(full, unused);

    // A surface failing on C37's first line: the boxes of D9 and C39 are already written.
    RecordingSurface s;
    s.failAt = full.Find(Line(5900, 6000, 5900, 6400, Blue));
    Boxes boxes = {{"Text3", "old"}};
    EXPECT_THROW(DrawDesignSchematic(s, boxes), std::runtime_error);
    EXPECT_EQ(boxes,
              (Boxes{{"Text1", "40pF"}, {"Text10", "10pF"}, {"Text2", "10pF"}, {"Text3", "old"}}));

    // An overflowing mean stops before CfineNom is stored and before "Nom: " is drawn.
    LoadExample();
    DesignValues.CfineMin = DesignValues.CfineMax = 3e38f;
    DesignValues.CfineNom = 1.5f;
    RecordingSurface o;
    Boxes fine;
    EXPECT_THROW(DrawDesignSchematic(o, fine), std::overflow_error);
    EXPECT_EQ(DesignValues.CfineNom, 1.5f);
    EXPECT_EQ(fine.size(), 2u);
    EXPECT_EQ(o.calls.back(), Text("Min:"));
}
