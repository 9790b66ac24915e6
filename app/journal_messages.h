#pragma once
// The texts of the journal's questions and reports in the main window.
// Thread rule: any thread (constants).

namespace vantrel::msg {

inline constexpr const char* kRestoreCaption = "記録の復元";
// %1 runs and laps, %2 the time of the last record.
inline constexpr const char* kRestoreQuestion =
    "前回は記録を保存しないまま終了しました。\n"
    "走行・周回 %1 件（最後の記録 %2）が残っています。\n\n"
    "復元しますか？\n"
    "（「いいえ」でも記録は捨てずに別名で残します）";
// %1 the cars; after a restart of the machine their start times no longer count.
inline constexpr const char* kRestoreCarsLost =
    "\n\nコース上にいた車（パソコンが再起動したため計時を続けられません）: %1";
// %1 the damage text; the damaged file is kept under the name %2.
inline constexpr const char* kRestoreDamaged =
    "ジャーナルの一部を読めませんでした: %1\n"
    "その前までの記録を使います。ファイルは %2 として残してあります。";
inline constexpr const char* kJournalWarning = "ジャーナル";
inline constexpr const char* kJournalOff =
    "ジャーナルを作れません。記録は保存するまでメモリ上だけにあります";
// Undoing a booked run or lap: %1 the car.
inline constexpr const char* kUndoBookingQuestion = "車番 %1 の記録を取り消しますか？";
inline constexpr const char* kUndoCaption = "元に戻す";

}  // namespace vantrel::msg
