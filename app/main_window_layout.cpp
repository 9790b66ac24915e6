// Fonts, column widths and the resize routine of the main window, and the help page.
#include <QFontMetrics>
#include <QHeaderView>
#include <QResizeEvent>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>

#include "app/clock_panel.h"
#include "app/help_window.h"
#include "app/main_window.h"
#include "app/result_columns.h"
#include "common/main_layout.h"
#include "dialogs/about_box.h"
#include "lists/entry_panel.h"
#include "lists/result_panel.h"
#include "modes/circuit_page.h"
#include "modes/drag_page.h"
#include "modes/gymkhana_page.h"
#include "widgets/prompter.h"

namespace vantrel {

void TMainForm::FontRoutine() {
    const QFontMetrics metrics(displayFont_);
    const int rowHeight = metrics.boundingRect(QStringLiteral("Wpg")).height() + 4;
    for (QTableView* grid : {Panel1->StringGrid1, Panel2->StringGrid2}) {
        grid->setFont(displayFont_);
        grid->horizontalHeader()->setFont(displayFont_);
        grid->verticalHeader()->setMinimumSectionSize(std::min(rowHeight, 10));
        grid->verticalHeader()->setDefaultSectionSize(rowHeight);
    }
    // A cell draws its text inside a margin on both sides; count it as part of the text.
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    const auto width = [&](const char* text) {
        return metrics.horizontalAdvance(QString::fromLatin1(text)) + margin;
    };
    GridTextWidths text;
    text.car = width("Car");
    text.clockTime = width("00:00.000");
    text.dragTime = width("00.000");
    text.dragSpeed = width("000.000");
    text.circuitTime = width("000:00.000");
    const GridColumns columns = ComputeGridColumns(state_.currentMode, text);
    entryCarWidth_ = columns.entryCar;
    resultGridFixedWidth_ = columns.resultGridFixedWidth;
    Panel2->SetColumnWidths(columns.result);
}

void TMainForm::ResizeRoutine() {
    const QFontMetrics metrics(displayFont_);
    MainLayoutInput in;
    in.windowWidth = width();
    in.statusTop = centralWidget()->height();
    in.entryCarWidth = entryCarWidth_;
    in.entryLapWidth = entryCarWidth_;
    in.resultGridFixedWidth = resultGridFixedWidth_;
    in.nameNameTextWidth = metrics.horizontalAdvance(QStringLiteral("Name Name"));
    in.modelTextWidth = metrics.horizontalAdvance(QStringLiteral("Model"));
    const MainLayout layout = ComputeMainLayout(in);

    Panel1->ApplyLayout(layout, entryCarWidth_);
    PageControl1->setGeometry(layout.pages.left, layout.pages.top, layout.pages.width,
                              layout.pages.height);
    TabSheet1->Relayout(layout.pages.width - 6, layout.pageSpread);
    TabSheet2->Relayout(layout.pages.width - 6, layout.pageSpread);
    TabSheet3->Relayout(layout.pages.width - 6, layout.pageSpread);
    Panel5->setGeometry(layout.clockPanel.left, layout.clockPanel.top, layout.clockPanel.width,
                        layout.clockPanel.height);
    Panel5->Relayout(layout.clockPanel.width);
    Panel2->ApplyLayout(layout);
    SetStatusPanelWidth(layout.statusPanel0Width);
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    ResizeRoutine();
}

void TMainForm::Font2Click() {
    const auto font = env_.prompter->ChooseFont(this, displayFont_);
    if (!font) {
        return;
    }
    displayFont_ = *font;
    FontRoutine();
    ResizeRoutine();
}

void TMainForm::HelpContentsClick() {
    ShowHelpWindow(this);
}

void TMainForm::HelpAboutClick() {
    aboutForm_->Execute();
}

}  // namespace vantrel
