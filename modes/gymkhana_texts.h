#pragma once
// The program's own texts used by the gymkhana start list, course and results.
// Thread rule: any thread (constants).

namespace vantrel {

inline constexpr const char kMsgNotDigits[] = "半角数字を入力して下さい";  // 109
inline constexpr const char kMsgInputErrorCaption[] = "入力文字種エラー";  // 110
inline constexpr const char kMsgReady[] = " 計測準備完了";                 // 119
inline constexpr const char kMsgCourseFull[] =
    "すでにコース上に４台いますので計測を開始出来ませんでした";                       // 120
inline constexpr const char kMsgPressStart[] = "開始ﾎﾞﾀﾝを押せば計測をｽﾀｰﾄ出来ます";  // 121

inline constexpr const char kEmptyClockText[] = "--:--";
inline constexpr const char kMissCourseText[] = "MC";
inline constexpr const char kTimeoutComment[] = "(Timeout)";

}  // namespace vantrel
