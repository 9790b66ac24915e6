#pragma once
// A circuit race for the lap benchmarks: 199 cars, each with its own pace and every lap varying
// around it, passing the line in time order, so the ranking changes as a real race does.
// Thread rule: any thread.

#include <cstdint>
#include <random>
#include <vector>

namespace vantrel::bench {

constexpr int32_t kRaceCars = 199;

struct RacePassing {
    int32_t car = 0;
    uint32_t atMs = 0;  // since the session start
};

// The first `count` passings of the race. In lap timing the first passing of each car only
// starts its clock, so a race of N laps needs N + 199 passings.
inline std::vector<RacePassing> RacePassings(int32_t count) {
    std::mt19937 random(7);
    std::vector<uint32_t> next(kRaceCars + 1), pace(kRaceCars + 1);
    for (int32_t car = 1; car <= kRaceCars; ++car) {
        pace[car] = 55'000 + random() % 10'000;
        next[car] = pace[car];
    }
    std::vector<RacePassing> passings;
    passings.reserve(count);
    while (static_cast<int32_t>(passings.size()) < count) {
        int32_t car = 1;  // the car that passes the line next
        for (int32_t other = 2; other <= kRaceCars; ++other) {
            if (next[other] < next[car]) {
                car = other;
            }
        }
        passings.push_back({car, next[car]});
        next[car] += pace[car] + random() % 4'000 - 2'000;
    }
    return passings;
}

}  // namespace vantrel::bench
