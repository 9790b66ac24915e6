#include "journal/list_journal_dump.h"

#include <map>

#include "journal/journal_content.h"
#include "journal/journal_dump.h"
#include "journal/journal_replay.h"

namespace vantrel {

int DumpListJournal(const std::filesystem::path& path, std::ostream& out) {
    const JournalReadResult read = ReadJournalFile(path);
    // Whether a record applies shows only in its turn among the others: a restore is replayed.
    const JournalReplay replay = InspectJournal(read.records);
    std::map<uint64_t, UnappliedReason> unapplied;
    for (const UnappliedRecord& record : replay.unapplied) {
        unapplied[record.seq] = record.reason;
    }
    const int result = DumpJournal(read, out, [&](const JournalRecord& record) {
        std::string line = DescribeRecord(record);
        if (const auto found = unapplied.find(record.seq); found != unapplied.end()) {
            line += std::string(" [cannot be applied: ") + UnappliedReasonText(found->second) + "]";
        }
        return line;
    });
    if (!replay.unapplied.empty()) {
        out << replay.unapplied.size()
            << (replay.unapplied.size() == 1 ? " record cannot" : " records cannot")
            << " be applied at restore:";
        const char* separator = " ";
        for (const UnappliedRecord& record : replay.unapplied) {
            out << separator << UnappliedText(record);
            separator = ", ";
        }
        out << "\n";
    }
    return result;
}

}  // namespace vantrel
