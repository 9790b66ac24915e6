#include "app/session_protocol.h"

#include "common/messages.h"

namespace vantrel {

SessionProtocol::SessionProtocol(SessionState& state, SessionHost& host, PrompterFace& prompter)
    : state_(state), host_(host), prompter_(prompter) {}

void SessionProtocol::StartButton(bool down) {
    if (down) {
        host_.LogSessionStart();
        if (!host_.StartRoutine()) {
            host_.ShowStartButton(false);
            StopWithQuestion();
        }
    } else {
        host_.LogSessionStop();
        StopWithQuestion();
    }
}

bool SessionProtocol::StopWithQuestion() {
    if (host_.CarsRunning() && !prompter_.AskYesNo(Translated(msg::k122), Translated(msg::k117))) {
        host_.ShowStartButton(true);
        return false;
    }
    host_.StopRoutine();
    return true;
}

bool SessionProtocol::ResultsMayBeDropped(UnsavedResultsCheck& check, const UiText& text,
                                          const UiText& caption) {
    if (!state_.resultModified ||
        (check.accepted && check.bookedWhenAccepted == state_.resultsBooked)) {
        return true;
    }
    // A result booked while this box is open was not seen by the operator: ask again later.
    const uint64_t bookedBefore = state_.resultsBooked;
    if (!prompter_.AskYesNo(Translated(text), Translated(caption))) {
        return false;
    }
    check.accepted = true;
    check.bookedWhenAccepted = bookedBefore;
    return true;
}

bool SessionProtocol::StopForLeaving(const UiText* question) {
    if (!state_.running) {
        return true;
    }
    if (question != nullptr && !prompter_.AskYesNo(Translated(*question), Translated(msg::k114))) {
        return false;
    }
    host_.ShowStartButton(false);
    StartButton(false);
    // Cars on course and "No" to stopping: the session goes on.
    return !state_.running;
}

bool SessionProtocol::ChangeMode(RaceMode mode) {
    if (mode == state_.currentMode) {
        return true;
    }
    // The results are asked about before the stop and again after it when a run finished
    // meanwhile, so no run is cleared by the mode reset unasked.
    UnsavedResultsCheck results;
    if (!ResultsMayBeDropped(results, msg::k118, msg::k114) || !StopForLeaving(&msg::k113) ||
        !ResultsMayBeDropped(results, msg::k118, msg::k114)) {
        host_.ShowModeInForce();
        return false;
    }
    host_.EnterMode(mode);
    return true;
}

bool SessionProtocol::MayClose() {
    if (state_.entryModified && !prompter_.AskYesNo(Translated(msg::k105), Translated(msg::k106))) {
        return false;
    }
    // "No" to stopping with cars on course keeps the program running: closing now would throw
    // their runs away. A run booked by the stop is asked about before it is lost.
    UnsavedResultsCheck results;
    return ResultsMayBeDropped(results, msg::k107, msg::k108) && StopForLeaving(nullptr) &&
           ResultsMayBeDropped(results, msg::k107, msg::k108);
}

}  // namespace vantrel
