#pragma once
// The text form of the lists' journal, as `--journal-dump` prints it: every record described,
// each record that a restore cannot apply marked on its line, and a last line counting and
// naming them.
// Thread rule: any thread.

#include <filesystem>
#include <ostream>

namespace vantrel {

// Returns as DumpJournal does: 0 for a whole journal, 1 when damage ended it early, 2 when
// nothing could be read.
int DumpListJournal(const std::filesystem::path& path, std::ostream& out);

}  // namespace vantrel
