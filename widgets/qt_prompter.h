#pragma once
// The program's Prompter: Qt message boxes and dialogs.
// Thread rule: GUI thread only.

#include "widgets/prompter.h"

namespace vantrel {

class QtPrompter final : public Prompter {
public:
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
};

// Turns "desc|patterns|desc|patterns" into Qt's "desc (patterns);;..." filter list.
QString QtFileFilter(const QString& filter);

}  // namespace vantrel
