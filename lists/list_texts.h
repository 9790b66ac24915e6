#pragma once
// The program's own texts of the entry and result lists: dialog filters, default file names,
// settings keys and markers (UTF-8; files hold them in CP932).
// Thread rule: any thread (constants).

#include <string_view>

#include "common/messages.h"

namespace vantrel {

inline constexpr std::string_view kNewEntryFileName = "NewEntry.txt";
inline constexpr std::string_view kNewResultFileName = "NewResult.csv";

inline constexpr UiText kEntryFileFilter =
    VANTREL_TEXT("lists", "ﾃｷｽﾄ & CSVﾌｧｲﾙ (*.txt *.csv)|*.txt;*.csv|全てのﾌｧｲﾙ (*.*)|*.*");
inline constexpr std::string_view kEntryDefaultSuffix = "txt";
inline constexpr UiText kResultFileFilter = VANTREL_TEXT(
    "lists", "CSV ｶﾝﾏ区切りﾌｧｲﾙ (*.csv)|*.csv|ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|全てのﾌｧｲﾙ (*.*)|*.*");
inline constexpr std::string_view kResultDefaultSuffix = "csv";

// [InitialDir] keys of the settings file.
inline constexpr std::string_view kInitialDirSection = "InitialDir";
inline constexpr std::string_view kEntryListKey = "EntryList";
inline constexpr std::string_view kResultListKey = "ResultList";

// Questions and message boxes use the numbered texts of common/messages.h: New 101/102, Load
// 103/104, Clear 111/112, a "Car" cell that is no number 109/110.

// Ctrl+O over unsaved results (Yes/No, "No" default), worded as the entry list's question.
inline constexpr UiText kLoadOverResultsText =
    VANTREL_TEXT("lists", "リザルトリストは変更されていますがこのままロードしますか？");
inline constexpr UiText kLoadOverResultsCaption = VANTREL_TEXT("lists", "ロードリザルトリスト");
// Saving the empty list over a file that holds results (Yes/No, "No" default); %1 = the name.
inline constexpr UiText kSaveEmptyOverText =
    VANTREL_TEXT("lists", "リザルトリストは空です。\"%1\" を空のリストで上書きしますか？");
inline constexpr UiText kSaveEmptyOverCaption = VANTREL_TEXT("lists", "リザルトリストの保存");
// A typed character the list files cannot hold (caption msg::k110); %1 = the character.
inline constexpr UiText kRefusedCharacterText =
    VANTREL_TEXT("lists", "「%1」はファイルに保存できない文字のため入力できません");

// In the warning of a load, %1 = "<file> の <n> 行目": other lines have a class field but
// this one has none, so no class was read.
inline constexpr UiText kClassUnreadText = VANTREL_TEXT(
    "lists",
    "%1にクラスの欄がないため、クラスは読み込みませんでした。クラスを使うときは全ての行を"
    "「名前,車種,クラス」にしてください (クラスのない車は「名前,車種,」)。");
// In the warning of a load, %1 = "<file> の <n> 行目": that line's class was shortened to
// what the list keeps; %2 = the most characters of a class.
inline constexpr UiText kClassCutText =
    VANTREL_TEXT("lists",
                 "%1のクラスは %2 "
                 "文字を超えるか、ファイルに保存できない文字を含むため、短くして読み込みました。");

// The context under which the grids look their column headings up. The lists hold the
// headings as written (VANTREL_TEXT("heading", ...).source), since files and printouts keep
// them whatever the language.
inline constexpr char kHeadingContext[] = "heading";

// Marks a lecture run at the end of a GYMKHANA "Comment" cell.
inline constexpr std::string_view kLectureMarker = msg::k115;  // "(ﾚｸﾁｬｰ)"

// The "Pen" text of a miss-course, in the result list, the course boxes and the standings.
inline constexpr char kPenMissCourse[] = "MC";

}  // namespace vantrel
