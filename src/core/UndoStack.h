#pragma once
// The history of a document's changes, for Edit > Undo and Edit > Redo. A
// window records each change its user makes as a command that can take the
// change back and make it again, once the change is made; the stack keeps
// them in order, drops what was undone when a new change comes, and knows
// which state was last saved, so that the "*" of a document follows Undo
// and Redo (Undo after a save brings it back).
//
// A command holds what it needs to go both ways (a block of cells before
// and after, a removed range of text and its length after), never a copy of
// the whole document. Commands of one run (the letters of a word typed in a
// row) may join into one step through absorb().

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>

namespace ravelin {

class UndoCommand {
public:
    virtual ~UndoCommand() = default;
    // Takes the change back; the document is as the change found it.
    virtual void undo() = 0;
    // Makes the change again; the document is as the change left it.
    virtual void redo() = 0;
    // Joins the change that followed this one into it (one step for both),
    // returning true; false keeps them apart. `next` is already made.
    virtual bool absorb(UndoCommand& /*next*/) { return false; }
};

class UndoStack {
public:
    // Steps kept; the oldest go first. A day's editing of a datasheet is far
    // below this, and each step holds only what it changed.
    static constexpr std::size_t kDefaultLimit = 1000;

    // Records a change that was just made. Undone steps are dropped; a step
    // joins the last one when that one absorbs it, unless the last one is
    // the saved state (which would be lost by the join). Ignored while a
    // step is undone or redone (the handlers that run then are no new change).
    void push(std::unique_ptr<UndoCommand> command);
    bool canUndo() const { return index_ > 0; }
    bool canRedo() const { return index_ < commands_.size(); }
    void undo();
    void redo();
    // True while a step is being undone or redone.
    bool replaying() const { return replaying_; }
    // Keeps the next change apart from the last step even if it could join it
    // (the user moved the caret, left a field).
    void breakJoin() { joinable_ = false; }

    // The document was saved: this state is the file's.
    void setClean();
    // The document was loaded or made anew: no history, and it is the file's.
    void clear();
    // A change that is not recorded was made (a chart setting applied): no
    // step leads back to the saved state any more.
    void changedWithoutRecord();
    // The document differs from its file (or from what was loaded).
    bool modified() const { return !cleanKnown_ || clean_ != index_; }

    std::size_t size() const { return commands_.size(); }
    std::size_t index() const { return index_; }  // steps done
    void setLimit(std::size_t limit);

    // Told after every push, undo, redo, save or clear: the window updates its
    // "*" and the menus their Undo and Redo items.
    void onChanged(std::function<void()> handler) { changed_ = std::move(handler); }

private:
    void trim();
    void tell() {
        if (changed_) changed_();
    }

    std::deque<std::unique_ptr<UndoCommand>> commands_;  // the oldest go from the front
    std::size_t index_ = 0;
    std::size_t clean_ = 0;
    bool cleanKnown_ = true;  // false when no step leads back to the saved state
    bool joinable_ = false;
    bool replaying_ = false;
    std::size_t limit_ = kDefaultLimit;
    std::function<void()> changed_;
};

}  // namespace ravelin
