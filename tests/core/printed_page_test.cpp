// The printed page and its symbols, drawn in black (colour 0).
#include <gtest/gtest.h>

#include <cstring>

#include "RecordingSurface.h"
#include "design/DesignValues.h"
#include "platform/RunTimeServices.h"
#include "schematic/MakerWebAddress.h"
#include "schematic/modPrintSchematic.h"

using namespace calbrine;
using namespace calbrine::testing;

namespace {

// The fixture is also the run-time services, with a fixed date.
class PrintedPage : public ::testing::Test, public RunTimeServices {
  protected:
    void ShowMessage(const std::string&, const std::string&) override {}
    void Beep() override {}
    std::string GeneralDateText() override { return "3/14/2026 9:26:53 AM"; }
    void SetUp() override {
        SetProgramConstants();
        InstallRunTimeServices(this);
        DesignValues = DesignRecord{10e-12f,  40e-12f, 10e-12f,  100e-12f, 20e-12f, 100e-12f,
                                    220e-12f, 47e-12f, 470e-12f, 470e-12f, 4.7e-6f, 11e6f};
        TuningResults = TuningRecord{4.8e6f, 5.0e6f, 5.1e6f, 5.0e6f};
    }
    void TearDown() override { InstallRunTimeServices(nullptr); }

    RecordingSurface page;
};

}  // namespace

TEST_F(PrintedPage, OrderFromSetUpToPortraitWithResultsTitleAndDate) {
    DrawPrintedPage(page);
    const std::vector<std::string>& c = page.calls;
    EXPECT_EQ(std::vector<std::string>(c.begin(), c.begin() + 5),
              (std::vector<std::string>{"SetOrientation Landscape", "SetOrigin -1000 -400",
                                        "SetFontSize 8", "SetLineWidth 8",
                                        "DrawLine 2000 6000 2000 6480 0"}));  // D9 first
    EXPECT_EQ(page.Count("DrawLineTo"), 51u);  // zig-zags 4 x 8, grounds 8 x 2, wires 3
    for (const std::string& call : c)
        EXPECT_TRUE(call.rfind("Draw", 0) != 0 || page.ColourOf(call) == "0") << call;

    // L7's half-turns meet both leads; Q8's arrow.
    const std::size_t coil = page.Find("DrawLine 6500 2500 6500 2780 0");
    EXPECT_EQ(page.Find("DrawArc 6500 2860 80 4.71239 1.5708 0"), coil + 1);
    EXPECT_EQ(page.Find("DrawArc 6500 3180 80 4.71239 1.5708 0"), coil + 3);
    EXPECT_EQ(page.Find("DrawLine 6500 3260 6500 3500 0"), coil + 4);
    EXPECT_LT(page.Find("DrawLine 10300 2690 10400 2700 0"), c.size());

    // The wires follow the last ground; three of their steps continue from the pen.
    const std::size_t results = page.Find("SetFontSize 10"), wires = results - 11;
    EXPECT_EQ(c[wires - 1], "DrawLineTo 9350 6500 0");
    EXPECT_EQ(c[wires + 7], "DrawLineTo 10400 3000 0");
    std::string kinds;
    for (std::size_t i = wires; i < results; ++i)
        kinds += c[i].rfind("DrawLine ", 0) == 0 ? 'L' : 'T';
    EXPECT_EQ(kinds, "LLTLLLTTLLL");

    // The results are magnitudes; the RF difference starts from |VfoMax - IF|.
    EXPECT_EQ(c[results + 1], "SetTextPosition 1700 1700");
    EXPECT_EQ(page.Texts(results),
              std::string("Intermediate frequency:  11M|VFO from  4.8M to 5M|"
                          "RF sum from  15.8M to 16M|RF diff from  6M to 6.2M|"
                          "Coarse span:  200k|Fine span:  100k|Calbrine Utility|") +
                  MakerWebAddress + "|3/14/2026 9:26:53 AM|");
    EXPECT_EQ(c[page.Find("PrintText Calbrine Utility") - 2], "SetFontSize 16");
    EXPECT_EQ(c[c.size() - 2] + ", " + c.back(), "EndDocument, SetOrientation Portrait");
}

TEST_F(PrintedPage, ValuesAreMagnitudesAndResistorsKeepAnEmptyWorkText) {
    // Values read from a file carry no floors and may be negative; the page prints their
    // magnitudes and leaves the record as it was.
    DesignValues.CcoarseMin = 150e-12f;  // larger than CcoarseMax: still beside "Min:"
    DesignValues.C37 = -100e-12f;
    DesignValues.L7 = -4.7e-6f;
    const DesignRecord before = DesignValues;
    DrawPrintedPage(page);
    EXPECT_EQ(std::memcmp(&before, &DesignValues, sizeof before), 0);
    EXPECT_EQ(page.TextAt("2100 6150") + page.TextAt("2100 6650"), "10pF40pF");  // D9 min, max
    EXPECT_EQ(page.TextAt("4050 6150") + page.TextAt("4500 6150"), "Min:150pF");
    EXPECT_EQ(page.TextAt("5900 6650") + page.TextAt("5800 3150"), "100pF4.7uH");  // C37, L7
    EXPECT_EQ(page.TextAt("9400 2050") + page.TextAt("8250 5600"), "10 k4.7 k");   // R34, R32
    EXPECT_EQ(page.TextAt("9600 6150") + page.TextAt("10500 2300"), "56pFQ8");     // C91, Q8

    // An inductance too small to show empties WorkText: R34, R33 and R32 print nothing until
    // C91's value refills it for R36.
    DesignValues.L7 = 1e-11f;
    page.calls.clear();
    DrawPrintedPage(page);
    EXPECT_EQ(page.TextAt("9400 2050") + page.TextAt("9200 3050") + page.TextAt("8250 5600"), "");
    EXPECT_EQ(page.TextAt("10600 4550"), "2.2 k");

    // A failing printer stops the page before it ends.
    RecordingSurface failing;
    failing.failAt = 40;
    EXPECT_THROW(DrawPrintedPage(failing), std::runtime_error);
    EXPECT_EQ(failing.calls.size(), 40u);
    EXPECT_EQ(failing.Count("EndDocument") + failing.Count("SetOrientation"), 1u);
}
