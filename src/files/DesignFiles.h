// The design files, the defaults file and the last-session file: twelve values under their
// keys, read back by position.
#pragma once

#include <string>
#include <vector>

#include "design/DesignRecord.h"

namespace calbrine {

// A design file read into a record, or the reason it could not be.
struct DesignFileRead {
    bool read = false;
    DesignRecord design;  // the record read; `start` unchanged when the file was not read
    std::string error;    // "The file 'NAME' was not found." when not read
    // How many of the twelve value lines were those of a design file: under their own key
    // ("C37: ..."), or a bare number. None: the file is of another kind.
    int valueLines = 0;
    // What a person would not mean by the file, one a line: a value line under another
    // field's key, a value with text after its number, a file that ends early (ReadNotes.h).
    std::vector<std::string> notes;
};

// Reads a design file over `start`: each value line sets its field, and a file that ends
// early leaves the later fields as `start` has them. Touches no program-wide state.
DesignFileRead ReadDesignRecord(const std::string& name, const DesignRecord& start);
// The design "Get defaults" falls back on and a failed read loads: the worked 40 m example.
DesignRecord BuiltInDesign();
// A design file's text: `firstLine`, the date, the twelve values and the four spare lines.
std::string DesignFileText(const DesignRecord& design, const std::string& firstLine);
// Writes `design` as a design file named `name`; false when it was not written correctly
// (any earlier file of that name is then left as it was).
bool WriteDesignRecord(const DesignRecord& design, const std::string& name);

// The forms the design window uses, over a design of its own:

// Reads the last-session file in the working directory over `design`; false, leaving the
// fields not yet read as they were, when it is missing or unreadable.
bool ReadLastSessionRecord(DesignRecord& design);
// Writes "LastSession.TXT" in the working directory; says so when it was not written correctly.
void WriteLastSessionRecord(const DesignRecord& design);
// What "Read file" and "Get defaults" load: the file read over `current`; when it cannot be
// read, shows the not-found message and gives the built-in values with `current`'s CfineNom.
// Names of fewer than 5 characters give `current` unchanged.
DesignRecord LoadDesignFile(const std::string& name, const DesignRecord& current);
// The same, putting what the reader said of the file (DesignFileRead::notes) into `notes`.
DesignRecord LoadDesignFile(const std::string& name, const DesignRecord& current,
                            std::vector<std::string>& notes);
// Writes a design file; says so when it was not written correctly. Names of fewer than 5
// characters are ignored.
void SaveDesignFile(const DesignRecord& design, const std::string& name);

// The program-wide forms over DesignValues, each one of the forms above:

// Fills DesignValues from the last-session file in the working directory; silent when the
// file is missing or unreadable.
void ReadLastSession();
// Writes DesignValues to "LastSession.TXT" in the working directory.
void WriteLastSession();
// Fills DesignValues from a design file (or "Defaults.TXT"); on failure shows the not-found
// message and loads the built-in values. Names of fewer than 5 characters are ignored.
void ReadDesignFile(const std::string& name);
// The defaults file "Get defaults" reads: "Defaults.TXT" in the working directory when there
// is one, else the first of `shippedCopies` that exists, else "Defaults.TXT" again (whose
// reader then reports it missing).
std::string DefaultsFile(const std::vector<std::string>& shippedCopies);
// Writes DesignValues to a design file. Names of fewer than 5 characters are ignored.
void WriteDesignFile(const std::string& name);

}  // namespace calbrine
