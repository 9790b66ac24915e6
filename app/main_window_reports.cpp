// The main window's reports: the printed standings and the result list's spreadsheet export.
#include <QAction>
#include <QLabel>

#include "app/main_window.h"
#include "lists/result_panel.h"
#include "reports/rank_printer.h"
#include "reports/record_window.h"
#include "reports/spreadsheet_export.h"

namespace vantrel {

void TMainForm::ConnectReports() {
    connect(menu.FilePrint, &QAction::triggered, this, &TMainForm::FilePrintClick);
    connect(record_.get(), &TRecordForm::printRequested, this, &TMainForm::FilePrintClick);
    connect(Panel2->Grid2Excel, &QAction::triggered, this, &TMainForm::Grid2ExcelClick);
}

void TMainForm::FilePrintClick() {
    RankPrintJob job;
    job.rank = &standings_.Rank();
    job.printer = printer_.get();
    job.prompter = env_.prompter;
    job.parent = this;
    job.margins = {windowSettings_.topMargin, windowSettings_.bottomMargin,
                   windowSettings_.leftMargin, windowSettings_.rightMargin};
    job.font = printerFont_;
    job.resultFileCaption = Panel2->ResultFile->text();
    job.classes = ClassRanks(standings_, entries_);
    PrintRanking(job);
}

void TMainForm::Grid2ExcelClick() {
    SpreadsheetExportJob job;
    job.results = &results_;
    job.entries = &entries_;
    job.tab = ActivePageMode();
    job.resultFileName = Panel2->ResultFile->text().remove(QLatin1Char('"'));
    job.prompter = env_.prompter;
    job.parent = this;
    job.tempRoot = env_.exportTempDir;
    if (env_.openDocument) {
        job.open = [open = env_.openDocument](const QString& path,
                                              std::function<void(bool)> answer) {
            answer(open(path));
        };
    }
    ExportToSpreadsheet(job);
}

}  // namespace vantrel
