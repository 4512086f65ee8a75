// The design a command works on: read from its file as the design window reads it and
// accepted as the window's accept step takes it, or refused with the reason.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/Parts.h"
#include "design/DesignFields.h"
#include "design/DesignRecord.h"

namespace calbrine {

struct CommandDesign {
    std::optional<DesignRecord> design;  // empty: refused
    std::string error;                   // why it was refused
    // What the reader took that a person would not mean, then values the accept step changed.
    std::vector<std::string> notes;
};

// A value --set puts into the design after it is read.
struct FieldSetting {
    const DesignField* field = nullptr;
    float value = 0;
};

// Reads "FIELD=VALUE" texts (the field's name in any case, the value as strict engineering
// text) into `sets`; empty text, or what is wrong with the first that cannot be read.
std::string ParseFieldSettings(const std::vector<std::string>& texts,
                               std::vector<FieldSetting>& sets);

// Refuses a file that cannot be read, one in which none of the twelve value lines can be
// found ("FILE is not a Calbrine design file") and a design whose frequencies cannot be
// formed as singles. The settings are put in after reading, before the accept step.
CommandDesign ReadCommandDesign(const std::string& file,
                                const std::vector<FieldSetting>& sets = {});

// The design-file reader passes over names of fewer than 5 characters; this gives the same
// file under a longer name, which it reads.
std::string ReadableName(const std::string& file);
// The name as the user gave it, for messages: ReadableName undone.
std::string ShownName(const std::string& file);

// Reads the part settings kept beside the design in FILE.explore (the defaults when there is
// none) and returns empty text, or why that settings file cannot be read, naming it.
std::string KeptPartSettings(const std::string& file, PartSettings& settings);

// The first word of `text` that is a number no figure may be ("nan", "inf"), or empty text.
std::string NonFiniteWord(const std::string& text);

}  // namespace calbrine
