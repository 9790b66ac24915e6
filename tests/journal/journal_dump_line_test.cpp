// A record's line in the journal dump, whatever the record holds.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <random>
#include <sstream>
#include <string>

#include "journal/journal_content.h"
#include "journal/journal_dump.h"
#include "journal/list_journal_dump.h"
#include "journal_test_support.h"
#include "support/temp_dir.h"

namespace vantrel {
namespace {

// Times before 1970 and at the int64 limits (a damaged clock or a damaged record with a right
// checksum) are dated like the others: never an overflow, the milliseconds always 0..999.
TEST(JournalDumpLine, EveryStoredTimeIsDated) {
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(JournalLineHead({1, 0, -1, {}}), "1 1969-12-31 23:59:59.999");
    EXPECT_EQ(JournalLineHead({2, 0, -1000, {}}), "2 1969-12-31 23:59:59.000");
    EXPECT_EQ(JournalLineHead({3, 0, -1001, {}}), "3 1969-12-31 23:59:58.999");
    // The lowest stored time is far before the epoch, not far after it.
    const std::string lowest = JournalLineHead({4, 0, INT64_MIN, {}});
    EXPECT_TRUE(lowest.starts_with("4 -292275055-")) << lowest;
    EXPECT_TRUE(lowest.ends_with(".192")) << lowest;
    EXPECT_TRUE(JournalLineHead({5, 0, INT64_MAX, {}}).ends_with(".807"));

    std::mt19937_64 random(42);
    for (int i = 0; i < 1000; ++i) {
        const auto wallMs = static_cast<int64_t>(random());
        const std::string head = JournalLineHead({9, 0, wallMs, {}});
        const int64_t ms = (wallMs % 1000 + 1000) % 1000;
        char millis[8];
        std::snprintf(millis, sizeof millis, ".%03d", static_cast<int>(ms));
        EXPECT_TRUE(head.starts_with("9 ") && head.ends_with(millis)) << wallMs << " " << head;
    }
}

// A cell text with a newline (found by the journal fuzzer in an edit record with a right
// checksum) stays on its record's line, so that the dump still has one line per record.
TEST(JournalDumpLine, ControlCharactersStayOnTheRecordsLine) {
    ListStep step;
    step.changes.push_back(CellChange{ListKind::kResult, 1, 5, "S2\n0", "\x1B[2J\t"});
    const std::vector<JournalRecord> records = {
        {1, static_cast<uint16_t>(JournalType::kStep), 1700000000000, EncodeStep(step)},
        {2, static_cast<uint16_t>(JournalType::kSessionStop), 1700000001000, {}}};
    test::TempDir dir;
    const std::vector<uint8_t> bytes = test::EncodeJournal(records);
    test::WriteBytes(dir / "cell.vtj", std::string(bytes.begin(), bytes.end()));
    std::ostringstream out;
    DumpListJournal(dir / "cell.vtj", out);
    const std::string text = out.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2) << text;
    EXPECT_NE(text.find("\"S2\\x0A0\" -> \"\\x1B[2J\\x09\""), std::string::npos) << text;
}

}  // namespace
}  // namespace vantrel
