// Design files, the defaults file and the last-session file: one line format of twelve
// values under their keys, read back by position.
#include <cstddef>
#include <string>

#include "design/DesignFields.h"
#include "design/DesignValues.h"
#include "engineering/Characters.h"
#include "engineering/NumberText.h"
#include "engineering/StrictNumber.h"
#include "files/DesignFiles.h"
#include "files/LenientNumber.h"
#include "files/ReadNotes.h"
#include "files/ReplaceFile.h"
#include "files/TextLineReader.h"
#include "services/RunTimeServices.h"

namespace calbrine {

namespace {

const char* const Caption = "Calbrine";
const char* const LastSessionName = "LastSession.TXT";
const char* const DefaultsName = "Defaults.TXT";

const char* const LineEnd = "\r\n";

}  // namespace

std::string DesignFileText(const DesignRecord& design, const std::string& firstLineText) {
    std::string firstLine = firstLineText;
    // A line end inside the first line would shift every value line of the file.
    for (char& c : firstLine) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    std::string text = firstLine + LineEnd + Services().GeneralDateText() + LineEnd + LineEnd;
    for (const DesignField& v : DesignFields) {
        text += std::string(v.name) + ": " + SingleText(design.*v.member) + LineEnd;
    }
    for (int spare = 2; spare <= 5; ++spare) {
        text += "Spare " + std::to_string(spare) + ": " + std::to_string(spare) + LineEnd;
    }
    return text;
}

namespace {

enum class ReadOutcome { Complete, EndOfFile, Failed };

// Steps through the value lines of an open file: empty lines and comments ("*" first) are
// skipped, and a value line gives the text after its first colon (the whole line when it
// has none).
class ValueLines {
  public:
    explicit ValueLines(TextLineReader& reader) : reader_(reader) {}

    // False at the end of the file or on a read error. `key` is the text before the colon,
    // without blanks, or empty.
    bool Next(std::string& valueText, std::string* key = nullptr) {
        std::string line;
        while (reader_.ReadLine(line)) {
            ++number_;
            if (line.empty() || line[0] == '*') {
                continue;
            }
            const std::size_t colon = line.find(':');
            valueText = colon == std::string::npos ? line : line.substr(colon + 1);
            if (key != nullptr) {
                *key = colon == std::string::npos ? "" : WithoutBlanks(line.substr(0, colon));
            }
            return true;
        }
        return false;
    }

    // The number of the line read last, counting from 1.
    int Number() const { return number_; }

