#include "modes/gymkhana_result.h"

#include <cmath>
#include <cstdio>

#include "common/race_mode.h"
#include "common/session_state.h"
#include "lists/entry_table.h"
#include "modes/course_clock.h"
#include "modes/gymkhana_texts.h"

namespace vantrel {

namespace {

std::string RaceTime(int32_t ms, const ResultSettings& settings) {
    return FormatRaceTime(ms, settings.timeFormat, false);
}

// "Split2" holds split 2 when it was passed, else the speed when a distance is set.
std::string Split2OrSpeed(const FinishedRun& run, const ResultSettings& settings) {
    if (run.split2Ms != 0) {
        return RaceTime(run.split2Ms, settings);
    }
    return SpeedText(settings.distanceM, run.runMs);
}

RecordDisplay RecordDisplayOf(const GymkhanaResult& result, const FinishedRun& run) {
    RecordDisplay record;
    record.memo1 = result.carText;
    record.memo2 = result.name;
    if (!run.timedOut) {
        record.memo5 = result.timeText;
    }
    if (run.split1Ms != 0) {
        record.memo3 = result.row[kResultSplit1];
    }
    if (!result.row[kResultSplit2].empty()) {
        record.memo4 = result.row[kResultSplit2];
    }
    return record;
}

}  // namespace

std::string PenaltyText(int32_t penaltyWord) {
    if (penaltyWord == kMissCourse) {
        return kPenMissCourse;
    }
    return penaltyWord == 0 ? std::string() : std::to_string(penaltyWord);
}

std::string SpeedText(int32_t distanceM, int32_t runMs) {
    if (distanceM == 0 || runMs <= 0) {
        return {};
    }
    const float kmh = static_cast<float>(distanceM * 3600) / static_cast<float>(runMs);
    // A float times 1000 is exact in a double, so halves round away from zero as the
    // number pattern does, not to even.
    const double thousandths = std::round(static_cast<double>(kmh) * 1000.0);
    char text[48];
    std::snprintf(text, sizeof text, "%.0f.%03.0f", std::trunc(thousandths / 1000.0),
                  std::fmod(thousandths, 1000.0));
    return std::string(text) + "km/h";
}

Announcement AnnouncementOf(int32_t runMs) {
    return {runMs / 60000, (runMs % 60000) / 1000, runMs % 1000};
}

GymkhanaResult BuildGymkhanaResult(const FinishedRun& run, const ResultSettings& settings,
                                   const EntryTable& entries, int32_t runCount) {
    GymkhanaResult result;
    result.car = run.car;
    result.runMs = run.runMs;
    result.runCount = runCount;
    result.carText = std::to_string(run.car);
    result.name = entries.Name(run.car);
    result.timeText = RaceTime(run.runMs, settings);

    std::vector<std::string>& row = result.row;
    row.assign(kGymkhanaColumns, std::string());
    row[kResultCar] = result.carText;
    row[kResultName] = result.name;
    row[kResultModel] = entries.Model(run.car);
    if (run.timedOut) {
        row[kResultPen] = kPenMissCourse;
        row[kResultTime] = std::to_string(TimeoutLimitMs(settings.timeOut));
        row[kResultComment] = kTimeoutComment;
    } else {
        row[kResultPen] = PenaltyText(run.penalty);
        row[kResultTime] = result.timeText;
    }
    if (run.split1Ms != 0) {
        row[kResultSplit1] = RaceTime(run.split1Ms, settings);
    }
    row[kResultSplit2] = Split2OrSpeed(run, settings);
    row[kResultLap] = std::to_string(runCount);

    result.record = RecordDisplayOf(result, run);
    result.rebuildRanking = !row[kResultPen].empty();
    result.announcement = AnnouncementOf(run.runMs);
    return result;
}

BookedResult BookingOf(const GymkhanaResult& result) {
    BookedResult booked;
    booked.car = result.car;
    booked.timeMs = result.runMs;
    booked.count = result.runCount;
    booked.cells = result.row;
    booked.display = {result.carText, result.name, result.timeText};
    booked.record = result.record;
    booked.announcement = {true, result.runMs};
    booked.rebuildStandings = result.rebuildRanking;
    booked.timedOut = result.row[kResultComment] == kTimeoutComment;
    return booked;
}

BookedResult BookGymkhanaResult(const FinishedRun& run, const ResultSettings& settings,
                                EntryTable& entries, SessionState& session) {
    int32_t runCount = 0;
    if (run.car >= 1 && run.car <= kMaxCarNumber) {
        runCount = ++session.runCount[run.car];
        entries.SetCell(EntryTable::kLap, run.car, std::to_string(runCount));
    }
    return BookingOf(BuildGymkhanaResult(run, settings, entries, runCount));
}

}  // namespace vantrel
