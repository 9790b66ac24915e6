// The records that carry the undo history across a fresh journal.
#include <variant>

#include "journal/journal_content.h"

namespace vantrel {
namespace {

size_t EncodedStringSize(const std::string& text) {
    return 4 + text.size();
}

size_t EncodedChangeSize(const ListChange& change) {
    if (const auto* cell = std::get_if<CellChange>(&change)) {
        return 1 + 1 + 4 + 4 + EncodedStringSize(cell->before) + EncodedStringSize(cell->after);
    }
    if (const auto* rows = std::get_if<RowsChange>(&change)) {
        return 1 + 1 + 4 + EncodedRowsSize(rows->rows);
    }
    const auto& reset = std::get<ResetChange>(change);
    return 1 + 1 + 1 + EncodedRowsSize(reset.before) + EncodedRowsSize(reset.after);
}

size_t EncodedFilesSize(const ListFiles& files) {
    return EncodedStringSize(files.entry.folder) + EncodedStringSize(files.entry.name) +
           EncodedStringSize(files.result.folder) + EncodedStringSize(files.result.name) + 2;
}

}  // namespace

size_t EncodedStepSize(const ListStep& step) {
    size_t size = 1 + 4 + 4 + step.counters.size() * 21;
    for (const ListChange& change : step.changes) {
        size += EncodedChangeSize(change);
    }
    if (step.files || step.finishedRun) {
        size += 1;
        size += step.files
                    ? EncodedFilesSize(step.files->before) + EncodedFilesSize(step.files->after)
                    : 0;
        size += step.finishedRun ? 6 * 4 : 0;
    }
    return size;
}

std::vector<uint8_t> EncodeHistoryStep(const ListStep& step, bool undone) {
    std::vector<uint8_t> payload = EncodeStep(step);
    payload.insert(payload.begin(), undone ? 1 : 0);
    return payload;
}

std::optional<JournalHistoryStep> DecodeHistoryStep(std::span<const uint8_t> payload) {
    if (payload.empty() || payload[0] > 1) {
        return std::nullopt;
    }
    std::optional<ListStep> step = DecodeStep(payload.subspan(1));
    if (!step) {
        return std::nullopt;
    }
    return JournalHistoryStep{payload[0] == 1, std::move(*step)};
}

}  // namespace vantrel
