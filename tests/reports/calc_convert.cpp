#include "reports/calc_convert.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace vantrel::test {

namespace {

std::string Quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return out + "'";
}

// Field separator 44 (comma), text delimiter 34 (quote), character set 76 (UTF-8), from
// line 1, then: quote only texts that need it, and save the cells as shown; the sheet -1 is
// every sheet to a file of its own.
constexpr const char* kCsvFilter = "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true";
constexpr const char* kEverySheet = ",false,false,-1";

}  // namespace

std::optional<std::filesystem::path> FindOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path != nullptr ? path : "");
    for (std::string dir; std::getline(dirs, dir, ':');) {
        const std::filesystem::path candidate = std::filesystem::path(dir) / program;
        if (!dir.empty() && access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return std::nullopt;
}

CalcRun ConvertWithCalc(const std::filesystem::path& soffice,
                        const std::vector<std::filesystem::path>& workbooks,
                        const std::filesystem::path& outDir, const std::filesystem::path& work,
                        bool everySheet) {
    const std::filesystem::path log = work / "soffice.log";
    std::string command = "HOME=" + Quoted(work.string()) + " " + Quoted(soffice.string()) +
                          " -env:UserInstallation=file://" + Quoted((work / "profile").string()) +
                          " --headless --norestore --convert-to " +
                          Quoted(std::string(kCsvFilter) + (everySheet ? kEverySheet : "")) +
                          " --outdir " + Quoted(outDir.string());
    for (const std::filesystem::path& book : workbooks) {
        command += " " + Quoted(book.string());
    }
    command += " >" + Quoted(log.string()) + " 2>&1 </dev/null";
    CalcRun run;
    run.ok = std::system(command.c_str()) == 0;
    if (FILE* file = std::fopen(log.c_str(), "r")) {
        char buffer[4096];
        for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
            run.log.append(buffer, got);
        }
        std::fclose(file);
    }
    return run;
}

std::vector<std::vector<std::string>> ParseCsv(const std::string& text) {
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> record;
    std::string field;
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            record.push_back(std::move(field));
            field.clear();
        } else if (c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            i += c == '\r' ? 1 : 0;
            record.push_back(std::move(field));
            field.clear();
            records.push_back(std::move(record));
            record.clear();
        } else {
            field += c;
        }
    }
    if (!field.empty() || !record.empty()) {
        record.push_back(std::move(field));
        records.push_back(std::move(record));
    }
    return records;
}

}  // namespace vantrel::test
