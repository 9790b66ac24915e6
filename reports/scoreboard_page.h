#pragma once
// The "Display" page of the record window (`TabSheet3`): the large-type scoreboard fields
// `Memo1` .. `Memo7`, their labels and the colour popup `PopupMenu1`. It shows a Scoreboard
// and takes its geometry from the layout pass; the window handles the popup's commands. When
// cars have classes, a box beside the time field chooses the class whose cars the fields
// follow ("全体": every car).
// Thread rule: GUI thread only.

#include <QWidget>
#include <array>
#include <string>
#include <vector>

#include "reports/record_layout.h"
#include "reports/scoreboard.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;

namespace vantrel {

class ScoreboardPage : public QWidget {
    Q_OBJECT

public:
    explicit ScoreboardPage(QWidget* parent = nullptr);

    // Texts and font sizes of the fields and labels; `board` must outlive the page or be
    // replaced by the next call.
    void Show(const Scoreboard& board);
    // Only the texts of the fields, as they read for the class followed, and the time's mark.
    void ShowTexts(const Scoreboard& board);
    // The classes of the entry list in order; the box is hidden when there are none. The class
    // followed stays while it is still there, else every car is followed again.
    void SetClasses(const std::vector<std::string>& classes);
    // The class followed; "" for every car.
    std::string ShownClass() const;
    // Text and background colour of the seven fields.
    void ApplyColors(const QColor& text, const QColor& background);
    // Field and label positions of a layout pass.
    void ApplyLayout(const RecordLayout& layout);
    // One point size for all seven fields (the layout pass's font fit).
    void SetFieldPointSize(int points);

    QLineEdit* Field(Scoreboard::Field field) const { return memos_[field]; }

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLineEdit* Memo1;
    QLineEdit* Memo2;
    QLineEdit* Memo3;
    QLineEdit* Memo4;
    QLineEdit* Memo5;
    QLineEdit* Memo6;
    QLineEdit* Memo7;
    QComboBox* ClassBox;
    QLabel* TimeMark;  // "?" while the time shown is marked for review
    QMenu* PopupMenu1;
    QAction* ChangeFontColor;
    QAction* ChangeBackground;

private:
    void ClassChosen();
    void ShowTimeMark(const std::string& flag);
    void PlaceTimeMark();

    const Scoreboard* board_ = nullptr;
    std::array<QLineEdit*, Scoreboard::kFieldCount> memos_{};
    std::array<QLabel*, Scoreboard::kLabelCount> labels_{};
    RecordLayout layout_;
};

}  // namespace vantrel
