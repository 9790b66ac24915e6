#pragma once
// PrintRanking: the Rank page of the standings on the chosen printer (or a PDF file), as a
// ruled table with the heading line on every page and a footer with the date, the result
// file and the page number. When cars have classes the operator chooses between the overall
// table and every class on pages of its own, each under a title line naming the class and
// numbered within it. A table wider than the paper goes on a page turned to landscape when it
// fits there, else it is scaled down; the operator is told which.
// Thread rule: GUI thread only.

#include <QDateTime>
#include <QFont>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "reports/print_geometry.h"
#include "reports/rank_page.h"
#include "reports/text_grid.h"

class QPrinter;
class QWidget;

namespace vantrel {

class EntryTable;
class Prompter;
class Standings;

inline constexpr const char* kPrintJobTitle = "Vantrel2000 result";

// The Rank page of one class.
struct ClassRank {
    std::string name;
    RankPage page;
};

// The Rank pages of the entry list's classes, in order of first appearance.
std::vector<ClassRank> ClassRanks(const Standings& standings, const EntryTable& entries);

struct RankPrintJob {
    const TextGrid* rank = nullptr;
    // When not empty, the operator is asked whether to print these instead of `rank`; a
    // class without a ranked car is left out.
    std::vector<ClassRank> classes;
    QPrinter* printer = nullptr;
    Prompter* prompter = nullptr;
    QWidget* parent = nullptr;
    PrintMargins margins;
    QFont font;                 // the printer font
    QString resultFileCaption;  // the result-file label as shown, in double quotes
    QDateTime now;              // the footer's date; unset: the current time
    // Starts the next sheet; unset: the printer's newPage. A failure ends the job.
    std::function<bool(QPrinter&)> newPage;
};

enum class PrintOutcome { kPrinted, kCancelled, kEmpty, kPageTooSmall, kFailed };

PrintOutcome PrintRanking(const RankPrintJob& job);

// The printer's resolution, physical offsets and printable area.
PrinterMetrics MetricsOf(const QPrinter& printer);

}  // namespace vantrel
