#pragma once
// The list of receiver passings held as a flood, for the operator to book all, some (ticked)
// or none in one go. Not modal: the race goes on while it is open, and passings held meanwhile
// are appended to the list. A choice settles only the passings the list showed.
// Thread rule: GUI thread only.

#include <QDialog>
#include <QString>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace vantrel {

class HeldPassingsDialog final : public QDialog {
    Q_OBJECT
public:
    // One listed passing, as shown.
    struct Row {
        QString car;
        QString time;  // since the session start
    };

    explicit HeldPassingsDialog(QWidget* parent = nullptr);

    // Lists `rows`, oldest first; the rows shown before keep their ticks.
    void ShowPassings(const std::vector<Row>& rows);
    // Which listed rows are ticked, in list order.
    std::vector<bool> Ticked() const;

    QLabel* HeldExplain;
    QTableWidget* HeldList;
    QPushButton* HeldBookAll;
    QPushButton* HeldBookChosen;
    QPushButton* HeldBookNone;
    QPushButton* HeldClose;

signals:
    // The operator settled the listed passings: book[i] books row i, the others are discarded.
    void settled(const std::vector<bool>& book);

private:
    void Settle(bool all, bool none);
};

}  // namespace vantrel
