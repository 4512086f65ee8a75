// The printed page and its symbols.
#include <gtest/gtest.h>

#include "RecordingSurface.h"
#include "design/DesignValues.h"
#include "platform/RunTimeServices.h"
#include "schematic/MakerWebAddress.h"
#include "schematic/modPrintSchematic.h"

using namespace calbrine;
using namespace calbrine::testing;

namespace {

class FixedDateServices : public RunTimeServices {
  public:
    void ShowMessage(const std::string&, const std::string&) override {}
    void Beep() override {}
    std::string GeneralDateText() override { return "3/14/2026 9:26:53 AM"; }
};

class PrintedPage : public ::testing::Test {
  protected:
    void SetUp() override {
        SetProgramConstants();
        InstallRunTimeServices(&services);
        DesignValues = DesignRecord{10e-12f,  40e-12f, 10e-12f,  100e-12f, 20e-12f, 100e-12f,
                                    220e-12f, 47e-12f, 470e-12f, 470e-12f, 4.7e-6f, 11e6f};
        TuningResults = TuningRecord{4.8e6f, 5.0e6f, 5.1e6f, 5.0e6f};
    }
    void TearDown() override { InstallRunTimeServices(nullptr); }

    FixedDateServices services;
    RecordingSurface page;
};

}  // namespace

TEST_F(PrintedPage, OrderFromSetUpToPortrait) {
    DrawPrintedPage(page);
    EXPECT_EQ(page.Slice(0, 5),
              (std::vector<SurfaceCall>{{"SetOrientation", {}, 0, "Landscape"},
                                        {"SetOrigin", {-1000, -400}, 0, ""},
                                        FontSize(8),
                                        LineWidth(8),
                                        Line(2000, 6000, 2000, 6480, 0)}));  // D9 first
    EXPECT_EQ(page.Count("DrawLineTo"), 51u);  // zig-zags 4 x 8, grounds 8 x 2, wires 3
    for (const SurfaceCall& c : page.calls) {
        EXPECT_TRUE(c.kind.rfind("Draw", 0) != 0 || c.colour == 0) << c;  // lines in black
    }
    // The wires follow the last ground; three of their steps continue from the pen.
    const std::size_t wires = page.Find(FontSize(10)) - 11;
    EXPECT_EQ(page.calls[wires - 1], LineTo(9350, 6500, 0));
    std::string kinds;
    for (const SurfaceCall& c : page.Slice(wires, 11))
        kinds += c.kind == "DrawLine" ? 'L' : 'T';
    EXPECT_EQ(kinds, "LLTLLLTTLLL");
    EXPECT_EQ(page.calls[wires + 7], LineTo(10400, 3000, 0));

    const std::size_t title = page.Find(FontSize(16));
    EXPECT_EQ(page.Slice(title, 100),
              (std::vector<SurfaceCall>{FontSize(16),
                                        TextPosition(5000, 600),
                                        Text("Calbrine Utility"),
                                        FontSize(6),
                                        TextPosition(1500, 8700),
                                        Text(MakerWebAddress),
                                        TextPosition(1500, 8900),
                                        Text("3/14/2026 9:26:53 AM"),
                                        {"EndDocument", {}, 0, ""},
                                        {"SetOrientation", {}, 0, "Portrait"}}));
}

TEST_F(PrintedPage, ResultsAreMagnitudesWithVfoMaxFirstInTheDifference) {
    DrawPrintedPage(page);
    EXPECT_EQ(page.Slice(page.Find(FontSize(10)) + 1, 12),
              (std::vector<SurfaceCall>{
                  TextPosition(1700, 1700), Text("Intermediate frequency:  11M"),
                  TextPosition(1700, 2100), Text("VFO from  4.8M to 5M"), TextPosition(1700, 2500),
                  Text("RF sum from  15.8M to 16M"), TextPosition(1700, 2800),
                  Text("RF diff from  6M to 6.2M"), TextPosition(1700, 3200),
                  Text("Coarse span:  200k"), TextPosition(1700, 3500), Text("Fine span:  100k")}));
}

