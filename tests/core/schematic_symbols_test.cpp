// The window symbols and the opening window's picture. Blue is ff0000, cyan ffff00.
#include <gtest/gtest.h>

#include "RecordingSurface.h"
#include "design/DesignValues.h"
#include "schematic/OpeningSchematic.h"
#include "schematic/Symbols.h"

using namespace calbrine;
using namespace calbrine::testing;

TEST(Symbols, GeometryTextsAndStyles) {
    SetProgramConstants();
    RecordingSurface s;
    DrawVerticalResistor(s, DesignWindowStyle, 9200, 1500, "R34", "10k");
    DrawHorizontalResistor(s, DesignWindowStyle, 8200, 5700, "R32", "4700");
    EXPECT_EQ(s.Count("DrawLineTo"), 16u);
    EXPECT_EQ(s.calls[1], "DrawLineTo 9260 1850 ff0000");  // first peak towards +x
    EXPECT_EQ(s.calls[8], "DrawLineTo 9200 2500 ff0000");
    EXPECT_EQ(s.calls[14], "DrawLineTo 8490 5640 ff0000");  // first peak towards -y
    EXPECT_EQ(s.TextAt("9350 1700") + s.TextAt("9350 1950") + s.TextAt("8450 5850"), "R3410k4700");

    // Capacitors and inductors never draw their value.
    s.calls.clear();
    DrawHorizontalCapacitor(s, DesignWindowStyle, 3100, 6000, "C39", "VALUE");
    DrawVerticalCapacitor(s, DesignWindowStyle, 2500, 6000, "D9", "VALUE");
    DrawInductor(s, DesignWindowStyle, 6500, 2500, "L7", "VALUE");
    EXPECT_EQ(s.Texts(), "C39|D9|L7|");
    EXPECT_EQ(s.calls[2], "DrawLine 3425 5850 3425 6150 ff0000");
    EXPECT_EQ(s.calls[7], "DrawLine 2375 6400 2625 6400 ff0000");
    EXPECT_EQ(s.TextAt("3250 5550") + s.TextAt("2550 6100") + s.TextAt("6200 2600"), "C39D9L7");

    // The window styles differ in coil radius, arrow barb and colour.
    RecordingSurface d, o;
    DrawInductor(d, DesignWindowStyle, 6500, 2500, "L7", "");
    DrawInductor(o, OpeningWindowStyle, 6500, 2000, "L7", "");
    EXPECT_EQ(d.calls[1], "DrawArc 6500 2840 85 4.71239 1.5708 ff0000");
    EXPECT_EQ(d.calls[3], "DrawArc 6500 3180 85 4.71239 1.5708 ff0000");
    EXPECT_EQ(o.calls[3], "DrawArc 6500 2650 80 4.71239 1.5708 ffff00");
    EXPECT_EQ(o.calls.size(), 5u);

    DrawTransistor(d, DesignWindowStyle, 9600, 2500, "Q8");
    DrawTransistor(o, OpeningWindowStyle, 9600, 2000, "Q8");
    // The arrow barbs follow the coils' 7 and 5 calls.
    EXPECT_EQ(d.calls[7 + 7], "DrawLine 10000 2770 10100 2800 ff0000");
    EXPECT_EQ(o.calls[5 + 7], "DrawLine 10000 2280 10100 2300 ffff00");
    EXPECT_EQ(d.TextAt("10150 2550"), "2N3904");
}

TEST(OpeningSchematic, CyanSymbolsThenBlueGroundsAndWiresWithoutTexts) {
    SetProgramConstants();
    RecordingSurface empty, s;
    DrawOpeningSchematic(empty);
    DesignValues.C37 = -1e-10f;
    DrawOpeningSchematic(s);
    EXPECT_EQ(s.calls, empty.calls);  // independent of the design values

    ASSERT_EQ(s.calls.size(), 122u);
    EXPECT_EQ(s.calls[0], "SetLineWidth 3");
    EXPECT_EQ(s.Count("Clear") + s.Count("PlotPoint") + s.Count("PrintText"), 0u);
    const std::size_t grounds = s.calls.size() - 12 - 24;
    for (std::size_t i = 1; i < s.calls.size(); ++i)
        EXPECT_EQ(s.ColourOf(s.calls[i]), i < grounds ? "ffff00" : "ff0000") << i;
    EXPECT_EQ(s.calls[9], "DrawLine 4200 5500 4200 5900 ffff00");  // C37 left of C38
    EXPECT_EQ(s.calls[grounds], "DrawLine 2250 6500 2550 6500 ff0000");
    EXPECT_EQ(s.calls[grounds + 1], "DrawLineTo 2400 6650 ff0000");
    EXPECT_EQ(s.calls[grounds + 24 + 9], "DrawLine 9050 5000 11000 5000 ff0000");
    EXPECT_EQ(s.calls.back(), "DrawLine 10100 500 10100 1600 ff0000");
}
