#pragma once
// The string literals of a C++ source file with the calls they are arguments of, for the
// checks that every text the operator reads goes through the translation system.
// Thread rule: any thread (pure functions).

#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

struct SourceCall {
    std::string callee;  // the name before the parenthesis ("tr", "QStringLiteral", ...)
    int argument = 0;    // which argument, from 0
};

struct SourceLiteral {
    std::string text;               // the literal's characters as written (escapes kept)
    int line = 0;                   // 1-based
    std::vector<SourceCall> calls;  // innermost first
};

// Every string literal outside comments and #include lines; adjacent literals are one.
std::vector<SourceLiteral> SourceLiterals(std::string_view source);

}  // namespace vantrel
