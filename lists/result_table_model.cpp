#include "lists/result_table_model.h"

namespace vantrel {

ResultTableModel::ResultTableModel(ResultTable& table, const GridEditState& editState,
                                   QObject* parent)
    : ListTableModel(&editState, parent), table_(table) {
    table_.AddObserver(this);
}

ResultTableModel::ResultTableModel(ResultTable& table, QObject* parent)
    : ListTableModel(nullptr, parent), table_(table) {
    table_.AddObserver(this);
}

ResultTableModel::~ResultTableModel() {
    table_.RemoveObserver(this);
}

int ResultTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.DataRowCount();
}

void ResultTableModel::WriteCell(int32_t column, int32_t tableRow, std::string text) {
    // An unchanged text is no edit: it must not rebuild the standings.
    if (table_.Cell(column, tableRow) == text) {
        return;
    }
    table_.SetCell(column, tableRow, std::move(text));
    emit cellEdited();
}

}  // namespace vantrel
