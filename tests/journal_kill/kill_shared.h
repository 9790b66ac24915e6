#pragma once
// The page shared by the crash test and the program it kills: the sensor lines the test
// drives, when the program's sampling read each of them go active, how much of the event its
// journal holds on disk, and the program's word that it is timing again.
// Thread rule: any thread of either program (the fields are atomics).

#include <sys/mman.h>

#include <fcntl.h>
#include <unistd.h>
#include <atomic>
#include <cstdint>
#include <filesystem>

namespace vantrel::test {

struct KillShared {
    static constexpr uint32_t kStart = 1;   // the start sensor sees a car
    static constexpr uint32_t kFinish = 2;  // the finish sensor sees a car
    std::atomic<uint32_t> lines{0};
    // Per line (0 start, 1 finish): how many times a read found it newly active, and the tick
    // of the latest such read, written before the count.
    std::atomic<uint32_t> seen[2]{};
    std::atomic<uint32_t> seenTick[2]{};
    // The cars started (finished or on course) and the runs booked, as far as the journal has
    // them on disk; -1 until the first look.
    std::atomic<int32_t> durableStarts{-1};
    std::atomic<int32_t> durableRuns{-1};
    std::atomic<int32_t> readyPid{0};  // the program restored and runs the session
    std::atomic<uint32_t> finish{0};   // the event is over: stop, save and close

    static constexpr int Line(uint32_t bit) { return bit == kStart ? 0 : 1; }
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
