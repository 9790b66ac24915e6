// Any bytes as a journal file (when they start with the journal's first byte), or else as
// records framed here with the right checksums: reading keeps exactly the whole records before
// the damage, every payload that decodes encodes to the same value again, a replay leaves the
// lists in shape, undoing all of it and redoing as much gives the same lists again when every
// record applied, and the dump prints one line per record.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz/fuzz_file.h"
#include "fuzz/fuzz_lines.h"
#include "journal/journal_content.h"
#include "journal/journal_record.h"
#include "journal/journal_replay.h"
#include "journal/list_journal_dump.h"
#include "lists/list_recorder.h"
#include "lists/list_undo.h"

using namespace vantrel;

namespace {

// Framed input: per record a type byte (high bit: eight bytes of wall time follow), a u16
// payload length and the payload; the records get gapless sequence numbers from 1.
std::vector<uint8_t> FrameRecords(std::span<const uint8_t> in, size_t& count) {
    std::vector<uint8_t> out = EncodeJournalHeader();
    JournalRecord record;
    record.wallMs = 1700000000000;
    while (in.size() >= 3) {
        const uint8_t typeByte = in[0];
        in = in.subspan(1);
        if ((typeByte & 0x80) != 0 && in.size() >= 8) {
            record.wallMs = 0;
            for (int i = 7; i >= 0; --i) {
                record.wallMs = static_cast<int64_t>(static_cast<uint64_t>(record.wallMs) << 8 |
                                                     in[static_cast<size_t>(i)]);
            }
            in = in.subspan(8);
        }
        const size_t length =
            in.size() < 2 ? 0 : std::min<size_t>(in[0] | in[1] << 8, in.size() - 2);
        in = in.subspan(std::min<size_t>(2, in.size()));
        record.seq += 1;
        record.type = static_cast<uint16_t>(typeByte & 0x0F);
        record.payload.assign(in.begin(), in.begin() + static_cast<std::ptrdiff_t>(length));
        in = in.subspan(length);
        AppendEncodedRecord(out, record);
        record.wallMs = static_cast<int64_t>(static_cast<uint64_t>(record.wallMs) + 1000);
        ++count;
    }
    return out;
}

template <typename Decode, typename Encode>
void CheckRoundTrip(std::span<const uint8_t> payload, Decode decode, Encode encode) {
    const auto value = decode(payload);
    if (value) {
        fuzz::Require(decode(encode(*value)) == value, "a decoded payload encodes to itself");
    }
}

void CheckPayload(const JournalRecord& record) {
    const std::span<const uint8_t> p(record.payload);
    switch (static_cast<JournalType>(record.type)) {
        case JournalType::kCheckpoint:
            return CheckRoundTrip(p, DecodeCheckpoint, EncodeCheckpoint);
        case JournalType::kStep:
            return CheckRoundTrip(p, DecodeStep, EncodeStep);
        case JournalType::kBooking:
            return CheckRoundTrip(p, DecodeBooking, EncodeBooking);
        case JournalType::kFiles:
            return CheckRoundTrip(p, DecodeFiles, EncodeFiles);
        case JournalType::kSessionStart:
            return CheckRoundTrip(p, DecodeSession, EncodeSession);
        case JournalType::kCourse:
            return CheckRoundTrip(p, DecodeCourse, EncodeCourse);
        case JournalType::kStarters:
            return CheckRoundTrip(p, DecodeStarters, EncodeStarters);
        case JournalType::kDrag:
            return CheckRoundTrip(p, DecodeDrag, EncodeDrag);
        case JournalType::kMode:
            return CheckRoundTrip(p, DecodeMode, EncodeMode);
        case JournalType::kHistory:
            return CheckRoundTrip(p, DecodeHistoryStep, [](const JournalHistoryStep& history) {
                return EncodeHistoryStep(history.step, history.undone);
            });
        default:
            return;
    }
}

void CheckRead(std::span<const uint8_t> bytes, const JournalReadResult& read) {
    fuzz::Require(read.validBytes <= bytes.size(), "the whole part lies within the file");
    if (read.validBytes == 0) {
        fuzz::Require(read.records.empty() && read.damage != JournalDamage::kNone,
                      "no header, no records");
        return;
    }
    std::vector<uint8_t> again = EncodeJournalHeader();
    for (const JournalRecord& record : read.records) {
        AppendEncodedRecord(again, record);
        CheckPayload(record);
    }
    fuzz::Require(
        again.size() == read.validBytes && std::equal(again.begin(), again.end(), bytes.begin()),
        "the records are exactly the bytes before the damage");
}

struct Lists {
    EntryTable entries;
    ResultTable results;
    SessionState state;
    ListRecorder recorder{entries, results, state};
    ListUndo undo{{entries, results, state}, recorder};
    ListTarget Target() { return {entries, results, state}; }
};

void CheckShape(const ResultTable& results) {
    fuzz::Require(results.DataRowCount() >= 1, "a result list keeps a row");
    for (int32_t row = 1; row < results.RowCount(); ++row) {
        fuzz::Require(static_cast<int32_t>(results.Row(row).size()) == results.ColumnCount(),
                      "every row has the layout's cells");
    }
}

std::string ListsText(const Lists& lists) {
    std::string text = std::to_string(static_cast<int>(lists.results.Mode()));
    for (int32_t row = 1; row <= EntryTable::kLastCar; ++row) {
        for (int32_t column = EntryTable::kName; column < EntryTable::kColumns; ++column) {
            text += "|" + lists.entries.Cell(column, row);
        }
    }
    for (int32_t row = 1; row < lists.results.RowCount(); ++row) {
        for (const std::string& cell : lists.results.Row(row)) {
            text += "|" + cell;
        }
        text += "\n";
    }
    return text;
}

void CheckReplay(const std::vector<JournalRecord>& records) {
    Lists lists;
    const JournalReplay replay = ReplayJournal(records, lists.Target(), lists.recorder, lists.undo);
    CheckShape(lists.results);
    const auto has = [&records](JournalType type) {
        return std::any_of(records.begin(), records.end(), [type](const auto& record) {
            return record.type == static_cast<uint16_t>(type);
        });
    };
    fuzz::Require(replay.mode <= RaceMode::kCircuit, "a mode there is");
    fuzz::Require(has(JournalType::kMode) || replay.mode == lists.results.Mode(),
                  "without a mode record, the mode is the result list's layout");
    uint64_t previous = 0;
    for (const UnappliedRecord& record : replay.unapplied) {
        fuzz::Require(record.seq > previous || previous == 0, "unapplied records in order");
        previous = record.seq;
    }
    const std::string replayed = ListsText(lists);
    const size_t done = lists.undo.DoneSteps().size();
    while (lists.undo.Undo()) {
        CheckShape(lists.results);
    }
    for (size_t i = 0; i < done; ++i) {
        fuzz::Require(lists.undo.Redo(), "what was undone can be redone");
        CheckShape(lists.results);
    }
    // Steps of an adopted history are taken as already in the lists, which only the writer
    // can promise.
    if (replay.unapplied.empty() && !has(JournalType::kHistory)) {
        fuzz::Require(ListsText(lists) == replayed, "undone and redone, the lists are as before");
    }
    while (lists.undo.Redo()) {
        CheckShape(lists.results);
    }
}

void CheckDump(const fuzz::ScratchFile& file, std::span<const uint8_t> bytes,
               const JournalReadResult& read) {
    file.Write(bytes);
    std::ostringstream out;
    const int status = DumpListJournal(file.Path(), out);
    fuzz::Require(status == 0 || read.damage != JournalDamage::kNone, "clean means 0");
    const std::string text = out.str();
    const size_t lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
    const size_t damage = read.damage == JournalDamage::kNone ? 0 : 1;
    fuzz::Require(
        lines >= read.records.size() + damage && lines <= read.records.size() + damage + 1,
        "one dump line per record");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::ScratchFile file("journal.vtj");
    std::span<const uint8_t> bytes(data, size);
    std::vector<uint8_t> framed;
    size_t framedCount = 0;
    const bool raw = size > 0 && data[0] == EncodeJournalHeader()[0];
    if (!raw) {
        framed = FrameRecords(bytes, framedCount);
        bytes = framed;
    }
    const JournalReadResult read = DecodeJournal(bytes);
    if (!raw) {
        fuzz::Require(read.damage == JournalDamage::kNone && read.records.size() == framedCount,
                      "framed records read back whole");
    }
    CheckRead(bytes, read);
    CheckReplay(read.records);
    CheckDump(file, bytes, read);
    return 0;
}
