#include "web/snapshot_json.h"

#include <algorithm>

#include "web/json_text.h"

namespace vantrel {

namespace {

void AppendHead(std::string& out, const LiveSnapshot& s) {
    out += "\"sequence\":" + std::to_string(s.sequence) + ",\"mode\":";
    AppendJsonString(out, s.mode);
    out += s.running ? ",\"running\":true" : ",\"running\":false";
}

void AppendRows(std::string& out, const std::vector<std::vector<std::string>>& rows) {
    out += '[';
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        AppendJsonStrings(out, rows[i]);
    }
    out += ']';
}

// `"rowFlags":[...]`, the reason of each row's mark ("" for none), only when a row has one:
// pages that know no marks get the text they always got.
void AppendRowFlags(std::string& out, const std::vector<std::string>& flags) {
    if (std::any_of(flags.begin(), flags.end(), [](const std::string& f) { return !f.empty(); })) {
        out += ",\"rowFlags\":";
        AppendJsonStrings(out, flags);
    }
}

void AppendLast(std::string& out, const std::optional<LiveResult>& last) {
    if (!last) {
        out += "null";
        return;
    }
    out += "{\"car\":" + std::to_string(last->car) + ",\"name\":";
    AppendJsonString(out, last->name);
    out += ",\"time\":";
    AppendJsonString(out, last->time);
    out += ",\"count\":" + std::to_string(last->count);
    if (!last->flag.empty()) {
        out += ",\"flag\":";
        AppendJsonString(out, last->flag);
    }
    out += '}';
}

// The rows of one class; none for a class no car has.
const std::vector<std::vector<std::string>>& ClassRows(const LiveSnapshot& s,
                                                       std::string_view carClass) {
    static const std::vector<std::vector<std::string>> kNone;
    for (size_t i = 0; i < s.classes.size() && i < s.classRankRows.size(); ++i) {
        if (s.classes[i] == carClass) {
            return s.classRankRows[i];
        }
    }
    return kNone;
}

const std::vector<std::string>& ClassFlags(const LiveSnapshot& s, std::string_view carClass) {
    static const std::vector<std::string> kNone;
    for (size_t i = 0; i < s.classes.size() && i < s.classRankFlags.size(); ++i) {
        if (s.classes[i] == carClass) {
            return s.classRankFlags[i];
        }
    }
    return kNone;
}

}  // namespace

std::string StandingsJson(const LiveSnapshot& s, std::string_view carClass) {
    std::string out = "{";
    AppendHead(out, s);
    if (!carClass.empty()) {
        out += ",\"class\":";
        AppendJsonString(out, carClass);
    }
    out += ",\"headings\":";
    AppendJsonStrings(out, s.rankHeadings);
    out += ",\"rows\":";
    if (carClass.empty()) {
        AppendRows(out, s.rankRows);
        AppendRowFlags(out, s.rankFlags);
    } else {
        AppendRows(out, ClassRows(s, carClass));
        AppendRowFlags(out, ClassFlags(s, carClass));
    }
    // A list without classes gives the same text as before classes were known.
    if (!carClass.empty() || !s.classes.empty()) {
        out += ",\"classes\":";
        AppendJsonStrings(out, s.classes);
    }
    if (carClass.empty() && !s.rankClasses.empty()) {
        out += ",\"rowClasses\":";
        AppendJsonStrings(out, s.rankClasses);
    }
    out += '}';
    return out;
}

std::string ResultsJson(const LiveSnapshot& s) {
    std::string out = "{";
    AppendHead(out, s);
    out += ",\"count\":" + std::to_string(s.resultCount) + ",\"headings\":";
    AppendJsonStrings(out, s.resultHeadings);
    out += ",\"rows\":";
    AppendRows(out, s.results);
    AppendRowFlags(out, s.resultFlags);
    out += ",\"last\":";
    AppendLast(out, s.last);
    out += '}';
    return out;
}

std::string CourseJson(const LiveSnapshot& s, uint32_t nowTick) {
    std::string out = "{";
    AppendHead(out, s);
    out += ",\"cars\":[";
    for (size_t i = 0; i < s.course.size(); ++i) {
        const LiveCourseCar& c = s.course[i];
        out += i > 0 ? ",{" : "{";
        out += "\"position\":" + std::to_string(c.position) + ",\"car\":" + std::to_string(c.car);
        out += ",\"name\":";
        AppendJsonString(out, c.name);
        // Across the wrap of the 32-bit tick, as every clock of the program counts.
        const auto elapsed = static_cast<int32_t>(nowTick - c.startTick);
        out += ",\"elapsedMs\":" + std::to_string(elapsed < 0 ? 0 : elapsed) + '}';
    }
    out += "]}";
    return out;
}

std::string BoardJson(const LiveSnapshot& s) {
    std::string out = "{\"fields\":";
    AppendJsonStrings(out, s.board);
    out += ",\"color\":";
    AppendJsonString(out, s.boardColor);
    out += ",\"background\":";
    AppendJsonString(out, s.boardBackground);
    if (!s.boardTimeFlag.empty()) {
        out += ",\"timeFlag\":";
        AppendJsonString(out, s.boardTimeFlag);
    }
    out += '}';
    return out;
}

std::string SnapshotJson(const LiveSnapshot& s, uint32_t nowTick, std::string_view carClass) {
    return "{\"sequence\":" + std::to_string(s.sequence) +
           ",\"standings\":" + StandingsJson(s, carClass) + ",\"results\":" + ResultsJson(s) +
           ",\"course\":" + CourseJson(s, nowTick) + ",\"board\":" + BoardJson(s) + '}';
}

}  // namespace vantrel
