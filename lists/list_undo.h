#pragma once
// Undo and redo of the steps the recorder gathered, in order. Undoing a step puts the lists and
// counters back as they were before it; a new step after an undo drops what could be redone.
// Thread rule: GUI thread only.

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>

#include "lists/list_change.h"
#include "lists/list_recorder.h"

namespace vantrel {

class ListUndo {
public:
    // Everything must outlive this object; changes made by undo and redo are kept away from
    // `recorder`.
    ListUndo(ListTarget target, ListRecorder& recorder);

    // A new step: it can be undone, and nothing can be redone any more. A step that changed
    // only the counters (a session start's preparation) is no change of a list and is left
    // out.
    void Record(ListStep step);
    // The same for a step that others read too (the journal's writer thread encodes it).
    void Record(std::shared_ptr<const ListStep> step);

    bool CanUndo() const { return !done_.empty(); }
    bool CanRedo() const { return !undone_.empty(); }
    // The step Undo or Redo would act on; null when there is none.
    const ListStep* NextUndo() const { return done_.empty() ? nullptr : done_.back().get(); }
    const ListStep* NextRedo() const { return undone_.empty() ? nullptr : undone_.back().get(); }

    // Each returns false when there was nothing to do. The list a step touched is marked
    // modified, since it no longer matches its file.
    bool Undo();
    bool Redo();
    // Where a step's files and flags are put back (undo) or forward (redo); without it they
    // stay, and the list a step touched is only marked modified.
    void WriteFilesWith(std::function<void(const ListFiles&)> write) {
        writeFiles_ = std::move(write);
    }
    // Told when a booking with a finished run is undone (true: the run goes back on course) or
    // redone (false: it leaves the course again).
    void OnFinishedRun(std::function<void(const CarOnCourse&, bool undone)> listener) {
        finishedRun_ = std::move(listener);
    }
    // Puts a step back in the history as it was, without applying it: `undone` steps go where
    // Redo takes them from. Oldest first, done steps before undone ones (a restore).
    void Adopt(std::shared_ptr<const ListStep> step, bool undone);
    // The history, oldest first; the newest done step is the next undo, the newest undone step
    // the next redo.
    const std::deque<std::shared_ptr<const ListStep>>& DoneSteps() const { return done_; }
    const std::deque<std::shared_ptr<const ListStep>>& UndoneSteps() const { return undone_; }
    // Forgets every step (a restored or fresh start).
    void Forget();

    // The oldest steps go once more than this many are kept.
    static constexpr std::size_t kMaxSteps = 100000;

private:
    // Steps never change once recorded, so they are shared rather than copied.
    using Steps = std::deque<std::shared_ptr<const ListStep>>;

    // Undoes (`back`) the newest done step or redoes the newest undone one, then puts back or
    // forward its files and tells of its finished run.
    bool Move(bool back);
    void MarkModified(const ListStep& step);

    ListTarget target_;
    ListRecorder& recorder_;
    Steps done_;
    Steps undone_;
    std::function<void(const ListFiles&)> writeFiles_;
    std::function<void(const CarOnCourse&, bool)> finishedRun_;
};

}  // namespace vantrel
