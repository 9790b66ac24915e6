#include "app/meet_journal.h"

#include <utility>

#include "app/meet.h"

namespace vantrel {
namespace {

ListJournal::Sources SourcesOf(Meet& meet) {
    ListJournal::Sources sources;
    sources.files = [&meet] { return JournalFilesOf(meet.Files()); };
    sources.course = [&meet] { return JournalCourse{meet.CarsOnCourseNow()}; };
    sources.starters = [&meet] {
        const StartList& starters = meet.Gymkhana().Starters();
        return JournalStarters{starters.ProposalText(), starters.Queue()};
    };
    sources.mode = [&meet] {
        return JournalMode{meet.Session().currentMode, meet.Session().countingMethod};
    };
    sources.drag = [&meet] { return JournalDrag{meet.Drag().CarBoxText(), meet.Drag().RunCar()}; };
    return sources;
}

}  // namespace

MeetJournal::MeetJournal(Meet& meet)
    : meet_(meet),
      recorder_(meet.Entries(), meet.Results(), meet.Session()),
      undo_(ListTarget{meet.Entries(), meet.Results(), meet.Session()}, recorder_),
      journal_(ListTarget{meet.Entries(), meet.Results(), meet.Session()}, recorder_, undo_,
               SourcesOf(meet)) {
    recorder_.WatchFiles([this] { return meet_.Files(); });
    undo_.OnFinishedRun(
        [this](const CarOnCourse& run, bool undone) { meet_.TakeBackFinish(run, undone); });
    undo_.WriteFilesWith([this](const ListFiles& files) {
        meet_.RestoreFiles(files);
        if (filesWritten_) {
            filesWritten_(files);
        }
    });
    // A list too large for the journal is refused before any row changes.
    meet_.ResultList().CheckLoadsWith(
        [this](const TableRows& rows) { return journal_.LoadRefusal(rows); });
    // A car put on course is journalled with its start tick at once.
    meet_.OnInputTaken([this] { journal_.Note(); });
}

const ListStep* MeetJournal::NextUndo() {
    journal_.Flush();
    return undo_.NextUndo();
}

bool MeetJournal::CanUndoNow(const ListStep& step) const {
    return !step.finishedRun || meet_.CanTakeBackFinish(*step.finishedRun);
}

bool MeetJournal::Undo() {
    const ListStep* step = NextUndo();
    if (step == nullptr || !CanUndoNow(*step)) {
        return false;
    }
    const bool done = journal_.Undo();
    journal_.Note();  // a run put back on course is journalled with its start at once
    return done;
}

bool MeetJournal::Redo() {
    const bool done = journal_.Redo();
    journal_.Note();
    return done;
}

void MeetJournal::SessionStarted(const std::string& bootId) {
    const SessionState& state = meet_.Session();
    journal_.SessionStarted(
        {state.currentMode, state.countingMethod, state.sessionStartTick, bootId});
    journal_.Note();
}

JournalReplay MeetJournal::Restore(const std::vector<JournalRecord>& records,
                                   const JournalReplay& seen, const RestoreSteps& steps) {
    recorder_.Pause();
    if (seen.mode != meet_.Session().currentMode) {
        steps.enterMode(seen.mode);
    }
    SessionState& state = meet_.Session();
    const JournalReplay replay =
        ReplayJournal(records, {meet_.Entries(), meet_.Results(), state}, recorder_, undo_);
    state.currentMode = replay.mode;  // entered above, and a checkpoint may name another
    state.countingMethod = replay.countingMethod;
    meet_.RestoreFiles(ListFilesOf(replay.files));
    if (replay.session && steps.restartSession) {
        const KeptLaps kept = KeepLaps();
        if (steps.startSession() && state.running) {
            ResumeSession(replay, kept, steps.bootId);
        }
    }
    // After the session start, whose mode reset proposes the first car again.
    if (replay.drag) {
        meet_.Drag().RestoreNextCar(replay.drag->nextCar, replay.drag->runCar);
    }
    if (replay.starters) {
        meet_.Gymkhana().RestoreStarters(replay.starters->proposal, replay.starters->queue);
    }
    recorder_.Resume();
    return replay;
}

MeetJournal::KeptLaps MeetJournal::KeepLaps() const {
    KeptLaps kept;
    for (int32_t car = 1; car <= EntryTable::kLastCar; ++car) {
        kept.laps.push_back(meet_.Entries().Cell(EntryTable::kLap, car));
    }
    const SessionState& state = meet_.Session();
    kept.runCount = state.runCount;
    kept.firstPassTime = state.firstPassTime;
    kept.lastPassTime = state.lastPassTime;
    return kept;
}

void MeetJournal::ResumeSession(const JournalReplay& replay, const KeptLaps& kept,
                                const std::string& bootId) {
    for (int32_t car = 1; car <= EntryTable::kLastCar; ++car) {
        meet_.Entries().SetCell(EntryTable::kLap, car, kept.laps[static_cast<size_t>(car - 1)]);
    }
    SessionState& state = meet_.Session();
    state.runCount = kept.runCount;
    state.firstPassTime = kept.firstPassTime;
    state.lastPassTime = kept.lastPassTime;
    state.sessionStartTick = replay.session->startTick;
    meet_.ModeInForce().PutBackOnCourse(replay.course.cars);
    SessionStarted(bootId);
}

}  // namespace vantrel
