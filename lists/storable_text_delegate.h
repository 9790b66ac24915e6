#pragma once
// The cell editor of both list grids: what is typed must be something the list files can
// hold, so that a saved file reads back as it was shown. A comma becomes the full-width "，"
// as it is typed; a character CP932 cannot hold is taken out again at once and reported.
// Thread rule: GUI thread only.

#include <QStyledItemDelegate>
#include <functional>

namespace vantrel {

class StorableTextDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    // `refuse` shows the message about a refused character (given as its text).
    StorableTextDelegate(std::function<void(const QString&)> refuse, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

private:
    std::function<void(const QString&)> refuse_;
};

// The message of a refused character (caption msg::k110).
QString RefusedCharacterText(const QString& character);

}  // namespace vantrel
