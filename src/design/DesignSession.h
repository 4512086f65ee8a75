// The design a desktop session works on, in one place: the design record, the results of its
// last tuning, the design file and LTspice file used last, the folder the file dialogs open
// in, and the undo and redo of its changes. The windows hand a session to whatever works on
// the design (the design page, its file actions, undo, the explorer and the simulation
// window) and never reach the records any other way.
//
// The program's own session is over the program-wide records, so that the design files, the
// last session, the pictures and every routine that takes those records see what the windows
// show; a session of its own holds records no one else sees (two explorers, a test).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "design/DesignRecord.h"

namespace calbrine {

// The design before each change that changed it, most recent last, and the ones undone.
class DesignHistory {
  public:
    static constexpr std::size_t StepsKept = 100;

    // Keeps `before` for undo when `now` differs from it, and forgets the redo steps.
    void Note(const DesignRecord& before, const DesignRecord& now);
    // Puts the design of the last change into `current`, keeping the current one for redo;
    // false when there is nothing to undo.
    bool Undo(DesignRecord& current);
    // Puts back the design the last undo replaced; false when there is nothing to redo.
    bool Redo(DesignRecord& current);
    std::size_t UndoSteps() const { return undo_.size(); }
    std::size_t RedoSteps() const { return redo_.size(); }

  private:
    std::vector<DesignRecord> undo_;
    std::vector<DesignRecord> redo_;
};

struct DesignSession {
    DesignRecord& design;
    TuningRecord& tuning;
    std::string& fileName;       // the design file read or saved last; empty: none
    std::string& spiceFileName;  // the LTspice file written last
    std::string lastFolder;      // where the file dialogs open
    DesignHistory history;
    // What the last file read or accept step said of what it took ("IF: '9M' read as 9 Hz:
    // write 9E6"), one a line; the design page shows it until the next read or accept.
    std::vector<std::string> notes;
};

// A session with records of its own.
class OwnDesignSession {
  public:
    OwnDesignSession() = default;
    OwnDesignSession(const OwnDesignSession&) = delete;
    OwnDesignSession& operator=(const OwnDesignSession&) = delete;
    DesignSession& Session() { return session_; }

  private:
    DesignRecord design_;
    TuningRecord tuning_;
    std::string fileName_;
    std::string spiceFileName_;
    DesignSession session_{design_, tuning_, fileName_, spiceFileName_, {}, {}, {}};
};

// The program's session, over DesignValues, TuningResults, DesignFileName and SpiceFileName.
DesignSession& ProgramSession();

}  // namespace calbrine
