#include "reports/scoreboard_page.h"

#include <algorithm>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

#include "common/messages.h"
#include "lists/result_flag_text.h"
#include "widgets/ui_tr.h"
#include "widgets/widget_util.h"

namespace vantrel {

// Texts are looked up under the class name without its namespace, the context the
// translation files hold them under (tr() would use the namespaced name).

namespace {

constexpr int kMarkGap = 4;  // between the mark and the time field, and the class box

void SetPointSize(QWidget* widget, int points) {
    QFont font = widget->font();
    font.setPointSize(std::max(points, 1));
    widget->setFont(font);
}

}  // namespace

ScoreboardPage::ScoreboardPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet3"));
    Label1 = MakeNamed<QLabel>(this, "Label1",
                               QCoreApplication::translate("ScoreboardPage", "Split #1"));
    Label2 = MakeNamed<QLabel>(this, "Label2",
                               QCoreApplication::translate("ScoreboardPage", "Split #2"));
    Label3 =
        MakeNamed<QLabel>(this, "Label3", QCoreApplication::translate("ScoreboardPage", "Time"));
    labels_ = {Label1, Label2, Label3};

    PopupMenu1 = MakeNamed<QMenu>(this, "PopupMenu1");
    ChangeFontColor =
        MakeNamed<QAction>(PopupMenu1, "ChangeFontColor",
                           QCoreApplication::translate("ScoreboardPage", "Change FONT color..."));
    ChangeBackground = MakeNamed<QAction>(
        PopupMenu1, "ChangeBackground",
        QCoreApplication::translate("ScoreboardPage", "Change background color..."));
    PopupMenu1->addAction(ChangeFontColor);
    PopupMenu1->addAction(ChangeBackground);

    const char* names[] = {"Memo1", "Memo2", "Memo3", "Memo4", "Memo5", "Memo6", "Memo7"};
    for (int i = 0; i < Scoreboard::kFieldCount; ++i) {
        QLineEdit* memo = MakeBox(this, names[i]);
        memo->setFocusPolicy(Qt::NoFocus);
        memo->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(memo, &QWidget::customContextMenuRequested, this,
                [this, memo](const QPoint& at) { PopupMenu1->popup(memo->mapToGlobal(at)); });
        memos_[i] = memo;
    }
    Memo1 = memos_[Scoreboard::kMemo1];
    Memo2 = memos_[Scoreboard::kMemo2];
    Memo3 = memos_[Scoreboard::kMemo3];
    Memo4 = memos_[Scoreboard::kMemo4];
    Memo5 = memos_[Scoreboard::kMemo5];
    Memo6 = memos_[Scoreboard::kMemo6];
    Memo7 = memos_[Scoreboard::kMemo7];

    ClassBox = MakeNamed<QComboBox>(this, "ClassBox");
    ClassBox->addItem(Tr(msg::kAllClasses));
    ClassBox->setFocusPolicy(Qt::NoFocus);
    ClassBox->hide();
    connect(ClassBox, &QComboBox::currentIndexChanged, this, &ScoreboardPage::ClassChosen);

    TimeMark = MakeNamed<QLabel>(this, "TimeMark", QStringLiteral("?"));
    TimeMark->setAlignment(Qt::AlignCenter);
    TimeMark->setAutoFillBackground(true);
    TimeMark->hide();
}

void ScoreboardPage::SetClasses(const std::vector<std::string>& classes) {
    const std::string shown = ShownClass();
    QStringList items{Tr(msg::kAllClasses)};
    int chosen = 0;
    for (const std::string& cls : classes) {
        chosen = cls == shown ? static_cast<int>(items.size()) : chosen;
        items.push_back(QString::fromStdString(cls));
    }
    {
        const QSignalBlocker block(ClassBox);
        ClassBox->clear();
        ClassBox->addItems(items);
        ClassBox->setCurrentIndex(chosen);
    }
    ClassBox->setVisible(!classes.empty());
    if (chosen == 0 && !shown.empty()) {
        ClassChosen();
    }
}

