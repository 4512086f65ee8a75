#include <cmath>

#include "analysis/ReportText.h"
#include "design/Tuning.h"
#include "engineering/NumberText.h"
#include "runs/Quality.h"
#include "simulation/SimulationText.h"

namespace calbrine {

namespace {

// A level in dB with one decimal: "-123.4".
std::string Decibels(float db) {
    return PlainNumber(RoundHalfAway(db, 1), 6);
}

// Three significant digits, or whole units: "68.1 Hz/V", "-2190 Hz".
TableCell Cell(const std::optional<double>& value, const std::string& unit, bool whole) {
    if (!value) {
        return {"", ""};
    }
    return {(whole ? PlainNumber(std::round(*value)) : PlainNumber(*value, 3)) + unit,
            PlainNumber(*value)};
}

std::string OffsetName(float hz) {
    return FrequencyText(hz) + "Hz";
}

}  // namespace

ReportTable QualityTable(const QualityOutcome& outcome) {
    ReportTable table;
    table.columns = {{"Setting", "setting"},          {"Simulated", "simulated_hz"},
                     {"Lowest Q", "min_coil_q"},      {"Margin", "startup_margin"},
                     {"Pushing", "pushing_hz_per_v"}, {"Pulling", "pulling_hz"},
                     {"Loaded Q", "loaded_q"},        {"Tank power", "tank_power_w"}};
    for (float hz : PhaseNoiseOffsetsHz) {
        const std::string k = hz >= 1e3f ? PlainNumber(hz / 1e3f) + "khz" : PlainNumber(hz) + "hz";
        table.columns.push_back({"PN " + OffsetName(hz), "pn_" + k + "_dbc"});
    }
    for (float hz : RmdrOffsetsHz) {
        table.columns.push_back(
            {"RMDR " + OffsetName(hz), "rmdr_" + PlainNumber(hz / 1e3f) + "khz_db"});
    }
    table.columns.push_back({"L7 peak", ""});
    for (const SettingQuality& q : outcome.settings) {
        const std::string name = SettingName(q.setting);
        std::vector<TableCell> row{{name, name}};
        row.push_back(q.oscillates
                          ? TableCell{WholeHertz(q.simulatedHz), PlainNumber(q.simulatedHz)}
                          : TableCell{"none", ""});
        row.push_back(Cell(q.minCoilQ, "", false));
        row.push_back(Cell(q.startupMargin, "", false));
        row.push_back(Cell(q.pushingHzPerV, " Hz/V", false));
        row.push_back(Cell(q.pullingHz, " Hz", true));
        if (q.leeson) {
            row.push_back({PlainNumber(q.leeson->loadedQ, 3), PlainNumber(q.leeson->loadedQ)});
            row.push_back(
                {FrequencyText(q.leeson->tankPowerW) + "W", PlainNumber(q.leeson->tankPowerW)});
            for (float db : q.phaseNoiseDbc) {
                row.push_back({Decibels(db), PlainNumber(db)});
            }
            for (float db : q.rmdrDb) {
                row.push_back({Decibels(db), PlainNumber(db)});
            }
        } else {
            row.resize(row.size() + 2 + PhaseNoiseOffsetsHz.size() + RmdrOffsetsHz.size(),
                       TableCell{"", ""});
        }
        row.push_back({q.oscillates ? FrequencyText(q.coilPeakAmps) + "A" : "", ""});
        table.rows.push_back(row);
    }
    return table;
}

std::string QualityReport(const QualityOutcome& outcome) {
    const QualityOptions& o = outcome.options;
    std::string text =
        "How good the oscillator is, simulated with L7's Q at " +
        (outcome.coilQ > 0 ? PlainNumber(outcome.coilQ, 6) : std::string("ideal (no loss)")) +
        "\n\nPushing: Hz per volt of the supply, from runs at the supply " +
        PlainNumber(PushingVolts) + " V above and below, at fixed time steps.\nPulling: the " +
        "change in Hz with " + PlainNumber(o.loadOhms, 6) +
        " ohm from the output to ground.\nPhase noise in dBc/Hz and RMDR in dB by Leeson's "
        "model, an estimate (a few dB), not a measurement: F " +
        PlainNumber(o.noiseFigureDb, 6) + " dB, flicker corner " + OffsetName(o.flickerHz) +
        ", T " + PlainNumber(NoiseTemperatureK) + " K, receiver bandwidth " +
        OffsetName(o.bandwidthHz) +
        "; f0 the simulated frequency, the loaded Q from the ring-down of L7's current with the "
        "supply off, the tank power from L7's peak current.\nLowest Q: the lowest Q of L7 at which "
        "it "
        "still starts (within 3 %), from runs from the supply's step at twice the planned "
        "step (the help, F1 or `calbrine --help`, says what starts means); margin: L7's Q over "
        "it.\n\n" +
        QualityTable(outcome).Text();
    for (const SettingQuality& q : outcome.settings) {
        if (!q.oscillates) {
            text += std::string(SettingName(q.setting)) + " does not oscillate: no figures.\n";
        }
    }
    return text;
}

}  // namespace calbrine
