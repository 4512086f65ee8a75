// The design window's schematic: order and colours of the picture, the entry boxes, the
// nominal fine-tune capacitance, and what survives a failure part-way.
#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <utility>

#include "RecordingSurface.h"
#include "design/DesignValues.h"
#include "schematic/DesignSchematic.h"

using namespace calbrine;
using namespace calbrine::testing;

namespace {

using Boxes = std::map<std::string, std::string>;

// C37 is negative: a design file may hold one.
void LoadExample() {
    DesignValues = DesignRecord{10e-12f,  40e-12f, 10e-12f,  -100e-12f,  20e-12f, 150e-12f,
                                220e-12f, 47e-12f, 470e-12f, 0.0022e-6f, 4.7e-6f};
}

}  // namespace

TEST(DesignSchematic, WholePictureAndBoxes) {
    LoadExample();
    RecordingSurface s;
    Boxes boxes;
    DrawDesignSchematic(s, boxes);

    ASSERT_EQ(s.calls.size(), 181u);
    EXPECT_EQ(std::vector<std::string>(s.calls.begin(), s.calls.begin() + 3),
              (std::vector<std::string>{"Clear", "SetLineWidth 2",
                                        "DrawLine 2500 6000 2500 6400 ff0000"}));  // D9 first
    EXPECT_EQ(s.Count("PrintText"), 29u);
    EXPECT_EQ(s.TextAt("1200 6800") + ", " + s.TextAt("1260 6500"), "Nom: 25pF, Max:");
    EXPECT_EQ(s.TextAt("10250 4450") + ", " + s.TextAt("10200 5570"), "2200, Output to Q7");
    for (const std::string& c : s.calls)  // blue lines; TextAt finds only white points
        EXPECT_TRUE(c.rfind("Draw", 0) != 0 || s.ColourOf(c) == "ff0000") << c;
    // The grounds, then the twelve wires, end the picture.
    const std::size_t wires = s.calls.size() - 12;
    EXPECT_EQ(s.calls[wires - 24], "DrawLine 2350 7000 2650 7000 ff0000");
    EXPECT_EQ(s.calls[wires], "DrawLine 2500 6000 3200 6000 ff0000");
    EXPECT_EQ(s.calls.back(), "DrawLine 10100 1000 10100 2100 ff0000");

    const Boxes expected = {{"Text1", "40pF"},  {"Text10", "10pF"}, {"Text2", "10pF"},
                            {"Text3", "100pF"}, {"Text4", "20pF"},  {"Text0", "150pF"},
                            {"Text5", "220pF"}, {"Text9", "4.7uH"}, {"Text6", "47pF"},
                            {"Text7", "470pF"}, {"Text8", "2200pF"}};
    EXPECT_EQ(boxes, expected);
    EXPECT_EQ(DesignValues.C37, 100e-12f);  // the formatter leaves the magnitude
    EXPECT_EQ(DesignValues.CfineNom, 25e-12f);
}

TEST(DesignSchematic, NominalTinyValuesAndFailuresPartWay) {
    // The nominal value is the mean even when CfineMax < CfineMin; a value too small to show
    // empties its box.
    LoadExample();
    std::swap(DesignValues.CfineMin, DesignValues.CfineMax);
    DesignValues.C39 = 1e-15f;
    DesignValues.L7 = 1e-11f;
    RecordingSurface tiny, s, o;
    Boxes tinyBoxes = {{"Text2", "typed"}, {"Text9", "4.7u"}}, boxes = {{"Text3", "old"}}, fine;
    DrawDesignSchematic(tiny, tinyBoxes);
    EXPECT_EQ(DesignValues.CfineNom, 25e-12f);
    EXPECT_EQ(tinyBoxes["Text2"] + tinyBoxes["Text9"], "");

    // A surface failing on C37's first line: the boxes of D9 and C39 are already written.
    LoadExample();
    s.failAt = tiny.Find("DrawLine 5900 6000 5900 6400 ff0000");
    EXPECT_THROW(DrawDesignSchematic(s, boxes), std::runtime_error);
    EXPECT_EQ(boxes,
              (Boxes{{"Text1", "40pF"}, {"Text10", "10pF"}, {"Text2", "10pF"}, {"Text3", "old"}}));

    // An overflowing mean stops before CfineNom is stored and before "Nom: " is drawn.
    DesignValues.CfineMin = DesignValues.CfineMax = 3e38f;
    DesignValues.CfineNom = 1.5f;
    EXPECT_THROW(DrawDesignSchematic(o, fine), std::overflow_error);
    EXPECT_EQ(DesignValues.CfineNom, 1.5f);
    EXPECT_EQ(fine.size(), 2u);
    EXPECT_EQ(o.calls.back(), "PrintText Min:");
}
