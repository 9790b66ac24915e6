#pragma once
// The program's own texts of the entry and result lists: questions, dialog filters, default
// file names and markers (UTF-8; files hold them in CP932).
// Thread rule: any thread (constants).

#include <string_view>

namespace vantrel {

inline constexpr std::string_view kNewEntryFileName = "NewEntry.txt";
inline constexpr std::string_view kNewResultFileName = "NewResult.csv";

inline constexpr std::string_view kEntryFileFilter =
    "ﾃｷｽﾄ & CSVﾌｧｲﾙ (*.txt *.csv)|*.txt;*.csv|全てのﾌｧｲﾙ (*.*)|*.*";
inline constexpr std::string_view kEntryDefaultSuffix = "txt";
inline constexpr std::string_view kResultFileFilter =
    "CSV ｶﾝﾏ区切りﾌｧｲﾙ (*.csv)|*.csv|ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|全てのﾌｧｲﾙ (*.*)|*.*";
inline constexpr std::string_view kResultDefaultSuffix = "csv";

// [InitialDir] keys of the settings file.
inline constexpr std::string_view kInitialDirSection = "InitialDir";
inline constexpr std::string_view kEntryListKey = "EntryList";
inline constexpr std::string_view kResultListKey = "ResultList";

// Questions (Yes/No, warning icon, "No" default).
inline constexpr std::string_view kNewEntryQuestion =
    "エントリーリストは変更されていますがこのままクリアしますか？";           // 101
inline constexpr std::string_view kNewEntryCaption = "新規エントリーリスト";  // 102
inline constexpr std::string_view kLoadEntryQuestion =
    "エントリーリストは変更されていますがこのままロードしますか？";                           // 103
inline constexpr std::string_view kLoadEntryCaption = "ロードエントリーリスト";               // 104
inline constexpr std::string_view kClearResultQuestion = "リザルトリストをクリアしますか？";  // 111
inline constexpr std::string_view kClearResultCaption = "リザルトリストのクリア";             // 112

// Input error of a typed car number.
inline constexpr std::string_view kInputErrorText = "半角数字を入力して下さい";  // 109
inline constexpr std::string_view kInputErrorCaption = "入力文字種エラー";       // 110

// Marks a lecture run at the end of a GYMKHANA "Comment" cell.
inline constexpr std::string_view kLectureMarker = "(ﾚｸﾁｬｰ)";  // 115

// Texts of the miss-course penalty.
inline constexpr std::string_view kMissCourse = "MC";

}  // namespace vantrel
