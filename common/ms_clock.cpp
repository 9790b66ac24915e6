#include "common/ms_clock.h"

#include <time.h>

namespace vantrel {

uint32_t MonotonicMsClock::MsTick() const {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const uint64_t ms =
        static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<uint32_t>(ms);  // wraps at 2^32 ms like the counter it stands in for
}

}  // namespace vantrel
