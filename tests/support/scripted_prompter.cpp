#include "support/scripted_prompter.h"

namespace vantrel::test {

namespace {
template <typename T>
std::optional<T> Take(std::deque<T>& queue) {
    if (queue.empty()) {
        return std::nullopt;
    }
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}
}  // namespace

std::vector<PromptCall> ScriptedPrompter::CallsOf(PromptCall::Kind kind) const {
    std::vector<PromptCall> out;
    for (const auto& call : calls_) {
        if (call.kind == kind) {
            out.push_back(call);
        }
    }
    return out;
}

bool ScriptedPrompter::HasUnusedAnswers() const {
    return !yesNo_.empty() || !files_.empty() || !fonts_.empty() || !colors_.empty() ||
           !printers_.empty();
}

std::optional<QString> ScriptedPrompter::TakeFile() {
    if (files_.empty() || !files_.front().chosen) {
        if (!files_.empty()) {
            files_.pop_front();
        }
        return std::nullopt;
    }
    QString path = files_.front().path;
    files_.pop_front();
    return path;
}

bool ScriptedPrompter::AskYesNo(QWidget*, const QString& text, const QString& caption) {
    calls_.push_back({PromptCall::kAskYesNo, text, caption, {}});
    if (!whileOpen_.empty()) {
        const std::function<void()> action = std::move(whileOpen_.front());
        whileOpen_.pop_front();
        action();
    }
    return Take(yesNo_).value_or(false);
}

void ScriptedPrompter::Warn(QWidget*, const QString& text, const QString& caption) {
    calls_.push_back({PromptCall::kWarn, text, caption, {}});
    if (std::optional<std::function<void()>> action = Take(whileWarningOpen_)) {
        (*action)();
    }
}

void ScriptedPrompter::WarnAbort(QWidget*, const QString& text, const QString& caption) {
    PromptCall call{PromptCall::kWarn, text, caption, {}};
    call.abortOnly = true;
    calls_.push_back(std::move(call));
    if (std::optional<std::function<void()>> action = Take(whileWarningOpen_)) {
        (*action)();
    }
}

void ScriptedPrompter::Error(QWidget*, const QString& text, const QString& caption) {
    calls_.push_back({PromptCall::kError, text, caption, {}});
}

void ScriptedPrompter::Inform(QWidget*, const QString& text, const QString& caption) {
    calls_.push_back({PromptCall::kInform, text, caption, {}});
}

void ScriptedPrompter::Message(QWidget*, const QString& text, const QString& caption) {
    calls_.push_back({PromptCall::kMessage, text, caption, {}});
}

std::optional<QString> ScriptedPrompter::OpenFile(QWidget*, const FileDialogOptions& options) {
    calls_.push_back({PromptCall::kOpenFile, options.fileName, options.directory, options});
    return TakeFile();
}

std::optional<QString> ScriptedPrompter::SaveFile(QWidget*, const FileDialogOptions& options) {
    calls_.push_back({PromptCall::kSaveFile, options.fileName, options.directory, options});
    return TakeFile();
}

std::optional<QFont> ScriptedPrompter::ChooseFont(QWidget*, const QFont& initial) {
    calls_.push_back({PromptCall::kFont, initial.family(), {}, {}});
    return Take(fonts_);
}

std::optional<QColor> ScriptedPrompter::ChooseColor(QWidget*, const QColor& initial) {
    calls_.push_back({PromptCall::kColor, initial.name(), {}, {}});
    return Take(colors_);
}

bool ScriptedPrompter::ChoosePrinter(QWidget*, QPrinter&) {
    calls_.push_back({PromptCall::kPrinter, {}, {}, {}});
    return Take(printers_).value_or(false);
}

bool ScriptedPrompter::PageSetup(QWidget*, QPrinter&) {
    calls_.push_back({PromptCall::kPageSetup, {}, {}, {}});
    return Take(printers_).value_or(false);
}

}  // namespace vantrel::test
