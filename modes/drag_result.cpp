#include "modes/drag_result.h"

#include <cstdio>

#include "common/numbers.h"
#include "common/race_mode.h"
#include "common/session_state.h"
#include "lists/entry_table.h"

namespace vantrel {

namespace {

int32_t Between(const DragLineTimes& run, int from, int to) {
    return static_cast<int32_t>(static_cast<uint32_t>(run.times[to]) -
                                static_cast<uint32_t>(run.times[from]));
}

// Whether line `later` came at or after line `earlier` (a later activation of `earlier`
// cleared what the tab showed of `later`).
bool InOrder(const DragLineTimes& run, int earlier, int later) {
    return run.IsSet(earlier) && run.IsSet(later) && Between(run, earlier, later) >= 0;
}

std::string Text(int32_t ms, TimeFormat format) {
    return FormatRaceTime(ms, format, true);
}

bool HoldsCar(int32_t car) {
    return car >= 1 && car <= kMaxCarNumber;
}

}  // namespace

DragRunTexts DragTextsOf(const DragLineTimes& run, TimeFormat format) {
    DragRunTexts texts;
    if (InOrder(run, 0, 1)) {
        const int32_t reaction = Between(run, 0, 1);
        texts.reaction = Text(reaction, format);
        texts.falseStart = reaction < run.greenDelayMs;
    }
    for (int k = 0; k < 4; ++k) {
        if (InOrder(run, 1, 2 + k)) {
            texts.splits[k] = Text(Between(run, 1, 2 + k), format);
        }
    }
    if (run.IsSet(1) && run.IsSet(7)) {
        texts.elapsed = Text(Between(run, 1, 7), format);
        if (run.IsSet(0)) {
            texts.elapsedPlusReaction = Text(Between(run, 0, 7), format);
        }
        if (run.IsSet(6)) {
            texts.speed = DragSpeedText(Between(run, 6, 7));
        }
    }
    return texts;
}

std::string DragSpeedText(int32_t trapMs) {
    if (trapMs <= 0) {
        return {};
    }
    const float kmh = 72000.0f / static_cast<float>(trapMs);
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", static_cast<double>(kmh));
    return text;
}

std::optional<int32_t> DragCarOfText(std::string_view text) {
    const std::optional<int32_t> number = StrToInt(text);
    if (!number) {
        return std::nullopt;
    }
    return *number >= 0 && *number < kMaxCarNumber ? *number : 1;
}

int32_t DragCarOfRunBox(std::string_view text, int32_t previous) {
    const std::optional<int32_t> number = StrToInt(text);
    if (!number) {
        return previous;
    }
    return *number >= 0 && *number <= kMaxCarNumber ? *number : 1;
}

int32_t NextDragCar(int32_t car) {
    return HoldsCar(car) && car < kMaxCarNumber ? car + 1 : 1;
}

BookedResult BookDragRun(const DragLineTimes& run, int32_t car, TimeFormat format,
                         EntryTable& entries, SessionState& session) {
    int32_t tries = 0;
    if (car >= 0 && car < kCarSlots) {
        tries = ++session.runCount[car];
    }
    const std::string carText = std::to_string(car);
    const std::string name = HoldsCar(car) ? entries.Name(car) : std::string();
    if (HoldsCar(car)) {
        entries.SetCell(EntryTable::kLap, car, std::to_string(tries));
    }
    const DragRunTexts texts = DragTextsOf(run, format);

    BookedResult booked;
    booked.car = car;
    booked.timeMs = Between(run, 1, 7);
    booked.count = tries;
    booked.cells.assign(kDragColumns, std::string());
    std::vector<std::string>& row = booked.cells;
    row[kDragCar] = carText;
    row[kDragName] = name;
    row[kDragModel] = HoldsCar(car) ? entries.Model(car) : std::string();
    row[kDragFly] = texts.falseStart ? "Fly" : "";
    row[kDragEt] = texts.elapsed;
    row[kDragRt] = texts.reaction;
    row[kDragEtPlusRt] = texts.elapsedPlusReaction;
    for (int k = 0; k < 4; ++k) {
        row[kDragSplit18 + k] = texts.splits[k];
    }
    row[kDragSpeed] = texts.speed;
    row[kDragTry] = std::to_string(tries);
    booked.display = {carText, name, texts.elapsed};
    booked.record = RecordDisplay{carText, name, std::nullopt, std::nullopt, texts.elapsed, true};
    return booked;
}

}  // namespace vantrel
