#pragma once
// A Prompter for tests: records every question and dialog and answers from a script.
// Without a scripted answer a question is answered "No" and a dialog is cancelled, so a
// forgotten answer shows up as a recorded call instead of a hanging window.

#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

#include "widgets/prompter.h"

namespace vantrel::test {

struct PromptCall {
    enum Kind {
        kAskYesNo,
        kWarn,
        kError,
        kInform,
        kMessage,
        kOpenFile,
        kSaveFile,
        kFont,
        kColor,
        kPrinter,
        kPageSetup
    };
    Kind kind;
    QString text;               // message text, or the dialog's proposed file name
    QString caption;            // caption, or the dialog's folder
    FileDialogOptions options;  // for file dialogs
    bool abortOnly = false;     // a warning whose only button is Abort
};

class ScriptedPrompter final : public Prompter {
public:
    // Answers, taken in order by the calls that need one.
    void AnswerYes() { yesNo_.push_back(true); }
    void AnswerNo() { yesNo_.push_back(false); }
    void AnswerFile(QString path) { files_.push_back({true, std::move(path)}); }
    void CancelFile() { files_.push_back({false, QString()}); }
    void AnswerFont(QFont font) { fonts_.push_back(std::move(font)); }
    void AnswerColor(QColor color) { colors_.push_back(color); }
    void AnswerPrinter(bool ok) { printers_.push_back(ok); }
    // Runs `action` while the next yes/no question is open, before it is answered: what
    // happens meanwhile (a car finishing) as the program would see it behind a real box.
    void WhileNextQuestionOpen(std::function<void()> action) {
        whileOpen_.push_back(std::move(action));
    }
    // The same for the next warning box.
    void WhileNextWarningOpen(std::function<void()> action) {
        whileWarningOpen_.push_back(std::move(action));
    }

    const std::vector<PromptCall>& Calls() const { return calls_; }
    // Calls of one kind, in order.
    std::vector<PromptCall> CallsOf(PromptCall::Kind kind) const;
    void ClearCalls() { calls_.clear(); }
    // Scripted answers nobody asked for.
    bool HasUnusedAnswers() const;

    bool AskYesNo(QWidget* parent, const QString& text, const QString& caption) override;
    void Warn(QWidget* parent, const QString& text, const QString& caption) override;
    void WarnAbort(QWidget* parent, const QString& text, const QString& caption) override;
    void Error(QWidget* parent, const QString& text, const QString& caption) override;
    void Inform(QWidget* parent, const QString& text, const QString& caption) override;
    void Message(QWidget* parent, const QString& text, const QString& caption) override;
    std::optional<QString> OpenFile(QWidget* parent, const FileDialogOptions& options) override;
    std::optional<QString> SaveFile(QWidget* parent, const FileDialogOptions& options) override;
    std::optional<QFont> ChooseFont(QWidget* parent, const QFont& initial) override;
    std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial) override;
    bool ChoosePrinter(QWidget* parent, QPrinter& printer) override;
    bool PageSetup(QWidget* parent, QPrinter& printer) override;

private:
    std::vector<PromptCall> calls_;
    std::deque<bool> yesNo_;
    std::deque<std::function<void()>> whileOpen_;
    std::deque<std::function<void()>> whileWarningOpen_;
    struct FileAnswer {
        bool chosen;
        QString path;
    };
    std::optional<QString> TakeFile();
    std::deque<FileAnswer> files_;
    std::deque<QFont> fonts_;
    std::deque<QColor> colors_;
    std::deque<bool> printers_;
};

}  // namespace vantrel::test
