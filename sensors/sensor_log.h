#pragma once
// The sensor log: every line starts with the millisecond tick as a signed decimal, a comma
// and the event text. Held in memory for the whole run and saved whole to "SensorLog.txt"
// (CP932, CR LF) in the working folder.
// Thread rule: GUI thread only (its single writer; the timing thread's passes arrive as
// events and are added here by the GUI with their sample tick).

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/race_mode.h"
#include "common/safe_file.h"
#include "sensors/sensor_event.h"

namespace vantrel {

constexpr const char* kSensorLogFileName = "SensorLog.txt";

// "yyyy/mm/dd dddd hh:mm" with the given full weekday name.
std::string FormatStartupDate(const std::tm& local, std::string_view weekdayName);
// The full weekday name of `local` in the user's locale (LC_TIME), as UTF-8 when the
// locale's character set is UTF-8.
std::string LocaleWeekdayName(const std::tm& local);

class SensorLog {
public:
    // "T,<text>"
    void AddLine(uint32_t tick, std::string_view text);

    void AddStartedUp(uint32_t tick, const std::tm& local);  // ",Vantrel.exe has started up at "
    void AddSessionStart(uint32_t tick) { AddLine(tick, "Session start"); }
    void AddSessionStop(uint32_t tick) { AddLine(tick, "Session stop"); }
    void AddModeChange(uint32_t tick, RaceMode mode);  // ",Mode change to GYMKHANA" ...
    void AddStartPass(uint32_t sampleTick) { AddLine(sampleTick, "S"); }
    void AddFinishPass(uint32_t sampleTick) { AddLine(sampleTick, "G"); }
    void AddPassing(uint32_t tick, int32_t carNumber);  // ",<car number>"
    void AddDragStart(uint32_t tick) { AddLine(tick, "Drag start"); }
    void AddDragStop(uint32_t tick) { AddLine(tick, "Drag stop"); }
    void AddExit(uint32_t tick) { AddLine(tick, "Exit Vantrel.exe"); }

    // The log line of a pass event: ",S" for an active edge of Start, ",G" for Finish, with
    // the event's sample tick. Returns whether a line was added.
    bool AddPassLine(const SensorEvent& event);

    const std::vector<std::string>& Lines() const { return lines_; }

    // Writes every line to `folder`/"SensorLog.txt" through a temporary file and a rename.
    // A failure is returned, not retried.
    IoResult Save(const std::filesystem::path& folder) const;
    // The save after each booked result: appends the lines added since the last save of this
    // kind when the file is still as it left it (so a long race does not rewrite the whole log
    // at every lap); otherwise writes the whole log as Save does.
    IoResult SaveNewLines(const std::filesystem::path& folder);

private:
    std::vector<std::string> lines_;
    std::filesystem::path appendedFile_;  // the file SaveNewLines wrote last
    std::size_t savedLines_ = 0;          // lines it holds
    std::uintmax_t savedBytes_ = 0;       // its size then
};

}  // namespace vantrel