  private:
    TextLineReader& reader_;
    int number_ = 0;
};

// Whether a value line is one of a design file: under its own key, or a bare number.
bool IsValueLine(const DesignField& v, const std::string& key, const std::string& text) {
    if (key.empty()) {
        double number = 0;
        return ReadStrictNumber(text, number).empty();
    }
    return FieldNamed(key) == &v;
}

// Reads an open file into `design` field by field; a field is set as soon as its line has
// been read. `found` counts the value lines that are those of a design file; `notes` gets
// what a person would not mean by the file.
ReadOutcome ReadValues(TextLineReader& reader, DesignRecord& design, int& found,
                       std::vector<std::string>& notes) {
    ValueLines lines(reader);
    std::string text;
    std::string key;
    auto stop = [&reader] {
        return reader.Failed() ? ReadOutcome::Failed : ReadOutcome::EndOfFile;
    };
    for (int header = 0; header < 2; ++header) {
        if (!lines.Next(text)) {
            return stop();
        }
    }
    for (std::size_t i = 0; i < DesignFieldCount; ++i) {
        const DesignField& v = DesignFields[i];
        if (!lines.Next(text, &key)) {
            notes.push_back(EndNote(i));
            return stop();
        }
        found += IsValueLine(v, key, text) ? 1 : 0;
        if (!key.empty() && FieldNamed(key) != &v) {
            notes.push_back(PlaceNote(lines.Number(), key, v));
        }
        float single = 0;
        if (!NearestSingle(LenientNumber(text), single)) {
            return ReadOutcome::Failed;  // a number no single can hold
        }
        design.*v.member = single;
        if (const std::string note = ValueNote(v, text, single); !note.empty()) {
            notes.push_back(note);
        }
    }
    for (int spare = 0; spare < 4; ++spare) {
        if (!lines.Next(text)) {
            return stop();
        }
    }
    return ReadOutcome::Complete;
}

// Opens, reads and closes the file; false when it could not be opened or read.
bool ReadFile(const std::string& path, DesignRecord& design, int& found,
              std::vector<std::string>& notes) {
    TextLineReader reader;
    return reader.Open(path) && ReadValues(reader, design, found, notes) != ReadOutcome::Failed;
}

bool ReadFile(const std::string& path, DesignRecord& design) {
    int found = 0;
    std::vector<std::string> notes;
    return ReadFile(path, design, found, notes);
}

}  // namespace

DesignRecord BuiltInDesign() {
    DesignRecord d;
    d.CfineMin = 200e-12f;
    d.CfineMax = 20e-12f;
    d.C39 = 33e-12f;
    d.C37 = 220e-12f;
    d.CcoarseMin = 10e-12f;
    d.CcoarseMax = 240e-12f;
    d.C90 = 33e-12f;
    d.C15 = 180e-12f;
    d.C34 = 470e-12f;
    d.C35 = 470e-12f;
    d.L7 = 7.7e-6f;
    d.IF = 11e6f;
    return d;
}

DesignFileRead ReadDesignRecord(const std::string& name, const DesignRecord& start) {
    DesignFileRead result;
    result.design = start;
    result.read =
        ReadFile(FindFileIgnoringCase(name), result.design, result.valueLines, result.notes);
    if (!result.read) {
        result.error = "The file '" + name + "' was not found.";
    }
    return result;
}

bool WriteDesignRecord(const DesignRecord& design, const std::string& name) {
    return ReplaceFile(name, DesignFileText(design, name));
}

bool ReadLastSessionRecord(DesignRecord& design) {
    return ReadFile(FindFileIgnoringCase(LastSessionName), design);
}

void WriteLastSessionRecord(const DesignRecord& design) {
    if (!ReplaceFile(LastSessionName, DesignFileText(design, "Calbrine last-session file"))) {
        Services().Beep();
        Services().ShowMessage("The last-session file was not written correctly.", Caption);
    }
}

DesignRecord LoadDesignFile(const std::string& name, const DesignRecord& current) {
    std::vector<std::string> notes;
    return LoadDesignFile(name, current, notes);
}

DesignRecord LoadDesignFile(const std::string& name, const DesignRecord& current,
                            std::vector<std::string>& notes) {
    notes.clear();
    if (CharacterCount(name) < 5) {
        return current;
    }
    const DesignFileRead result = ReadDesignRecord(name, current);
    if (result.read) {
        notes = result.notes;
        return result.design;
    }
    Services().ShowMessage(result.error, Caption);
    // The built-in values replace the twelve stored ones; CfineNom stays until the next accept.
    DesignRecord builtIn = BuiltInDesign();
    builtIn.CfineNom = current.CfineNom;
    return builtIn;
}

void SaveDesignFile(const DesignRecord& design, const std::string& name) {
    if (CharacterCount(name) < 5) {
        return;
    }
    if (!WriteDesignRecord(design, name)) {
        Services().Beep();
        Services().ShowMessage("The file was not written correctly.", Caption);
    }
}

void ReadLastSession() {
    // Missing at the first start, and nothing to report otherwise either.
    ReadLastSessionRecord(DesignValues);
}

void WriteLastSession() {
    WriteLastSessionRecord(DesignValues);
}

void ReadDesignFile(const std::string& name) {
    DesignValues = LoadDesignFile(name, DesignValues);
}

std::string DefaultsFile(const std::vector<std::string>& shippedCopies) {
    TextLineReader probe;
    if (probe.Open(FindFileIgnoringCase(DefaultsName))) {
        return DefaultsName;
    }
    for (const std::string& copy : shippedCopies) {
        if (TextLineReader shipped; shipped.Open(copy)) {
            return copy;
        }
    }
    return DefaultsName;
}

void WriteDesignFile(const std::string& name) {
    SaveDesignFile(DesignValues, name);
}

}  // namespace calbrine
