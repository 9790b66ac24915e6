// The record window's pages: the layout pass, the page change, the scoreboard and its
// colours, and the CSV export of a grid page.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QStatusBar>
#include <QTableView>
#include <QToolButton>

#include "common/messages.h"
#include "reports/class_standings_view.h"
#include "reports/page_export.h"
#include "reports/record_colors.h"
#include "reports/record_page_control.h"
#include "reports/record_window.h"
#include "reports/scoreboard_page.h"
#include "widgets/prompter.h"
#include "widgets/ui_tr.h"

namespace vantrel {

// Texts are looked up under the class name without its namespace, the context the
// translation files hold them under (tr() would use the namespaced name).

namespace {

// The layout rules count the window's outer width, a 4-pixel frame on either side of the
// client area.
constexpr int kFrameWidth = 8;
constexpr int kMargin = 4;  // page control and tool buttons from the client edges
constexpr int kToolButtonStep = 27;
constexpr int kButtonHeight = 25;

std::filesystem::path PathFromQ(const QString& text) {
    return std::filesystem::path(text.toStdU16String());
}

QString QFromPath(const std::filesystem::path& path) {
    return QString::fromStdU16String(path.u16string());
}

}  // namespace

RecordPage TRecordForm::CurrentPage() const {
    return static_cast<RecordPage>(std::max(PageControl1->currentIndex(), 0));
}

void TRecordForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

void TRecordForm::PageControl1Change(int index) {
    const bool tools = RecordToolsVisible(static_cast<RecordPage>(std::max(index, 0)));
    SpeedButton1->setVisible(tools);
    SpeedButton2->setVisible(tools);
    // Without classes the window looks exactly as it always has.
    classSelector->setVisible(tools && !shown_->Classes().empty());
    FormResize();
}

void TRecordForm::FormResize() {
    const int statusHeight = StatusBar1->sizeHint().height();
    const int statusTop = height() - statusHeight;
    StatusBar1->setGeometry(0, statusTop, width(), statusHeight);

    RecordLayoutInput in;
    in.windowWidth = width() + kFrameWidth;
    in.statusBarTop = statusTop;
    in.pageControlWidth = width() - 2 * kMargin;
    in.pageChromeHeight = PageControl1->PageChromeHeight();
    const RecordLayout layout = LayOutRecordWindow(in);

    PageControl1->setGeometry(kMargin, kMargin, in.pageControlWidth,
                              std::max(layout.pageControlHeight, 0));
    BitBtn1->move(layout.closeLeft, layout.buttonTop);
    BitBtn2->move(layout.rebuildLeft, layout.buttonTop);
    SpeedButton1->move(kMargin, layout.buttonTop);
    SpeedButton2->move(kMargin + kToolButtonStep, layout.buttonTop);
    classSelector->setGeometry(kMargin + 2 * kToolButtonStep + kMargin, layout.buttonTop,
                               classSelector->sizeHint().width(), kButtonHeight);
    CheckBox1->move(layout.rebuildLeft - CheckBox1->width() - kMargin, layout.buttonTop + 4);
    TabSheet3->ApplyLayout(layout);

    const int points = FitFieldFont(layout);
    scoreboard_.SetFieldPointSize(points);
    TabSheet3->SetFieldPointSize(points);
}

int TRecordForm::FitFieldFont(const RecordLayout& layout) const {
    const QFont base = TabSheet3->Memo3->font();
    const QString sample = QString::fromLatin1(kScoreboardSample);
    return FitScoreboardFont(layout.memos[Scoreboard::kMemo3], logicalDpiY(),
                             [&base, &sample](int32_t points) {
                                 QFont font = base;
                                 font.setPointSize(points);
                                 return QFontMetrics(font).horizontalAdvance(sample);
                             });
}

void TRecordForm::ShowScoreboardTexts() {
    if (holdDepth_ > 0) {
        textsHeld_ = true;
        return;
    }
    TabSheet3->ShowTexts(scoreboard_);
}

void TRecordForm::ShowSplit1(int32_t car, const std::string& timeText) {
    scoreboard_.ShowSplit1(car, timeText);
    ShowScoreboardTexts();
}

void TRecordForm::ShowSplit2(int32_t car, const std::string& timeText) {
    scoreboard_.ShowSplit2(car, timeText);
    ShowScoreboardTexts();
}

void TRecordForm::ShowCar(int32_t car, const std::string& name) {
    scoreboard_.ShowCar(car, name);
    ShowScoreboardTexts();
}

void TRecordForm::ShowTime(const std::string& timeText) {
    scoreboard_.ShowTime(timeText);
    ShowScoreboardTexts();
}

void TRecordForm::ShowResult(int32_t car, const std::string& name, const std::string& timeText) {
    scoreboard_.ShowCar(car, name);
    scoreboard_.ShowTime(timeText);
    ShowScoreboardTexts();
}

void TRecordForm::ShowSplitTexts(const std::string& split1, const std::string& split2) {
    scoreboard_.ShowSplitTexts(split1, split2);
    ShowScoreboardTexts();
}

void TRecordForm::ApplyDisplayColors() {
    TabSheet3->ApplyColors(ColorFromWindowsValue(FontColor()), ColorFromWindowsValue(BGColor()));
}

void TRecordForm::ChangeFontColorClick() {
    const auto color = env_.prompter->ChooseColor(this, ColorFromWindowsValue(FontColor()));
    if (color) {
        scoreboard_.fontColor = WindowsValueFromColor(*color);
        ApplyDisplayColors();
    }
}

void TRecordForm::ChangeBackgroundClick() {
    const auto color = env_.prompter->ChooseColor(this, ColorFromWindowsValue(BGColor()));
    if (color) {
        scoreboard_.background = WindowsValueFromColor(*color);
        ApplyDisplayColors();
    }
}

void TRecordForm::BitBtn2Click() {
    if (env_.rebuild) {
        env_.rebuild();
    }
    Refresh();
}

void TRecordForm::ExportPage() {
    const RecordPage page = CurrentPage();
    const std::optional<std::string> offered = naming_.Offer(page);
    if (!offered) {
        return;
    }
    FileDialogOptions options;
    options.filter =
        QCoreApplication::translate("TRecordForm", "CSV files (*.csv)|*.csv|All files (*.*)|*.*");
    options.directory = QFromPath(naming_.Folder());
    options.fileName = QString::fromStdString(*offered);
    options.confirmOverwrite = true;
    const std::optional<QString> chosen = env_.prompter->SaveFile(this, options);
    if (!chosen) {
        return;
    }
    const TextGrid& grid = page == RecordPage::kRank ? ShownRank() : ShownList();
    const IoResult written = ExportPageTo(PathFromQ(*chosen), grid, naming_);
    if (!written) {
        env_.prompter->Error(this, QString::fromStdString(written.error), Tr(msg::kTitle));
    }
}

}  // namespace vantrel
