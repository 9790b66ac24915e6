#pragma once
// The booked results' way into the record window: its display boxes, the standings when
// "Auto update" is ticked, and a rebuild of the standings when the row carries a penalty.
// Thread rule: GUI thread only.

#include <QWidget>
#include <functional>

#include "lists/result_sink.h"
#include "reports/time_style.h"

namespace vantrel {

class ConversionError;
class Prompter;
class Standings;
class TRecordForm;

// What the sink works on; everything must outlive it.
struct StandingsSinkWiring {
    TRecordForm* record = nullptr;
    Standings* standings = nullptr;
    Prompter* prompter = nullptr;
    QWidget* dialogParent = nullptr;       // of the conversion error box
    std::function<TimeStyle()> timeStyle;  // of the mode in force
    std::function<void()> rebuild;         // replays the whole result list
};

class StandingsSink final : public ResultSink {
public:
    explicit StandingsSink(StandingsSinkWiring wiring) : wiring_(std::move(wiring)) {}

    void ResultBooked(const BookedResult& result, int32_t row) override;
    // A block's laps update the record window's scoreboard and grids once, at its end.
    void BatchStarted() override;
    void BatchEnded() override;

private:
    void ShowRecordDisplay(const BookedResult& result);
    void AddToStandings(const BookedResult& result, int32_t row);
    void ReportError(const ConversionError& error);

    StandingsSinkWiring wiring_;
};

}  // namespace vantrel
