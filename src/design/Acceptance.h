// What the design window's accept step makes of a design read from a file, for the commands
// that read a file without a window: each component at its magnitude (the value its box
// shows), a component of zero at its floor, CfineNom formed.
#pragma once

#include <string>
#include <vector>

#include "design/DesignRecord.h"

namespace calbrine {

struct AcceptedDesign {
    DesignRecord design;
    std::vector<std::string> notes;  // "C37 is -150pF in the file; taken as 150pF", one a change
};

AcceptedDesign AcceptDesign(const DesignRecord& read);

}  // namespace calbrine
