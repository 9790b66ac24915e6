#pragma once
// What a drag run's line times become: the texts the DRAG tab shows while the run goes on,
// the result row of a finished run and its booking; and the car-number rules of the tab.
// Thread rule: GUI thread only.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/time_text.h"
#include "lists/booked_result.h"
#include "sensors/sensor_event.h"

namespace vantrel {

class EntryTable;
struct SessionState;

// Columns of the DRAG result layout.
enum DragColumn : int32_t {
    kDragCar = 0,
    kDragName = 1,
    kDragModel = 2,
    kDragFly = 3,
    kDragEt = 4,
    kDragRt = 5,
    kDragEtPlusRt = 6,
    kDragSplit18 = 7,  // then 0-100, 0-200, 0-300
    kDragSpeed = 11,
    kDragTry = 12,
    kDragColumns = 13,
};

// The texts of one run; each is empty while the run has no such time.
struct DragRunTexts {
    std::string reaction;               // R/T: start line after a tree start
    std::array<std::string, 4> splits;  // 18, 100, 200, 300 m after the start line
    std::string elapsed;                // E.T.: start line to finish
    std::string elapsedPlusReaction;    // tree start to finish
    std::string speed;                  // km/h through the speed trap, "0.000"
    bool falseStart = false;            // R/T shorter than the green delay: "Fly"
};

DragRunTexts DragTextsOf(const DragLineTimes& run, TimeFormat format);

// 72000 / `trapMs` (20 m in that many ms) in single precision as "0.000"; empty when the
// trap and the finish fell in one tick (or the other way round), which has no speed.
std::string DragSpeedText(int32_t trapMs);

// The car number box on Enter: 0 to 198 stay, every other number becomes 1; nullopt for a
// text that is no number (message 109; the box then keeps the previous number).
std::optional<int32_t> DragCarOfText(std::string_view text);
// The car a run takes from the box, typed or proposed: any car of the lists as it stands,
// another number by the Enter rules, and `previous` for a text that is no number.
int32_t DragCarOfRunBox(std::string_view text, int32_t previous);
// The car proposed after `car` starts a run: the next one, 1 after 199 (and after no car).
int32_t NextDragCar(int32_t car);

// The finished run of `car`: counts its try (runCount and the entry list's "Lap" column, for
// cars the lists hold) and makes its booking: the 13-column row, the tab's last-result texts,
// the record window's fields and the standings entry (E.T., try).
BookedResult BookDragRun(const DragLineTimes& run, int32_t car, TimeFormat format,
                         EntryTable& entries, SessionState& session);

}  // namespace vantrel
