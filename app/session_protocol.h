#pragma once
// The session protocol: the start button, the stop with its question about cars on course,
// the mode change and the close, with their questions about unsaved results. It decides; the
// main window (a SessionHost) carries out each step and the PrompterFace asks the operator.
// Thread rule: GUI thread only.

#include <cstdint>

#include "common/prompter_face.h"
#include "common/race_mode.h"
#include "common/session_state.h"
#include "common/ui_text.h"

namespace vantrel {

class SessionHost {
public:
    virtual ~SessionHost() = default;
    // The start routine up to opening the mode's input; false when the input did not open.
    virtual bool StartRoutine() = 0;
    // The stop routine; afterwards `running` is cleared.
    virtual void StopRoutine() = 0;
    // Cars whose runs a stop would leave unfinished.
    virtual bool CarsRunning() const = 0;
    // The session log's start line, and its stop line after the passes sampled before it.
    virtual void LogSessionStart() = 0;
    virtual void LogSessionStop() = 0;
    // The start button shown down (a running session) or up.
    virtual void ShowStartButton(bool down) = 0;
    // The mode change proper: setup, log line, resets. `mode` is then in force.
    virtual void EnterMode(RaceMode mode) = 0;
    // The tab of the mode in force is shown again (a refused mode change).
    virtual void ShowModeInForce() = 0;
};

class SessionProtocol {
public:
    // All three must outlive the protocol.
    SessionProtocol(SessionState& state, SessionHost& host, PrompterFace& prompter);

    // The start button went down (start) or up (stop, asking about cars on course).
    void StartButton(bool down);
    // The stop routine unless cars are on course and the operator keeps the session going;
    // false when the session goes on.
    bool StopWithQuestion();
    // A tab was clicked; true when `mode` is in force afterwards.
    bool ChangeMode(RaceMode mode);
    // The window is asked to close; true when it may (the session is stopped then).
    bool MayClose();

private:
    // Whether unsaved results may be thrown away: asks `text` unless the operator already
    // accepted the results as they stand now.
    struct UnsavedResultsCheck {
        bool accepted = false;
        uint64_t bookedWhenAccepted = 0;
    };
    bool ResultsMayBeDropped(UnsavedResultsCheck& check, const UiText& text, const UiText& caption);
    // Stops a running session before a mode change or close; `question` (may be null) first.
    bool StopForLeaving(const UiText* question);

    SessionState& state_;
    SessionHost& host_;
    PrompterFace& prompter_;
};

}  // namespace vantrel
