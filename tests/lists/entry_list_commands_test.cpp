#include <gtest/gtest.h>

#include "list_test_support.h"
#include "lists/entry_list_commands.h"

namespace vantrel {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

class EntryListCommandsTest : public ::testing::Test {
protected:
    TempDir dir;
    IniFile ini{dir / "Vantrel.ini"};
    EntryTable table;
    SessionState state;
    EntryListCommands commands{table, state, &ini};

    std::string IniFolder() const {
        return IniFile(dir / "Vantrel.ini").ReadString("InitialDir", "EntryList", "<none>");
    }
};

TEST_F(EntryListCommandsTest, StartsWithTheNewEntryNameAndTheRememberedFolder) {
    EXPECT_EQ(commands.File().name, "NewEntry.txt");
    EXPECT_EQ(commands.File().Label(), "\"NewEntry.txt\"");
    EXPECT_EQ(commands.File().folder, "");

    IniFile other(dir / "other.ini");
    other.WriteString("InitialDir", "EntryList", "/data/events");
    EntryListCommands remembered(table, state, &other);
    EXPECT_EQ(remembered.File().folder, "/data/events");
}

TEST_F(EntryListCommandsTest, NewEmptiesNamesKeepsLapsAndClearsTheFlag) {
    table.SetCell(EntryTable::kName, 3, "n");
    table.SetCell(EntryTable::kLap, 3, "2");
    state.entryModified = true;
    EXPECT_TRUE(commands.NeedsQuestionBeforeReplace());
    commands.New();
    EXPECT_EQ(table.Name(3), "");
    EXPECT_EQ(table.Cell(EntryTable::kLap, 3), "2");
    EXPECT_FALSE(state.entryModified);
    EXPECT_FALSE(commands.NeedsQuestionBeforeReplace());
    EXPECT_EQ(commands.File().name, "NewEntry.txt");
}

TEST_F(EntryListCommandsTest, LoadRemembersTheFileAndClearsTheFlag) {
    std::filesystem::create_directory(dir / "event");
    WriteBytes(dir / "event" / "cars.txt", "A,X\r\n");
    state.entryModified = true;
    ASSERT_TRUE(commands.Load(dir / "event" / "cars.txt"));
    EXPECT_EQ(table.Name(1), "A");
    EXPECT_FALSE(state.entryModified);
    EXPECT_EQ(commands.File().name, "cars.txt");
    EXPECT_EQ(commands.File().Label(), "\"cars.txt\"");
    EXPECT_EQ(commands.File().folder, (dir / "event").string());
    EXPECT_EQ(IniFolder(), (dir / "event").string());
}

TEST_F(EntryListCommandsTest, FailedLoadChangesNothing) {
    table.SetCell(EntryTable::kName, 1, "keep");
    state.entryModified = true;
    EXPECT_FALSE(commands.Load(dir / "missing.txt"));
    EXPECT_EQ(table.Name(1), "keep");
    EXPECT_TRUE(state.entryModified);
    EXPECT_EQ(commands.File().name, "NewEntry.txt");
    EXPECT_EQ(IniFolder(), "<none>");
}

TEST_F(EntryListCommandsTest, SaveWritesRemembersAndClearsTheFlag) {
    table.SetCell(EntryTable::kName, 1, "A");
    state.entryModified = true;
    ASSERT_TRUE(commands.Save(dir / "out.txt"));
    EXPECT_EQ(ReadBytes(dir / "out.txt").substr(0, 6), "A,\r\n,\r");
    EXPECT_FALSE(state.entryModified);
    EXPECT_EQ(commands.File().name, "out.txt");
    EXPECT_EQ(IniFolder(), dir.Path().string());
}

TEST_F(EntryListCommandsTest, InsertAndDeleteAloneDoNotSetTheFlag) {
    table.SetCell(EntryTable::kName, 5, "five");
    commands.Insert(5);
    EXPECT_EQ(table.Name(6), "five");
    commands.Delete(5);
    EXPECT_EQ(table.Name(5), "five");
    EXPECT_FALSE(state.entryModified);

    state.entryModified = true;
    commands.Insert(1);
    commands.Delete(1);
    EXPECT_TRUE(state.entryModified);
}

TEST_F(EntryListCommandsTest, AnEditBegunAndEndedWithoutChangeSetsTheFlag) {
    EXPECT_FALSE(commands.EditState().Editing());
    commands.BeginEdit();
    EXPECT_TRUE(commands.EditState().Editing());
    commands.EndEdit();
    EXPECT_FALSE(commands.EditState().Editing());
    EXPECT_TRUE(state.entryModified);
}

TEST_F(EntryListCommandsTest, EndingAnEditLeavesTheFlag) {
    commands.EndEdit();
    EXPECT_FALSE(state.entryModified);
}

TEST_F(EntryListCommandsTest, WorksWithoutASettingsFile) {
    EntryListCommands bare(table, state, nullptr);
    WriteBytes(dir / "a.txt", "Z,\r\n");
    ASSERT_TRUE(bare.Load(dir / "a.txt"));
    EXPECT_EQ(bare.File().name, "a.txt");
}

}  // namespace
}  // namespace vantrel
