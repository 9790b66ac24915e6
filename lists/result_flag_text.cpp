#include "lists/result_flag_text.h"

#include "common/messages.h"
#include "common/time_text.h"
#include "lists/result_flags.h"
#include "widgets/ui_tr.h"

namespace vantrel {

QString FlagReasonText(const std::string& flag) {
    const std::optional<ResultFlag> parsed = ParseFlagText(flag);
    if (!parsed) {
        return QString();
    }
    const QString time = QString::fromStdString(
        FormatRaceTime(parsed->referenceMs, TimeFormat::kMinutesSeconds, false));
    switch (parsed->kind) {
        case FlagKind::kShortLap:
            return Tr(msg::kFlagShortLap).arg(parsed->laps).arg(time).arg(parsed->percent);
        case FlagKind::kBelowWindow:
            return Tr(msg::kFlagBelowWindow).arg(time);
        case FlagKind::kAboveWindow:
            break;
    }
    return Tr(msg::kFlagAboveWindow).arg(time);
}

}  // namespace vantrel
