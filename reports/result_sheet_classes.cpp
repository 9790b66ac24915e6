#include "reports/result_sheet_classes.h"

#include <algorithm>
#include <map>
#include <optional>

#include "common/numbers.h"
#include "reports/class_standings.h"

namespace vantrel {

namespace {

constexpr size_t kMaxSheetName = 31;

std::u32string Decode(std::string_view text) {
    std::u32string out;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length && i + k < text.size(); ++k) {
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        out += c;
        i += length;
    }
    return out;
}

std::string Encode(const std::u32string& text) {
    std::string out;
    for (char32_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// The capitals a sheet name can hold from the entry list's code page, folded to small
// letters: Latin (half and full width), Greek and Cyrillic.
char32_t Folded(char32_t c) {
    const bool capital = (c >= U'A' && c <= U'Z') || (c >= 0xFF21 && c <= 0xFF3A) ||
                         (c >= 0x0391 && c <= 0x03A9) || (c >= 0x0410 && c <= 0x042F);
    return capital ? c + 0x20 : c == 0x0401 ? char32_t{0x0451} : c;
}

bool SameName(const std::u32string& a, std::string_view b) {
    const std::u32string other = Decode(b);
    return a.size() == other.size() &&
           std::equal(a.begin(), a.end(), other.begin(),
                      [](char32_t x, char32_t y) { return Folded(x) == Folded(y); });
}

bool Taken(const std::u32string& name, const std::vector<std::string>& taken) {
    return SameName(name, "History") ||
           std::any_of(taken.begin(), taken.end(),
                       [&name](const std::string& t) { return SameName(name, t); });
}

std::u32string Sanitized(std::string_view wanted) {
    std::u32string name = Decode(wanted);
    for (char32_t& c : name) {
        if (c < 0x20 || c == 0x7F ||
            std::u32string_view(U"[]:*?/\\").find(c) != std::u32string_view::npos) {
            c = U'_';
        }
    }
    return name.empty() ? U"_" : name;
}

// `base` cut to leave room for `suffix`, without an apostrophe at either end.
std::u32string Fitted(std::u32string base, const std::u32string& suffix) {
    base.resize(std::min(base.size(), kMaxSheetName - suffix.size()));
    if (base.front() == U'\'') {
        base.front() = U'_';
    }
    if (base.back() == U'\'') {
        base.back() = U'_';
    }
    return base + suffix;
}

std::u32string Digits(int32_t n) {
    const std::string text = std::to_string(n);
    return std::u32string(text.begin(), text.end());
}

// The class of a result row's car; "" for a car without class or a row without a car.
const std::string& ClassOfRow(const ResultTable& results, int32_t row, const EntryTable& entries) {
    static const std::string kNone;
    const std::optional<int32_t> car = StrToInt(results.Cell(ResultTable::kCar, row));
    return car && *car >= 1 && *car <= EntryTable::kLastCar ? entries.Class(*car) : kNone;
}

ResultSheet EmptyLike(const ResultSheet& all) {
    ResultSheet sheet;
    sheet.timeColumns = all.timeColumns;
    sheet.widths = all.widths;
    sheet.rows.push_back(all.rows[0]);
    return sheet;
}

}  // namespace

std::string ValidSheetName(std::string_view wanted, const std::vector<std::string>& taken) {
    const std::u32string base = Sanitized(wanted);
    std::u32string name = Fitted(base, U"");
    for (int32_t n = 2; Taken(name, taken); ++n) {
        name = Fitted(base, U" (" + Digits(n) + U")");
    }
    return Encode(name);
}

ResultSheet BuildClassSheet(const ResultTable& results, RaceMode tab, const EntryTable& entries,
                            std::string_view cls) {
    const ResultSheet all = BuildResultSheet(results, tab);
    ResultSheet sheet = EmptyLike(all);
    for (int32_t row = 1; row < results.RowCount(); ++row) {
        if (!cls.empty() && ClassOfRow(results, row, entries) == cls) {
            sheet.rows.push_back(all.rows[static_cast<size_t>(row)]);
        }
    }
    return sheet;
}

std::vector<ResultSheet> BuildResultWorkbook(const ResultTable& results, RaceMode tab,
                                             const EntryTable& entries) {
    std::vector<ResultSheet> sheets{BuildResultSheet(results, tab)};
    std::vector<std::string> names{sheets[0].name};
    std::map<std::string_view, size_t> sheetOf;
    const std::vector<std::string> classes = ClassesOf(entries);
    for (const std::string& cls : classes) {
        sheetOf[cls] = sheets.size();
        sheets.push_back(EmptyLike(sheets[0]));
        sheets.back().name = ValidSheetName(cls, names);
        names.push_back(sheets.back().name);
    }
    for (int32_t row = 1; row < results.RowCount(); ++row) {
        const auto it = sheetOf.find(ClassOfRow(results, row, entries));
        if (it != sheetOf.end()) {
            sheets[it->second].rows.push_back(sheets[0].rows[static_cast<size_t>(row)]);
        }
    }
    return sheets;
}

}  // namespace vantrel
