#pragma once
// The cell editor of both list grids: what is typed must be something the list files can
// hold, so that a saved file reads back as it was shown. A comma becomes the full-width "，"
// as it is typed; a character CP932 cannot hold is taken out again at once and reported. A
// cell that tells its most characters (ListTableModel::kMaxCharsRole) takes no more.
// Thread rule: GUI thread only.

#include <functional>
#include "widgets/elided_text_delegate.h"

class QTableView;

namespace vantrel {

// It draws as the grid's ElidedTextDelegate did, whose place it takes.
class StorableTextDelegate final : public ElidedTextDelegate {
    Q_OBJECT
public:
    // `refuse` shows the message about a refused character (given as its text); the columns
    // headed by `elidedHeadings` elide.
    StorableTextDelegate(std::function<void(const QString&)> refuse, QStringList elidedHeadings,
                         QObject* parent);
    // Installs the delegate on `grid`, keeping the columns its current delegate elides.
    static void Install(QTableView* grid, std::function<void(const QString&)> refuse);

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
