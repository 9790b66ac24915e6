#pragma once
// The text form of a journal for an inquiry after the event: one line per record (seq, local
// date and time with milliseconds, and the caller's description of the record with control
// characters shown as \xNN), then a line naming the damage and where it starts, if any.
// Thread rule: any thread.

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>

#include "journal/journal_record.h"

namespace vantrel {

// One record's line without its description: "<seq> YYYY-MM-DD HH:MM:SS.mmm", or
// "<seq> @<wallMs> ms" for a time that no calendar date holds.
std::string JournalLineHead(const JournalRecord& record);

// Returns 0 for a whole journal, 1 when damage ended it early, 2 when nothing could be read
// (no file, not a journal, or one of a newer version).
int DumpJournal(const std::filesystem::path& path, std::ostream& out,
                const std::function<std::string(const JournalRecord&)>& describe);
// The same for a journal already read.
int DumpJournal(const JournalReadResult& read, std::ostream& out,
                const std::function<std::string(const JournalRecord&)>& describe);

}  // namespace vantrel
