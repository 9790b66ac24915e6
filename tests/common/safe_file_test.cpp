#include "common/safe_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "common/text_file.h"
#include "support/temp_dir.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Names(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Lowers the file-size limit of the process for the life of the object, so that writes
// beyond `bytes` fail with EFBIG even for root (which a read-only folder does not stop).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lower = old_;
        lower.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &lower) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    bool active() const { return active_; }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
    bool active_ = false;
};

TEST(WriteFileAtomic, WritesExactBytesAndReplacesTheOldFile) {
    test::TempDir dir;
    const auto path = dir / "Result.csv";
    ASSERT_TRUE(WriteCp932Lines(path, {"1,ＭＳ ゴシック,01:23.456", "2,ﾐｽｺｰｽ,"}));
    EXPECT_EQ(test::ReadBytes(path),
              "1,\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E,01:23.456\r\n"
              "2,\xD0\xBD\xBA\xB0\xBD,\r\n");
    // A shorter file replaces it completely (no tail of the old one).
    ASSERT_TRUE(WriteCp932Lines(path, {"計測中"}));
    EXPECT_EQ(test::ReadBytes(path), "\x8C\x76\x91\xAA\x92\x86\r\n");
    ASSERT_TRUE(WriteFileAtomic(path, ""));
    EXPECT_EQ(test::ReadBytes(path), "");
    EXPECT_TRUE(fs::exists(path));
    // No temporary file is left beside it.
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"Result.csv"});
}

TEST(WriteFileAtomic, NewFileGetsTheUsualPermissions) {
    test::TempDir dir;
    const auto path = dir / "SensorLog.txt";
    const mode_t mask = ::umask(022);
    const bool ok = static_cast<bool>(WriteFileAtomic(path, "x\r\n"));
    ::umask(mask);
    ASSERT_TRUE(ok);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST(WriteFileAtomic, NameNearTheFileNameLimit) {
    test::TempDir dir;
    const std::string name = std::string(251, 'r') + ".csv";  // 255 bytes, the longest name
    ASSERT_TRUE(WriteFileAtomic(dir / name, "1,a\r\n"));
    EXPECT_EQ(test::ReadBytes(dir / name), "1,a\r\n");
    ASSERT_TRUE(WriteFileAtomic(dir / name, "2,b\r\n"));
    EXPECT_EQ(test::ReadBytes(dir / name), "2,b\r\n");
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{name});
}

TEST(WriteFileAtomic, ParentThatIsAFileFailsWithTheFileName) {
    test::TempDir dir;
    test::WriteBytes(dir / "plain", "old");
    const auto path = dir / "plain" / "Vantrel.ini";
    const IoResult result = WriteFileAtomic(path, "data");
    EXPECT_FALSE(result);
    EXPECT_NE(result.error.find(path.string()), std::string::npos) << result.error;
    EXPECT_EQ(test::ReadBytes(dir / "plain"), "old");
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"plain"});
}

TEST(WriteFileAtomic, TargetThatIsAFolderFailsAndLeavesNoTemporaryFile) {
    test::TempDir dir;
    const auto path = dir / "Entry.csv";
    fs::create_directory(path);
    test::WriteBytes(path / "inside", "keep");
    const IoResult result = WriteFileAtomic(path, "data");
    EXPECT_FALSE(result);
    EXPECT_NE(result.error.find("Entry.csv"), std::string::npos) << result.error;
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(test::ReadBytes(path / "inside"), "keep");
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"Entry.csv"});
}

TEST(WriteFileAtomic, FailedWriteLeavesTheOldFileWhole) {
    test::TempDir dir;
    const auto path = dir / "Entry.csv";
    const std::string old = "1,\x8C\x76\x91\xAA\x92\x86\r\n";
    test::WriteBytes(path, old);
    IoResult result;
    {
        FileSizeLimit limit(4);
        if (!limit.active()) {
            GTEST_SKIP() << "cannot lower the file-size limit here";
        }
        result = WriteFileAtomic(path, std::string(4096, 'x'));
    }
    EXPECT_FALSE(result);
    EXPECT_NE(result.error.find(path.string()), std::string::npos) << result.error;
    EXPECT_EQ(test::ReadBytes(path), old);
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"Entry.csv"});
}