TEST_F(PrintedPage, ValuesFollowTheFieldsAndResistorsKeepAnEmptyWorkText) {
    DesignValues.CcoarseMin = 150e-12f;  // larger than CcoarseMax: still beside "Min:"
    DrawPrintedPage(page);
    EXPECT_EQ(page.TextAt(2100, 6150), "10pF");
    EXPECT_EQ(page.TextAt(2100, 6650), "40pF");
    EXPECT_EQ(page.TextAt(4500, 6150), "150pF");
    EXPECT_EQ(page.TextAt(4050, 6150), "Min:");
    EXPECT_EQ(page.TextAt(4000, 6650), "Max:");
    EXPECT_EQ(page.TextAt(4050, 5700), "C38 Ccoarse");
    EXPECT_EQ(page.TextAt(3000, 6200), "10pF");   // C39
    EXPECT_EQ(page.TextAt(5800, 3150), "4.7uH");  // L7
    EXPECT_EQ(page.TextAt(9400, 2050), "10 k");   // R34
    EXPECT_EQ(page.TextAt(8250, 5600), "4.7 k");  // R32
    EXPECT_EQ(page.TextAt(9600, 6150), "56pF");   // C91

    // An inductance too small to show empties WorkText: the resistors after it print
    // nothing until C91's value refills it.
    DesignValues.L7 = 1e-11f;
    page.calls.clear();
    DrawPrintedPage(page);
    EXPECT_EQ(page.TextAt(9400, 2050), "");
    EXPECT_EQ(page.TextAt(9200, 3050), "");
    EXPECT_EQ(page.TextAt(8250, 5600), "");
    EXPECT_EQ(page.TextAt(10600, 4550), "2.2 k");  // R36
}

TEST_F(PrintedPage, FailureStopsThePageBeforeItEnds) {
    page.failAt = 40;
    EXPECT_THROW(DrawPrintedPage(page), std::runtime_error);
    EXPECT_EQ(page.calls.size(), 40u);
    EXPECT_EQ(page.Count("EndDocument") + page.Count("SetOrientation"), 1u);
}

TEST(PrintedSymbols, InductorArcsMeetBothLeadsAndTransistorShape) {
    SetProgramConstants();
    RecordingSurface s;
    PrintInductor(s, "L7", 4.7e-6, 6500, 2500);
    const float a = 1.5f * Pi, b = 0.5f * Pi;
    EXPECT_EQ(s.calls, (std::vector<SurfaceCall>{
                           Line(6500, 2500, 6500, 2780, 0), Arc(6500, 2860, 80, 0, a, b),
                           Arc(6500, 3020, 80, 0, a, b), Arc(6500, 3180, 80, 0, a, b),
                           Line(6500, 3260, 6500, 3500, 0), Point(5800, 3150), Text("4.7uH"),
                           Point(6200, 2700), Text("L7")}));

    s.calls.clear();
    PrintTransistor(s, "Q8", "2N3904", 10000, 2500);
    ASSERT_EQ(s.calls.size(), 12u);
    EXPECT_EQ(s.calls[2], Line(10200, 2400, 10400, 2300, 0));
    EXPECT_EQ(s.calls[7], Line(10300, 2690, 10400, 2700, 0));
    EXPECT_EQ(s.Texts(), (std::vector<std::string>{"2N3904", "Q8"}));
    EXPECT_EQ(s.TextAt(10500, 2300), "Q8");
}

TEST_F(PrintedPage, PrintingChangesNoDesignValue) {
    // Values read from a file carry no floors and may be negative; the page prints their
    // magnitudes and leaves the record as it was.
    DesignValues.C37 = -100e-12f;
    DesignValues.L7 = -4.7e-6f;
    const DesignRecord before = DesignValues;
    DrawPrintedPage(page);
    EXPECT_EQ(DesignValues.C37, before.C37);
    EXPECT_EQ(DesignValues.L7, before.L7);
    EXPECT_EQ(page.TextAt(5900, 6650), "100pF");
    EXPECT_EQ(page.TextAt(5800, 3150), "4.7uH");
}
