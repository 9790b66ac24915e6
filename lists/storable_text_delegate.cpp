#include "lists/storable_text_delegate.h"

#include <QTableView>

#include <QLineEdit>
#include <algorithm>

#include "common/csv_field.h"
#include "lists/list_table_model.h"
#include "lists/list_texts.h"
#include "widgets/ui_tr.h"

namespace vantrel {

namespace {
// The last text of an editor that could be stored, to go back to when a character is refused.
constexpr char kStorableText[] = "vantrelStorableText";

void Remember(QLineEdit* line) {
    line->setProperty(kStorableText, line->text());
}

int MaxCharsOf(const QModelIndex& index) {
    return index.data(ListTableModel::kMaxCharsRole).toInt();
}
}  // namespace

QString RefusedCharacterText(const QString& character) {
    return Tr(kRefusedCharacterText).arg(character);
}

StorableTextDelegate::StorableTextDelegate(std::function<void(const QString&)> refuse,
                                           QStringList elidedHeadings, QObject* parent)
    : ElidedTextDelegate(std::move(elidedHeadings), parent), refuse_(std::move(refuse)) {}

void StorableTextDelegate::Install(QTableView* grid, std::function<void(const QString&)> refuse) {
    const auto* elided = qobject_cast<const ElidedTextDelegate*>(grid->itemDelegate());
    auto* delegate = new StorableTextDelegate(std::move(refuse),
                                              elided ? elided->Headings() : QStringList(), grid);
    delegate->SetDrawsGridLines(elided != nullptr && elided->DrawsGridLines());
    grid->setItemDelegate(delegate);
}

QWidget* StorableTextDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                            const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (line == nullptr) {
        return editor;
    }
    const int maxChars = MaxCharsOf(index);
    if (maxChars > 0) {
        line->setMaxLength(maxChars);  // CP932 holds no character outside one UTF-16 unit
    }
    connect(line, &QLineEdit::textEdited, line, [this, line](const QString& typed) {
        const StorableField field = MakeStorableField(typed.toStdString());
        const int cursor = line->cursorPosition();
        if (field.refused) {
            const QString before = line->property(kStorableText).toString();
            line->setText(before);
            line->setCursorPosition(std::max(0, cursor - int(typed.size() - before.size())));
            if (refuse_) {
                refuse_(QString::fromStdString(*field.refused));
            }
            return;
        }
        const QString storable = QString::fromStdString(field.text);
        if (storable != typed) {
            line->setText(storable);  // the full-width comma is one character, as "," was
            line->setCursorPosition(cursor);
        }
        Remember(line);
    });
    return editor;
}

void StorableTextDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    QStyledItemDelegate::setEditorData(editor, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        Remember(line);
    }
}

void StorableTextDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                        const QModelIndex& index) const {
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (line == nullptr) {
        QStyledItemDelegate::setModelData(editor, model, index);
        return;
    }
    // Text that reached the editor without being typed (set by the program) is held to the
    // same rule: a text with a refused character is not stored.
    const StorableField field = MakeStorableField(line->text().toStdString());
    if (field.refused) {
        return;
    }
    QString text = QString::fromStdString(field.text);
    if (const int maxChars = MaxCharsOf(index); maxChars > 0) {
        text.truncate(maxChars);
    }
    model->setData(index, text, Qt::EditRole);
}

}  // namespace vantrel
