#include "core/UndoStack.h"

namespace ravelin {

namespace {

// Sets a flag for the lifetime of the guard, also when a command throws.
class Raised {
public:
    explicit Raised(bool& flag) : flag_(flag) { flag_ = true; }
    ~Raised() { flag_ = false; }
    Raised(const Raised&) = delete;
    Raised& operator=(const Raised&) = delete;

private:
    bool& flag_;
};

}  // namespace

void UndoStack::push(std::unique_ptr<UndoCommand> command) {
    if (replaying_ || !command) return;
    if (index_ < commands_.size()) {
        // The saved state was among the undone steps: it cannot be reached again.
        if (cleanKnown_ && clean_ > index_) cleanKnown_ = false;
        commands_.erase(commands_.begin() + static_cast<std::ptrdiff_t>(index_), commands_.end());
        joinable_ = false;
    }
    const bool lastIsSaved = cleanKnown_ && clean_ == index_;
    if (!(joinable_ && index_ > 0 && !lastIsSaved && commands_.back()->absorb(*command))) {
        commands_.push_back(std::move(command));
        ++index_;
    }
    joinable_ = true;
    trim();
    tell();
}

void UndoStack::undo() {
    if (replaying_ || !canUndo()) return;
    {
        Raised guard(replaying_);
        commands_[index_ - 1]->undo();
    }
    --index_;
    joinable_ = false;
    tell();
}

void UndoStack::redo() {
    if (replaying_ || !canRedo()) return;
    {
        Raised guard(replaying_);
        commands_[index_]->redo();
    }
    ++index_;
    joinable_ = false;
    tell();
}

void UndoStack::setClean() {
    clean_ = index_;
    cleanKnown_ = true;
    joinable_ = false;
    tell();
}

void UndoStack::clear() {
    commands_.clear();
    index_ = 0;
    clean_ = 0;
    cleanKnown_ = true;
    joinable_ = false;
    tell();
}

void UndoStack::changedWithoutRecord() {
    cleanKnown_ = false;
    joinable_ = false;
    tell();
}

void UndoStack::setLimit(std::size_t limit) {
    limit_ = limit < 1 ? 1 : limit;
    trim();
}

void UndoStack::trim() {
    while (commands_.size() > limit_) {
        if (index_ == 0) {  // only undone steps left to drop: the newest go
            commands_.pop_back();
            continue;
        }
        commands_.pop_front();
        --index_;
        if (!cleanKnown_) continue;
        if (clean_ == 0) cleanKnown_ = false;
        else --clean_;
    }
}

}  // namespace ravelin
