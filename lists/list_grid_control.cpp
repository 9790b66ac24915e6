#include "lists/list_grid_control.h"

#include <QAbstractItemDelegate>
#include <QGuiApplication>
#include <QTableView>

#include "common/messages.h"
#include "lists/list_texts.h"
#include "lists/storable_text_delegate.h"
#include "widgets/grid_focus_watch.h"
#include "widgets/prompter.h"
#include "widgets/ui_tr.h"

namespace vantrel {

GridFocusWatch* InstallListGrid(QTableView* grid, Prompter& prompter, QObject* filter,
                                ListGridHooks hooks) {
    StorableTextDelegate::Install(
        grid, [&prompter, parent = hooks.dialogParent](const QString& character) {
            prompter.Warn(parent(), RefusedCharacterText(character), Tr(msg::k110));
        });
    grid->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::SelectedClicked);
    grid->installEventFilter(filter);
    grid->viewport()->installEventFilter(filter);
    QObject::connect(grid->itemDelegate(), &QAbstractItemDelegate::closeEditor, filter,
                     [closed = std::move(hooks.editorClosed)](
                         QWidget*, QAbstractItemDelegate::EndEditHint hint) { closed(hint); });
    return new GridFocusWatch(grid, std::move(hooks.entered), std::move(hooks.left), filter);
}

bool EditorClosedByEnter(int hint, bool editing) {
    return hint == QAbstractItemDelegate::SubmitModelCache && editing &&
           !(QGuiApplication::keyboardModifiers() & Qt::ShiftModifier);
}

std::optional<std::filesystem::path> ListFileDialogs::Open(QWidget* parent,
                                                           const ListFileName& file,
                                                           const FileAction& load,
                                                           IoResult& result) {
    const auto path = AskOpenListFile(prompter_, parent, kind_, file);
    if (!path) {
        return std::nullopt;
    }
    ReloadSettings();
    result = load(*path);
    if (!result) {
        ShowFileError(prompter_, parent, result);
        return std::nullopt;
    }
    return path;
}

std::optional<std::filesystem::path> ListFileDialogs::AskSave(QWidget* parent,
                                                              const ListFileName& file) {
    return AskSaveListFile(prompter_, parent, kind_, file);
}

bool ListFileDialogs::Write(QWidget* parent, const std::filesystem::path& path,
                            const FileAction& save) {
    ReloadSettings();
    const IoResult result = save(path);
    if (!result) {
        ShowFileError(prompter_, parent, result);
    }
    return static_cast<bool>(result);
}

void ListFileDialogs::ShowWarning(QWidget* parent, const IoResult& result) {
    if (!result.warning.empty()) {
        prompter_.Warn(parent, QString::fromStdString(result.warning), Tr(msg::kTitle));
    }
}

}  // namespace vantrel
