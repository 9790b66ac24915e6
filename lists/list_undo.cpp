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
    return Move(true);
}

bool ListUndo::Redo() {
    return Move(false);
}

bool ListUndo::Move(bool back) {
    Steps& from = back ? done_ : undone_;
    Steps& to = back ? undone_ : done_;
    if (from.empty()) {
        return false;
    }
    const std::shared_ptr<const ListStep> step = from.back();
    recorder_.Pause();
    (back ? ApplyStepBackward : ApplyStepForward)(*step, target_);
    recorder_.Resume();
    MarkModified(*step);
    to.push_back(step);
    from.pop_back();
    if (step->files && writeFiles_) {
        writeFiles_(back ? step->files->before : step->files->after);
    }
    if (step->finishedRun && finishedRun_) {
        finishedRun_(*step->finishedRun, back);
    }
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
