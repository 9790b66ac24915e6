#include "reports/standings_sink.h"

#include "common/messages.h"
#include "common/numbers.h"
#include "reports/record_window.h"
#include "reports/standings.h"
#include "widgets/prompter.h"
#include "widgets/ui_tr.h"
#include "widgets/widget_util.h"

namespace vantrel {

void StandingsSink::ResultBooked(const BookedResult& result, int32_t row) {
    ShowRecordDisplay(result);
    if (wiring_.record->AutoUpdate()) {
        AddToStandings(result, row);
    }
    // The live update takes the bare time; only a replay of the list adds the penalty.
    if (result.rebuildStandings && wiring_.rebuild) {
        wiring_.rebuild();
    }
}

void StandingsSink::BatchStarted() {
    wiring_.standings->HoldRefill();
    wiring_.record->HoldUpdates();
}

void StandingsSink::BatchEnded() {
    try {
        wiring_.standings->ReleaseRefill();
    } catch (const ConversionError& error) {
        ReportError(error);
    }
    wiring_.record->ReleaseUpdates();
}

void StandingsSink::ReportError(const ConversionError& error) {
    wiring_.prompter->Error(wiring_.dialogParent, ToQ(error.what()), Tr(msg::kTitle));
}

void StandingsSink::ShowRecordDisplay(const BookedResult& result) {
    if (!result.record) {
        return;
    }
    const RecordDisplay& shown = *result.record;
    if (shown.memo5) {
        wiring_.record->ShowResult(result.car, shown.memo2, *shown.memo5);
    } else {
        wiring_.record->ShowCar(result.car, shown.memo2);
    }
    if (!shown.keepSplits) {
        wiring_.record->ShowSplitTexts(shown.memo3.value_or(std::string()),
                                       shown.memo4.value_or(std::string()));
    }
}

void StandingsSink::AddToStandings(const BookedResult& result, int32_t row) {
    try {
        if (result.totalMs) {
            wiring_.standings->AddCommonStartLap(result.car, result.timeMs, *result.totalMs,
                                                 result.count, wiring_.timeStyle());
        } else {
            wiring_.standings->AddResult(result.car, result.timeMs, result.count,
                                         wiring_.timeStyle(), row);
        }
    } catch (const ConversionError& error) {
        ReportError(error);
    }
    wiring_.record->Refresh();
}

}  // namespace vantrel
