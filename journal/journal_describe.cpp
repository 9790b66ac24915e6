#include <sstream>

#include "journal/journal_content.h"

namespace vantrel {
namespace {

const char* ListName(ListKind list) {
    return list == ListKind::kEntry ? "entry" : "result";
}

// The car of a result row is its first cell.
std::string CarOf(const std::vector<std::string>& row) {
    return row.empty() || row[0].empty() ? "-" : row[0];
}

std::string JoinRow(const std::vector<std::string>& row) {
    std::string text;
    for (const std::string& cell : row) {
        text += (text.empty() ? "" : ",") + cell;
    }
    return text;
}

void DescribeChange(std::ostream& out, const ListChange& change) {
    if (const auto* cell = std::get_if<CellChange>(&change)) {
        out << ListName(cell->list) << " row " << cell->row << " column " << cell->column << " \""
            << cell->before << "\" -> \"" << cell->after << "\"";
    } else if (const auto* rows = std::get_if<RowsChange>(&change)) {
        out << (rows->inserted ? "result rows inserted at " : "result rows removed at ")
            << rows->firstRow;
        for (const auto& row : rows->rows) {
            out << " [car " << CarOf(row) << ": " << JoinRow(row) << "]";
        }
    } else {
        const auto& reset = std::get<ResetChange>(change);
        out << "result list replaced: " << reset.before.size() << " rows -> " << reset.after.size()
            << " rows (mode " << static_cast<int>(reset.afterMode) << ")";
    }
}

std::string DescribeStep(const ListStep& step) {
    std::ostringstream out;
    out << (step.kind == StepKind::kBooking ? "booked" : "edit");
    constexpr std::size_t kShown = 4;
    for (std::size_t i = 0; i < step.changes.size() && i < kShown; ++i) {
        out << "; ";
        DescribeChange(out, step.changes[i]);
    }
    if (step.changes.size() > kShown) {
        out << "; ... " << step.changes.size() - kShown << " more";
    }
    for (const CounterChange& counter : step.counters) {
        static const char* const kNames[] = {"runCount", "firstPassTime", "lastPassTime"};
        out << "; " << kNames[static_cast<int>(counter.kind)] << "[" << counter.car << "] "
            << counter.before << " -> " << counter.after;
    }
    return out.str();
}

std::string DescribeCourse(const JournalCourse& course) {
    std::ostringstream out;
    out << "on course:" << (course.cars.empty() ? " none" : "");
    for (const CarOnCourse& car : course.cars) {
        out << " [car " << car.car << ", position " << car.position << ", start tick "
            << static_cast<uint32_t>(car.startTick) << "]";
    }
    return out.str();
}

}  // namespace

std::string JournalTypeName(uint16_t type) {
    switch (static_cast<JournalType>(type)) {
        case JournalType::kCheckpoint:
            return "checkpoint";
        case JournalType::kStep:
            return "edit";
        case JournalType::kUndo:
            return "undo";
        case JournalType::kRedo:
            return "redo";
        case JournalType::kFiles:
            return "files";
        case JournalType::kSessionStart:
            return "session start";
        case JournalType::kSessionStop:
            return "session stop";
        case JournalType::kCourse:
            return "on course";
        case JournalType::kStarters:
            return "start queue";
        case JournalType::kHistory:
            return "undo history";
        case JournalType::kDrag:
            return "drag";
        case JournalType::kMode:
            return "mode";
        case JournalType::kProgramEnd:
            return "program closed";
        case JournalType::kBooking:
            return "booking";
    }
    return "type " + std::to_string(type);
}

std::string DescribeRecord(const JournalRecord& record) {
    const std::span<const uint8_t> payload(record.payload);
    const char* const kUnreadable = "(unreadable payload)";
    switch (static_cast<JournalType>(record.type)) {
        case JournalType::kCheckpoint: {
            auto point = DecodeCheckpoint(payload);
            return point ? "checkpoint: " + std::to_string(point->resultRows.size()) +
                               " result rows, result file " + point->files.resultName
                         : kUnreadable;
        }
        case JournalType::kStep: {
            auto step = DecodeStep(payload);
            return step ? DescribeStep(*step) : kUnreadable;
        }
        case JournalType::kBooking: {
            auto booking = DecodeBooking(payload);
            return booking ? DescribeStep(booking->step) + "; " + DescribeCourse(booking->course)
                           : kUnreadable;
        }
        case JournalType::kUndo:
            return "undo";
        case JournalType::kRedo:
            return "redo";
        case JournalType::kFiles: {
            auto files = DecodeFiles(payload);
            return files ? "files: entry " + files->entryName +
                               (files->entryModified ? " (modified)" : "") + ", result " +
                               files->resultName + (files->resultModified ? " (modified)" : "")
                         : kUnreadable;
        }
        case JournalType::kSessionStart: {
            auto session = DecodeSession(payload);
            return session
                       ? "session start: mode " + std::to_string(static_cast<int>(session->mode)) +
                             ", counting " + std::to_string(session->countingMethod) + ", tick " +
                             std::to_string(session->startTick)
                       : kUnreadable;
        }
        case JournalType::kSessionStop:
            return "session stop";
        case JournalType::kCourse: {
            auto course = DecodeCourse(payload);
            return course ? DescribeCourse(*course) : kUnreadable;
        }
        case JournalType::kStarters: {
            auto starters = DecodeStarters(payload);
            if (!starters) {
                return kUnreadable;
            }
            std::string text = "start queue: next " + starters->proposal + ", queue";
            for (const int32_t car : starters->queue) {
                text += " " + std::to_string(car);
            }
            return text;
        }
        case JournalType::kHistory: {
            auto history = DecodeHistoryStep(payload);
            if (payload.empty()) {
                return "undo history: a step too large to keep (older steps dropped)";
            }
            return history ? std::string(history->undone ? "redo history: " : "undo history: ") +
                                 DescribeStep(history->step)
                           : kUnreadable;
        }
        case JournalType::kDrag: {
            auto drag = DecodeDrag(payload);
            return drag ? "drag: next car " + drag->nextCar + ", run in progress " +
                              (drag->runCar < 0 ? std::string("none")
                                                : "car " + std::to_string(drag->runCar))
                        : kUnreadable;
        }
        case JournalType::kMode: {
            auto mode = DecodeMode(payload);
            return mode ? "mode " + std::to_string(static_cast<int>(mode->mode)) + ", counting " +
                              std::to_string(mode->countingMethod)
                        : kUnreadable;
        }
        case JournalType::kProgramEnd:
            return "program closed";
    }
    return "unknown record type " + std::to_string(record.type);
}

}  // namespace vantrel
