#include "windows/DesignHistory.h"

#include <cstring>
#include <vector>

#include "design/DesignValues.h"

namespace calbrine {

namespace {

constexpr std::size_t StepsKept = 100;

std::vector<DesignRecord> undoSteps;
std::vector<DesignRecord> redoSteps;

bool sameDesign(const DesignRecord& a, const DesignRecord& b) {
    return std::memcmp(&a, &b, sizeof(DesignRecord)) == 0;
}

// Moves DesignValues onto `keep` and the last of `from` into DesignValues.
bool stepBetween(std::vector<DesignRecord>& from, std::vector<DesignRecord>& keep) {
    if (from.empty()) {
        return false;
    }
    keep.push_back(DesignValues);
    DesignValues = from.back();
    from.pop_back();
    return true;
}

}  // namespace

void noteDesignChange(const DesignRecord& before) {
    if (sameDesign(before, DesignValues)) {
        return;
    }
    if (undoSteps.size() == StepsKept) {
        undoSteps.erase(undoSteps.begin());
    }
    undoSteps.push_back(before);
    redoSteps.clear();
}

bool undoDesignChange() {
    return stepBetween(undoSteps, redoSteps);
}

bool redoDesignChange() {
    return stepBetween(redoSteps, undoSteps);
}

}  // namespace calbrine
