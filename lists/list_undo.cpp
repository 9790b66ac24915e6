#include "lists/list_undo.h"

#include <utility>

namespace vantrel {

ListUndo::ListUndo(ListTarget target, ListRecorder& recorder)
    : target_(target), recorder_(recorder) {}

void ListUndo::Record(ListStep step) {
    if (!step.changes.empty()) {
        Record(std::make_shared<const ListStep>(std::move(step)));
    }
}

void ListUndo::Record(std::shared_ptr<const ListStep> step) {
    if (step == nullptr || step->changes.empty()) {
        return;
    }
    done_.push_back(std::move(step));
    if (done_.size() > kMaxSteps) {
        done_.pop_front();
    }
    undone_.clear();
}

bool ListUndo::Undo() {
    const ListStep* step = NextUndo();
    const bool moved = Move(done_, undone_, ApplyStepBackward);
    if (moved && step->files && writeFiles_) {
        writeFiles_(step->files->before);
    }
    if (moved && step->finishedRun && finishedRun_) {
        finishedRun_(*step->finishedRun, true);
    }
    return moved;
}

bool ListUndo::Redo() {
    const ListStep* step = NextRedo();
    const bool moved = Move(undone_, done_, ApplyStepForward);
    if (moved && step->files && writeFiles_) {
        writeFiles_(step->files->after);
    }
    if (moved && step->finishedRun && finishedRun_) {
        finishedRun_(*step->finishedRun, false);
    }
    return moved;
}

bool ListUndo::Move(Steps& from, Steps& to, void (*apply)(const ListStep&, ListTarget)) {
    if (from.empty()) {
        return false;
    }
    recorder_.Pause();
    apply(*from.back(), target_);
    recorder_.Resume();
    MarkModified(*from.back());
    to.push_back(std::move(from.back()));
    from.pop_back();
    return true;
}

void ListUndo::Adopt(std::shared_ptr<const ListStep> step, bool undone) {
    if (step == nullptr) {
        return;
    }
    Steps& steps = undone ? undone_ : done_;
    steps.push_back(std::move(step));
    if (steps.size() > kMaxSteps) {
        steps.pop_front();
    }
}

void ListUndo::Forget() {
    done_.clear();
    undone_.clear();
}

void ListUndo::MarkModified(const ListStep& step) {
    if (step.Touches(ListKind::kEntry)) {
        target_.state.entryModified = true;
    }
    if (step.Touches(ListKind::kResult)) {
        target_.state.resultModified = true;
    }
}

}  // namespace vantrel
