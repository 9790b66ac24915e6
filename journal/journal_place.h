#pragma once
// Where the journals live and how they are named, listed, kept aside and pruned. The folder is
// the user's state folder, $XDG_STATE_HOME/vantrel or ~/.local/state/vantrel, or the settings
// folder when the settings file is beside the program. Journals are named
// journal-YYYYMMDD-HHMMSS-<pid>.vtj (local time; "-<n>" before ".vtj" when that name is
// taken), so the names sort by age. A journal set aside gets a suffix ("<name>.declined") and
// is never listed again; nothing here deletes a journal except pruning by age, and never one
// in use. Thread rule: any thread.

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "journal/journal_record.h"

namespace vantrel {

// What the choice of folder needs from the surroundings; tests hand in their own.
struct StatePlaces {
    std::string xdgStateHome;  // "" when unset
    std::string home;          // "" when unknown
};
StatePlaces CurrentStatePlaces();

// The journal folder, created (0700) when missing. When the state folder cannot be made, the
// settings folder is used.
std::filesystem::path JournalFolder(const std::filesystem::path& settingsFolder,
                                    bool settingsBesideProgram);
std::filesystem::path JournalFolder(const std::filesystem::path& settingsFolder,
                                    bool settingsBesideProgram, const StatePlaces& places);

// journal-YYYYMMDD-HHMMSS-<pid>.vtj for the local time of `now`.
std::string JournalFileName(std::chrono::system_clock::time_point now, int pid);
// A path in `folder` for a new journal of this process that no file has yet.
std::filesystem::path NewJournalPath(const std::filesystem::path& folder,
                                     std::chrono::system_clock::time_point now);

// The journals in `folder` (not the ones set aside), newest first.
std::vector<std::filesystem::path> ListJournals(const std::filesystem::path& folder);

// A journal a start looks at, with what could be read of it.
struct FoundJournal {
    std::filesystem::path path;
    JournalReadResult read;
};
// The newest journal in `folder` that no writer holds, passing over those that end before
// their first whole record: such a journal is a start whose checkpoint never reached the disk,
// and the journal it was to take over from is still in place behind it. Nullopt when none.
std::optional<FoundJournal> FindJournalToOffer(const std::filesystem::path& folder);

// True while a writer (of this or another program) holds the journal's lock.
bool JournalInUse(const std::filesystem::path& path);

// Renames the journal to "<name>.<why>" (with ".<n>" added when that exists, never replacing a
// file) and returns the new path; an empty path when it could not be renamed. The file's
// modification time becomes now, so that pruning counts its days from the moment it was set
// aside.
std::filesystem::path KeepAside(const std::filesystem::path& path, std::string_view why);

// Deletes the journals and set-aside journals in `folder` last modified more than `days` days
// before `now`, except those in use and `spare`. Returns how many were deleted.
int PruneOldJournals(const std::filesystem::path& folder, int days,
                     std::chrono::system_clock::time_point now,
                     const std::filesystem::path& spare = {});

}  // namespace vantrel
