#pragma once
// Every question, message box and file, font, colour and printer dialog goes through this
// interface: the program uses the Qt implementation, tests a scripted one. Its core face
// (PrompterFace) asks the same boxes with plain texts, parented to the active window.
// Thread rule: GUI thread only.

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>

#include "common/prompter_face.h"

class QPrinter;
class QWidget;

namespace vantrel {

struct FileDialogOptions {
    QString filter;  // "description|patterns|description|patterns..." as the program
                     // states it, e.g. "CSV ｶﾝﾏ区切りﾌｧｲﾙ (*.csv)|*.csv|..."
    QString defaultSuffix;  // added when the typed name has none
    QString directory;      // initial folder ("" = current folder)
    QString fileName;       // proposed name
    bool confirmOverwrite = true;
};

class Prompter : public PrompterFace {
public:
    // The core face, on the window that is active.
    bool AskYesNo(std::string_view text, std::string_view caption) final;
    void Warn(std::string_view text, std::string_view caption) final;
    void Error(std::string_view text, std::string_view caption) final;
    void Inform(std::string_view text, std::string_view caption) final;

    // Yes/No with the warning icon and "No" as default; true for "Yes".
    virtual bool AskYesNo(QWidget* parent, const QString& text, const QString& caption) = 0;
    virtual void Warn(QWidget* parent, const QString& text, const QString& caption) = 0;
    // A warning whose only button is Abort.
    virtual void WarnAbort(QWidget* parent, const QString& text, const QString& caption) = 0;
    virtual void Error(QWidget* parent, const QString& text, const QString& caption) = 0;
    virtual void Inform(QWidget* parent, const QString& text, const QString& caption) = 0;
    // A plain box with only an OK button and no icon.
    virtual void Message(QWidget* parent, const QString& text, const QString& caption) = 0;
    // The chosen file's full path, or nullopt when cancelled.
    virtual std::optional<QString> OpenFile(QWidget* parent, const FileDialogOptions& options) = 0;
    virtual std::optional<QString> SaveFile(QWidget* parent, const FileDialogOptions& options) = 0;
    virtual std::optional<QFont> ChooseFont(QWidget* parent, const QFont& initial) = 0;
    virtual std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial) = 0;
    // Printer choice and page set-up on `printer`; false when cancelled.
    virtual bool ChoosePrinter(QWidget* parent, QPrinter& printer) = 0;
    virtual bool PageSetup(QWidget* parent, QPrinter& printer) = 0;
};

}  // namespace vantrel
