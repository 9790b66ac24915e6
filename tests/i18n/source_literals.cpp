#include "i18n/source_literals.h"

#include <cctype>

namespace vantrel {

namespace {

bool IsNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == ':';
}

// The callee before an opening parenthesis at `open`: a name, skipping template arguments
// ("MakeNamed<QLabel>" is "MakeNamed").
std::string CalleeBefore(std::string_view s, size_t open) {
    size_t end = open;
    while (end > 0 && std::isspace(static_cast<unsigned char>(s[end - 1])) != 0) {
        --end;
    }
    if (end > 0 && s[end - 1] == '>') {
        int depth = 0;
        while (end > 0) {
            const char c = s[--end];
            depth += c == '>' ? 1 : c == '<' ? -1 : 0;
            if (depth == 0) {
                break;
            }
        }
    }
    size_t begin = end;
    while (begin > 0 && IsNameChar(s[begin - 1])) {
        --begin;
    }
    std::string name(s.substr(begin, end - begin));
    if (const size_t colons = name.rfind("::"); colons != std::string::npos) {
        name = name.substr(colons + 2);
    }
    return name;
}

// The end (one past the closing quote) of the literal whose opening quote is at `quote`.
size_t LiteralEnd(std::string_view s, size_t quote, bool raw) {
    if (raw) {
        const size_t paren = s.find('(', quote);
        const std::string close = ")" + std::string(s.substr(quote + 1, paren - quote - 1)) + "\"";
        const size_t at = s.find(close, paren);
        return at == std::string_view::npos ? s.size() : at + close.size();
    }
    size_t i = quote + 1;
    while (i < s.size() && s[i] != '"' && s[i] != '\n') {
        i += s[i] == '\\' ? 2 : 1;
    }
    return i + 1;
}

}  // namespace

std::vector<SourceLiteral> SourceLiterals(std::string_view s) {
    std::vector<SourceLiteral> out;
    std::vector<SourceCall> calls;
    int line = 1;
    size_t lastLiteralEnd = std::string_view::npos;
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '\n') {
            ++line;
        } else if (c == '/' && i + 1 < s.size() && s[i + 1] == '/') {
            i = s.find('\n', i) - 1;
        } else if (c == '/' && i + 1 < s.size() && s[i + 1] == '*') {
            const size_t end = s.find("*/", i + 2);
            for (size_t k = i; k < end; ++k) {
                line += s[k] == '\n' ? 1 : 0;
            }
            i = end + 1;
        } else if (c == '#' && s.substr(i, 8) == "#include") {
            i = s.find('\n', i) - 1;
        } else if (c == '\'' && !(i > 0 && std::isalnum(static_cast<unsigned char>(s[i - 1])))) {
            size_t k = i + 1;
            while (k < s.size() && s[k] != '\'') {
                k += s[k] == '\\' ? 2 : 1;
            }
            i = k;
        } else if (c == '"') {
            const bool raw = i > 0 && s[i - 1] == 'R';
            const size_t end = LiteralEnd(s, i, raw);
            std::string text(s.substr(i + 1, end - i - 2));
            bool joined = false;
            if (lastLiteralEnd != std::string_view::npos && !out.empty()) {
                const std::string_view between = s.substr(lastLiteralEnd, i - lastLiteralEnd);
                joined = between.find_first_not_of(" \t\r\nu8LR") == std::string_view::npos;
            }
            if (joined) {
                out.back().text += text;
            } else {
                std::vector<SourceCall> inner(calls.rbegin(), calls.rend());
                out.push_back({text, line, inner});
            }
            for (size_t k = i; k < end && k < s.size(); ++k) {
                line += s[k] == '\n' ? 1 : 0;
            }
            i = end - 1;
            lastLiteralEnd = end;
        } else if (c == '(') {
            calls.push_back({CalleeBefore(s, i), 0});
        } else if (c == ')' && !calls.empty()) {
            calls.pop_back();
        } else if (c == ',' && !calls.empty()) {
            ++calls.back().argument;
        }
    }
    return out;
}

}  // namespace vantrel
