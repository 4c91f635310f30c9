// The history behind Edit > Undo and Redo, and the "*" and menu items that follow it.

#include "core/UndoStack.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TestSession.h"

namespace ravelin {
namespace {

using testing::TestSession;

// A document of a few numbers; a step sets one of them, and steps on the
// same number join (as letters typed into one field do).
struct Numbers {
    std::vector<int> values = std::vector<int>(4, 0);
    UndoStack history;
    UndoStack* steps = &history;  // or a window's history

    struct Set final : UndoCommand {
        Numbers& doc;
        std::size_t at;
        int before;
        int after;
        Set(Numbers& d, std::size_t i, int b, int a) : doc(d), at(i), before(b), after(a) {}
        void undo() override { doc.values[at] = before; }
        void redo() override { doc.values[at] = after; }
        bool absorb(UndoCommand& next) override {
            auto* set = dynamic_cast<Set*>(&next);
            if (!set || set->at != at) return false;
            after = set->after;
            return true;
        }
    };

    void set(std::size_t i, int value) {
        const int before = values[i];
        values[i] = value;
        steps->push(std::make_unique<Set>(*this, i, before, value));
    }
};

TEST(UndoStackTest, UndoAndRedoWalkTheStepsAndANewChangeDropsWhatWasUndone) {
    Numbers doc;
    doc.set(0, 1);
    doc.history.breakJoin();
    doc.set(0, 2);
    doc.set(1, 5);
    ASSERT_EQ(doc.history.size(), 3u);
    doc.history.undo();
    doc.history.undo();
    EXPECT_EQ(doc.values, (std::vector<int>{1, 0, 0, 0}));
    doc.history.redo();
    EXPECT_EQ(doc.values, (std::vector<int>{2, 0, 0, 0}));
    EXPECT_TRUE(doc.history.canRedo());

    doc.set(2, 7);  // the undone step on number 1 is gone
    EXPECT_FALSE(doc.history.canRedo());
    for (int i = 0; i < 5; ++i) doc.history.undo();  // more than there is: stops at the start
    EXPECT_EQ(doc.values, (std::vector<int>{0, 0, 0, 0}));
    EXPECT_FALSE(doc.history.canUndo());
    for (int i = 0; i < 5; ++i) doc.history.redo();
    EXPECT_EQ(doc.values, (std::vector<int>{2, 0, 7, 0}));
}

TEST(UndoStackTest, StepsJoinUntilBrokenUndoneOrSaved) {
    Numbers doc;
    doc.set(0, 1);
    doc.set(0, 2);  // joins
    doc.set(1, 3);  // another number: a step of its own
    EXPECT_EQ(doc.history.size(), 2u);

    doc.history.breakJoin();
    doc.set(1, 4);
    EXPECT_EQ(doc.history.size(), 3u);

    doc.history.undo();
    doc.set(1, 9);  // after an undo, never into the step before
    EXPECT_EQ(doc.history.size(), 3u);
    doc.history.undo();
    EXPECT_EQ(doc.values[1], 3);

    doc.history.redo();
    doc.history.setClean();
    doc.set(1, 10);  // the saved state would be lost by a join
    EXPECT_EQ(doc.history.size(), 4u);
    doc.history.undo();
    EXPECT_FALSE(doc.history.modified());
    EXPECT_EQ(doc.values[1], 9);
}

TEST(UndoStackTest, TheSavedStateIsFoundAgainByUndoAndRedoUntilItCannotBeReached) {
    Numbers doc;
    EXPECT_FALSE(doc.history.modified());  // a new document is as it was made
    doc.set(0, 1);
    doc.set(1, 1);
    EXPECT_TRUE(doc.history.modified());
    doc.history.setClean();
    EXPECT_FALSE(doc.history.modified());
    doc.history.undo();
    EXPECT_TRUE(doc.history.modified());  // Undo after a save: the document differs from its file
    doc.history.redo();
    EXPECT_FALSE(doc.history.modified());

    // A new change after undoing past the save: no step leads back to the file any more.
    doc.history.undo();
    doc.history.undo();
    doc.set(2, 5);
    doc.history.undo();
    doc.set(1, 1);
    EXPECT_EQ(doc.values, (std::vector<int>{0, 1, 0, 0}));
    EXPECT_TRUE(doc.history.modified());
    doc.history.setClean();

    // A change made without a step: modified whatever Undo does, until saved.
    doc.history.changedWithoutRecord();
    doc.history.undo();
    doc.history.redo();
    EXPECT_TRUE(doc.history.modified());

    doc.history.clear();
    EXPECT_FALSE(doc.history.modified());
    EXPECT_FALSE(doc.history.canUndo());
}

TEST(UndoStackTest, AStepPushedWhileAnotherIsUndoneIsNoNewChange) {
    // A window's change handlers run while a step puts its fields back: they must not record.
    struct Echo final : UndoCommand {
        UndoStack& history;
        int& undone;
        Echo(UndoStack& h, int& u) : history(h), undone(u) {}
        void undo() override {
            ++undone;
            EXPECT_TRUE(history.replaying());
            history.push(std::make_unique<Echo>(history, undone));
        }
        void redo() override { history.push(std::make_unique<Echo>(history, undone)); }
    };
    UndoStack history;
    int undone = 0;
    history.push(std::make_unique<Echo>(history, undone));
    history.undo();
    EXPECT_EQ(undone, 1);
    EXPECT_FALSE(history.replaying());
    EXPECT_EQ(history.size(), 1u);
    history.redo();
    EXPECT_EQ(history.size(), 1u);
    EXPECT_EQ(history.index(), 1u);
}

TEST(UndoStackTest, TheLimitDropsTheOldestStepsAndWithThemTheSavedState) {
    Numbers doc;
    doc.history.setLimit(3);
    for (int i = 1; i <= 2; ++i) {
        doc.set(static_cast<std::size_t>(i), i);
        doc.history.breakJoin();
    }
    doc.history.setClean();  // after two steps
    doc.set(3, 3);
    EXPECT_EQ(doc.history.size(), 3u);
    doc.set(0, 4);  // the first step goes; the saved state is still one undo away
    EXPECT_EQ(doc.history.size(), 3u);
    doc.history.undo();
    doc.history.undo();
    EXPECT_FALSE(doc.history.modified());
    EXPECT_EQ(doc.values, (std::vector<int>{0, 1, 2, 0}));

    doc.history.redo();
    doc.history.redo();
    doc.set(1, 8);
    doc.history.breakJoin();
    doc.set(2, 9);  // the saved state's step has gone: it cannot be reached again
    for (int i = 0; i < 3; ++i) doc.history.undo();
    EXPECT_TRUE(doc.history.modified());
    EXPECT_FALSE(doc.history.canUndo());
}

// ------------------------------------------------------------- a window's history

struct Editable : Form {
    explicit Editable(Session& s) : Form(s, "frmEditable", "Notes") {}
    int commits = 0;

protected:
    void onCommitEdit() override { ++commits; }
};

TEST(WindowHistoryTest, TheCaptionMarkerAndTheEditMenuFollowTheActiveWindowsHistory) {
    TestSession t;
    t.session.registerForm("frmEditable", [](Session& s) { return std::make_unique<Editable>(s); });
    auto& notes = dynamic_cast<Editable&>(t.session.createForm("frmEditable"));
    Control& undo = t.main->menuItem("mnuEditUndo");
    Control& redo = t.main->menuItem("mnuEditRedo");
    Numbers doc;
    doc.steps = &notes.undoStack();

    doc.set(0, 1);
    MarkModified(notes);  // marked once only
    EXPECT_EQ(notes.caption(), "Notes*");
    EXPECT_FALSE(undo.enabled());  // not the active window yet
    t.session.setActiveForm(&notes);
    EXPECT_TRUE(undo.enabled());
    EXPECT_FALSE(redo.enabled());

    notes.undoStack().setClean();
    ClearModifiedMarker(notes);  // only a marker is taken off
    EXPECT_EQ(notes.caption(), "Notes");
    doc.set(0, 2);
    t.main->runCommand("mnuEditUndo");
    EXPECT_EQ(doc.values[0], 1);
    EXPECT_EQ(notes.caption(), "Notes");
    EXPECT_TRUE(redo.enabled());
    t.main->runCommand("mnuEditUndo");  // before the save: the "*" comes back
    EXPECT_EQ(doc.values[0], 0);
    EXPECT_EQ(notes.caption(), "Notes*");
    EXPECT_FALSE(undo.enabled());
    t.main->runCommand("mnuEditRedo");
    EXPECT_EQ(notes.caption(), "Notes");
    EXPECT_EQ(notes.commits, 3);  // an edit in progress is committed before each

    t.session.setActiveForm(nullptr);  // no window: nothing to undo
    EXPECT_FALSE(undo.enabled());
    EXPECT_FALSE(redo.enabled());
}

}  // namespace
}  // namespace ravelin
