#pragma once
// The journal's own texts for the operator: damage found on reading, and the writer's state
// for the status bar. %1 is replaced by the caller's values (see the functions that use them).
// Thread rule: any thread (constants).

namespace vantrel::msg {

// Damage found on reading a journal; %1 is the byte offset where the usable part ends.
inline constexpr const char* kJournalTruncated = "ジャーナルが途中で切れています (%1 バイト目)";
inline constexpr const char* kJournalBadChecksum =
    "ジャーナルの記録が壊れています (%1 バイト目、チェックサム不一致)";
inline constexpr const char* kJournalBadSequence =
    "ジャーナルの記録の順番が欠けているか重複しています (%1 バイト目)";
inline constexpr const char* kJournalNewerVersion =
    "新しいバージョンのプログラムが書いたジャーナルのため読めません (%1 バイト目)";
inline constexpr const char* kJournalNotAJournal = "ジャーナルファイルではありません (%1 バイト目)";
inline constexpr const char* kJournalTooLarge = "ジャーナルの記録の長さが異常です (%1 バイト目)";
// %1: the platform's reason with the file name.
inline constexpr const char* kJournalUnreadable = "ジャーナルを読み込めません: %1";

// The writer cannot write (%1 the reason); nothing is lost while the program keeps running.
inline constexpr const char* kJournalWriteFailing =
    "ジャーナルを保存できません (%1)。記録はメモリに保持し、書き込みを再試行しています";
inline constexpr const char* kJournalWriteRecovered =
    "ジャーナルの保存が回復しました。保留していた記録はすべて書き込まれました";
inline constexpr const char* kJournalDiskFull = "ディスクの空きがありません";
inline constexpr const char* kJournalReadOnly = "書き込み禁止のドライブです";
inline constexpr const char* kJournalIoError = "ディスクの入出力エラー";
inline constexpr const char* kJournalFileTooBig = "ファイルサイズの上限を超えました";
inline constexpr const char* kJournalQuota = "ディスク使用量の上限を超えました";
// A result list file that the journal could not keep is not loaded; %1 the limit in MB.
inline constexpr const char* kJournalLoadTooLarge =
    "結果リストが大きすぎるため読み込みませんでした（ジャーナルに記録できる大きさ %1 MB "
    "を超えます）";
// The same when the list would fit after Clear.
inline constexpr const char* kJournalLoadClearFirst =
    "今の結果リストと合わせるとジャーナルに記録できる大きさ %1 MB "
    "を超えるため読み込みませんでした。"
    "先に結果リストをクリアしてから読み込んでください";
// The lists have grown too large for the journal, which stops.
inline constexpr const char* kJournalListsTooLarge =
    "リストが大きすぎてジャーナルに記録できないため、ジャーナルを止めました。"
    "記録は保存するまでメモリ上だけにあります";
// Closing while writing still fails: %1 the number of bytes that could not be written.
inline constexpr const char* kJournalCloseUnwritten =
    "ジャーナルの最後の %1 バイトを保存できませんでした";

}  // namespace vantrel::msg
