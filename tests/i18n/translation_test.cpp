// The English translation is complete for the code as it stands: lupdate over the sources finds
// no text without its English, and every English text keeps its source's %1 markers and
// keyboard accelerator.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "support/temp_dir.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

const char* const kFolders[] = {"app",     "common",  "dialogs", "journal", "lists",  "modes",
                                "reports", "sensors", "voice",   "web",     "widgets"};

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::set<std::string> Markers(const std::string& text) {
    std::set<std::string> found;
    static const std::regex marker("%[1-9]");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), marker);
         it != std::sregex_iterator(); ++it) {
        found.insert(it->str());
    }
    return found;
}

// The .ts of `folder` brought up to date with the code, in a scratch copy.
std::string UpdatedTs(const fs::path& scratch, const char* folder) {
    const fs::path root = VANTREL_SOURCE_DIR;
    const fs::path ts = scratch / (std::string(folder) + ".ts");
    fs::copy_file(root / "i18n" / "en" / ts.filename(), ts, fs::copy_options::overwrite_existing);
    const std::string command = std::string("cd '") + root.string() + "' && '" + VANTREL_LUPDATE +
                                "' " + VANTREL_LUPDATE_OPTIONS + " " + folder + " -ts '" +
                                ts.string() + "' >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return Read(ts);
}

TEST(TranslationTest, EveryTextOfTheCodeHasItsEnglish) {
    test::TempDir scratch;
    const fs::path folderPath = scratch.Path();
    static const std::regex message(
        "<message>\\s*<source>([^<]*)</source>"
        "(?:\\s*<(?:comment|extracomment|translatorcomment)>[^<]*</\\w+>)*"
        "\\s*<translation([^>]*)>([^<]*)</translation>");
    for (const char* folder : kFolders) {
        SCOPED_TRACE(folder);
        const std::string ts = UpdatedTs(folderPath, folder);
        int messages = 0;
        for (auto it = std::sregex_iterator(ts.begin(), ts.end(), message);
             it != std::sregex_iterator(); ++it, ++messages) {
            const std::string source = (*it)[1];
            const std::string attributes = (*it)[2];
            const std::string english = (*it)[3];
            EXPECT_EQ(attributes.find("unfinished"), std::string::npos)
                << "no English yet (i18n/en/" << folder << ".ts): " << source;
            EXPECT_EQ(Markers(english), Markers(source)) << source << " -> " << english;
            if (source.find("(&amp;") != std::string::npos) {
                EXPECT_NE(english.find("&amp;"), std::string::npos)
                    << "accelerator lost: " << source << " -> " << english;
            }
        }
        size_t inFile = 0;
        for (size_t at = ts.find("<message>"); at != std::string::npos;
             at = ts.find("<message>", at + 1)) {
            ++inFile;
        }
        EXPECT_EQ(static_cast<size_t>(messages), inFile) << "a message the check could not read";
    }
}

}  // namespace
}  // namespace vantrel
