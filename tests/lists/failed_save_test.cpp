// Saves that fail must leave the old file whole, the flags, the remembered file and the
// settings file as they were, and report the platform's error text.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fstream>

#include "list_test_support.h"
#include "lists/entry_list_commands.h"
#include "lists/result_list_commands.h"
#include "support/file_size_limit.h"

namespace vantrel {
namespace {

using test::FileSizeLimit;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

size_t FileCount(const std::filesystem::path& folder) {
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

class FailedSaveTest : public ::testing::Test {
protected:
    TempDir dir;
    IniFile ini{dir / "Vantrel.ini"};
    EntryTable entries;
    ResultTable results{RaceMode::kGymkhana};
    SessionState state;
    EntryListCommands entryCommands{entries, state, &ini};
    ResultListCommands resultCommands{results, entries, state, &ini};

    void SetUp() override {
        for (int32_t car = 1; car <= 199; ++car) {
            entries.SetCell(EntryTable::kName, car, "driver " + std::to_string(car));
        }
        resultCommands.AddResult(BookingOfRow({"12", "A", "X", "2", "01:23.456", "", "", "", "3"}));
        state.entryModified = true;
        state.resultModified = true;
    }

    void ExpectNothingRemembered() {
        EXPECT_TRUE(state.entryModified);
        EXPECT_TRUE(state.resultModified);
        EXPECT_EQ(entryCommands.File().Label(), "\"NewEntry.txt\"");
        EXPECT_EQ(resultCommands.File().Label(), "\"NewResult.csv\"");
        EXPECT_FALSE(std::filesystem::exists(dir / "Vantrel.ini"));
    }
};

TEST_F(FailedSaveTest, FullDiskLeavesTheOldFilesWhole) {
    WriteBytes(dir / "cars.txt", "old entries\r\n");
    WriteBytes(dir / "results.csv", "old results\r\n");
    IoResult entryResult;
    IoResult resultResult;
    {
        FileSizeLimit limit(16);
        entryResult = entryCommands.Save(dir / "cars.txt");
        resultResult = resultCommands.Save(dir / "results.csv");
    }
    EXPECT_FALSE(entryResult);
    EXPECT_FALSE(resultResult);
    EXPECT_NE(entryResult.error.find("cars.txt"), std::string::npos) << entryResult.error;
    EXPECT_NE(entryResult.error.find(std::strerror(EFBIG)), std::string::npos) << entryResult.error;
    EXPECT_EQ(ReadBytes(dir / "cars.txt"), "old entries\r\n");
    EXPECT_EQ(ReadBytes(dir / "results.csv"), "old results\r\n");
    EXPECT_EQ(FileCount(dir.Path()), 2u);  // no temporary file left behind
    ExpectNothingRemembered();
}

TEST_F(FailedSaveTest, FolderThatIsAFileFails) {
    WriteBytes(dir / "plain", "x");
    const IoResult entryResult = entryCommands.Save(dir / "plain" / "cars.txt");
    const IoResult resultResult = resultCommands.Save(dir / "plain" / "results.csv");
    EXPECT_FALSE(entryResult);
    EXPECT_FALSE(resultResult);
    EXPECT_NE(entryResult.error.find(std::strerror(ENOTDIR)), std::string::npos)
        << entryResult.error;
    EXPECT_EQ(ReadBytes(dir / "plain"), "x");
    ExpectNothingRemembered();
}

TEST_F(FailedSaveTest, ReadOnlyFolderLeavesTheOldFileWhole) {
    std::filesystem::create_directory(dir / "locked");
    WriteBytes(dir / "locked" / "cars.txt", "old entries\r\n");
    std::filesystem::permissions(
        dir / "locked", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    // With rights that ignore folder permissions (root) the folder is not read-only at all.
    if (access((dir / "locked").c_str(), W_OK) == 0) {
        GTEST_SKIP() << "this user can write into read-only folders; the full-disk and "
                        "folder-is-a-file tests cover the failure instead";
    }
    const IoResult result = entryCommands.Save(dir / "locked" / "cars.txt");
    EXPECT_FALSE(result);
    EXPECT_EQ(ReadBytes(dir / "locked" / "cars.txt"), "old entries\r\n");
    ExpectNothingRemembered();
}

}  // namespace
}  // namespace vantrel
