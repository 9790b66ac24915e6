#include "reports/xlsx_reader.h"

#include <cstdio>
#include <regex>
#include <vector>

namespace vantrel::test {

namespace {

std::string Attr(const std::string& tag, const std::string& name) {
    const std::regex re(" " + name + "=\"([^\"]*)\"");
    std::smatch m;
    return std::regex_search(tag, m, re) ? m[1].str() : std::string();
}

std::vector<std::string> All(const std::string& xml, const std::string& pattern, int group = 0) {
    std::vector<std::string> out;
    const std::regex re(pattern);
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), re); it != std::sregex_iterator();
         ++it) {
        out.push_back((*it)[group].str());
    }
    return out;
}

std::string Section(const std::string& xml, const std::string& name) {
    const size_t begin = xml.find("<" + name);
    const size_t end = xml.find("</" + name + ">");
    return begin == std::string::npos || end == std::string::npos ? std::string()
                                                                  : xml.substr(begin, end - begin);
}

std::string BuiltInFormat(const std::string& id) {
    return id == "0" || id.empty() ? std::string() : "builtin:" + id;
}

struct Style {
    std::string format;
    std::string fill;
};

std::vector<Style> ReadStyles(const std::string& xml) {
    std::map<std::string, std::string> formats;
    for (const std::string& tag : All(Section(xml, "numFmts"), "<numFmt [^>]*>")) {
        formats[Attr(tag, "numFmtId")] = Attr(tag, "formatCode");
    }
    std::vector<std::string> fills;
    for (const std::string& fill : All(Section(xml, "fills"), "<fill>[\\s\\S]*?</fill>")) {
        const std::vector<std::string> color = All(fill, "<fgColor rgb=\"([^\"]*)\"", 1);
        fills.push_back(color.empty() ? std::string() : color[0]);
    }
    std::vector<Style> styles;
    for (const std::string& tag : All(Section(xml, "cellXfs"), "<xf [^>]*>")) {
        const std::string id = Attr(tag, "numFmtId");
        const size_t fill = static_cast<size_t>(std::stoi("0" + Attr(tag, "fillId")));
        styles.push_back({formats.count(id) ? formats[id] : BuiltInFormat(id),
                          fill < fills.size() ? fills[fill] : std::string()});
    }
    return styles;
}

std::string Unescape(std::string text) {
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [from, to] : entities) {
        for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + 1)) {
            text.replace(at, std::string(from).size(), to);
        }
    }
    return text;
}

}  // namespace

std::string UnzipPart(const std::filesystem::path& xlsx, const std::string& part) {
    const std::string command = "unzip -p '" + xlsx.string() + "' '" + part + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        return {};
    }
    std::string out;
    char buffer[65536];
    size_t got = 0;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        out.append(buffer, got);
    }
    pclose(pipe);
    return out;
}

std::vector<std::string> SheetNames(const std::filesystem::path& xlsx) {
    std::vector<std::string> names =
        All(UnzipPart(xlsx, "xl/workbook.xml"), "<sheet name=\"([^\"]*)\"", 1);
    for (std::string& name : names) {
        name = Unescape(name);
    }
    return names;
}

XlsxSheet ReadFirstSheet(const std::filesystem::path& xlsx) {
    return ReadSheet(xlsx, 1);
}

XlsxSheet ReadSheet(const std::filesystem::path& xlsx, int index) {
    XlsxSheet sheet;
    const std::vector<std::string> names = SheetNames(xlsx);
    if (index < 1 || static_cast<size_t>(index) > names.size()) {
        return sheet;
    }
    sheet.name = names[static_cast<size_t>(index - 1)];
    std::vector<std::string> strings;
    for (const std::string& si :
         All(UnzipPart(xlsx, "xl/sharedStrings.xml"), "<si>[\\s\\S]*?</si>")) {
        const std::vector<std::string> t = All(si, "<t[^>]*>([\\s\\S]*?)</t>", 1);
        strings.push_back(t.empty() ? std::string() : Unescape(t[0]));
    }
    const std::vector<Style> styles = ReadStyles(UnzipPart(xlsx, "xl/styles.xml"));
    const auto styleOf = [&styles](const std::string& s) {
        const size_t index = s.empty() ? 0 : static_cast<size_t>(std::stoi(s));
        return index < styles.size() ? styles[index] : Style{};
    };
    const std::string xml = UnzipPart(xlsx, "xl/worksheets/sheet" + std::to_string(index) + ".xml");
    for (const std::string& col : All(xml, "<col [^>]*>")) {
        for (int c = std::stoi(Attr(col, "min")); c <= std::stoi(Attr(col, "max")); ++c) {
            sheet.widths[c] = std::stod(Attr(col, "width"));
            sheet.columnFormats[c] = styleOf(Attr(col, "style")).format;
        }
    }
    sheet.rows = static_cast<int>(All(xml, "<row [^>]*>").size());
    const std::regex cellRe("<c ([^>]*?)(/>|>([\\s\\S]*?)</c>)");
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), cellRe);
         it != std::sregex_iterator(); ++it) {
        const std::string tag = " " + (*it)[1].str();
        const std::string body = (*it)[3].str();
        XlsxCell cell;
        const Style style = styleOf(Attr(tag, "s"));
        cell.format = style.format;
        cell.fill = style.fill;
        const std::vector<std::string> v = All(body, "<v>([\\s\\S]*?)</v>", 1);
        const std::vector<std::string> inlineText = All(body, "<t[^>]*>([\\s\\S]*?)</t>", 1);
        const std::string type = Attr(tag, "t");
        if (type == "s" && !v.empty()) {
            cell.text = strings.at(static_cast<size_t>(std::stoi(v[0])));
        } else if (type == "inlineStr" || type == "str") {
            cell.text =
                inlineText.empty() ? (v.empty() ? "" : Unescape(v[0])) : Unescape(inlineText[0]);
        } else if (!v.empty()) {
            cell.number = true;
            cell.text = v[0];
        }
        sheet.cells[Attr(tag, "r")] = cell;
    }
    return sheet;
}

}  // namespace vantrel::test