std::string ScoreboardPage::ShownClass() const {
    return ClassBox->currentIndex() > 0 ? ClassBox->currentText().toStdString() : std::string();
}

void ScoreboardPage::ClassChosen() {
    if (board_ != nullptr) {
        ShowTexts(*board_);
    }
}

void ScoreboardPage::Show(const Scoreboard& board) {
    ShowTexts(board);
    for (int i = 0; i < Scoreboard::kFieldCount; ++i) {
        SetPointSize(memos_[i], board.FieldPointSize(static_cast<Scoreboard::Field>(i)));
    }
    SetPointSize(TimeMark, board.FieldPointSize(Scoreboard::kMemo5));
    PlaceTimeMark();
    for (int i = 0; i < Scoreboard::kLabelCount; ++i) {
        SetPointSize(labels_[i], board.LabelPointSize(static_cast<Scoreboard::Label>(i)));
        labels_[i]->adjustSize();
    }
}

void ScoreboardPage::ShowTexts(const Scoreboard& board) {
    board_ = &board;
    const std::string cls = ShownClass();
    for (int i = 0; i < Scoreboard::kFieldCount; ++i) {
        const QString text =
            QString::fromStdString(board.Text(static_cast<Scoreboard::Field>(i), cls));
        if (memos_[i]->text() != text) {
            memos_[i]->setText(text);
            memos_[i]->setCursorPosition(0);
        }
    }
    ShowTimeMark(board.TimeFlag(cls));
}

void ScoreboardPage::ShowTimeMark(const std::string& flag) {
    const QString reason = FlagReasonText(flag);
    TimeMark->setVisible(!flag.empty());
    TimeMark->setToolTip(reason);
    Memo5->setToolTip(reason);
}

void ScoreboardPage::ApplyColors(const QColor& text, const QColor& background) {
    for (QLineEdit* memo : memos_) {
        QPalette palette = memo->palette();
        palette.setColor(QPalette::Text, text);
        palette.setColor(QPalette::Base, background);
        memo->setPalette(palette);
    }
    QPalette palette = TimeMark->palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Window, background);
    TimeMark->setPalette(palette);
}

void ScoreboardPage::ApplyLayout(const RecordLayout& layout) {
    for (int i = 0; i < Scoreboard::kFieldCount; ++i) {
        const LayoutRect& r = layout.memos[i];
        memos_[i]->setGeometry(r.left, r.top, std::max(r.width, 0), std::max(r.height, 0));
    }
    for (int i = 0; i < Scoreboard::kLabelCount; ++i) {
        labels_[i]->move(layout.labels[i].left, layout.labels[i].top);
    }
    layout_ = layout;
    PlaceTimeMark();
}

void ScoreboardPage::PlaceTimeMark() {
    // The mark sits right before the time field, whose width the font fit leaves no room in;
    // the class box takes the rest of the time row's free quarter, between label and mark.
    const LayoutRect& time = layout_.memos[Scoreboard::kMemo5];
    const int markWidth =
        QFontMetrics(TimeMark->font()).horizontalAdvance(QLatin1Char('?')) + 2 * kMarkGap;
    const int markLeft = time.left - kMarkGap - markWidth;
    TimeMark->setGeometry(markLeft, time.top, markWidth, std::max(time.height, 0));
    const int boxLeft = layout_.memos[Scoreboard::kMemo2].left;
    const int boxWidth =
        std::min(layout_.memos[Scoreboard::kMemo6].width, markLeft - kMarkGap - boxLeft);
    const int height = ClassBox->sizeHint().height();
    ClassBox->setGeometry(boxLeft, time.top + std::max(time.height - height, 0) / 2,
                          std::max(boxWidth, 0), height);
}

void ScoreboardPage::SetFieldPointSize(int points) {
    for (QLineEdit* memo : memos_) {
        SetPointSize(memo, points);
    }
    SetPointSize(TimeMark, points);
    PlaceTimeMark();
}

}  // namespace vantrel
