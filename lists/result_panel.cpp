#include "lists/result_panel.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTableView>
#include <algorithm>

#include "lists/result_table.h"
#include "lists/result_table_model.h"
#include "widgets/elided_text_delegate.h"
#include "widgets/grid_header.h"
#include "widgets/widget_util.h"

namespace vantrel {

// The texts are looked up under the plain class name "ResultPanel", the context the translation
// files hold (tr() would look under the namespaced name).

namespace {
// A button face showing only a short sign, for the buttons that have no caption.
QIcon SignGlyph(const QString& sign, const QColor& color) {
    QPixmap pixmap(22, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(13);
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, sign);
    return QIcon(pixmap);
}

constexpr int kButtonWidth = 46;
}  // namespace

ResultPanel::ResultPanel(ResultTable& table, QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Panel2"));
    setFrameShape(QFrame::StyledPanel);
    Label4 = MakeNamed<QLabel>(this, "Label4",
                               QCoreApplication::translate("ResultPanel", "リザルトリスト"));
    Label4->setGeometry(8, 6, 100, 18);
    ResultFile = MakeNamed<QLabel>(this, "ResultFile");
    ResultFile->setGeometry(110, 6, 200, 18);

    StringGrid2 = MakeNamed<QTableView>(this, "StringGrid2");
    UseGridHeader(StringGrid2);
    model_ = new ResultTableModel(table, this);
    StringGrid2->setModel(model_);
    StringGrid2->verticalHeader()->hide();
    StringGrid2->verticalHeader()->setDefaultSectionSize(15);
    StringGrid2->verticalHeader()->setMinimumSectionSize(10);
    StringGrid2->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid2->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Times and numbers get columns wide enough for them and are never shortened to an
    // ellipsis that would hide the milliseconds; only the text columns are.
    StringGrid2->setTextElideMode(Qt::ElideNone);
    const std::vector<std::string>& headings = ResultHeaders(RaceMode::kGymkhana);
    ElideTextInColumns(StringGrid2,
                       {ResultTableModel::Heading(headings[ResultTable::kName]),
                        ResultTableModel::Heading(headings[ResultTable::kModel]),
                        ResultTableModel::Heading(headings[ResultTable::kGymkhanaComment])});
    StringGrid2->setContextMenuPolicy(Qt::CustomContextMenu);

    BitBtn3 =
        MakeNamed<QPushButton>(this, "BitBtn3", QCoreApplication::translate("ResultPanel", "ｸﾘｱ"));
    BitBtn4 = MakeNamed<QPushButton>(this, "BitBtn4",
                                     QCoreApplication::translate("ResultPanel", "ﾐｽｺｰｽ"));
    BitBtn5 = MakeNamed<QPushButton>(this, "BitBtn5");
    BitBtn5->setIcon(SignGlyph(QStringLiteral("+1"), QColor(200, 0, 0)));
    BitBtn5->setToolTip(QStringLiteral("+1"));
    BitBtn6 = MakeNamed<QPushButton>(this, "BitBtn6");
    BitBtn6->setIcon(SignGlyph(QStringLiteral("-1"), QColor(0, 0, 200)));
    BitBtn6->setToolTip(QStringLiteral("-1"));
    BitBtn7 = MakeNamed<QPushButton>(this, "BitBtn7",
                                     QCoreApplication::translate("ResultPanel", "ﾚｸﾁｬｰ"));
    CheckBox2 = MakeNamed<QCheckBox>(this, "CheckBox2",
                                     QCoreApplication::translate("ResultPanel", "RS232C"));
    for (QPushButton* button : {BitBtn3, BitBtn4, BitBtn5, BitBtn6, BitBtn7}) {
        button->setFocusPolicy(Qt::NoFocus);
    }

    Grid2Popup = MakeNamed<QMenu>(this, "Grid2Popup");
    Grid2Edit = Grid2Popup->addAction(QCoreApplication::translate("ResultPanel", "編集"));
    Grid2Edit->setObjectName(QStringLiteral("Grid2Edit"));
    Grid2Delete = Grid2Popup->addAction(QCoreApplication::translate("ResultPanel", "削除"));
    Grid2Delete->setObjectName(QStringLiteral("Grid2Delete"));
    Grid2Popup->addSeparator();
    Grid2Undo =
        Grid2Popup->addAction(QCoreApplication::translate("ResultPanel", "元に戻す\tCtrl+Z"));
    Grid2Undo->setObjectName(QStringLiteral("Grid2Undo"));
    Grid2Redo =
        Grid2Popup->addAction(QCoreApplication::translate("ResultPanel", "やり直し\tCtrl+Y"));
    Grid2Redo->setObjectName(QStringLiteral("Grid2Redo"));
    Grid2Popup->addSeparator();
    Grid2Excel = Grid2Popup->addAction(
        QCoreApplication::translate("ResultPanel", "ﾘｻﾞﾙﾄﾃﾞｰﾀを MS Excel に送る"));
    Grid2Excel->setObjectName(QStringLiteral("Grid2Excel"));
    Grid2Popup->setToolTipsVisible(true);
    connect(StringGrid2, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        Grid2Popup->popup(StringGrid2->viewport()->mapToGlobal(pos));
    });
}

void ResultPanel::SetColumnWidths(const std::vector<int>& widths) {
    widths_ = widths;
    for (size_t i = 0; i < widths.size(); ++i) {
        if (i != 1 && i != 2) {
            StringGrid2->setColumnWidth(static_cast<int>(i), widths[i]);
        }
    }
}

void ResultPanel::ApplyLayout(const MainLayout& layout) {
    setGeometry(layout.resultPanel.left, layout.resultPanel.top, layout.resultPanel.width,
                layout.resultPanel.height);
    StringGrid2->setGeometry(layout.resultGrid.left, layout.resultGrid.top, layout.resultGrid.width,
                             layout.resultGrid.height);
    StringGrid2->setColumnWidth(1, layout.resultNameWidth);
    StringGrid2->setColumnWidth(2, layout.resultModelWidth);
    ResultFile->setGeometry(110, 6, std::max(layout.resultPanel.width - 118, 20), 18);
    const int top = layout.resultButtonsTop;
    int left = 8;
    for (QPushButton* button : {BitBtn3, BitBtn4, BitBtn5, BitBtn6, BitBtn7}) {
        button->setGeometry(left, top, kButtonWidth, 24);
        left += kButtonWidth + 4;
    }
    CheckBox2->setGeometry(left + 4, top + 2, 80, 20);
}

void ResultPanel::ShowFileName(const QString& name) {
    ResultFile->setText(QStringLiteral("\"%1\"").arg(name));
}

void ResultPanel::EnableGymkhanaControls(bool enabled) {
    for (QPushButton* button : {BitBtn4, BitBtn5, BitBtn6, BitBtn7}) {
        button->setEnabled(enabled);
    }
    CheckBox2->setEnabled(enabled);
}

void ResultPanel::SelectRow(int row) {
    if (row < 1 || row > model_->rowCount()) {
        return;
    }
    const QModelIndex index = model_->index(row - 1, 0);
    StringGrid2->setCurrentIndex(index);
    StringGrid2->scrollTo(index);
}

}  // namespace vantrel
