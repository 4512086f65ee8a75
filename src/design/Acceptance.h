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
};

AcceptedEntries AcceptEntries(const std::array<std::string, DesignFieldCount>& typed);

}  // namespace calbrine
