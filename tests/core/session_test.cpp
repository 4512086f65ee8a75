// The design session: the program's own is over the program-wide records, one of its own sees
// nothing of them, and the history of changes keeps 100 steps, cut when a change follows an
// undo.
#include <gtest/gtest.h>

#include "../support/Fixtures.h"
#include "design/DesignSession.h"
#include "design/DesignValues.h"
#include "files/SpiceExport.h"

using namespace calbrine;

namespace {

DesignRecord Numbered(int n) {
    DesignRecord d = calbrine_test::workedExample;
    d.C37 = static_cast<float>(n) * 1e-12f;
    return d;
}

}  // namespace

TEST(DesignSession, TheProgramsIsOverTheProgramWideRecordsAndAnOwnSeesNoneOfThem) {
    DesignSession& program = ProgramSession();
    EXPECT_EQ(&program.design, &DesignValues);
    EXPECT_EQ(&program.tuning, &TuningResults);
    EXPECT_EQ(&program.fileName, &DesignFileName);
    EXPECT_EQ(&program.spiceFileName, &SpiceFileName);
    OwnDesignSession a, b;
    a.Session().design = Numbered(1);
    a.Session().fileName = "a.TXT";
    b.Session().design = Numbered(2);
    EXPECT_EQ(b.Session().fileName, "");
    EXPECT_EQ(a.Session().design.C37, 1e-12f);
    EXPECT_NE(&a.Session().design, &DesignValues);
    EXPECT_NE(&a.Session().design, &b.Session().design);
}

TEST(DesignSession, HistoryKeepsAHundredStepsAndANewChangeCutsTheRedo) {
    DesignHistory history;
    DesignRecord current = Numbered(0);
    // 101 changes: the oldest step goes, the hundred newest stay.
    for (int n = 1; n <= 101; ++n) {
        const DesignRecord before = current;
        current = Numbered(n);
        history.Note(before, current);
        EXPECT_EQ(history.UndoSteps(), static_cast<std::size_t>(std::min(n, 100)));
    }
    history.Note(current, current);  // no change, no step
    EXPECT_EQ(history.UndoSteps(), 100u);
    for (int n = 100; n >= 1; --n) {
        ASSERT_TRUE(history.Undo(current));
        EXPECT_EQ(current.C37, Numbered(n).C37);
    }
    EXPECT_FALSE(history.Undo(current));  // Numbered(0) went with the 101st change
    EXPECT_EQ(current.C37, Numbered(1).C37);
    ASSERT_TRUE(history.Redo(current));
    EXPECT_EQ(current.C37, Numbered(2).C37);
    // A new change after an undo: nothing left to redo, and undo goes back to before it.
    const DesignRecord before = current;
    current = Numbered(500);
    history.Note(before, current);
    EXPECT_EQ(history.RedoSteps(), 0u);
    EXPECT_FALSE(history.Redo(current));
    EXPECT_EQ(current.C37, Numbered(500).C37);
    ASSERT_TRUE(history.Undo(current));
    EXPECT_EQ(current.C37, Numbered(2).C37);
}
