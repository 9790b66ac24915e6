#pragma once
// The journal's own texts for the operator: damage found on reading, and the writer's state
// for the status bar. %1 is replaced by the caller's values (see the functions that use them).
// Thread rule: any thread (constants).

#include "common/ui_text.h"

namespace vantrel::msg {

// Damage found on reading a journal; %1 is the byte offset where the usable part ends.
inline constexpr UiText kJournalTruncated =
    VANTREL_TEXT("journal", "ジャーナルが途中で切れています (%1 バイト目)");
inline constexpr UiText kJournalBadChecksum =
    VANTREL_TEXT("journal", "ジャーナルの記録が壊れています (%1 バイト目、チェックサム不一致)");
inline constexpr UiText kJournalBadSequence =
    VANTREL_TEXT("journal", "ジャーナルの記録の順番が欠けているか重複しています (%1 バイト目)");
inline constexpr UiText kJournalNewerVersion = VANTREL_TEXT(
    "journal", "新しいバージョンのプログラムが書いたジャーナルのため読めません (%1 バイト目)");
inline constexpr UiText kJournalNotAJournal =
    VANTREL_TEXT("journal", "ジャーナルファイルではありません (%1 バイト目)");
inline constexpr UiText kJournalTooLarge =
    VANTREL_TEXT("journal", "ジャーナルの記録の長さが異常です (%1 バイト目)");
// %1: the platform's reason with the file name.
inline constexpr UiText kJournalUnreadable =
    VANTREL_TEXT("journal", "ジャーナルを読み込めません: %1");

// The writer cannot write (%1 the reason); nothing is lost while the program keeps running.
inline constexpr UiText kJournalWriteFailing = VANTREL_TEXT(
    "journal", "ジャーナルを保存できません (%1)。記録はメモリに保持し、書き込みを再試行しています");
inline constexpr UiText kJournalWriteRecovered = VANTREL_TEXT(
    "journal", "ジャーナルの保存が回復しました。保留していた記録はすべて書き込まれました");
inline constexpr UiText kJournalDiskFull = VANTREL_TEXT("journal", "ディスクの空きがありません");
inline constexpr UiText kJournalReadOnly = VANTREL_TEXT("journal", "書き込み禁止のドライブです");
inline constexpr UiText kJournalIoError = VANTREL_TEXT("journal", "ディスクの入出力エラー");
inline constexpr UiText kJournalFileTooBig =
    VANTREL_TEXT("journal", "ファイルサイズの上限を超えました");
inline constexpr UiText kJournalQuota = VANTREL_TEXT("journal", "ディスク使用量の上限を超えました");
// A result list file that the journal could not keep is not loaded; %1 the limit in MB.
inline constexpr UiText kJournalLoadTooLarge = VANTREL_TEXT(
    "journal",
    "結果リストが大きすぎるため読み込みませんでした（ジャーナルに記録できる大きさ %1 MB "
    "を超えます）");
// The same when the list would fit after Clear.
inline constexpr UiText kJournalLoadClearFirst =
    VANTREL_TEXT("journal",
                 "今の結果リストと合わせるとジャーナルに記録できる大きさ %1 MB "
                 "を超えるため読み込みませんでした。"
                 "先に結果リストをクリアしてから読み込んでください");
// The lists have grown too large for the journal, which stops.
inline constexpr UiText kJournalListsTooLarge =
    VANTREL_TEXT("journal",
                 "リストが大きすぎてジャーナルに記録できないため、ジャーナルを止めました。"
                 "記録は保存するまでメモリ上だけにあります");
// Closing while writing still fails: %1 the number of bytes that could not be written.
inline constexpr UiText kJournalCloseUnwritten =
    VANTREL_TEXT("journal", "ジャーナルの最後の %1 バイトを保存できませんでした");

}  // namespace vantrel::msg
