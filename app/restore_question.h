#pragma once
// What the operator is asked about a journal: the restore question at start-up, and the car
// an undone booking names.
// Thread rule: GUI thread only.

#include <QString>

#include "journal/journal_replay.h"
#include "lists/list_change.h"

class QWidget;

namespace vantrel {

class Prompter;

// The cars of the result rows a booking step wrote ("?" when none).
QString BookedCarOf(const ListStep& step);

// The restore question: how many runs, when the last was written, the cars on course a new
// boot cannot time on, the records that cannot be applied and `damage`; true for "Yes".
bool AskToRestore(Prompter& prompter, QWidget* parent, const JournalReplay& seen, bool sameBoot,
                  const QString& damage);

}  // namespace vantrel
