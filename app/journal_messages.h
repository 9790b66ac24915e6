#pragma once
// The texts of the journal's questions and reports in the main window.
// Thread rule: any thread (constants).

#include <cstdint>

#include "journal/journal_content.h"
#include "journal/journal_replay.h"

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
// The records a restore cannot apply: %1 how many, %2 one line each (at most
// kRestoreUnappliedShown, then kRestoreUnappliedMore with %1 the rest).
inline constexpr const char* kRestoreUnapplied = "\n\n復元できない記録が %1 件あります:\n%2";
inline constexpr int kRestoreUnappliedShown = 5;
// %1 the record's number, %2 its kind, %3 why it cannot be applied.
inline constexpr const char* kRestoreUnappliedRecord = "記録 %1（%2）: %3";
inline constexpr const char* kRestoreUnappliedMore = "ほか %1 件";

// The kind of a journal record, as the restore question names it.
inline constexpr const char* RestoreRecordKind(uint16_t type) {
    switch (static_cast<JournalType>(type)) {
        case JournalType::kCheckpoint:
            return "リスト全体の控え";
        case JournalType::kStep:
            return "リストの変更";
        case JournalType::kUndo:
            return "元に戻す";
        case JournalType::kRedo:
            return "やり直し";
        case JournalType::kFiles:
            return "ファイル名";
        case JournalType::kSessionStart:
            return "計時開始";
        case JournalType::kSessionStop:
            return "計時終了";
        case JournalType::kCourse:
            return "コース上の車";
        case JournalType::kProgramEnd:
            return "終了";
        case JournalType::kBooking:
            return "走行・周回";
        case JournalType::kStarters:
            return "スタートリスト";
        case JournalType::kHistory:
            return "元に戻す履歴";
        case JournalType::kDrag:
            return "ドラッグの車番";
        case JournalType::kMode:
            return "モード";
    }
    return "不明な種類";
}

inline constexpr const char* RestoreUnappliedReason(UnappliedReason reason) {
    switch (reason) {
        case UnappliedReason::kUnreadable:
            return "内容が読めません";
        case UnappliedReason::kUnknownType:
            return "このプログラムの知らない種類です";
        case UnappliedReason::kNothingToUndo:
            return "元に戻す変更がありません";
        case UnappliedReason::kNothingToRedo:
            return "やり直す変更がありません";
        case UnappliedReason::kDoesNotFit:
            return "リストに合わないため、合う部分だけを復元します";
    }
    return "";
}

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
inline constexpr const char* kUndoCourseFull =
    "コースに空きがないため、車番 %1 の走行をコースに戻せません。\n"
    "先にゴールした車がいれば、その後で取り消してください。";

}  // namespace vantrel::msg