TEST(WriteFileAtomic, ReadOnlyFolderFailsAndLeavesTheOldFile) {
    test::TempDir dir;
    const auto folder = dir / "ro";
    fs::create_directory(folder);
    const auto path = folder / "Vantrel.ini";
    test::WriteBytes(path, "[Window]\r\n");
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    // Root (and some file systems) ignore the folder's permissions.
    const bool blocked = ::access(folder.c_str(), W_OK) != 0;
    if (!blocked) {
        fs::permissions(folder, fs::perms::owner_all);
        GTEST_SKIP() << "a read-only folder does not stop writing for this user";
    }
    const IoResult result = WriteFileAtomic(path, "[Setup]\r\n");
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_FALSE(result);
    EXPECT_NE(result.error.find("Vantrel.ini"), std::string::npos) << result.error;
    EXPECT_EQ(test::ReadBytes(path), "[Window]\r\n");
    EXPECT_EQ(Names(folder), std::vector<std::string>{"Vantrel.ini"});
}

TEST(ReadWholeFile, ReadsBytesOrFailsLeavingThemAlone) {
    test::TempDir dir;
    const std::string bytes("a\0\xFF\r\n", 5);
    test::WriteBytes(dir / "f.bin", bytes);
    std::string read;
    ASSERT_TRUE(ReadWholeFile(dir / "f.bin", read));
    EXPECT_EQ(read, bytes);

    std::string kept = "kept";
    const IoResult result = ReadWholeFile(dir / "none.bin", kept);
    EXPECT_FALSE(result);
    EXPECT_NE(result.error.find("none.bin"), std::string::npos);
    EXPECT_EQ(kept, "kept");
    EXPECT_FALSE(ReadWholeFile(dir.Path(), kept));  // a folder is no file
    EXPECT_EQ(kept, "kept");
}

TEST(WriteFileAtomic, KeepsTheModeOfAReplacedFileAndRefusesAReadOnlyOne) {
    test::TempDir dir;
    const auto kept = dir / "Result.csv";
    test::WriteBytes(kept, "old\r\n");
    ASSERT_EQ(::chmod(kept.c_str(), 0640), 0);
    ASSERT_TRUE(WriteFileAtomic(kept, "new\r\n"));
    struct stat info {};
    ASSERT_EQ(::stat(kept.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(test::ReadBytes(kept), "new\r\n");

    // Marked read-only for everyone: refused with the system's reason, even for root.
    const auto readOnly = dir / "Final.csv";
    test::WriteBytes(readOnly, "final\r\n");
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    const IoResult refused = WriteFileAtomic(readOnly, "");
    EXPECT_FALSE(refused);
    EXPECT_NE(refused.error.find(readOnly.string()), std::string::npos) << refused.error;
    EXPECT_NE(refused.error.find(std::strerror(EACCES)), std::string::npos) << refused.error;
    EXPECT_EQ(test::ReadBytes(readOnly), "final\r\n");
    ASSERT_EQ(::stat(readOnly.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0444u);
    EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"Final.csv", "Result.csv"}));
}

TEST(WriteFileAtomic, RefusesAFileOnlyOthersMayWrite) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "the superuser may write every file with a write permission bit";
    }
    test::TempDir dir;
    const auto path = dir / "Shared.csv";
    test::WriteBytes(path, "shared\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0464), 0);  // only the group may write; we are the owner
    const IoResult refused = WriteFileAtomic(path, "");
    EXPECT_FALSE(refused);
    EXPECT_NE(refused.error.find(std::strerror(EACCES)), std::string::npos) << refused.error;
    EXPECT_EQ(test::ReadBytes(path), "shared\r\n");
}

}  // namespace
}  // namespace vantrel
