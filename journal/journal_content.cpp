#include "journal/journal_content.h"

#include <algorithm>
#include <utility>

#include "journal/journal_bytes.h"

namespace vantrel {
namespace {

enum class ChangeTag : uint8_t { kCell = 0, kRows = 1, kReset = 2 };

void PutRows(ByteWriter& out, const TableRows& rows) {
    out.PutU32(static_cast<uint32_t>(rows.size()));
    for (const auto& row : rows) {
        out.PutStrings(row);
    }
}

bool GetRows(ByteReader& in, TableRows& rows) {
    uint32_t count = 0;
    // Every row takes at least its 4-byte count, so a damaged count cannot make us allocate.
    if (!in.GetU32(count) || count > in.Remaining() / 4) {
        return false;
    }
    rows.resize(count);
    for (auto& row : rows) {
        if (!in.GetStrings(row)) {
            return false;
        }
    }
    return true;
}

bool GetMode(ByteReader& in, RaceMode& mode) {
    uint8_t value = 0;
    if (!in.GetU8(value) || value > static_cast<uint8_t>(RaceMode::kCircuit)) {
        return false;
    }
    mode = static_cast<RaceMode>(value);
    return true;
}

void PutMode(ByteWriter& out, RaceMode mode) {
    out.PutU8(static_cast<uint8_t>(mode));
}

void PutChange(ByteWriter& out, const ListChange& change) {
    if (const auto* cell = std::get_if<CellChange>(&change)) {
        out.PutU8(static_cast<uint8_t>(ChangeTag::kCell));
        out.PutU8(static_cast<uint8_t>(cell->list));
        out.PutI32(cell->row);
        out.PutI32(cell->column);
        out.PutString(cell->before);
        out.PutString(cell->after);
    } else if (const auto* rows = std::get_if<RowsChange>(&change)) {
        out.PutU8(static_cast<uint8_t>(ChangeTag::kRows));
        out.PutU8(rows->inserted ? 1 : 0);
        out.PutI32(rows->firstRow);
        PutRows(out, rows->rows);
    } else {
        const auto& reset = std::get<ResetChange>(change);
        out.PutU8(static_cast<uint8_t>(ChangeTag::kReset));
        PutMode(out, reset.beforeMode);
        PutMode(out, reset.afterMode);
        PutRows(out, reset.before);
        PutRows(out, reset.after);
    }
}

bool GetChange(ByteReader& in, ListChange& change) {
    uint8_t tag = 0;
    if (!in.GetU8(tag)) {
        return false;
    }
    if (tag == static_cast<uint8_t>(ChangeTag::kCell)) {
        CellChange cell;
        uint8_t list = 0;
        bool ok = in.GetU8(list) && list <= 1 && in.GetI32(cell.row) && in.GetI32(cell.column) &&
                  in.GetString(cell.before) && in.GetString(cell.after);
        cell.list = static_cast<ListKind>(list);
        change = std::move(cell);
        return ok;
    }
    if (tag == static_cast<uint8_t>(ChangeTag::kRows)) {
        RowsChange rows;
        uint8_t inserted = 0;
        bool ok = in.GetU8(inserted) && in.GetI32(rows.firstRow) && GetRows(in, rows.rows);
        rows.inserted = inserted != 0;
        change = std::move(rows);
        return ok;
    }
    if (tag == static_cast<uint8_t>(ChangeTag::kReset)) {
        ResetChange reset;
        bool ok = GetMode(in, reset.beforeMode) && GetMode(in, reset.afterMode) &&
                  GetRows(in, reset.before) && GetRows(in, reset.after);
        change = std::move(reset);
        return ok;
    }
    return false;
}

template <typename Value>
void PutNumbers(ByteWriter& out, const std::vector<Value>& values) {
    out.PutU32(static_cast<uint32_t>(values.size()));
    for (Value value : values) {
        out.PutI64(static_cast<int64_t>(value));
    }
}

template <typename Value>
bool GetNumbers(ByteReader& in, std::vector<Value>& values) {
    uint32_t count = 0;
    if (!in.GetU32(count) || count > in.Remaining() / 8) {
        return false;
    }
    values.resize(count);
    for (Value& value : values) {
        int64_t number = 0;
        if (!in.GetI64(number)) {
            return false;
        }
        value = static_cast<Value>(number);
    }
    return true;
}

// Decodes a whole payload with `get`; trailing bytes or a short payload make it invalid.
template <typename Value, typename Get>
std::optional<Value> DecodeAll(std::span<const uint8_t> payload, Get get) {
    ByteReader in(payload);
    Value value{};
    if (!get(in, value) || !in.Ok() || !in.AtEnd()) {
        return std::nullopt;
    }
    return value;
}

void PutFiles(ByteWriter& out, const JournalFiles& files) {
    out.PutString(files.entryFolder);
    out.PutString(files.entryName);
    out.PutString(files.resultFolder);
    out.PutString(files.resultName);
    out.PutU8(files.entryModified ? 1 : 0);
    out.PutU8(files.resultModified ? 1 : 0);
}

bool GetFiles(ByteReader& in, JournalFiles& files) {
    uint8_t entry = 0;
    uint8_t result = 0;
    bool ok = in.GetString(files.entryFolder) && in.GetString(files.entryName) &&
              in.GetString(files.resultFolder) && in.GetString(files.resultName) &&
              in.GetU8(entry) && in.GetU8(result);
    files.entryModified = entry != 0;
    files.resultModified = result != 0;
    return ok;
}

void PutCar(ByteWriter& out, const CarOnCourse& car) {
    for (int32_t word :
         {car.position, car.car, car.startTick, car.split1Ms, car.split2Ms, car.penalty}) {
        out.PutI32(word);
    }
}

bool GetCar(ByteReader& in, CarOnCourse& car) {
    return in.GetI32(car.position) && in.GetI32(car.car) && in.GetI32(car.startTick) &&
           in.GetI32(car.split1Ms) && in.GetI32(car.split2Ms) && in.GetI32(car.penalty);
}

void PutCourse(ByteWriter& out, const JournalCourse& course) {
    out.PutU32(static_cast<uint32_t>(course.cars.size()));
    for (const CarOnCourse& car : course.cars) {
        PutCar(out, car);
    }
}

bool GetCourse(ByteReader& in, JournalCourse& course) {
    uint32_t count = 0;
    if (!in.GetU32(count) || count > kJournalCourseMax) {
        return false;
    }
    course.cars.resize(count);
    for (CarOnCourse& car : course.cars) {
        if (!GetCar(in, car)) {
            return false;
        }
    }
    return true;
}

// A step's kind byte carries kStepExtras when what it did to the files or the run it finished
// follow its counters; a step without them reads as before, so older journals still restore.
constexpr uint8_t kStepExtras = 0x80;
constexpr uint8_t kExtraFiles = 1;
constexpr uint8_t kExtraRun = 2;

void PutStepExtras(ByteWriter& out, const ListStep& step) {
    out.PutU8(
        static_cast<uint8_t>((step.files ? kExtraFiles : 0) | (step.finishedRun ? kExtraRun : 0)));
    if (step.files) {
        PutFiles(out, JournalFilesOf(step.files->before));
        PutFiles(out, JournalFilesOf(step.files->after));
    }
    if (step.finishedRun) {
        PutCar(out, *step.finishedRun);
    }
}

bool GetStepExtras(ByteReader& in, ListStep& step) {
    uint8_t extras = 0;
    if (!in.GetU8(extras) || (extras & ~(kExtraFiles | kExtraRun)) != 0) {
        return false;
    }
    if ((extras & kExtraFiles) != 0) {
        JournalFiles before;
        JournalFiles after;
        if (!GetFiles(in, before) || !GetFiles(in, after)) {
            return false;
        }
        step.files = FilesChange{ListFilesOf(before), ListFilesOf(after)};
    }
    if ((extras & kExtraRun) != 0) {
        step.finishedRun.emplace();
        return GetCar(in, *step.finishedRun);
    }
    return true;
}

void PutStep(ByteWriter& out, const ListStep& step) {
    const bool extras = step.files.has_value() || step.finishedRun.has_value();
    out.PutU8(static_cast<uint8_t>(static_cast<uint8_t>(step.kind) | (extras ? kStepExtras : 0)));
    out.PutU32(static_cast<uint32_t>(step.changes.size()));
    for (const ListChange& change : step.changes) {
        PutChange(out, change);
    }
    out.PutU32(static_cast<uint32_t>(step.counters.size()));
    for (const CounterChange& counter : step.counters) {
        out.PutU8(static_cast<uint8_t>(counter.kind));
        out.PutI32(counter.car);
        out.PutI64(counter.before);
        out.PutI64(counter.after);
    }
    if (extras) {
        PutStepExtras(out, step);
    }
}

bool GetStep(ByteReader& in, ListStep& step) {
    uint8_t kind = 0;
    uint32_t count = 0;
    if (!in.GetU8(kind) || (kind & ~kStepExtras) > 1 || !in.GetU32(count) ||
        count > in.Remaining()) {
        return false;
    }
    const bool extras = (kind & kStepExtras) != 0;
    step.kind = static_cast<StepKind>(kind & ~kStepExtras);
    step.changes.resize(count);
    for (ListChange& change : step.changes) {
        if (!GetChange(in, change)) {
            return false;
        }
    }
    if (!in.GetU32(count) || count > in.Remaining() / 21) {
        return false;
    }
    step.counters.resize(count);
    for (CounterChange& counter : step.counters) {
        uint8_t counterKind = 0;
        if (!in.GetU8(counterKind) || counterKind > 2 || !in.GetI32(counter.car) ||
            !in.GetI64(counter.before) || !in.GetI64(counter.after)) {
            return false;
        }
        counter.kind = static_cast<CounterKind>(counterKind);
    }
    return !extras || GetStepExtras(in, step);
}

// Encodes a whole payload with `put`.
template <typename Value, typename Put>
std::vector<uint8_t> EncodeWith(const Value& value, Put put) {
    ByteWriter out;
    out.Reserve(256);  // a booked run's step fits: one growth instead of eight
    put(out, value);
    return out.Take();
}

}  // namespace

JournalFiles JournalFilesOf(const ListFiles& files) {
    return JournalFiles{files.entry.folder, files.entry.name,    files.result.folder,
                        files.result.name,  files.entryModified, files.resultModified};
}

ListFiles ListFilesOf(const JournalFiles& files) {
    return ListFiles{{files.entryFolder, files.entryName},
                     {files.resultFolder, files.resultName},
                     files.entryModified,
                     files.resultModified};
}

std::vector<uint8_t> EncodeStep(const ListStep& step) {
    return EncodeWith(step, PutStep);
}

std::optional<ListStep> DecodeStep(std::span<const uint8_t> payload) {
    return DecodeAll<ListStep>(payload, GetStep);
}

std::vector<uint8_t> EncodeBooking(const JournalBooking& booking) {
    return EncodeWith(booking, [](ByteWriter& out, const JournalBooking& value) {
        PutStep(out, value.step);
        PutCourse(out, value.course);
    });
}

std::optional<JournalBooking> DecodeBooking(std::span<const uint8_t> payload) {
    return DecodeAll<JournalBooking>(payload, [](ByteReader& in, JournalBooking& booking) {
        return GetStep(in, booking.step) && GetCourse(in, booking.course);
    });
}

std::vector<uint8_t> EncodeStarters(const JournalStarters& starters) {
    ByteWriter out;
    out.PutString(starters.proposal);
    for (const int32_t car : starters.queue) {
        out.PutI32(car);
    }
    return out.Take();
}

std::optional<JournalStarters> DecodeStarters(std::span<const uint8_t> payload) {
    return DecodeAll<JournalStarters>(payload, [](ByteReader& in, JournalStarters& starters) {
        if (!in.GetString(starters.proposal)) {
            return false;
        }
        for (int32_t& car : starters.queue) {
            if (!in.GetI32(car) || car < 0 || car > 199) {
                return false;
            }
        }
        return true;
    });
}

std::vector<uint8_t> EncodeFiles(const JournalFiles& files) {
    ByteWriter out;
    PutFiles(out, files);
    return out.Take();
}

std::optional<JournalFiles> DecodeFiles(std::span<const uint8_t> payload) {
    return DecodeAll<JournalFiles>(payload, GetFiles);
}

std::vector<uint8_t> EncodeSession(const JournalSession& session) {
    ByteWriter out;
    PutMode(out, session.mode);
    out.PutI32(session.countingMethod);
    out.PutU32(session.startTick);
    out.PutString(session.bootId);
    return out.Take();
}

std::optional<JournalSession> DecodeSession(std::span<const uint8_t> payload) {
    return DecodeAll<JournalSession>(payload, [](ByteReader& in, JournalSession& session) {
        return GetMode(in, session.mode) && in.GetI32(session.countingMethod) &&
               in.GetU32(session.startTick) && in.GetString(session.bootId);
    });
}

std::vector<uint8_t> EncodeCourse(const JournalCourse& course) {
    return EncodeWith(course, PutCourse);
}

std::optional<JournalCourse> DecodeCourse(std::span<const uint8_t> payload) {
    return DecodeAll<JournalCourse>(payload, GetCourse);
}

namespace {
// The classes come last and only when a car has one, so that a checkpoint without classes
// keeps the bytes it always had and one written before classes existed still reads.
void PutClasses(ByteWriter& out, const std::vector<NameAndModel>& entries) {
    const bool any = std::any_of(entries.begin(), entries.end(),
                                 [](const NameAndModel& entry) { return !entry.cls.empty(); });
    if (!any) {
        return;
    }
    out.PutU32(static_cast<uint32_t>(entries.size()));
    for (const NameAndModel& entry : entries) {
        out.PutString(entry.cls);
    }
}

bool GetClasses(ByteReader& in, std::vector<NameAndModel>& entries) {
    if (in.AtEnd()) {
        return true;
    }
    uint32_t count = 0;
    if (!in.GetU32(count) || count != entries.size()) {
        return false;
    }
    for (NameAndModel& entry : entries) {
        if (!in.GetString(entry.cls)) {
            return false;
        }
    }
    return true;
}
}  // namespace

std::vector<uint8_t> EncodeCheckpoint(const JournalCheckpoint& checkpoint) {
    ByteWriter out;
    out.PutU32(static_cast<uint32_t>(checkpoint.entries.size()));
    for (const NameAndModel& entry : checkpoint.entries) {
        out.PutString(entry.name);
        out.PutString(entry.model);
    }
    out.PutStrings(checkpoint.laps);
    PutMode(out, checkpoint.resultMode);
    PutRows(out, checkpoint.resultRows);
    PutNumbers(out, checkpoint.runCount);
    PutNumbers(out, checkpoint.firstPassTime);
    PutNumbers(out, checkpoint.lastPassTime);
    PutFiles(out, checkpoint.files);
    PutMode(out, checkpoint.currentMode);
    out.PutI32(checkpoint.countingMethod);
    PutClasses(out, checkpoint.entries);
    return out.Take();
}

std::optional<JournalCheckpoint> DecodeCheckpoint(std::span<const uint8_t> payload) {
    return DecodeAll<JournalCheckpoint>(payload, [](ByteReader& in, JournalCheckpoint& point) {
        uint32_t count = 0;
        if (!in.GetU32(count) || count > EntryTable::kLastCar) {
            return false;
        }
        point.entries.resize(count);
        for (NameAndModel& entry : point.entries) {
            if (!in.GetString(entry.name) || !in.GetString(entry.model)) {
                return false;
            }
        }
        return in.GetStrings(point.laps) && GetMode(in, point.resultMode) &&
               GetRows(in, point.resultRows) && GetNumbers(in, point.runCount) &&
               GetNumbers(in, point.firstPassTime) && GetNumbers(in, point.lastPassTime) &&
               GetFiles(in, point.files) && GetMode(in, point.currentMode) &&
               in.GetI32(point.countingMethod) && GetClasses(in, point.entries);
    });
}

namespace {
size_t EncodedRowSize(const std::vector<std::string>& row) {
    size_t size = 4;
    for (const std::string& cell : row) {
        size += 4 + cell.size();
    }
    return size;
}
}  // namespace

size_t EncodedRowsSize(const TableRows& rows) {
    size_t size = 4;
    for (const auto& row : rows) {
        size += EncodedRowSize(row);
    }
    return size;
}

size_t EncodedRowsSize(const ResultTable& table) {
    size_t size = 4;
    for (int32_t row = 1; row < table.RowCount(); ++row) {
        size += EncodedRowSize(table.StoredRow(row));
    }
    return size;
}

JournalCheckpoint CheckpointOf(const EntryTable& entries, const ResultTable& results,
                               const SessionState& state, JournalFiles files) {
    JournalCheckpoint point;
    for (int32_t car = 1; car <= EntryTable::kLastCar; ++car) {
        point.entries.push_back({entries.Name(car), entries.Model(car), entries.Class(car)});
        point.laps.push_back(entries.Cell(EntryTable::kLap, car));
    }
    point.resultMode = results.Mode();
    for (int32_t row = 1; row < results.RowCount(); ++row) {
        point.resultRows.push_back(results.StoredRow(row));
    }
    point.runCount.assign(state.runCount.begin(), state.runCount.end());
    point.firstPassTime.assign(state.firstPassTime.begin(), state.firstPassTime.end());
    point.lastPassTime.assign(state.lastPassTime.begin(), state.lastPassTime.end());
    point.files = std::move(files);
    point.currentMode = state.currentMode;
    point.countingMethod = state.countingMethod;
    return point;
}

void ApplyCheckpoint(const JournalCheckpoint& point, ListTarget target) {
    target.entries.ClearNamesAndModels();
    target.entries.SetNamesAndModels(point.entries);
    for (int32_t car = 1; car <= EntryTable::kLastCar; ++car) {
        const auto index = static_cast<std::size_t>(car - 1);
        target.entries.SetCell(EntryTable::kLap, car,
                               index < point.laps.size() ? point.laps[index] : std::string());
    }
    target.results.Replace(point.resultMode, point.resultRows);
    for (int32_t car = 0; car < kCarSlots; ++car) {
        const auto index = static_cast<std::size_t>(car);
        auto valueOf = [index](const auto& values) {
            return index < values.size() ? values[index] : 0;
        };
        target.state.runCount[car] = valueOf(point.runCount);
        target.state.firstPassTime[car] = valueOf(point.firstPassTime);
        target.state.lastPassTime[car] = valueOf(point.lastPassTime);
    }
    target.state.currentMode = point.currentMode;
    target.state.countingMethod = point.countingMethod;
    target.state.entryModified = point.files.entryModified;
    target.state.resultModified = point.files.resultModified;
}

}  // namespace vantrel
