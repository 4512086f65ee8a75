// L7 wound: the shipped core and wire tables, turns on a toroid and the gauge that holds them
// in one layer, the coefficient the core chosen gives L7, and the coil's table of figures.
#include <gtest/gtest.h>

#include <cmath>

#include "../support/ShippedTables.h"
#include "analysis/CoilWinding.h"

using namespace calbrine;
using calbrine_test::Shipped;
using calbrine_test::ShippedCore;
using calbrine_test::ShippedWire;

TEST(CoreTable, EverySizeInEachMixItIsMadeInWithTheMakersFigures) {
    EXPECT_EQ(Shipped().cores.size(), 8u * 4 - 1);  // T94 is not made in mix 7
    const ToroidCore t50 = ShippedCore("T50-6");
    EXPECT_EQ(t50.alMicrohenry, 40);
    EXPECT_EQ(t50.outerMm, 12.70);
    EXPECT_EQ(t50.innerMm, 7.70);
    EXPECT_EQ(t50.heightMm, 4.83);
    EXPECT_EQ(t50.tcPpm, 35);
    EXPECT_EQ(ShippedCore("T37-0").alMicrohenry, 4.9);  // the first size, the first mix
    EXPECT_EQ(ShippedCore("T37-0").tcPpm, 0);
    EXPECT_EQ(ShippedCore("T68-2").tcPpm, 95);
    EXPECT_EQ(ShippedCore("T130-7").alMicrohenry, 103);  // the last size, the last mix
    EXPECT_EQ(ShippedCore("T130-7").tcPpm, 30);
    EXPECT_EQ(ShippedCore("T106-2").heightMm, 11.10);
    // As builders and the maker write the names.
    for (const char* name : {"t50-6", "T-50-6", " T50-6 ", "T 50-6"}) {
        EXPECT_EQ(FindCore(Shipped().cores, name).value().Name(), "T50-6") << name;
    }
    for (const char* name : {"T94-7", "T50-3", "T50", "T506", "air", ""}) {
        EXPECT_FALSE(FindCore(Shipped().cores, name)) << name;
    }
}

TEST(CoreTable, ACoreFileWithABadLineIsRefusedNamingIt) {
    const std::string mixes = "mixes 2 6\ntc_ppm 95 35\n";
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"tc_ppm 95 35\n", "line 1: one \"mixes\" line"},
        {"mixes 2 6\nmixes 2\n", "line 2: one \"mixes\" line"},
        {"mixes 2 6\ntc_ppm 95\n", "line 2: one \"mixes\" line"},
        {mixes + "tc_ppm 95 35\n", "line 3: one \"mixes\" line"},
        {"mixes 2 6.5\n", "line 1: a mix is a whole number"},
        {"mixes 2 6\ntc_ppm 95 x\n", "line 2: a coefficient is a number"},
        {"mixes 2 6\nT50 12.7 7.7 4.83 49 40\n", "line 2: a size wants"},
        {mixes + "T50 12.7 7.7 4.83 49\n", "line 3: a size wants"},
        {mixes + "T50 7.7 7.7 4.83 49 40\n", "line 3: sizes are positive"},
        {mixes + "T50 12.7 7.7 0 49 40\n", "line 3: sizes are positive"},
        {mixes + "T50 12.7 7.7 4.83 0 40\n", "line 3: AL is a positive number"},
        {mixes + "T50 12.7 7.7 4.83 49 4,0\n", "line 3: AL is a positive number"},
        {mixes, "no cores in the file"}};
    for (const auto& [text, why] : bad) {
        std::vector<ToroidCore> cores;
        EXPECT_EQ(ReadCoreTable(text, cores).rfind(why, 0), 0u) << text;
    }
    std::vector<ToroidCore> cores;
    EXPECT_EQ(ReadCoreTable(mixes + "T50 12.7 7.7 4.83 - 40  # made in mix 6 only\n", cores), "");
    ASSERT_EQ(cores.size(), 1u);
    EXPECT_EQ(cores[0].Name(), "T50-6");
}

