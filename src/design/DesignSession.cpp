#include "design/DesignSession.h"

#include <cstring>

#include "design/DesignValues.h"
#include "files/SpiceExport.h"

namespace calbrine {

namespace {

bool SameDesign(const DesignRecord& a, const DesignRecord& b) {
    return std::memcmp(&a, &b, sizeof(DesignRecord)) == 0;
}

// Moves `current` onto `keep` and the last of `from` into `current`.
bool StepBetween(std::vector<DesignRecord>& from, std::vector<DesignRecord>& keep,
                 DesignRecord& current) {
    if (from.empty()) {
        return false;
    }
    keep.push_back(current);
    current = from.back();
    from.pop_back();
    return true;
}

}  // namespace

void DesignHistory::Note(const DesignRecord& before, const DesignRecord& now) {
    if (SameDesign(before, now)) {
        return;
    }
    if (undo_.size() == StepsKept) {
        undo_.erase(undo_.begin());
    }
    undo_.push_back(before);
    redo_.clear();
}

bool DesignHistory::Undo(DesignRecord& current) {
    return StepBetween(undo_, redo_, current);
}

bool DesignHistory::Redo(DesignRecord& current) {
    return StepBetween(redo_, undo_, current);
}

DesignSession& ProgramSession() {
    static DesignSession session{
        DesignValues, TuningResults, DesignFileName, SpiceFileName, {}, {}, {}};
    return session;
}

}  // namespace calbrine
