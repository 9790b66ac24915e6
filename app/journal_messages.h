#pragma once
// The texts of the journal's questions and reports in the main window.
// Thread rule: any thread (constants).

#include <cstdint>

#include "common/ui_text.h"
#include "journal/journal_content.h"
#include "journal/journal_replay.h"

namespace vantrel::msg {

inline constexpr UiText kRestoreCaption = VANTREL_TEXT("restore", "記録の復元");
// %1 runs and laps, %2 the time of the last record.
inline constexpr UiText kRestoreQuestion =
    VANTREL_TEXT("restore",
                 "前回は記録を保存しないまま終了しました。\n"
                 "走行・周回 %1 件（最後の記録 %2）が残っています。\n\n"
                 "復元しますか？\n"
                 "（「いいえ」でも記録は捨てずに別名で残します）");
// %1 the cars; after a restart of the machine their start times no longer count.
inline constexpr UiText kRestoreCarsLost = VANTREL_TEXT(
    "restore", "\n\nコース上にいた車（パソコンが再起動したため計時を続けられません）: %1");
// The records a restore cannot apply: %1 how many, %2 one line each (at most
// kRestoreUnappliedShown, then kRestoreUnappliedMore with %1 the rest).
inline constexpr UiText kRestoreUnapplied =
    VANTREL_TEXT("restore", "\n\n復元できない記録が %1 件あります:\n%2");
inline constexpr int kRestoreUnappliedShown = 5;
// %1 the record's number, %2 its kind, %3 why it cannot be applied.
inline constexpr UiText kRestoreUnappliedRecord = VANTREL_TEXT("restore", "記録 %1（%2）: %3");
inline constexpr UiText kRestoreUnappliedMore = VANTREL_TEXT("restore", "ほか %1 件");

// The kind of a journal record, as the restore question names it.
inline constexpr UiText RestoreRecordKind(uint16_t type) {
    switch (static_cast<JournalType>(type)) {
        case JournalType::kCheckpoint:
            return VANTREL_TEXT("restore", "リスト全体の控え");
        case JournalType::kStep:
            return VANTREL_TEXT("restore", "リストの変更");
        case JournalType::kUndo:
            return VANTREL_TEXT("restore", "元に戻す");
        case JournalType::kRedo:
            return VANTREL_TEXT("restore", "やり直し");
        case JournalType::kFiles:
            return VANTREL_TEXT("restore", "ファイル名");
        case JournalType::kSessionStart:
            return VANTREL_TEXT("restore", "計時開始");
        case JournalType::kSessionStop:
            return VANTREL_TEXT("restore", "計時終了");
        case JournalType::kCourse:
            return VANTREL_TEXT("restore", "コース上の車");
        case JournalType::kProgramEnd:
            return VANTREL_TEXT("restore", "終了");
        case JournalType::kBooking:
            return VANTREL_TEXT("restore", "走行・周回");
        case JournalType::kStarters:
            return VANTREL_TEXT("restore", "スタートリスト");
        case JournalType::kHistory:
            return VANTREL_TEXT("restore", "元に戻す履歴");
        case JournalType::kDrag:
            return VANTREL_TEXT("restore", "ドラッグの車番");
        case JournalType::kMode:
            return VANTREL_TEXT("restore", "モード");
    }
    return VANTREL_TEXT("restore", "不明な種類");
}

inline constexpr UiText RestoreUnappliedReason(UnappliedReason reason) {
    switch (reason) {
        case UnappliedReason::kUnreadable:
            return VANTREL_TEXT("restore", "内容が読めません");
        case UnappliedReason::kUnknownType:
            return VANTREL_TEXT("restore", "このプログラムの知らない種類です");
        case UnappliedReason::kNothingToUndo:
            return VANTREL_TEXT("restore", "元に戻す変更がありません");
        case UnappliedReason::kNothingToRedo:
            return VANTREL_TEXT("restore", "やり直す変更がありません");
        case UnappliedReason::kDoesNotFit:
            return VANTREL_TEXT("restore", "リストに合わないため、合う部分だけを復元します");
    }
    return VANTREL_TEXT("restore", "");
}

// %1 the damage text; the damaged file is kept under the name %2.
inline constexpr UiText kRestoreDamaged =
    VANTREL_TEXT("restore",
                 "ジャーナルの一部を読めませんでした: %1\n"
                 "その前までの記録を使います。ファイルは %2 として残してあります。");
inline constexpr UiText kJournalWarning = VANTREL_TEXT("restore", "ジャーナル");
inline constexpr UiText kJournalOff =
    VANTREL_TEXT("restore", "ジャーナルを作れません。記録は保存するまでメモリ上だけにあります");
// Undoing a booked run or lap: %1 the car.
inline constexpr UiText kUndoBookingQuestion =
    VANTREL_TEXT("restore", "車番 %1 の記録を取り消しますか？");
inline constexpr UiText kUndoCaption = VANTREL_TEXT("restore", "元に戻す");
inline constexpr UiText kUndoCourseFull =
    VANTREL_TEXT("restore",
                 "コースに空きがないため、車番 %1 の走行をコースに戻せません。\n"
                 "先にゴールした車がいれば、その後で取り消してください。");

}  // namespace vantrel::msg
