// The design's undo and redo: the design as it was before each accept step, Get defaults,
// Read file or explorer Apply that changed it, several steps back.
#pragma once

#include "design/DesignRecord.h"

namespace calbrine {

// Keeps `before` for undo when DesignValues differ from it now, and forgets the redo steps.
void noteDesignChange(const DesignRecord& before);
// Puts the design of the last change back into DesignValues, keeping the current one for
// redo; false when there is nothing to undo.
bool undoDesignChange();
// Puts back the design the last undo replaced; false when there is nothing to redo.
bool redoDesignChange();

}  // namespace calbrine