TEST(CoreTable, WiresByGaugeOrByDiameterAndACoresMixAsL7sCoefficient) {
    EXPECT_EQ(ShippedWire("AWG26").overallMm, 0.452);
    EXPECT_EQ(ShippedWire("AWG18").conductorMm, 1.024);  // the thickest gauge
    EXPECT_EQ(ShippedWire("AWG36").overallMm, 0.157);    // the thinnest
    for (const char* name : {"awg 26", "0.4mm", "0.40 mm", "0.4 MM", "1mm", "1.000mm"}) {
        EXPECT_TRUE(FindWire(Shipped().wires, name)) << name;
    }
    EXPECT_EQ(ShippedWire("0.40mm").name, "0.4mm");
    for (const char* name : {"AWG27", "0.37mm", "0.4", "mm", "26", ""}) {
        EXPECT_FALSE(FindWire(Shipped().wires, name)) << name;
    }
    for (const char* text : {"AWG26 0.4\n", "AWG26 0.4 0.39\n", "AWG26 -0.4 0.45\n",
                             "AWG26 0.4 0.45 x\n", "# none\n"}) {
        std::vector<Wire> wires;
        EXPECT_NE(ReadWireTable(text, wires), "") << text;
    }

    const std::vector<NamedTc> presets = CoreTcPresets(Shipped().cores);
    EXPECT_EQ(TcFromText("T50-6", presets), 35.0);
    EXPECT_EQ(TcFromText("t68-2", presets), 95.0);
    EXPECT_EQ(TcFromText("T130-7", presets), 30.0);
    EXPECT_EQ(TcFromText("N750", presets), -750.0);
    EXPECT_EQ(TcFromText("-20", presets), -20.0);
    EXPECT_FALSE(TcFromText("T50-3", presets));
    EXPECT_FALSE(TcFromText("T50-6"));  // a core is known only from the table
}

TEST(ToroidWinding, TurnsNearestTheInductanceTheirWireAndWhetherTheyLieInOneLayer) {
    ToroidWinding w;
    ASSERT_EQ(WindToroid(7.7e-6, ShippedCore("T50-6"), ShippedWire("AWG26"), w), "");
    EXPECT_EQ(w.turns, 44);                    // 100 sqrt(7.7 / 40) = 43.9
    EXPECT_FLOAT_EQ(w.inductance, 7.744e-6f);  // 40 uH * 0.44^2
    // 44 turns of 5.00 mm across and twice 4.83 mm high, and two 25 mm leads.
    EXPECT_NEAR(w.wireLengthM, (44 * 14.66 + 50) / 1000, 1e-12);
    EXPECT_EQ(w.oneLayerTurns, 50);  // pi (7.70 - 0.452) / 0.452 = 50.4
    EXPECT_TRUE(w.Fits());
    EXPECT_EQ(ToroidFitWarning(w), "");
    ASSERT_EQ(WindToroid(7.7e-6, ShippedCore("T50-6"), ShippedWire("AWG22"), w), "");
    EXPECT_EQ(w.oneLayerTurns, 31);  // pi (7.70 - 0.701) / 0.701 = 31.4
    EXPECT_FALSE(w.Fits());
    EXPECT_NE(ToroidFitWarning(w).find("44 turns of AWG22 do not fit in one layer on T50-6 (at "
                                       "most 31)"),
              std::string::npos);

    // The whole number nearest: 43.5 turns on T50-6 are 7.569 uH.
    EXPECT_EQ(ToroidTurns(7.5691e-6, ShippedCore("T50-6")), 44);
    EXPECT_EQ(ToroidTurns(7.5689e-6, ShippedCore("T50-6")), 43);
    // Half a turn on T50-6 is 1 nH; an inductance above 0 and up to 1 mH.
    EXPECT_EQ(WindToroid(0.999e-9, ShippedCore("T50-6"), ShippedWire("AWG26"), w),
              "less than half a turn on T50-6");
    EXPECT_EQ(WindToroid(1.001e-9, ShippedCore("T50-6"), ShippedWire("AWG26"), w), "");
    EXPECT_EQ(w.turns, 1);
    EXPECT_EQ(WindToroid(1e-3, ShippedCore("T130-2"), ShippedWire("AWG36"), w), "");
    EXPECT_EQ(w.turns, 302);  // 100 sqrt(1000 / 110) = 301.5
    for (double henry : {0.0, -1e-6, 1.0001e-3, std::nan("")}) {
        EXPECT_EQ(WindToroid(henry, ShippedCore("T50-6"), ShippedWire("AWG26"), w),
                  "the inductance must be above 0 H and at most 1 mH")
            << henry;
    }
}

