#pragma once
// What the browsers see: a copy of the standings, the latest results and the cars on course,
// taken by the window after each change and never changed afterwards, so the server thread
// reads it without a lock.
// Thread rule: any thread (immutable once published).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vantrel {

// The result booked last, as the mode's own display shows it.
struct LiveResult {
    int32_t car = 0;
    std::string name;
    std::string time;
    int32_t count = 0;
    std::string flag;  // why it is marked for review, "" when it is not
};

// A car between start and finish; its clock runs from startTick (the program's ms tick).
struct LiveCourseCar {
    int32_t position = 0;  // 1 = newest on course
    int32_t car = 0;
    std::string name;
    uint32_t startTick = 0;
};

struct LiveSnapshot {
    uint64_t sequence = 0;  // grows by one with each published change
    std::string mode;       // "GYMKHANA", "DRAG", "CIRCUIT"
    bool running = false;   // a session is active
    std::vector<std::string> rankHeadings;
    std::vector<std::vector<std::string>> rankRows;  // rank order, column 0 the rank
    // Beside each of the rows (of `rankRows`, of each class's, of `results`): why the time it
    // shows comes from a result marked for review, "" when it does not.
    std::vector<std::string> rankFlags;
    std::vector<std::vector<std::string>> classRankFlags;
    std::vector<std::string> resultFlags;
    // The classes of the entry list in order of first appearance, each one's Rank rows
    // (ranked within the class, in the order of `classes`) and the class of each row of
    // `rankRows`; all three empty when no car has a class.
    std::vector<std::string> classes;
    std::vector<std::vector<std::vector<std::string>>> classRankRows;
    std::vector<std::string> rankClasses;
    std::vector<std::string> resultHeadings;
    std::vector<std::vector<std::string>>
        results;              // the latest rows of the result list, oldest first
    int32_t resultCount = 0;  // rows in the whole result list
    std::optional<LiveResult> last;
    std::vector<LiveCourseCar> course;
    // The scoreboard's seven fields (car, name, split 1, split 2, time, split 1 car, split 2
    // car) and its colours as "#rrggbb".
    std::vector<std::string> board;
    std::string boardTimeFlag;  // why the time field's result is marked, "" when it is not
    std::string boardColor = "#ffff00";
    std::string boardBackground = "#000000";
};

using LiveSnapshotPtr = std::shared_ptr<const LiveSnapshot>;

}  // namespace vantrel
