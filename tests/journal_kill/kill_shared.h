#pragma once
// The page shared by the crash tests and the program they kill: the sensor lines the test
// drives, when the program's sampling read each of them go active, how much of the event its
// journal holds on disk, the program's word that it is timing again, and the commands the test
// gives it as a timekeeper would (save, undo, mode change, session start and stop).
// Thread rule: any thread of either program (the fields are atomics).

#include <sys/mman.h>

#include <fcntl.h>
#include <unistd.h>
#include <atomic>
#include <cstdint>
#include <filesystem>

namespace vantrel::test {

struct KillShared {
    static constexpr uint32_t kStart = 1;       // the start sensor sees a car
    static constexpr uint32_t kFinish = 2;      // the finish sensor sees a car
    static constexpr uint32_t kDragStart = 4;   // DRAG: the start line (data line 1)
    static constexpr uint32_t kDragFinish = 8;  // DRAG: the finish line (data line 7)
    static constexpr int kLines = 4;
    std::atomic<uint32_t> lines{0};
    // Per line (in the order of the bits above): how many times a read found it newly active,
    // and the tick of the latest such read, written before the count.
    std::atomic<uint32_t> seen[kLines]{};
    std::atomic<uint32_t> seenTick[kLines]{};
    // The cars started (finished or on course) and the runs booked, as far as the journal has
    // them on disk; -1 until the first look.
    std::atomic<int32_t> durableStarts{-1};
    std::atomic<int32_t> durableRuns{-1};
    std::atomic<int32_t> readyPid{0};  // the program restored and runs the session
    std::atomic<uint32_t> finish{0};   // the event is over: stop, save and close
    // The DRAG car box and the car of the run in progress as the journal has them on disk.
    std::atomic<int32_t> durableDragBox{-1};
    std::atomic<int32_t> durableRunCar{-1};
    std::atomic<int32_t> dragBoxNow{-1};        // the car box as the program shows it
    std::atomic<uint32_t> sessionStartTick{0};  // of the session running, once ready

    // A command: the test writes `commandArg` and `command`, then raises `commandSeq`; the
    // program carries it out and sets `commandDone` to that number. A program started again
    // takes up no command given before it was ready.
    enum Command : uint32_t { kSave = 1, kUndo, kMode, kStartSession, kStopSession, kDragCar };
    std::atomic<uint32_t> command{0};
    std::atomic<int32_t> commandArg{0};
    std::atomic<uint32_t> commandSeq{0};
    std::atomic<uint32_t> commandDone{0};

    static constexpr int Line(uint32_t bit) {
        return bit == kStart ? 0 : bit == kFinish ? 1 : bit == kDragStart ? 2 : 3;
    }
};

// Maps the page from `path` (created and sized by the test, opened by the program).
inline KillShared* MapKillShared(const std::filesystem::path& path, bool create) {
    const int fd = open(path.c_str(), create ? O_RDWR | O_CREAT | O_TRUNC : O_RDWR, 0600);
    if (fd < 0 || (create && ftruncate(fd, 4096) != 0)) {
        return nullptr;
    }
    void* page = mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    close(fd);
    if (page == MAP_FAILED) {
        return nullptr;
    }
    return create ? new (page) KillShared : static_cast<KillShared*>(page);
}

}  // namespace vantrel::test
