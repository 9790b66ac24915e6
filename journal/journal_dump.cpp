#include "journal/journal_dump.h"

#include <cstdio>
#include <ctime>

namespace vantrel {

std::string JournalLineHead(const JournalRecord& record) {
    const int64_t ms = ((record.wallMs % 1000) + 1000) % 1000;
    const std::time_t seconds = static_cast<std::time_t>((record.wallMs - ms) / 1000);
    std::tm local{};
    localtime_r(&seconds, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    char millis[8];
    std::snprintf(millis, sizeof millis, ".%03d", static_cast<int>(ms));
    return std::to_string(record.seq) + " " + stamp + millis;
}

int DumpJournal(const std::filesystem::path& path, std::ostream& out,
                const std::function<std::string(const JournalRecord&)>& describe) {
    return DumpJournal(ReadJournalFile(path), out, describe);
}

int DumpJournal(const JournalReadResult& result, std::ostream& out,
                const std::function<std::string(const JournalRecord&)>& describe) {
    for (const JournalRecord& record : result.records) {
        out << JournalLineHead(record) << " " << describe(record) << "\n";
    }
    if (result.damage == JournalDamage::kNone) {
        return 0;
    }
    out << DamageText(result) << "\n";
    const bool nothingRead = result.damage == JournalDamage::kUnreadable ||
                             result.damage == JournalDamage::kNotAJournal ||
                             result.damage == JournalDamage::kNewerVersion;
    return nothingRead ? 2 : 1;
}

}  // namespace vantrel
