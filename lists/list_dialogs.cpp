#include "lists/list_dialogs.h"

#include "common/messages.h"
#include "widgets/ui_tr.h"

namespace vantrel {

namespace {
FileDialogOptions Options(ListDialogKind kind, const ListFileName& file) {
    FileDialogOptions options;
    options.filter = Tr(kind.filter);
    options.defaultSuffix =
        QString::fromUtf8(kind.suffix.data(), static_cast<int>(kind.suffix.size()));
    options.directory = QString::fromStdString(file.folder);
    options.fileName = QString::fromStdString(file.name);
    options.confirmOverwrite = true;
    return options;
}

std::optional<std::filesystem::path> ToPath(const std::optional<QString>& chosen) {
    if (!chosen || chosen->isEmpty()) {
        return std::nullopt;
    }
    return PathFromUtf8(chosen->toStdString());
}
}  // namespace

std::optional<std::filesystem::path> AskOpenListFile(Prompter& prompter, QWidget* parent,
                                                     ListDialogKind kind,
                                                     const ListFileName& file) {
    return ToPath(prompter.OpenFile(parent, Options(kind, file)));
}

std::optional<std::filesystem::path> AskSaveListFile(Prompter& prompter, QWidget* parent,
                                                     ListDialogKind kind,
                                                     const ListFileName& file) {
    return ToPath(prompter.SaveFile(parent, Options(kind, file)));
}

void ShowFileError(Prompter& prompter, QWidget* parent, const IoResult& result) {
    prompter.Error(parent, QString::fromStdString(result.error), Tr(msg::kTitle));
}

}  // namespace vantrel
