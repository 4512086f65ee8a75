#include "design/Acceptance.h"

#include <algorithm>
#include <cmath>

#include "design/Tuning.h"
#include "engineering/Characters.h"
#include "engineering/EngineeringText.h"
#include "engineering/EntryNote.h"
#include "engineering/NumberText.h"

namespace calbrine {

namespace {

// The value as its box shows it; empty below what the box can show (0.01 pF, 0.1 nH).
std::string BoxText(const DesignField& field, float value) {
    return WithoutBlanks(FieldText(field, value));
}

std::string ValueText(const DesignField& field, float value) {
    if (value == field.floor) {
        return FloorText(field);  // the floors, which the boxes show empty
    }
    const std::string text = BoxText(field, value);
    return text.empty() ? SingleText(value) : text;
}

// What the note line says of one box: its note with the field's name and the text typed, the
// decimal comma's mend, or that the number was larger than a box takes.
std::string EntryLine(const DesignField& field, const std::string& typed, float value,
                      const std::string& note, const std::string& boxText) {
    const std::string start = std::string(field.name) + ": '" + Trimmed(typed) + "' ";
    if (!note.empty()) {
        std::string line = start + note;
        std::string dotted = Trimmed(typed);
        std::replace(dotted.begin(), dotted.end(), ',', '.');
        if (dotted != Trimmed(typed) && IgnoredCharacters(dotted, UnitLetters(field)).empty()) {
            line += ": write " + dotted;
        }
        return line;
    }
    if (std::fabs(value) < ParseLimit) {
        return "";
    }
    return start + "read as " + Trimmed(boxText) + UnitLetters(field) + ", the most a box takes";
}

}  // namespace

AcceptedDesign AcceptDesign(const DesignRecord& read) {
    AcceptedDesign accepted;
    DesignRecord& d = accepted.design;
    d = read;
    for (const DesignField& c : DesignFields) {
        if (c.floor == 0) {
            continue;  // the IF is taken as it stands
        }
        const float stored = read.*c.member;
        // The window's box shows the magnitude, or nothing for a value too small to show, and
        // the accept step floors a box that reads as zero.
        const float magnitude = std::fabs(stored);
        const float taken = BoxText(c, magnitude).empty() ? c.floor : magnitude;
        d.*c.member = taken;
        if (taken != stored) {
            const std::string was =
                stored == 0 ? "0" : (stored < 0 ? "-" : "") + ValueText(c, magnitude);
            accepted.notes.push_back(std::string(c.name) + " is " + was +
                                     " in the file; taken as " + ValueText(c, taken));
        }
    }
    d.CfineNom = NominalFineCapacitance(d);
    return accepted;
}

AcceptedEntries AcceptEntries(const std::array<std::string, DesignFieldCount>& typed) {
    AcceptedEntries accepted;
    DesignRecord& d = accepted.design;
    for (std::size_t i = 0; i < DesignFieldCount; ++i) {
        const DesignField& field = DesignFields[i];
        float& value = d.*field.member;
        ParseEngValue(typed[i], value);
        const float read = value;
        if (field.floor > 0 && value <= 0) {
            value = field.floor;
        }
        accepted.boxTexts[i] = FieldText(field, value);
        accepted.notes[i] = EntryNote(typed[i], UnitLetters(field), read, FloorText(field));
        const std::string line =
            EntryLine(field, typed[i], value, accepted.notes[i], accepted.boxTexts[i]);
        if (!line.empty()) {
            accepted.lines.push_back(line);
        }
    }
    d.CfineNom = NominalFineCapacitance(d);
    return accepted;
}

}  // namespace calbrine
