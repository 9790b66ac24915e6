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
    if (done_.empty()) {
        return false;
    }
    recorder_.Pause();
    ApplyStepBackward(*done_.back(), target_);
    recorder_.Resume();
    MarkModified(*done_.back());
    undone_.push_back(std::move(done_.back()));
    done_.pop_back();
    return true;
}

bool ListUndo::Redo() {
    if (undone_.empty()) {
        return false;
    }
    recorder_.Pause();
    ApplyStepForward(*undone_.back(), target_);
    recorder_.Resume();
    MarkModified(*undone_.back());
    done_.push_back(std::move(undone_.back()));
    undone_.pop_back();
    return true;
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
