#include "app/restore_question.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QStringList>

#include "app/journal_messages.h"
#include "common/messages.h"
#include "widgets/prompter.h"
#include "widgets/ui_tr.h"

namespace vantrel {
namespace {

QString LocalTimeText(int64_t wallMs) {
    return QDateTime::fromMSecsSinceEpoch(wallMs).toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}

}  // namespace

QString BookedCarOf(const ListStep& step) {
    // A step of held passings booked together names every car it wrote, a few at most.
    constexpr int kCarsNamed = 8;
    QStringList cars;
    const auto name = [&cars](const std::string& car) {
        const QString text = QString::fromStdString(car);
        if (!cars.contains(text)) {
            cars << text;
        }
    };
    for (const ListChange& change : step.changes) {
        if (const auto* rows = std::get_if<RowsChange>(&change)) {
            for (const auto& row : rows->rows) {
                if (rows->inserted && !row.empty()) {
                    name(row[0]);
                }
            }
        } else if (const auto* cell = std::get_if<CellChange>(&change)) {
            if (cell->list == ListKind::kResult && cell->column == ResultTable::kCar) {
                name(cell->after);
            }
        }
    }
    if (cars.isEmpty()) {
        return QStringLiteral("?");
    }
    const qsizetype more = cars.size() - kCarsNamed;
    QString text = cars.mid(0, kCarsNamed).join(QStringLiteral(", "));
    return more > 0 ? text + QCoreApplication::translate("RestoreQuestion", " ほか %1 台").arg(more)
                    : text;
}

namespace {

// The records a restore cannot apply, each by its number, kind and reason.
QString UnappliedRecordsText(const std::vector<UnappliedRecord>& unapplied) {
    QStringList named;
    for (const UnappliedRecord& record : unapplied) {
        if (named.size() == msg::kRestoreUnappliedShown) {
            named << Tr(msg::kRestoreUnappliedMore)
                         .arg(unapplied.size() - msg::kRestoreUnappliedShown);
            break;
        }
        named << Tr(msg::kRestoreUnappliedRecord)
                     .arg(record.seq)
                     .arg(Tr(msg::RestoreRecordKind(record.type)),
                          Tr(msg::RestoreUnappliedReason(record.reason)));
    }
    return Tr(msg::kRestoreUnapplied).arg(unapplied.size()).arg(named.join(QStringLiteral("\n")));
}

}  // namespace

bool AskToRestore(Prompter& prompter, QWidget* parent, const JournalReplay& seen, bool sameBoot,
                  const QString& damage) {
    QString text = Tr(msg::kRestoreQuestion).arg(seen.bookings).arg(LocalTimeText(seen.lastWallMs));
    if (!sameBoot && !seen.course.cars.empty()) {
        QStringList cars;
        for (const CarOnCourse& car : seen.course.cars) {
            cars << QString::number(car.car);
        }
        text += Tr(msg::kRestoreCarsLost).arg(cars.join(QStringLiteral(", ")));
    }
    if (!seen.unapplied.empty()) {
        text += UnappliedRecordsText(seen.unapplied);
    }
    if (!damage.isEmpty()) {
        text += QStringLiteral("\n\n") + damage;
    }
    return prompter.AskYesNo(parent, text, Tr(msg::kRestoreCaption));
}

}  // namespace vantrel
