#include "reports/scoreboard_page.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

#include "widgets/widget_util.h"

namespace vantrel {

namespace {

void SetPointSize(QWidget* widget, int points) {
    QFont font = widget->font();
    font.setPointSize(std::max(points, 1));
    widget->setFont(font);
}

}  // namespace

ScoreboardPage::ScoreboardPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet3"));
    Label1 = MakeNamed<QLabel>(this, "Label1", QStringLiteral("Split #1"));
    Label2 = MakeNamed<QLabel>(this, "Label2", QStringLiteral("Split #2"));
    Label3 = MakeNamed<QLabel>(this, "Label3", QStringLiteral("Time"));
    labels_ = {Label1, Label2, Label3};

    PopupMenu1 = MakeNamed<QMenu>(this, "PopupMenu1");
    ChangeFontColor =
        MakeNamed<QAction>(PopupMenu1, "ChangeFontColor", QStringLiteral("Change FONT color..."));
    ChangeBackground = MakeNamed<QAction>(PopupMenu1, "ChangeBackground",
                                          QStringLiteral("Change background color..."));
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
}

void ScoreboardPage::Show(const Scoreboard& board) {
    ShowTexts(board);
    for (int i = 0; i < Scoreboard::kFieldCount; ++i) {
        SetPointSize(memos_[i], board.FieldPointSize(static_cast<Scoreboard::Field>(i)));
    }
    for (int i = 0; i < Scoreboard::kLabelCount; ++i) {
        SetPointSize(labels_[i], board.LabelPointSize(static_cast<Scoreboard::Label>(i)));
        labels_[i]->adjustSize();
    }
}

void ScoreboardPage::ShowTexts(const Scoreboard& board) {
    for (int i = 0; i < Scoreboard::kFieldCount; ++i) {
        const QString text = QString::fromStdString(board.Text(static_cast<Scoreboard::Field>(i)));
        if (memos_[i]->text() != text) {
            memos_[i]->setText(text);
            memos_[i]->setCursorPosition(0);
        }
    }
}

void ScoreboardPage::ApplyColors(const QColor& text, const QColor& background) {
    for (QLineEdit* memo : memos_) {
        QPalette palette = memo->palette();
        palette.setColor(QPalette::Text, text);
        palette.setColor(QPalette::Base, background);
        memo->setPalette(palette);
    }
}

void ScoreboardPage::ApplyLayout(const RecordLayout& layout) {
    for (int i = 0; i < Scoreboard::kFieldCount; ++i) {
        const LayoutRect& r = layout.memos[i];
        memos_[i]->setGeometry(r.left, r.top, std::max(r.width, 0), std::max(r.height, 0));
    }
    for (int i = 0; i < Scoreboard::kLabelCount; ++i) {
        labels_[i]->move(layout.labels[i].left, layout.labels[i].top);
    }
}

void ScoreboardPage::SetFieldPointSize(int points) {
    for (QLineEdit* memo : memos_) {
        SetPointSize(memo, points);
    }
}

}  // namespace vantrel
