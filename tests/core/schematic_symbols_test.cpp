// The window symbols and the opening window's picture.
#include <gtest/gtest.h>

#include <cstring>

#include "RecordingSurface.h"
#include "design/DesignValues.h"
#include "schematic/OpeningSchematic.h"
#include "schematic/Symbols.h"

using namespace calbrine;
using namespace calbrine::testing;

namespace {
constexpr Colour Blue = 0xFF0000;
constexpr Colour Cyan = 0xFFFF00;
}  // namespace

TEST(Symbols, VerticalResistorAndTextPlacement) {
    RecordingSurface s;
    DrawVerticalResistor(s, DesignWindowStyle, 9200, 1500, "R34", "");
    const std::vector<SurfaceCall> expected = {Line(9200, 1500, 9200, 1820, Blue),
                                               LineTo(9260, 1850, Blue),
                                               LineTo(9140, 1910, Blue),
                                               LineTo(9260, 1970, Blue),
                                               LineTo(9140, 2030, Blue),
                                               LineTo(9260, 2090, Blue),
                                               LineTo(9140, 2150, Blue),
                                               LineTo(9200, 2180, Blue),
                                               LineTo(9200, 2500, Blue),
                                               Point(9350, 1700),
                                               Text("R34"),
                                               Point(9350, 1950),
                                               Text("")};
    EXPECT_EQ(s.calls, expected);

    s.calls.clear();
    DrawHorizontalResistor(s, DesignWindowStyle, 8200, 5700, "R32", "4700");
    EXPECT_EQ(s.calls[1], LineTo(8490, 5640, Blue));  // first peak towards -y
    EXPECT_EQ(s.calls[8], LineTo(9080, 5700, Blue));
    EXPECT_EQ(s.TextAt(8450, 5850), "4700");
}

TEST(Symbols, CapacitorsAndInductorNeverDrawTheirValue) {
    RecordingSurface s;
    DrawHorizontalCapacitor(s, DesignWindowStyle, 3100, 6000, "C39", "VALUE");
    DrawVerticalCapacitor(s, DesignWindowStyle, 2500, 6000, "D9", "VALUE");
    DrawInductor(s, DesignWindowStyle, 6500, 2500, "L7", "VALUE");
    EXPECT_EQ(s.Texts(), (std::vector<std::string>{"C39", "D9", "L7"}));
    EXPECT_EQ(s.calls[2], Line(3425, 5850, 3425, 6150, Blue));
    EXPECT_EQ(s.TextAt(3250, 5550), "C39");
    EXPECT_EQ(s.calls[7], Line(2375, 6400, 2625, 6400, Blue));
    EXPECT_EQ(s.TextAt(2550, 6100), "D9");
    EXPECT_EQ(s.TextAt(6200, 2600), "L7");
}

TEST(Symbols, StylesDifferInCoilArrowColoursAndTexts) {
    SetProgramConstants();
    const float a = 1.5f * Pi, b = 0.5f * Pi;
    RecordingSurface d, o;
    DrawInductor(d, DesignWindowStyle, 6500, 2500, "L7", "");
    DrawInductor(o, OpeningWindowStyle, 6500, 2000, "L7", "");
    EXPECT_EQ(d.Slice(1, 3), (std::vector<SurfaceCall>{Arc(6500, 2840, 85, Blue, a, b),
                                                       Arc(6500, 3010, 85, Blue, a, b),
                                                       Arc(6500, 3180, 85, Blue, a, b)}));
    EXPECT_EQ(d.calls[4], Line(6500, 3250, 6500, 3500, Blue));
    EXPECT_EQ(o.calls[3], Arc(6500, 2650, 80, Cyan, a, b));
    EXPECT_EQ(o.calls.size(), 5u);

    d.calls.clear();
    o.calls.clear();
    DrawTransistor(d, DesignWindowStyle, 9600, 2500, "Q8");
    DrawTransistor(o, OpeningWindowStyle, 9600, 2000, "Q8");
    EXPECT_EQ(d.calls[4], Line(10100, 2200, 10100, 2000, Blue));  // collector lead
    EXPECT_EQ(d.calls[7], Line(10000, 2770, 10100, 2800, Blue));
    EXPECT_EQ(o.calls[7], Line(10000, 2280, 10100, 2300, Cyan));
    EXPECT_EQ(d.TextAt(10150, 2250), "Q8");
    EXPECT_EQ(d.TextAt(10150, 2550), "2N3904");
    EXPECT_EQ(o.calls.size(), 8u);

    o.calls.clear();
    DrawGround(o, OpeningWindowStyle, 2400, 6500);
    EXPECT_EQ(o.calls,
              (std::vector<SurfaceCall>{Line(2250, 6500, 2550, 6500, Blue),
                                        LineTo(2400, 6650, Blue), LineTo(2250, 6500, Blue)}));
}

TEST(OpeningSchematic, CyanSymbolsThenBlueGroundsAndWiresWithoutTexts) {
    SetProgramConstants();
    DesignValues = DesignRecord{};
    RecordingSurface empty;
    DrawOpeningSchematic(empty);
    DesignValues.C37 = -1e-10f;
    DesignValues.CfineNom = 7.0f;
    const DesignRecord before = DesignValues;
    RecordingSurface s;
    DrawOpeningSchematic(s);
    EXPECT_EQ(std::memcmp(&before, &DesignValues, sizeof before), 0);
    EXPECT_EQ(s.calls, empty.calls);

    ASSERT_EQ(s.calls.size(), 122u);
    EXPECT_EQ(s.calls[0], LineWidth(3));
    EXPECT_EQ(s.calls[1], Line(2400, 5500, 2400, 5900, Cyan));  // D9 first
    EXPECT_EQ(s.Count("Clear") + s.Count("PlotPoint") + s.Count("PrintText"), 0u);
    const std::size_t grounds = s.calls.size() - 12 - 24;
    for (std::size_t i = 1; i < s.calls.size(); ++i) {
        EXPECT_EQ(s.calls[i].colour, i < grounds ? Cyan : Blue) << i << ' ' << s.calls[i];
    }
    // C37 stands left of the coarse-tune capacitor here.
    EXPECT_EQ(s.calls[9], Line(4200, 5500, 4200, 5900, Cyan));
    EXPECT_EQ(s.calls[22], Arc(6500, 2330, 80, Cyan, 1.5f * Pi, 0.5f * Pi));
    EXPECT_EQ(s.calls[grounds], Line(2250, 6500, 2550, 6500, Blue));
    EXPECT_EQ(s.calls[grounds + 24 + 9], Line(9050, 5000, 11000, 5000, Blue));
    EXPECT_EQ(s.calls.back(), Line(10100, 500, 10100, 1600, Blue));
}
