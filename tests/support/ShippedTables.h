// The makers' tables as they ship in the source tree's data/ folder (the build copies them
// beside the program): the capacitor value series, the iron-powder cores and the enamelled
// wires, read once through the program's own readers, and their entries by name.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/MakersTables.h"

namespace calbrine_test {

struct ShippedTables {
    std::vector<calbrine::ValueSeries> series;
    std::vector<calbrine::ToroidCore> cores;
    std::vector<calbrine::Wire> wires;
};

inline const ShippedTables& Shipped() {
    static const ShippedTables tables = [] {
        const std::string folder = std::string(CALBRINE_TEST_DATA) + "/../..";
        ShippedTables t;
        EXPECT_EQ(calbrine::ReadSeriesTable(folder, t.series), "");
        EXPECT_EQ(calbrine::ReadCoresTable(folder, t.cores), "");
        EXPECT_EQ(calbrine::ReadWiresTable(folder, t.wires), "");
        return t;
    }();
    return tables;
}

inline const calbrine::ValueSeries& ShippedSeries(const std::string& name) {
    return *calbrine::SeriesNamed(Shipped().series, name);
}
inline calbrine::ToroidCore ShippedCore(const std::string& name) {
    return calbrine::FindCore(Shipped().cores, name).value();
}
inline calbrine::Wire ShippedWire(const std::string& name) {
    return calbrine::FindWire(Shipped().wires, name).value();
}

}  // namespace calbrine_test
