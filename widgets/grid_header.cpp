#include "widgets/grid_header.h"

#include <QTableView>
#include <algorithm>

namespace vantrel {

namespace {
// Whether `selection` holds whole rows only, and at least one.
bool WholeRows(const QItemSelection& selection, int columns) {
    return !selection.isEmpty() &&
           std::all_of(selection.begin(), selection.end(), [columns](const QItemSelectionRange& r) {
               return r.left() == 0 && r.right() == columns - 1;
           });
}
}  // namespace

GridHeader::GridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

QSize GridHeader::sizeHint() const {
    QSize hint(0, 0);
    const int count = this->count();
    for (const int section : {0, count - 1}) {
        if (section >= 0 && section < count && !isSectionHidden(section)) {
            hint = hint.expandedTo(sectionSizeFromContents(section));
        }
    }
    return hint;
}

void GridHeader::selectionChanged(const QItemSelection& selected,
                                  const QItemSelection& deselected) {
    // One whole row for another: every heading was highlighted and stays so.
    if (WholeRows(selected, count()) && WholeRows(deselected, count())) {
        return;
    }
    QHeaderView::selectionChanged(selected, deselected);
}

void UseGridHeader(QTableView* grid) {
    const QHeaderView* old = grid->horizontalHeader();
    auto* header = new GridHeader(grid);
    header->setSectionsClickable(old->sectionsClickable());
    header->setHighlightSections(old->highlightSections());
    grid->setHorizontalHeader(header);
}

}  // namespace vantrel
