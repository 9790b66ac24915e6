#include "widgets/one_line_header.h"

#include <QTableView>

namespace vantrel {

OneLineHeader::OneLineHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

QSize OneLineHeader::sizeHint() const {
    QSize hint(0, 0);
    const int count = this->count();
    for (const int section : {0, count - 1}) {
        if (section >= 0 && section < count && !isSectionHidden(section)) {
            hint = hint.expandedTo(sectionSizeFromContents(section));
        }
    }
    return hint;
}

void UseOneLineHeader(QTableView* grid) {
    const QHeaderView* old = grid->horizontalHeader();
    auto* header = new OneLineHeader(grid);
    header->setSectionsClickable(old->sectionsClickable());
    header->setHighlightSections(old->highlightSections());
    grid->setHorizontalHeader(header);
}

}  // namespace vantrel
