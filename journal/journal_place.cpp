#include "journal/journal_place.h"

#include <fcntl.h>
#include <pwd.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <system_error>

namespace vantrel {

namespace {

constexpr std::string_view kPrefix = "journal-";
constexpr std::string_view kSuffix = ".vtj";

// The folder and its missing parents; the last one only for this user.
bool MakePrivateFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder.parent_path(), ec);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        return false;
    }
    return std::filesystem::is_directory(folder, ec);
}

bool IsJournalName(std::string_view name) {
    return name.starts_with(kPrefix) && name.ends_with(kSuffix);
}

// A journal, or one set aside ("<journal>.vtj.<why>[.<n>]").
bool IsJournalOrAsideName(std::string_view name) {
    return name.starts_with(kPrefix) && name.find(kSuffix) != std::string_view::npos;
}

// The name's sort key: the date-time part, then the counter (none sorts before "-2").
std::pair<std::string, int> SortKey(const std::string& name) {
    const std::string stem = name.substr(0, name.size() - kSuffix.size());
    const std::string stamp = stem.substr(0, std::min<size_t>(stem.size(), kPrefix.size() + 15));
    const size_t afterPid = stem.find('-', stamp.size() + 1);
    const int counter = afterPid == std::string::npos ? 1 : std::atoi(stem.c_str() + afterPid + 1);
    return {stamp, counter};
}

bool RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    // A file system without RENAME_NOREPLACE: a hard link also refuses an existing name.
    if (::link(from.c_str(), to.c_str()) != 0) {
        return false;
    }
    ::unlink(from.c_str());
    return true;
}

}  // namespace

StatePlaces CurrentStatePlaces() {
    StatePlaces places;
    if (const char* xdg = std::getenv("XDG_STATE_HOME")) {
        places.xdgStateHome = xdg;
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        places.home = home;
    } else if (const passwd* user = getpwuid(geteuid()); user != nullptr && user->pw_dir) {
        places.home = user->pw_dir;
    }
    return places;
}

std::filesystem::path JournalFolder(const std::filesystem::path& settingsFolder,
                                    bool settingsBesideProgram) {
    return JournalFolder(settingsFolder, settingsBesideProgram, CurrentStatePlaces());
}

std::filesystem::path JournalFolder(const std::filesystem::path& settingsFolder,
                                    bool settingsBesideProgram, const StatePlaces& places) {
    if (settingsBesideProgram) {
        return settingsFolder;
    }
    std::filesystem::path folder;
    // XDG_STATE_HOME counts only when it is absolute, as the XDG base directories require.
    if (!places.xdgStateHome.empty() && places.xdgStateHome.front() == '/') {
        folder = std::filesystem::path(places.xdgStateHome) / "vantrel";
    } else if (!places.home.empty()) {
        folder = std::filesystem::path(places.home) / ".local" / "state" / "vantrel";
    }
    if (folder.empty() || !MakePrivateFolder(folder)) {
        return settingsFolder;
    }
    return folder;
}

std::string JournalFileName(std::chrono::system_clock::time_point now, int pid) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    return std::string(kPrefix) + stamp + "-" + std::to_string(pid) + std::string(kSuffix);
}

std::filesystem::path NewJournalPath(const std::filesystem::path& folder,
                                     std::chrono::system_clock::time_point now) {
    const std::string name = JournalFileName(now, static_cast<int>(::getpid()));
    const std::string stem = name.substr(0, name.size() - kSuffix.size());
    std::filesystem::path path = folder / name;
    std::error_code ec;
    for (int n = 2; std::filesystem::exists(std::filesystem::symlink_status(path, ec)); ++n) {
        path = folder / (stem + "-" + std::to_string(n) + std::string(kSuffix));
    }
    return path;
}

std::vector<std::filesystem::path> ListJournals(const std::filesystem::path& folder) {
    std::vector<std::pair<std::pair<std::string, int>, std::filesystem::path>> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (IsJournalName(name) && entry.is_regular_file(ec)) {
            found.emplace_back(SortKey(name), entry.path());
        }
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second > b.second;
    });
    std::vector<std::filesystem::path> paths;
    for (auto& item : found) {
        paths.push_back(std::move(item.second));
    }
    return paths;
}

std::optional<FoundJournal> FindJournalToOffer(const std::filesystem::path& folder) {
    for (const std::filesystem::path& path : ListJournals(folder)) {
        if (JournalInUse(path)) {
            continue;
        }
        JournalReadResult read = ReadJournalFile(path);
        const bool neverBegun = read.records.empty() && (read.damage == JournalDamage::kNone ||
                                                         read.damage == JournalDamage::kTruncated);
        if (!neverBegun) {
            return FoundJournal{path, std::move(read)};
        }
    }
    return std::nullopt;
}

bool JournalInUse(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool inUse = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);  // also releases a lock taken here
    return inUse;
}

std::filesystem::path KeepAside(const std::filesystem::path& path, std::string_view why) {
    const std::string base = path.string() + "." + std::string(why);
    std::filesystem::path target = base;
    for (int n = 2; n < 10000; ++n) {
        if (RenameNoReplace(path, target)) {
            ::utimensat(AT_FDCWD, target.c_str(), nullptr, 0);
            return target;
        }
        if (errno != EEXIST) {
            return {};
        }
        target = base + "." + std::to_string(n);
    }
    return {};
}

int PruneOldJournals(const std::filesystem::path& folder, int days,
                     std::chrono::system_clock::time_point now,
                     const std::filesystem::path& spare) {
    const std::time_t limit =
        std::chrono::system_clock::to_time_t(now - std::chrono::hours(24) * days);
    int deleted = 0;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        struct stat info {};
        if (!IsJournalOrAsideName(name) || (!spare.empty() && name == spare.filename()) ||
            ::lstat(entry.path().c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
            info.st_mtime >= limit || JournalInUse(entry.path())) {
            continue;
        }
        if (::unlink(entry.path().c_str()) == 0) {
            ++deleted;
        }
    }
    return deleted;
}

}  // namespace vantrel
