#pragma once
// The program's own texts used by the gymkhana start list, course and results.
// Thread rule: any thread (constants).

#include "app/messages.h"

namespace vantrel {

inline constexpr const char* kMsgReady = msg::k119;
inline constexpr const char* kMsgCourseFull = msg::k120;
inline constexpr const char* kMsgPressStart = msg::k121;

inline constexpr const char kEmptyClockText[] = "--:--";
inline constexpr const char kMissCourseText[] = "MC";
inline constexpr const char kTimeoutComment[] = "(Timeout)";

}  // namespace vantrel