TEST(ToroidWinding, TheDefaultWireIsTheThickestGaugeThatHoldsTheTurnsInOneLayer) {
    EXPECT_EQ(OneLayerTurns(5.21, 5.21), 0);
    EXPECT_EQ(OneLayerTurns(5.21, 6), 0);
    EXPECT_EQ(ThickestFittingGauge(Shipped().wires, ShippedCore("T50-6"), 44).name,
              "AWG26");  // AWG24: 39
    EXPECT_EQ(ThickestFittingGauge(Shipped().wires, ShippedCore("T50-6"), 39).name, "AWG24");
    EXPECT_EQ(ThickestFittingGauge(Shipped().wires, ShippedCore("T37-6"), 51).name,
              "AWG30");  // AWG28: 41
    EXPECT_EQ(ThickestFittingGauge(Shipped().wires, ShippedCore("T130-2"), 1).name, "AWG18");
    // None holds them: the thinnest, with its warning.
    EXPECT_EQ(ThickestFittingGauge(Shipped().wires, ShippedCore("T37-0"), 1428).name, "AWG36");
}

// The core chosen gives L7 its coefficient: a toroid its mix's, an air coil the air-core
// preset where the coefficient was the toroid's, and one the user set stays.
TEST(CoilChoice, ACoreChosenGivesL7ItsCoefficient) {
    PartSettings s;
    s.Tc(Part::L7) = 50;                                // set by the user
    ChooseCoil(s, {"", "AWG26", 12}, Shipped().cores);  // no core yet: the wire and form only
    EXPECT_EQ(s.Tc(Part::L7), 50);
    EXPECT_EQ(s.coil.wire, "AWG26");
    EXPECT_EQ(s.coil.formMm, 12);
    ChooseCoil(s, {"air", "", DefaultFormMm}, Shipped().cores);  // no toroid before: stays
    EXPECT_EQ(s.Tc(Part::L7), 50);
    ChooseCoil(s, {"T37-0", "", DefaultFormMm}, Shipped().cores);  // the table's first core
    EXPECT_EQ(s.Tc(Part::L7), 0);
    ChooseCoil(s, {"T130-7", "", DefaultFormMm}, Shipped().cores);  // and its last
    EXPECT_EQ(s.Tc(Part::L7), 30);
    ChooseCoil(s, {"AIR", "", DefaultFormMm}, Shipped().cores);
    EXPECT_EQ(s.Tc(Part::L7), 20);
    EXPECT_EQ(s.coil.core, "AIR");

    ChooseCoil(s, {"T68-2", "", DefaultFormMm}, Shipped().cores);
    EXPECT_EQ(s.Tc(Part::L7), 95);
    s.Tc(Part::L7) = 80;  // the user's own after the core's
    ChooseCoil(s, {"T68-2", "AWG24", DefaultFormMm}, Shipped().cores);  // the same core: stays
    EXPECT_EQ(s.Tc(Part::L7), 80);
    ChooseCoil(s, {"air", "", DefaultFormMm}, Shipped().cores);
    EXPECT_EQ(s.Tc(Part::L7), 80);
    ChooseCoil(s, {"T50-3", "", DefaultFormMm}, Shipped().cores);  // no such core: stays
    EXPECT_EQ(s.Tc(Part::L7), 80);
}

// The coil's table: the rows the command line's CSV gives, with names and values for people,
// "-" where the CSV leaves a value empty.
TEST(CoilChoice, TheFiguresTableNamesItsRowsForPeople) {
    ToroidWinding w;
    ASSERT_EQ(WindToroid(7.7e-6, ShippedCore("T50-6"), ShippedWire("AWG26"), w), "");
    const ReportTable toroid = ToroidTable(w);
    EXPECT_EQ(toroid.Titles(), (std::vector<std::string>{"Quantity", "Value"}));
    const std::vector<std::vector<std::string>> rows = toroid.TextRows();
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"Turns", "44"}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"Inductance", "7.744uH"}));
    EXPECT_EQ(rows[4][1], "50 turns at most");
    EXPECT_EQ(rows[5], (std::vector<std::string>{"Coil length", "-"}));
    EXPECT_EQ(rows[6][1], "35 ppm/degC, the mix's");
    AirCoil c;
    ASSERT_EQ(WindAirCoil(6.8e-6, 10, ShippedWire("AWG22"), c), "");
    const std::vector<std::vector<std::string>> air = AirCoilTable(c).TextRows();
    EXPECT_EQ(air[2], (std::vector<std::string>{"AL", "-"}));
    EXPECT_EQ(air[5], (std::vector<std::string>{"Coil length", "35.05 mm"}));
}
