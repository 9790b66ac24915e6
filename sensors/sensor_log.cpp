#include "sensors/sensor_log.h"

#include <array>
#include <cstdio>
#include <fstream>

#include "common/ms_clock.h"
#include "common/text_file.h"

namespace vantrel {

std::string FormatStartupDate(const std::tm& local, std::string_view weekdayName) {
    std::array<char, 32> day{};
    std::array<char, 16> time{};
    std::snprintf(day.data(), day.size(), "%04d/%02d/%02d ", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday);
    std::snprintf(time.data(), time.size(), " %02d:%02d", local.tm_hour, local.tm_min);
    return std::string(day.data()) + std::string(weekdayName) + time.data();
}

std::string LocaleWeekdayName(const std::tm& local) {
    std::array<char, 64> name{};
    const size_t length = std::strftime(name.data(), name.size(), "%A", &local);
    return std::string(name.data(), length);
}

void SensorLog::AddLine(uint32_t tick, std::string_view text) {
    std::string line = std::to_string(TickAsSigned(tick));
    line += ',';
    line += text;
    lines_.push_back(std::move(line));
}

void SensorLog::AddStartedUp(uint32_t tick, const std::tm& local) {
    AddLine(tick,
            "Vantrel.exe has started up at " + FormatStartupDate(local, LocaleWeekdayName(local)));
}

void SensorLog::AddModeChange(uint32_t tick, RaceMode mode) {
    AddLine(tick, std::string("Mode change to ") + RaceModeName(mode));
}

void SensorLog::AddPassing(uint32_t tick, int32_t carNumber) {
    AddLine(tick, std::to_string(carNumber));
}

bool SensorLog::AddPassLine(const SensorEvent& event) {
    if (event.kind != SensorEventKind::kActiveEdge) {
        return false;
    }
    if (event.input == SensorInput::kStart) {
        AddStartPass(event.tick);
        return true;
    }
    if (event.input == SensorInput::kFinish) {
        AddFinishPass(event.tick);
        return true;
    }
    return false;
}

IoResult SensorLog::Save(const std::filesystem::path& folder) const {
    return WriteCp932Lines(folder / kSensorLogFileName, lines_);
}

IoResult SensorLog::SaveNewLines(const std::filesystem::path& folder) {
    const std::filesystem::path file = folder / kSensorLogFileName;
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (file == appendedFile_ && !error && size == savedBytes_ && savedLines_ <= lines_.size()) {
        const std::vector<std::string> added(
            lines_.begin() + static_cast<std::ptrdiff_t>(savedLines_), lines_.end());
        const std::string bytes = EncodeCp932Lines(added);
        std::ofstream out(file, std::ios::binary | std::ios::app);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (out) {
            savedLines_ = lines_.size();
            savedBytes_ += bytes.size();
            return IoResult::Success();
        }
    }
    const IoResult written = Save(folder);
    appendedFile_ = written ? file : std::filesystem::path();
    savedLines_ = lines_.size();
    savedBytes_ = written ? std::filesystem::file_size(file, error) : 0;
    return written;
}

}  // namespace vantrel
