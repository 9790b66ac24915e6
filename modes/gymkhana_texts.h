#pragma once
// The program's own texts used by the gymkhana start list, course and results.
// Thread rule: any thread (constants).

#include "common/messages.h"
#include "lists/list_texts.h"

namespace vantrel {

inline constexpr UiText kMsgReady = msg::k119;
inline constexpr UiText kMsgCourseFull = msg::k120;
inline constexpr UiText kMsgPressStart = msg::k121;
// Status panel 0 while a car waits, before message 119; %1 = the car number.
inline constexpr UiText kWaitingCarText = VANTREL_TEXT("gymkhana", "Car #%1");
// The tooltip of a position's boxes while its car has pylon touches; %1 = the count.
inline constexpr UiText kPylonTouchHint = VANTREL_TEXT("gymkhana", "PT%1");

// A correction refused because its car moved on while the operator typed.
inline constexpr UiText kMsgQueueMovedOn =
    VANTREL_TEXT("gymkhana", "編集中にスタートリストが進んだため、この修正は取り消しました。");
inline constexpr UiText kMsgCarLeftPosition = VANTREL_TEXT(
    "gymkhana", "編集中に車両 %1 がこの位置を離れたため、車両番号の修正は取り消しました。");
inline constexpr UiText kEditCancelledCaption = VANTREL_TEXT("gymkhana", "修正の取り消し");

inline constexpr const char kEmptyClockText[] = "--:--";
inline constexpr const char kTimeoutComment[] = "(Timeout)";

}  // namespace vantrel
