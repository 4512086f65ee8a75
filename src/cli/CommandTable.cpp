#include "cli/CommandTable.h"

#include <algorithm>
#include <optional>
#include <sstream>

namespace calbrine {

namespace {

// The table's form of a command's parse and run, over the command's own typed options.
template <typename Options, std::string (*Parse)(const OptionValues&, Options&),
          CommandResult (*Run)(const Options&, const CommandInput&)>
CommandEntry Entry(const char* name, const char* summary, const char* options) {
    return {name, summary, options,
            [](const OptionValues& values, CommandOptions& typed) {
                Options read;
                std::string wrong = Parse(values, read);
                typed = std::move(read);
                return wrong;
            },
            [](const CommandOptions& typed, const CommandInput& input) {
                return Run(std::get<Options>(typed), input);
            }};
}

CommandEntry WritingEntry(CommandEntry entry) {
    entry.readsDesign = false;
    return entry;
}

// The entry of a command that may be given `option` in place of its design file.
CommandEntry FileOrOption(CommandEntry entry, const char* option) {
    entry.insteadOfFile = option;
    return entry;
}

CommandEntry PaintingEntry(CommandEntry entry) {
    entry.paints = true;
    return entry;
}

// The option names of an entry of the options table: "h,help" gives "h" and "help".
std::vector<std::string> NamesOf(const OptionEntry& option) {
    std::vector<std::string> names;
    std::istringstream list(option.names);
    for (std::string name; std::getline(list, name, ',');) {
        names.push_back(name);
    }
    return names;
}

// A command's options as "name" and what it needs ("" or "simulate"), in the table's order.
std::vector<std::pair<std::string, std::string>> UsesOf(const CommandEntry& command) {
    std::vector<std::pair<std::string, std::string>> uses;
    std::istringstream list(command.options);
    for (std::string word; list >> word;) {
        const std::size_t colon = word.find(':');
        uses.emplace_back(word.substr(0, colon),
                          colon == std::string::npos ? "" : word.substr(colon + 1));
    }
    return uses;
}

// What `command` needs beside `option` ("" for nothing), or none when it does not take it.
std::optional<std::string> UseOf(const CommandEntry& command, const std::string& option) {
    for (const auto& [name, needs] : UsesOf(command)) {
        if (name == option) {
            return needs;
        }
    }
    return std::nullopt;
}

const char* const helpIntroduction =
    "Usage: calbrine [FILE]\n"
    "  or:  calbrine COMMAND FILE [OPTION]...\n"
    "Design the variable-frequency oscillator (VFO) of a radio transceiver.\n"
    "\n"
    "Without FILE Calbrine opens at its welcome window; with a design file (.TXT) it\n"
    "opens the design window with that design read. A COMMAND prints its results\n"
    "instead of opening a window.\n";

const char* const helpClosing =
    "Numbers take engineering text: 4.7p, 22n, 7.7u, 7M. Plain output is a table;\n"
    "with --csv it is a header line and plain numbers with \".\" and 9 significant\n"
    "digits. drift and montecarlo use the part settings kept beside a design in\n"
    "FILE.explore.\n"
    "\n"
    "quality simulates each setting until settled, then from there at fixed time\n"
    "steps (the same steps in every run) with the supply 0.5 V up and down\n"
    "(pushing, Hz/V) and with --load (pulling, Hz), and lets the resonator ring\n"
    "down with the supply off: the decay of L7's current gives its loaded Q, which\n"
    "with L7's peak current gives the phase noise by Leeson's model, an estimate (a\n"
    "few dB). min_coil_q is the lowest Q of L7 at which the oscillator still\n"
    "starts, within 3 %, and startup_margin the set Q over it (empty for the ideal\n"
    "coil). Starts means: run from the supply's step at twice the planned step, the\n"
    "output's swing, averaged over blocks of 10 periods after the first 40, grows\n"
    "by more than 0.2 % a period, or holds within that at 10 mV or more; it dies\n"
    "out when it shrinks, not ever more slowly, by more than 0.2 % a period below\n"
    "10 mV. Undecided after 600 periods, it starts when the swing shrinks by less\n"
    "than 0.1 % a period. A setting that does not oscillate has every figure empty.\n"
    "fit --simulate fits again until both simulated band edges lie within 200 Hz\n"
    "of the band's, for at most five rounds; with --csv the rows simulated_low_hz\n"
    "and simulated_high_hz follow the parts.\n"
    "\n"
    "calibrate solves L7 and the stray beside C90 from two readings, and C38's swing\n"
    "too from three or more; --save writes the design with them put in.\n"
    "\n"
    "parts buys each fixed capacitor from the series: the nearest value, or the pair\n"
    "in parallel nearest the design when one part is more than 1 % off. coil winds\n"
    "FILE's L7, or --inductance without FILE, on the --core named. sheet prints\n"
    "both, the drift compensation and the ranges as designed and as bought on one\n"
    "page, as the PDF file --pdf names.\n"
    "\n"
    "heatrun takes the drift as the least-squares slope of the readings and splits\n"
    "--part into an NP0 and a --kind part of the series, the pair within 2 % of its\n"
    "value whose predicted drift is nearest 0; it fails when none brings it nearer.\n"
    "\n"
    "Exit status: 0 on success, 1 when a command fails (a design file that cannot be\n"
    "read, a band the design cannot reach, readings no build of the design gives, a\n"
    "drift no pair cancels, a simulation that cannot run), 2 when the command line is\n"
    "wrong.\n";

// An option's line of the help: its names, then its help, a long option's on the next line.
std::string OptionHelp(const OptionEntry& option) {
    const std::vector<std::string> names = NamesOf(option);
    std::string left = names.size() > 1 ? "-" + names.front() + ", " : "    ";
    left += "--" + names.back();
    if (option.valueName != nullptr) {
        left += std::string(" ") + option.valueName;
    }
    const std::string indent(24, ' ');
    std::string text =
        "  " + left + (left.size() < 21 ? std::string(22 - left.size(), ' ') : "\n" + indent);
    for (const char* c = option.help; *c != '\0'; ++c) {
        text += *c == '\n' ? "\n" + indent : std::string(1, *c);
    }
    return text + "\n";
}

}  // namespace

const std::vector<OptionEntry>& OptionTable() {
    static const std::vector<OptionEntry> table = {
        {"h,help", nullptr, "show this help and exit"},
        {"v,version", nullptr, "show the version and exit"},
        {"csv", nullptr, "print a header line and comma-separated numbers"},
        {"steps", "N", "curve: settings of C38 in the table, 2 to 1001\n(default 11)"},
        {"band", "LOW:HIGH", "fit, calibrate: the RF band to cover, such as\n7M:7.2M"},
        {"mix", "sum|diff",
         "fit, calibrate: the mixing product on the band\n(default: the one that reaches it, "
         "the sum\nwhen both do)"},
        {"solve", "PARTS", "fit: the parts to solve for, L7,C37 (default) or\ncoarse"},
        {"tc", "PART=PPM",
         "drift: a part's temperature coefficient in ppm per\ndegree C, or a preset: C37=N750, "
         "L7=20,\nL7=T50-6 (the core's mix); repeatable"},
        {"reading", "POS=HZ",
         "calibrate: what the counter shows with C38 at POS\npercent of its range, such as "
         "50=5.0123M;\ntwo or more. heatrun: TEMP=HZ, the counter at\nTEMP degrees C, such as "
         "25=7.0123M; at two or\nmore temperatures from -40 to 85"},
        {"save", "NEWFILE",
         "calibrate, parts, heatrun, fit: write the\ncalibrated design, the design as bought, the\n"
         "compensated design (its coefficient in\nNEWFILE.explore) or the fitted design to "
         "NEWFILE"},
        {"counter-error", "HZ",
         "calibrate: the counter's error, one standard\ndeviation, that each solved value's "
         "\xC2\xB1 is for\n(default 10)"},
        {"simulate", nullptr,
         "curve, drift, fit: simulate with ngspice beside\nthe calculation (curve: each step of "
         "C38; drift:\nat 15, 25 and 35 degrees C; fit: the band's ends,\nfitted again until "
         "both lie within 200 Hz)"},
        {"runs", "N", "montecarlo: copies simulated, 1 to 100000\n(default 100)"},
        {"seed", "S",
         "montecarlo: where the draw starts, 0 to\n4294967295 (default 1); a seed draws the "
         "same\nparts every time"},
        {"tol", "PART=PERCENT",
         "montecarlo: a part's tolerance in percent, C37=2,\nL7=10; repeatable (default: those "
         "kept in\nFILE.explore, else 5 and L7 10)"},
        {"jobs", "N",
         "simulations: runs side by side in worker\nprocesses, 1 to 64 (default: one per "
         "processor)"},
        {"set", "FIELD=VALUE",
         "every command: the design's value of FIELD\n(CfineMin ... L7, IF) set to VALUE "
         "after the\nfile is read; repeatable"},
        {"setting", "NAME",
         "netlist: VfoMin (default), VfoMax, FineLow or\nFineHigh. heatrun: VfoMin (default), "
         "VfoMax or\nC38's position in percent, such as 50"},
        {"coil-q", "Q",
         "simulations, netlist: L7's quality factor, a\nresistor of 2 pi f L7 / Q in series with "
         "it, f\nthe calculated mid-band frequency; 0 an ideal\ncoil (default: the Q kept in "
         "FILE.explore, else\n150)"},
        {"load", "R", "quality: the load from the output to ground for\nthe pulling (default 1k)"},
        {"nf", "DB",
         "quality: the transistor stage's noise figure for\nLeeson's model (default 6)"},
        {"flicker", "HZ", "quality: the flicker corner for Leeson's model\n(default 1k)"},
        {"bandwidth", "HZ",
         "quality: the receiver's bandwidth for the\nreciprocal-mixing range (default 2.4k)"},
        {"series", "E6|E12|E24",
         "parts, heatrun, sheet: the value series the\ncapacitors are bought from (default E12)"},
        {"part", "PART",
         "heatrun: the fixed capacitor split into an NP0 and\na negative-coefficient part "
         "(default C37)"},
        {"kind", "NAME",
         "heatrun: the negative-coefficient part, N150,\nN220, N330, N470 or N750 (default)"},
        {"inductance", "L", "coil: the inductance to wind, such as 7.7u, in\nplace of FILE's L7"},
        {"core", "NAME",
         "coil, sheet: an iron-powder toroid such as T50-6\nor T68-2, or air (sheet's default "
         "T50-6)"},
        {"wire", "WIRE",
         "coil, sheet: AWG26 or 0.4mm (default: on a toroid\nthe thickest gauge that winds one "
         "layer, on\nair AWG22)"},
        {"form", "D", "coil, sheet: the air coil's form diameter, 1mm to\n100mm (default 10mm)"},
        {"pdf", "OUT", "sheet: the PDF file the build sheet is written to"},
    };
    return table;
}

const std::vector<CommandEntry>& CommandTable() {
    static const std::vector<CommandEntry> table = {
        Entry<ComputeOptions, ParseComputeOptions, ComputeCommand>(
            "compute", "the VFO range, the fine-tune ends and the result lines", "csv"),
        Entry<CurveOptions, ParseCurveOptions, CurveCommand>(
            "curve", "the dial table: the tuning at equal steps of C38",
            "csv steps simulate jobs:simulate coil-q:simulate"),
        Entry<FitOptions, ParseFitOptions, FitCommand>(
            "fit", "the part values that put the design on an RF band",
            "csv band mix solve simulate jobs:simulate coil-q:simulate save"),
        Entry<DriftOptions, ParseDriftOptions, DriftCommand>(
            "drift", "each part's drift with temperature, in Hz per degree C",
            "csv tc simulate jobs:simulate coil-q:simulate"),
        Entry<SimulateOptions, ParseSimulateOptions, SimulateCommand>(
            "simulate", "the oscillator simulated with ngspice at its four settings",
            "csv jobs coil-q"),
        Entry<MonteCarloOptions, ParseMonteCarloOptions, MonteCarloCommand>(
            "montecarlo", "copies with parts drawn within tolerance, simulated",
            "csv runs seed tol jobs coil-q"),
        Entry<QualityCommandOptions, ParseQualityOptions, QualityCommand>(
            "quality", "pushing, pulling and phase noise at the four settings, simulated",
            "csv jobs coil-q load nf flicker bandwidth"),
        Entry<CalibrateOptions, ParseCalibrateOptions, CalibrateCommand>(
            "calibrate", "the built L7, stray and C38 swing from counter readings",
            "csv band mix reading save counter-error"),
        Entry<NetlistOptions, ParseNetlistOptions, NetlistCommand>(
            "netlist", "the ngspice netlist of one setting, as it is simulated", "setting coil-q"),
        WritingEntry(Entry<NewOptions, ParseNewOptions, NewCommand>(
            "new", "a design file written from the example design", "")),
        Entry<PartsOptions, ParsePartsOptions, PartsCommand>(
            "parts", "the fixed capacitors as bought, and the design as bought", "csv series save"),
        Entry<HeatRunOptions, ParseHeatRunOptions, HeatRunCommand>(
            "heatrun", "the drift of a heat run, and the capacitors that cancel it",
            "csv reading setting part kind series save"),
        FileOrOption(Entry<CoilOptions, ParseCoilOptions, CoilCommand>(
                         "coil", "L7 as turns on an iron-powder toroid, or an air coil",
                         "csv inductance core wire form"),
                     "inductance"),
        PaintingEntry(Entry<SheetOptions, ParseSheetOptions, SheetCommand>(
            "sheet", "the build sheet: values, parts, coil, drift, ranges",
            "pdf series core wire form")),
    };
    return table;
}

const CommandEntry* FindCommand(const std::string& name) {
    for (const CommandEntry& command : CommandTable()) {
        if (name == command.name) {
            return &command;
        }
    }
    return nullptr;
}

std::string LongOptionName(const std::string& name) {
    for (const OptionEntry& option : OptionTable()) {
        const std::vector<std::string> names = NamesOf(option);
        if (std::find(names.begin(), names.end(), name) != names.end()) {
            return names.back();
        }
    }
    return name;
}

bool TakesOption(const CommandEntry& command, const std::string& option) {
    return option == "set" || UseOf(command, option).has_value();
}

std::string OptionNeeds(const CommandEntry& command, const std::string& option) {
    return UseOf(command, option).value_or("");
}

std::string OptionTakers(const std::string& option) {
    std::vector<std::string> alone;
    std::vector<std::string> beside;
    for (const CommandEntry& command : CommandTable()) {
        if (TakesOption(command, option)) {
            (OptionNeeds(command, option).empty() ? alone : beside).push_back(command.name);
        }
    }
    alone.insert(alone.end(), beside.begin(), beside.end());
    std::string text;
    for (std::size_t i = 0; i < alone.size(); ++i) {
        text += (i == 0 ? "" : i + 1 == alone.size() ? " or " : ", ") + alone[i];
    }
    return text;
}

std::string HelpText() {
    std::string text = std::string(helpIntroduction) + "\nCommands:\n";
    for (const CommandEntry& c : CommandTable()) {
        const std::string usage = std::string(c.name) + (c.readsDesign ? " FILE" : " OUT");
        text += "  " + usage + std::string(18 - usage.size(), ' ') + c.summary + "\n";
    }
    text += "\nOptions:\n";
    for (const OptionEntry& option : OptionTable()) {
        text += OptionHelp(option);
    }
    return text + "\n" + helpClosing;
}

}  // namespace calbrine
