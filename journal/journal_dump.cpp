#include "journal/journal_dump.h"

#include <cstdio>
#include <ctime>

namespace vantrel {

std::string JournalLineHead(const JournalRecord& record) {
    // Divided before the remainder is taken away, so that no stored value can overflow.
    const int64_t rest = record.wallMs % 1000;
    const int64_t ms = rest < 0 ? rest + 1000 : rest;
    const std::time_t seconds = static_cast<std::time_t>(record.wallMs / 1000 - (rest < 0 ? 1 : 0));
    std::tm local{};
    char stamp[32];
    if (localtime_r(&seconds, &local) == nullptr ||
        std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local) == 0) {
        // A time no calendar holds (a damaged clock or record): the number as stored.
        return std::to_string(record.seq) + " @" + std::to_string(record.wallMs) + " ms";
    }
    char millis[8];
    std::snprintf(millis, sizeof millis, ".%03d", static_cast<int>(ms));
    return std::to_string(record.seq) + " " + stamp + millis;
}

namespace {
// A record's text on one line: control characters (a newline in a damaged cell) as \xNN.
std::string OneLine(const std::string& text) {
    std::string line;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            line += escaped;
        } else {
            line += c;
        }
    }
    return line;
}
}  // namespace

int DumpJournal(const std::filesystem::path& path, std::ostream& out,
                const std::function<std::string(const JournalRecord&)>& describe) {
    return DumpJournal(ReadJournalFile(path), out, describe);
}

int DumpJournal(const JournalReadResult& result, std::ostream& out,
                const std::function<std::string(const JournalRecord&)>& describe) {
    for (const JournalRecord& record : result.records) {
        out << JournalLineHead(record) << " " << OneLine(describe(record)) << "\n";
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
