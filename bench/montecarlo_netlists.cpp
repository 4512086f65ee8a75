// Writes the netlists of a Monte Carlo's copies at their plain length, for timing the same
// circuits in the ngspice program one after another (the Monte Carlo's runs start from the
// same netlists and stop once settled): montecarlo_netlists DESIGN.TXT RUNS SEED FOLDER
// writes, for each run and setting, RUN-SETTING-1.cir (the planned step, 400 periods) and
// RUN-SETTING-2.cir (twice the step, 300 periods), with the tolerances of
// DESIGN.TXT.explore or the defaults.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "analysis/Parts.h"
#include "design/Acceptance.h"
#include "files/DesignFiles.h"
#include "runs/MonteCarlo.h"
#include "simulation/SimulatedNetlist.h"

int main(int argc, char** argv) {
    using namespace calbrine;
    if (argc != 5) {
        std::fprintf(stderr, "usage: montecarlo_netlists DESIGN.TXT RUNS SEED FOLDER\n");
        return 2;
    }
    const DesignFileRead read = ReadDesignRecord(argv[1], DesignRecord{});
    if (!read.read) {
        std::fprintf(stderr, "%s: %s\n", argv[1], read.error.c_str());
        return 1;
    }
    const DesignRecord design = AcceptDesign(read.design).design;
    PartSettings settings;
    ReadSettingsFile(SettingsPath(argv[1]), settings);
    const auto draws = DrawFactors(settings, std::atoi(argv[2]),
                                   static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10)));
    for (std::size_t r = 0; r < draws.size(); ++r) {
        const DesignRecord drawn = DrawnDesign(design, draws[r]);
        for (TuningSetting setting : MonteCarloSettings) {
            for (int factor : {1, 2}) {
                const std::string name = std::string(argv[4]) + "/" + std::to_string(r + 1) + "-" +
                                         SettingName(setting) + "-" + std::to_string(factor) +
                                         ".cir";
                std::ofstream(name)
                    << SimulatedNetlist(drawn, setting, factor, factor == 1 ? 400 : 300);
            }
        }
    }
    return 0;
}
