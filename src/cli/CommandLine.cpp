#include "cli/CommandLine.h"

#include <QCommandLineParser>
#include <filesystem>

#include "cli/SimulationCommands.h"
#include "design/Version.h"
#include "engineering/Characters.h"
#include "simulation/SimulatedNetlist.h"

namespace calbrine {

namespace {

struct OptionEntry {
    const char* names;      // "h,help"
    const char* valueName;  // nullptr for a switch
    const char* help;       // lines separated by "\n"
    const char* commands;   // the commands that take it; nullptr for an option of its own
};

constexpr OptionEntry optionTable[] = {
    {"h,help", nullptr, "show this help and exit", nullptr},
    {"v,version", nullptr, "show the version and exit", nullptr},
    {"csv", nullptr, "print a header line and comma-separated numbers",
     "compute curve fit drift simulate montecarlo calibrate"},
    {"steps", "N", "curve: settings of C38 in the table, 2 to 1001\n(default 11)", "curve"},
    {"band", "LOW:HIGH", "fit, calibrate: the RF band to cover, such as\n7M:7.2M", "fit calibrate"},
    {"mix", "sum|diff",
     "fit, calibrate: the mixing product on the band\n(default: the one that reaches it, the "
     "sum\nwhen both do)",
     "fit calibrate"},
    {"solve", "PARTS", "fit: the parts to solve for, L7,C37 (default) or\ncoarse", "fit"},
    {"tc", "PART=PPM",
     "drift: a part's temperature coefficient in ppm per\ndegree C, or a preset: C37=N750, "
     "L7=20; repeatable",
     "drift"},
    {"reading", "POS=HZ",
     "calibrate: what the counter shows with C38 at POS\npercent of its range, such as "
     "50=5.0123M;\ntwo or more",
     "calibrate"},
    {"save", "NEWFILE", "calibrate: write the calibrated design to NEWFILE", "calibrate"},
    {"simulate", nullptr,
     "curve, drift: simulate with ngspice beside the\ncalculation (curve: each step of C38; drift: "
     "at\n"
     "15, 25 and 35 degrees C)",
     "curve drift"},
    {"runs", "N", "montecarlo: copies simulated, 1 to 100000\n(default 100)", "montecarlo"},
    {"seed", "S",
     "montecarlo: where the draw starts, 0 to\n4294967295 (default 1); a seed draws the same\n"
     "parts every time",
     "montecarlo"},
    {"tol", "PART=PERCENT",
     "montecarlo: a part's tolerance in percent, C37=2,\nL7=10; repeatable (default: those kept "
     "in\nFILE.explore, else 5 and L7 10)",
     "montecarlo"},
    {"jobs", "N",
     "simulations: runs side by side in worker\nprocesses, 1 to 64 (default: one per processor)",
     "simulate montecarlo curve drift"},
    {"setting", "NAME", "netlist: VfoMin (default), VfoMax, FineLow or\nFineHigh", "netlist"},
};

struct CommandEntry {
    const char* name;
    const char* help;
};

constexpr CommandEntry commandTable[] = {
    {"compute", "the VFO range, the fine-tune ends and the result lines"},
    {"curve", "the dial table: the tuning at equal steps of C38"},
    {"fit", "the part values that put the design on an RF band"},
    {"drift", "each part's drift with temperature, in Hz per degree C"},
    {"simulate", "the oscillator simulated with ngspice at its four settings"},
    {"montecarlo", "copies with parts drawn within tolerance, simulated"},
    {"calibrate", "the built L7, stray and C38 swing from counter readings"},
    {"netlist", "the ngspice netlist of one setting, as it is simulated"},
};

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
    "calibrate solves L7 and the stray beside C90 from two readings, and C38's swing\n"
    "too from three or more; --save writes the design with them put in.\n"
    "\n"
    "Exit status: 0 on success, 1 when a command fails (a design file that cannot be\n"
    "read, a band the design cannot reach, readings no build of the design gives, a\n"
    "simulation that cannot run), 2 when the command line is wrong.\n";

const CommandEntry* FindCommand(const QString& name) {
    for (const CommandEntry& c : commandTable) {
        if (name == QLatin1String(c.name)) {
            return &c;
        }
    }
    return nullptr;
}

const OptionEntry& FindOption(const QString& name) {
    for (const OptionEntry& o : optionTable) {
        if (QString::fromLatin1(o.names).split(QLatin1Char(',')).contains(name)) {
            return o;
        }
    }
    return optionTable[0];
}

CommandLine Usage(const std::string& error) {
    CommandLine line;
    line.action = CommandAction::UsageError;
    line.error = error;
    return line;
}

// "compute, curve or fit" from "compute curve fit".
std::string Alternatives(const QString& names) {
    const QStringList list = names.split(QLatin1Char(' '));
    std::string text = list.first().toStdString();
    for (int i = 1; i < list.size(); ++i) {
        text += (i + 1 == list.size() ? " or " : ", ") + list[i].toStdString();
    }
    return text;
}

// The first option given that does not go with `command` (empty: no command), or empty text.
std::string MisplacedOption(const QCommandLineParser& parser, const QString& command) {
    for (const QString& name : parser.optionNames()) {
        const OptionEntry& entry = FindOption(name);
        const QString takers = QString::fromLatin1(entry.commands ? entry.commands : "");
        if (!takers.split(QLatin1Char(' ')).contains(command) || command.isEmpty()) {
            return "--" +
                   QString::fromLatin1(entry.names).section(QLatin1Char(','), -1).toStdString() +
                   " goes with " + Alternatives(takers) +
                   (command.isEmpty() ? "" : ", not with " + command.toStdString());
        }
    }
    return "";
}

// The design-file reader passes over names of fewer than 5 characters; the same file under
// a longer name is read.
std::string ReadableName(const QString& file) {
    std::string name = file.toLocal8Bit().toStdString();
    if (CharacterCount(name) < 5 && !name.empty()) {
        name = (name[0] == '/' ? "/." : "./") + name;
    }
    return name;
}

CommandLine SubcommandLine(const QCommandLineParser& parser, const QStringList& positional) {
    const std::string command = positional[0].toStdString();
    if (positional.size() < 2) {
        return Usage(command + " wants a design file: calbrine " + command + " FILE");
    }
    if (positional.size() > 2) {
        return Usage("unexpected argument '" + positional[2].toStdString() + "'");
    }
    const std::string misplaced = MisplacedOption(parser, positional[0]);
    if (!misplaced.empty()) {
        return Usage(misplaced);
    }
    if (command == "fit" && !parser.isSet(QStringLiteral("band"))) {
        return Usage("fit wants --band LOW:HIGH, such as --band 7M:7.2M");
    }
    if (command == "calibrate" && parser.values(QStringLiteral("reading")).size() < 2) {
        return Usage("calibrate wants two or more readings: --reading POS=HZ --reading POS=HZ");
    }
    CommandLine line;
    line.action = CommandAction::Subcommand;
    line.command = command;
    line.file = ReadableName(positional[1]);
    line.csv = parser.isSet(QStringLiteral("csv"));
    const auto value = [&parser](const char* name) {
        return parser.value(QLatin1String(name)).toStdString();
    };
    line.steps = value("steps");
    line.band = value("band");
    line.mix = value("mix");
    line.solve = value("solve");
    if (parser.isSet(QStringLiteral("jobs"))) {
        const std::string wrong = ParseJobs(value("jobs"), line.jobs);
        if (!wrong.empty()) {
            return Usage(wrong);
        }
    }
    line.simulate = parser.isSet(QStringLiteral("simulate"));
    if (line.jobs > 0 && !line.simulate && (command == "curve" || command == "drift")) {
        return Usage("--jobs goes with " + command + " --simulate");
    }
    line.runs = value("runs");
    line.seed = value("seed");
    for (const QString& tol : parser.values(QStringLiteral("tol"))) {
        line.tol.push_back(tol.toStdString());
    }
    if (parser.isSet(QStringLiteral("setting"))) {
        line.setting = value("setting");
        if (!SettingNamed(line.setting)) {
            return Usage("--setting wants VfoMin, VfoMax, FineLow or FineHigh, not '" +
                         line.setting + "'");
        }
    }
    for (const QString& tc : parser.values(QStringLiteral("tc"))) {
        line.tc.push_back(tc.toStdString());
    }
    for (const QString& reading : parser.values(QStringLiteral("reading"))) {
        line.readings.push_back(reading.toStdString());
    }
    line.save = ReadableName(parser.value(QStringLiteral("save")));
    return line;
}

CommandLine WindowLine(const QCommandLineParser& parser, const QStringList& positional) {
    const std::string misplaced = MisplacedOption(parser, QString());
    if (!misplaced.empty()) {
        return Usage(misplaced);
    }
    if (positional.size() > 1) {
        return Usage("unexpected argument '" + positional[1].toStdString() +
                     "': the design window opens one design file");
    }
    // A word that is no file and looks like no file name was meant as a command.
    if (!positional.isEmpty() && !positional[0].contains(QLatin1Char('.')) &&
        !positional[0].contains(QLatin1Char('/')) &&
        !std::filesystem::exists(positional[0].toLocal8Bit().toStdString())) {
        std::string names;
        for (const CommandEntry& c : commandTable) {
            names += std::string(names.empty() ? "" : ", ") + c.name;
        }
        return Usage("unknown command '" + positional[0].toStdString() + "'; the commands are " +
                     names);
    }
    CommandLine line;
    if (!positional.isEmpty()) {
        line.action = CommandAction::OpenDesign;
        line.file = ReadableName(positional[0]);
    }
    return line;
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    for (const OptionEntry& o : optionTable) {
        const QStringList names = QString::fromLatin1(o.names).split(QLatin1Char(','));
        const QString help = QString::fromLatin1(o.help);
        parser.addOption(o.valueName != nullptr
                             ? QCommandLineOption(names, help, QString::fromLatin1(o.valueName))
                             : QCommandLineOption(names, help));
    }
    if (!parser.parse(arguments)) {
        return Usage(parser.errorText().toStdString());
    }
    CommandLine line;
    if (parser.isSet(QStringLiteral("help"))) {
        line.action = CommandAction::Help;
        return line;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        line.action = CommandAction::Version;
        return line;
    }
    const QStringList positional = parser.positionalArguments();
    if (!positional.isEmpty() && FindCommand(positional[0]) != nullptr) {
        return SubcommandLine(parser, positional);
    }
    return WindowLine(parser, positional);
}

std::string HelpText() {
    std::string text = std::string(helpIntroduction) + "\nCommands:\n";
    for (const CommandEntry& c : commandTable) {
        const std::string usage = std::string(c.name) + " FILE";
        text += "  " + usage + std::string(18 - usage.size(), ' ') + c.help + "\n";
    }
    text += "\nOptions:\n";
    for (const OptionEntry& o : optionTable) {
        const QStringList names = QString::fromLatin1(o.names).split(QLatin1Char(','));
        std::string left = names.size() > 1 ? "-" + names[0].toStdString() + ", " : "    ";
        left += "--" + names.last().toStdString();
        if (o.valueName != nullptr) {
            left += std::string(" ") + o.valueName;
        }
        const std::string indent(24, ' ');
        // A long option starts its help on the next line, under the others'.
        text +=
            "  " + left + (left.size() < 21 ? std::string(22 - left.size(), ' ') : "\n" + indent);
        for (const char* c = o.help; *c != '\0'; ++c) {
            text += *c == '\n' ? "\n" + indent : std::string(1, *c);
        }
        text += "\n";
    }
    return text + "\n" + helpClosing;
}

bool DisplayAvailable(const char* platform, const char* x11Display, const char* waylandDisplay) {
    auto given = [](const char* value) { return value != nullptr && *value != '\0'; };
    return given(platform) || given(x11Display) || given(waylandDisplay);
}

std::string VersionAnswer() {
    return std::string("calbrine " CALBRINE_VERSION
                       "\n"
                       "Copyright (C) 2026 The Calbrine developers\n"
                       "This is free software under the MIT License; there is NO WARRANTY.\n");
}

}  // namespace calbrine
