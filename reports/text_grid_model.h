#pragma once
// A read-only Qt model over one page of the standings (a TextGrid): grid row 0 is the
// horizontal header, so model row r is grid row r + 1. The grid does not report its changes;
// the window calls Refresh() after every change, which tells the views about added columns
// and repaints what they show.
// Thread rule: GUI thread only.

#include <QAbstractTableModel>
#include <string>
#include <vector>

#include "reports/text_grid.h"

namespace vantrel {

class TextGridModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    // The grid must outlive the model. With `headingContext` the headings are shown in the
    // chosen language, looked up under that context.
    explicit TextGridModel(const TextGrid& grid, QObject* parent = nullptr,
                           const char* headingContext = nullptr);

    static int32_t GridRowOf(int modelRow) { return modelRow + 1; }

    // Inserts the columns the grid gained since the last call and marks every cell and
    // heading changed (the views repaint only what is visible, so this stays cheap).
    void Refresh();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const TextGrid& grid_;
    const char* headingContext_;
    // Rows and columns the views know of; the grid may be ahead until the next Refresh().
    int rows_ = 0;
    int columns_ = 0;
    std::vector<std::string> headings_;  // as the views were last told
};

}  // namespace vantrel
