// The accept step: what the design window makes of the texts typed in its boxes, and what it
// makes of a design read from a file, for the commands that read a file without a window: each
// component at its magnitude (the value its box shows), a component of zero at its floor,
// CfineNom formed.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "design/DesignFields.h"
#include "design/DesignRecord.h"

namespace calbrine {

struct AcceptedDesign {
    DesignRecord design;
    std::vector<std::string> notes;  // "C37 is -150pF in the file; taken as 150pF", one a change
};

AcceptedDesign AcceptDesign(const DesignRecord& read);

// What the design window's accept step makes of the texts typed in its boxes, in the order of
// DesignFields: each read as engineering text, a component of zero or less at its floor (the
// IF as it reads), the text each box shows afterwards, and what each box's note says of an
// entry not taken in full (EntryNote; empty when it was).
struct AcceptedEntries {
    DesignRecord design;
    std::array<std::string, DesignFieldCount> boxTexts;
    std::array<std::string, DesignFieldCount> notes;
    // What the design page's note line says of the entries, one a line, in the boxes' order:
    // "C37: '4,7p' read as 47pF: ',' ignored: write 4.7p", a value raised to its floor, a number
    // larger than a box takes. Empty when every entry was taken as typed.
    std::vector<std::string> lines;
};

AcceptedEntries AcceptEntries(const std::array<std::string, DesignFieldCount>& typed);

}  // namespace calbrine
