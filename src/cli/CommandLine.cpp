#include "cli/CommandLine.h"

#include <QCommandLineParser>
#include <filesystem>

#include "cli/CommandDesign.h"
#include "design/Version.h"

namespace calbrine {

namespace {

CommandLine Usage(const std::string& error) {
    CommandLine line;
    line.action = CommandAction::UsageError;
    line.error = error;
    return line;
}

// The options given, by their long names, with the values typed.
OptionValues ValuesOf(const QCommandLineParser& parser) {
    OptionValues values;
    for (const QString& given : parser.optionNames()) {
        const std::string name = LongOptionName(given.toStdString());
        if (values.IsSet(name)) {
            continue;
        }
        const QStringList typed = parser.values(QString::fromStdString(name));
        if (typed.isEmpty()) {
            values.Add(name, "");
        }
        for (const QString& value : typed) {
            values.Add(name, value.toStdString());
        }
    }
    return values;
}

// Why the first option given does not go with `command` (none: no command), or why one needs
// another beside it there; or empty text.
std::string MisplacedOption(const OptionValues& values, const CommandEntry* command) {
    for (const std::string& name : values.Given()) {
        if (command == nullptr || !TakesOption(*command, name)) {
            return "--" + name + " goes with " + OptionTakers(name) +
                   (command == nullptr ? "" : ", not with " + std::string(command->name));
        }
    }
    for (const std::string& name : values.Given()) {
        const std::string needs = OptionNeeds(*command, name);
        if (!needs.empty() && !values.IsSet(needs)) {
            return "--" + name + " goes with " + command->name + " --" + needs;
        }
    }
    return "";
}

CommandLine SubcommandLine(const CommandEntry& command, const OptionValues& values,
                           const QStringList& positional) {
    const std::string name = command.name;
    const char* instead = command.insteadOfFile;
    const bool fileless = instead != nullptr && values.IsSet(instead);
    if (fileless && positional.size() > 1) {
        return Usage(name + " takes a design file or --" + instead + ", not both");
    }
    if (positional.size() < 2 && !fileless) {
        return Usage(!command.readsDesign
                         ? name + " wants the file to write: calbrine " + name + " OUT"
                         : name + " wants a design file: calbrine " + name + " FILE" +
                               (instead != nullptr ? std::string(", or --") + instead : ""));
    }
    if (positional.size() > 2) {
        return Usage("unexpected argument '" + positional[2].toStdString() + "'");
    }
    const std::string misplaced = MisplacedOption(values, &command);
    if (!misplaced.empty()) {
        return Usage(misplaced);
    }
    CommandLine line;
    std::string wrong = command.parse(values, line.options);
    if (wrong.empty()) {
        wrong = ParseFieldSettings(values.Values("set"), line.sets);
    }
    if (!wrong.empty()) {
        return Usage(wrong);
    }
    line.action = CommandAction::Subcommand;
    line.command = &command;
    line.file = fileless ? "" : ReadableName(positional[1].toLocal8Bit().toStdString());
    return line;
}

CommandLine WindowLine(const OptionValues& values, const QStringList& positional) {
    // A word that is no file and looks like no file name was meant as a command.
    if (!positional.isEmpty() && !positional[0].contains(QLatin1Char('.')) &&
        !positional[0].contains(QLatin1Char('/')) &&
        !std::filesystem::exists(positional[0].toLocal8Bit().toStdString())) {
        std::string names;
        for (const CommandEntry& c : CommandTable()) {
            names += std::string(names.empty() ? "" : ", ") + c.name;
        }
        return Usage("unknown command '" + positional[0].toStdString() + "'; the commands are " +
                     names);
    }
    const std::string misplaced = MisplacedOption(values, nullptr);
    if (!misplaced.empty()) {
        return Usage(misplaced);
    }
    if (positional.size() > 1) {
        return Usage("unexpected argument '" + positional[1].toStdString() +
                     "': the design window opens one design file");
    }
    CommandLine line;
    if (!positional.isEmpty()) {
        line.action = CommandAction::OpenDesign;
        line.file = ReadableName(positional[0].toLocal8Bit().toStdString());
    }
    return line;
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    for (const OptionEntry& o : OptionTable()) {
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
    const OptionValues values = ValuesOf(parser);
    const QStringList positional = parser.positionalArguments();
    const CommandEntry* command =
        positional.isEmpty() ? nullptr : FindCommand(positional[0].toStdString());
    return command != nullptr ? SubcommandLine(*command, values, positional)
                              : WindowLine(values, positional);
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
