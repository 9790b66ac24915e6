#pragma once
// The operator's questions and messages as logic without a window asks them: plain texts.
// The window side's Prompter implements it (the box is centred on the active window), and
// tests answer it from a script.
// Thread rule: GUI thread only.

#include <string_view>

namespace vantrel {

class PrompterFace {
public:
    virtual ~PrompterFace() = default;
    // Yes/No with the warning icon and "No" as default; true for "Yes".
    virtual bool AskYesNo(std::string_view text, std::string_view caption) = 0;
    virtual void Warn(std::string_view text, std::string_view caption) = 0;
    virtual void Error(std::string_view text, std::string_view caption) = 0;
    virtual void Inform(std::string_view text, std::string_view caption) = 0;
};

}  // namespace vantrel
