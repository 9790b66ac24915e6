#include "reports/rank_printer.h"

#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <optional>

#include "common/messages.h"
#include "reports/class_standings.h"
#include "reports/rank_sheet.h"
#include "widgets/prompter.h"
#include "widgets/ui_tr.h"

namespace vantrel {

namespace {

QString Q(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

class QtTextMeasure final : public TextMeasure {
public:
    QtTextMeasure(const QFont& font, QPaintDevice* device) : metrics_(font, device) {}
    int32_t Width(std::string_view text) const override {
        return metrics_.horizontalAdvance(
            QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
    int32_t Height(std::string_view) const override { return metrics_.height(); }
    int32_t Ascent() const { return metrics_.ascent(); }

private:
    QFontMetrics metrics_;
};

QFont FooterFont(const QFont& font) {
    QFont footer = font;
    footer.setPointSize(FooterPointSize(font.pointSize() > 0 ? font.pointSize() : 9));
    return footer;
}

void PaintSheet(QPainter& painter, const RankSheet& sheet, const QFont& font,
                const QFont& footerFont, int32_t ascent, int32_t footerAscent) {
    for (const SheetText& t : sheet.texts) {
        painter.setFont(t.footer ? footerFont : font);
        painter.drawText(t.x, t.y + (t.footer ? footerAscent : ascent), Q(t.text));
    }
    painter.setFont(font);
    QPen pen(Qt::black, 1, Qt::SolidLine);
    for (const SheetLine& line : sheet.lines) {
        pen.setWidth(line.width);
        painter.setPen(pen);
        painter.drawLine(line.x1, line.y1, line.x2, line.y2);
    }
}

void ReportFailure(const RankPrintJob& job) {
    const QPrinter& printer = *job.printer;
    const QString where =
        printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
    job.prompter->Error(job.parent, Tr(msg::kPrintFailed).arg(where), Tr(msg::kTitle));
}

// A PDF output without a file (no printer on the machine) asks for the file.
bool HasOutput(const RankPrintJob& job) {
    QPrinter& printer = *job.printer;
    if (printer.outputFormat() != QPrinter::PdfFormat || !printer.outputFileName().isEmpty()) {
        return true;
    }
    FileDialogOptions options;
    options.filter = QStringLiteral("PDF (*.pdf)|*.pdf");
    options.defaultSuffix = QStringLiteral("pdf");
    options.fileName = QStringLiteral("ranking.pdf");
    const std::optional<QString> file = job.prompter->SaveFile(job.parent, options);
    if (!file) {
        return false;
    }
    printer.setOutputFileName(*file);
    return true;
}

// One table of the print: the overall ranking, or one class's under its title.
struct Section {
    std::string title;
    const TextGrid* rank = nullptr;
};

// The overall table, or, when the operator chooses so, every class that has a ranked car.
std::vector<Section> ChooseSections(const RankPrintJob& job) {
    if (job.classes.empty() ||
        !job.prompter->AskYesNo(job.parent, Tr(msg::kPrintByClass), Tr(msg::kTitle))) {
        return {{std::string(), job.rank}};
    }
    std::vector<Section> sections;
    for (const ClassRank& cls : job.classes) {
        if (RankedRows(cls.page) > 0) {
            sections.push_back({ClassTitle(cls.name), &cls.page});
        }
    }
    return sections;
}

// How the table goes on the paper: as it is, on a page turned to landscape, or scaled down.
enum class PageFit { kAsIs, kLandscape, kScaled };

struct PagePlan {
    PrintGeometry geometry;
    double scale = 1;
    PageFit fit = PageFit::kAsIs;
};

PrintGeometry GeometryOn(const RankPrintJob& job, const TextMeasure& measure) {
    return ComputePrintGeometry(MetricsOf(*job.printer), job.margins, *job.rank, measure);
}

// A table wider than the printable width is printed on a landscape page when it fits there
// at the chosen font size, else scaled down; nullopt when no page holds it.
std::optional<PagePlan> PlanWidth(const RankPrintJob& job, const TextMeasure& measure) {
    QPrinter& printer = *job.printer;
    const PrintGeometry asIs = GeometryOn(job, measure);
    if (!PageHoldsTable(asIs)) {
        return std::nullopt;
    }
    if (TableFitsWidth(asIs)) {
        return PagePlan{asIs, 1, PageFit::kAsIs};
    }
    if (printer.pageLayout().orientation() == QPageLayout::Portrait) {
        printer.setPageOrientation(QPageLayout::Landscape);
        const PrintGeometry turned = GeometryOn(job, measure);
        if (PageHoldsTable(turned) && TableFitsWidth(turned)) {
            return PagePlan{turned, 1, PageFit::kLandscape};
        }
        printer.setPageOrientation(QPageLayout::Portrait);
    }
    const ScaledFit scaled = FitToWidth(MetricsOf(printer), job.margins, *job.rank, measure);
    if (!scaled.fits) {
        return std::nullopt;
    }
    return PagePlan{scaled.geometry, scaled.scale, PageFit::kScaled};
}

// Titled pages must still hold a data line under the title and the heading line.
std::optional<PagePlan> PlanPage(const RankPrintJob& job, const TextMeasure& measure, bool titled) {
    std::optional<PagePlan> plan = PlanWidth(job, measure);
    if (plan && titled && !PageHoldsTable(SectionGeometry(plan->geometry, *job.rank, true))) {
        return std::nullopt;
    }
    return plan;
}

// Every page of the document in order: the section and its page number within it.
struct DocumentPage {
    size_t section = 0;
    int32_t page = 0;
};

std::vector<DocumentPage> DocumentPages(const std::vector<PrintGeometry>& sections) {
    std::vector<DocumentPage> pages;
    for (size_t s = 0; s < sections.size(); ++s) {
        for (int32_t p = 1; p <= sections[s].pages; ++p) {
            pages.push_back({s, p});
        }
    }
    return pages;
}

void TellFit(const RankPrintJob& job, const PagePlan& plan) {
    if (plan.fit == PageFit::kAsIs) {
        return;
    }
    const QString text = plan.fit == PageFit::kLandscape
                             ? Tr(msg::kPrintLandscape)
                             : Tr(msg::kPrintScaled).arg(static_cast<int>(plan.scale * 100));
    job.prompter->Inform(job.parent, text, Tr(msg::kTitle));
}

// The copies are printed here, sheet by sheet, so the printer is asked for one.
struct CopiesTaken {
    explicit CopiesTaken(QPrinter& p)
        : printer(p), copies(p.copyCount()), collate(p.collateCopies()) {
        printer.setCopyCount(1);
    }
    ~CopiesTaken() { printer.setCopyCount(copies); }
    QPrinter& printer;
    int copies;
    bool collate;
};

PrintOutcome PaintJob(const RankPrintJob& job, const std::vector<Section>& sections,
                      const PagePlan& plan, int copies, bool collate) {
    QPrinter& printer = *job.printer;
    std::vector<PrintGeometry> geometries;
    for (const Section& section : sections) {
        geometries.push_back(SectionGeometry(plan.geometry, *section.rank, !section.title.empty()));
    }
    const std::vector<DocumentPage> pages = DocumentPages(geometries);
    QPainter painter;
    if (!painter.begin(&printer)) {
        ReportFailure(job);
        return PrintOutcome::kFailed;
    }
    painter.scale(plan.scale, plan.scale);
    const QFont footerFont = FooterFont(job.font);
    const QtTextMeasure measure(job.font, &printer);
    const QtTextMeasure footerMeasure(footerFont, &printer);
    const QDateTime now = job.now.isValid() ? job.now : QDateTime::currentDateTime();
    const QString date = QLocale::system().toString(now, QStringLiteral("yyyy/MM/dd dddd hh:mm "));
    const std::string dateLine = (date + job.resultFileCaption).toStdString();
    bool first = true;
    for (int32_t sheetPage : SheetOrder(static_cast<int32_t>(pages.size()), copies, collate)) {
        const bool started = first || (job.newPage ? job.newPage(printer) : printer.newPage());
        if (!started) {
            printer.abort();
            painter.end();
            ReportFailure(job);
            return PrintOutcome::kFailed;
        }
        first = false;
        const DocumentPage& at = pages[static_cast<size_t>(sheetPage - 1)];
        const Section& section = sections[at.section];
        const RankSheet sheet = LayOutRankSheet(*section.rank, geometries[at.section], at.page,
                                                measure, footerMeasure, dateLine, section.title);
        PaintSheet(painter, sheet, job.font, footerFont, measure.Ascent(), footerMeasure.Ascent());
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        ReportFailure(job);
        return PrintOutcome::kFailed;
    }
    return PrintOutcome::kPrinted;
}

}  // namespace

PrinterMetrics MetricsOf(const QPrinter& printer) {
    PrinterMetrics m;
    m.dpiX = printer.logicalDpiX();
    m.dpiY = printer.logicalDpiY();
    const QRect paint = printer.pageLayout().paintRectPixels(printer.resolution());
    m.offsetX = paint.left();
    m.offsetY = paint.top();
    m.pageWidth = printer.width();
    m.pageHeight = printer.height();
    return m;
}

std::vector<ClassRank> ClassRanks(const Standings& standings, const EntryTable& entries) {
    std::vector<ClassRank> ranks;
    for (std::string& cls : ClassesOf(entries)) {
        ranks.push_back({std::move(cls), RankPage()});
        FillClassRank(standings, entries, ranks.back().name, ranks.back().page);
    }
    return ranks;
}

PrintOutcome PrintRanking(const RankPrintJob& job) {
    const auto warnEmpty = [&job] {
        job.prompter->WarnAbort(job.parent, Tr(msg::k131), Tr(msg::kTitle));
        return PrintOutcome::kEmpty;
    };
    if (RankedRows(*job.rank) == 0) {
        return warnEmpty();
    }
    const std::vector<Section> sections = ChooseSections(job);
    if (sections.empty()) {
        return warnEmpty();
    }
    QPrinter& printer = *job.printer;
    printer.setDocName(QString::fromLatin1(kPrintJobTitle));
    if (!job.prompter->ChoosePrinter(job.parent, printer) || !HasOutput(job)) {
        return PrintOutcome::kCancelled;
    }
    const QtTextMeasure measure(job.font, &printer);
    const std::optional<PagePlan> plan = PlanPage(job, measure, !sections[0].title.empty());
    if (!plan) {
        job.prompter->Warn(job.parent, Tr(msg::kPageTooSmall), Tr(msg::kTitle));
        return PrintOutcome::kPageTooSmall;
    }
    TellFit(job, *plan);
    const CopiesTaken copies(printer);
    return PaintJob(job, sections, *plan, copies.copies, copies.collate);
}

}  // namespace vantrel
