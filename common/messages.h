#pragma once
// The program's message texts, numbered as the operator knows them from the manual.
// Thread rule: any thread.

#include "common/ui_text.h"

namespace vantrel::msg {

inline constexpr UiText k101 =
    VANTREL_TEXT("messages", "エントリーリストは変更されていますがこのままクリアしますか？");
inline constexpr UiText k102 = VANTREL_TEXT("messages", "新規エントリーリスト");
inline constexpr UiText k103 =
    VANTREL_TEXT("messages", "エントリーリストは変更されていますがこのままロードしますか？");
inline constexpr UiText k104 = VANTREL_TEXT("messages", "ロードエントリーリスト");
inline constexpr UiText k105 = VANTREL_TEXT(
    "messages", "エントリーリストが変更されていますがこのままプログラムを終了しますか？");
inline constexpr UiText k106 = VANTREL_TEXT("messages", "プログラムの終了");
inline constexpr UiText k107 = VANTREL_TEXT(
    "messages", "リザルトリストが変更されていますがこのままプログラムを終了しますか？");
inline constexpr UiText k108 = VANTREL_TEXT("messages", "プログラムの終了");
inline constexpr UiText k109 = VANTREL_TEXT("messages", "半角数字を入力して下さい");
inline constexpr UiText k110 = VANTREL_TEXT("messages", "入力文字種エラー");
inline constexpr UiText k111 = VANTREL_TEXT("messages", "リザルトリストをクリアしますか？");
inline constexpr UiText k112 = VANTREL_TEXT("messages", "リザルトリストのクリア");
inline constexpr UiText k113 =
    VANTREL_TEXT("messages", "計測中です、計測をストップしてモードを切り替えますか？");
inline constexpr UiText k114 = VANTREL_TEXT("messages", "モード変更");
// Written into the result file's comment of a lecture run: data, the same in every language.
inline constexpr const char* k115 = "(ﾚｸﾁｬｰ)";
inline constexpr UiText k116 = VANTREL_TEXT("messages", "開始");
inline constexpr UiText k117 = VANTREL_TEXT("messages", "計測中");
inline constexpr UiText k118 = VANTREL_TEXT(
    "messages", "リザルトリストが更新されていますがクリアしてモードを切り替えますか？");
inline constexpr UiText k119 = VANTREL_TEXT("messages", " 計測準備完了");
inline constexpr UiText k120 =
    VANTREL_TEXT("messages", "すでにコース上に４台いますので計測を開始出来ませんでした");
inline constexpr UiText k121 = VANTREL_TEXT("messages", "開始ﾎﾞﾀﾝを押せば計測をｽﾀｰﾄ出来ます");
inline constexpr UiText k122 =
    VANTREL_TEXT("messages", "計測中の車両がコース内にいますが、計測を中止しますか？");
// %1: the device the parallel-port driver tried; the reason follows directly.
inline constexpr UiText k123 =
    VANTREL_TEXT("messages", "パラレルポートドライバー ppdev (%1) のオープンに失敗しました。");
inline constexpr UiText k124 =
    VANTREL_TEXT("messages", "通信ポートのオープンに失敗しました、設定を確かめてください");
inline constexpr UiText k125 = VANTREL_TEXT("messages", "通信ポート");
// The workbook is opened with the desktop's spreadsheet application instead of started in it.
inline constexpr UiText k126 = VANTREL_TEXT("messages", "表計算ソフトを起動出来ませんでした");
inline constexpr UiText k127 = VANTREL_TEXT("messages", "新規WorkBookを作成出来ませんでした");
inline constexpr UiText k128 = VANTREL_TEXT("messages", "Sheet1 が見つかりませんでした");
inline constexpr UiText k129 =
    VANTREL_TEXT("messages", "MS Excelは既に終了しているか、\"E列\"が見つかりません");
inline constexpr UiText k130 = VANTREL_TEXT("messages", "Vantrel 2000 は既に起動されています");
inline constexpr UiText k131 =
    VANTREL_TEXT("messages", "レコードウインドウの順位表示欄にデータがありません");
inline constexpr UiText k132 =
    VANTREL_TEXT("messages", "サウンド再生デバイスが見つかりませんでした");
inline constexpr UiText k135 = VANTREL_TEXT("messages", "USBエラー");
inline constexpr UiText k136 = VANTREL_TEXT("messages", "USBデバイス情報ﾘｽﾄの作成に失敗しました");
inline constexpr UiText k137 = VANTREL_TEXT("messages", "USBデバイスが見つかりませんでした");
inline constexpr UiText k138 = VANTREL_TEXT("messages", "USBデバイス情報ﾘｽﾄの取得に失敗しました");
inline constexpr UiText k139 =
    VANTREL_TEXT("messages", "USB Vantrel I/Oデバイスが見つかりませんでした");
inline constexpr UiText k140 =
    VANTREL_TEXT("messages", "USB Vantrel I/Oデバイスのオープンに失敗しました");
inline constexpr UiText k141 =
    VANTREL_TEXT("messages", "USB Vantrel I/Oデバイスからのデータ転送に失敗しました");

// The application title and main window caption.
inline constexpr UiText kTitle = VANTREL_TEXT("messages", "Vantrel 2000");
// The parallel port stopped answering during a session (%1 the device, %2 the reason).
inline constexpr UiText kPortReadFailed = VANTREL_TEXT(
    "messages", "パラレルポート %1 からの読み込みに失敗しました。センサー入力は止まっています。%2");
// Status bar warnings that stay until the next session start with live sensors.
// Short enough for the narrowest window; the tooltip gives the reason.
inline constexpr UiText kWarnSensorsNotLive = VANTREL_TEXT("messages", "センサー未接続");
inline constexpr UiText kWarnSensorReadStopped = VANTREL_TEXT("messages", "センサー停止");
inline constexpr UiText kWarnEventsLost = VANTREL_TEXT("messages", "取りこぼし %1 件");
inline constexpr UiText kWarnReceiverLost = VANTREL_TEXT("messages", "受信機切断");
// The receiver's port gone from %1 and back at %2 (times of day), %3 times in the session.
inline constexpr UiText kWarnReceiverGap = VANTREL_TEXT("messages", "受信機切断 %1〜%2");
inline constexpr UiText kWarnReceiverGaps =
    VANTREL_TEXT("messages", "受信機切断 %3 回 (最後 %1〜%2)");
inline constexpr UiText kReceiverGapDetail =
    VANTREL_TEXT("messages", "%1〜%2 の通過は受信されていません");
inline constexpr UiText kWarnReceiverBytesLost =
    VANTREL_TEXT("messages", "受信取りこぼし %1 バイト");
// The sound device stopped taking sound and is no longer used (the tooltip gives the device).
inline constexpr UiText kWarnSoundDropped = VANTREL_TEXT("messages", "サウンド出力停止");
// "RS232C" ticked but not sending: the port was closed (a session stop), or a write failed
// (%1 the reason).
inline constexpr UiText kSerialPortClosed =
    VANTREL_TEXT("messages", "ポートが閉じているため送信していません。チェックし直すと再開します");
inline constexpr UiText kSerialWriteFailed = VANTREL_TEXT("messages", "送信に失敗しました (%1)");

// A --simulate or --replay script that cannot be used (%1 the file and line, %2 the fault).
inline constexpr UiText kScriptUnusable = VANTREL_TEXT(
    "messages", "シミュレーションスクリプトを使えないため、スクリプトなしで起動します。\n%1\n%2");
inline constexpr UiText kScriptLine = VANTREL_TEXT("messages", "%1 の %2 行目");

// The printed standings: a page that holds no data line, a job that failed (%1 the printer or
// file), and a table too wide for the paper, turned or scaled (%1 the percentage).
inline constexpr UiText kPageTooSmall = VANTREL_TEXT(
    "messages",
    "用紙に順位表が1行も入りません。[Printer] の余白か印刷フォントを小さくしてください");
inline constexpr UiText kPrintFailed = VANTREL_TEXT("messages", "順位表の印刷に失敗しました (%1)");
inline constexpr UiText kPrintLandscape =
    VANTREL_TEXT("messages", "順位表が用紙の幅に入らないため、用紙を横向きにして印刷します");
inline constexpr UiText kPrintScaled =
    VANTREL_TEXT("messages", "順位表が用紙の幅に入らないため、%1% に縮小して印刷します");
// Asked before printing when cars have classes: "Yes" prints each class on pages of its own.
inline constexpr UiText kPrintByClass =
    VANTREL_TEXT("messages", "順位表をクラス別に印刷しますか？ (いいえ: 全体)");
// The first choice of a class selector: every car, whatever its class.
inline constexpr UiText kAllClasses = VANTREL_TEXT("messages", "全体");
// The spreadsheet export: where the workbook was written (%1), under messages 126 and 127.
inline constexpr UiText kWorkbookAt = VANTREL_TEXT("messages", "ブック: %1");

// The start button's caption before the first session.
inline constexpr UiText kStartCaption = VANTREL_TEXT("messages", "開始(&S)");

// --- The timing self-test and the device health window ---
inline constexpr UiText kSelfTestCaption = VANTREL_TEXT("messages", "タイミング診断");
inline constexpr UiText kSelfTestRefused = VANTREL_TEXT(
    "messages",
    "セッション中はタイミング診断を実行できません。セッションを停止してから実行してください");
// The verdict against the resolution (%1 ms) with its reasons (%2).
inline constexpr UiText kVerdictYes =
    VANTREL_TEXT("messages", "このPCは %1 ms の計時を保てます: はい、理由: %2");
inline constexpr UiText kVerdictNo =
    VANTREL_TEXT("messages", "このPCは %1 ms の計時を保てます: いいえ、理由: %2");
inline constexpr UiText kVerdictCancelled = VANTREL_TEXT("messages", "診断は中止されました");
inline constexpr UiText kReasonEdgesMissed =
    VANTREL_TEXT("messages", "検出できなかった通過 %1 件 (全 %2 件)");
inline constexpr UiText kReasonAllSeen = VANTREL_TEXT("messages", "全 %1 件の通過を検出");
inline constexpr UiText kReasonEventsLost = VANTREL_TEXT("messages", "取りこぼしたイベント %1 件");
inline constexpr UiText kReasonStampLate =
    VANTREL_TEXT("messages", "刻時誤差 (99.9%) %1 ms が上限 %2 ms を超えています");
inline constexpr UiText kReasonStampOk =
    VANTREL_TEXT("messages", "刻時誤差 (99.9%) %1 ms は上限 %2 ms 以内");
inline constexpr UiText kReasonIntervalLong =
    VANTREL_TEXT("messages", "ティック間隔 (99.9%) %1 ms が上限 %2 ms を超えています");
inline constexpr UiText kReasonIntervalOk =
    VANTREL_TEXT("messages", "ティック間隔 (99.9%) %1 ms は上限 %2 ms 以内");
inline constexpr UiText kReasonReadSlow =
    VANTREL_TEXT("messages", "ポート読み取り (99%) %1 ms が上限 %2 ms を超えています");
inline constexpr UiText kReasonReadOk =
    VANTREL_TEXT("messages", "ポート読み取り (99%) %1 ms は上限 %2 ms 以内");
inline constexpr UiText kReasonPortFailed = VANTREL_TEXT("messages", "ポート読み取りの失敗 %1 回");
inline constexpr UiText kRealtimeGranted = VANTREL_TEXT("messages", "リアルタイム優先度: 許可");
inline constexpr UiText kRealtimeRefused =
    VANTREL_TEXT("messages", "リアルタイム優先度: 拒否 (通常クラスで計時)");
// The saved figures could not be written (%1 the reason).
inline constexpr UiText kSelfTestSaveFailed =
    VANTREL_TEXT("messages", "診断結果を保存できません (%1)");
// The health window's device rows, in their order.
inline constexpr UiText kHealthCaption = VANTREL_TEXT("messages", "機器の状態");
inline constexpr UiText kHealthParallel = VANTREL_TEXT("messages", "パラレルポート");
inline constexpr UiText kHealthUsb = VANTREL_TEXT("messages", "USBアダプター");
inline constexpr UiText kHealthReceiver = VANTREL_TEXT("messages", "受信機");
inline constexpr UiText kHealthSound = VANTREL_TEXT("messages", "サウンドデバイス");
inline constexpr UiText kHealthJournal = VANTREL_TEXT("messages", "ジャーナル");
inline constexpr UiText kHealthWeb = VANTREL_TEXT("messages", "Webサーバー");

// --- Receiver floods held ---
// The status bar while received passings are held (%1 how many); a click lists them.
inline constexpr UiText kHeldPassings = VANTREL_TEXT("messages", "受信異常の疑い: %1 件を保留中");
inline constexpr UiText kHeldPassingsTip = VANTREL_TEXT(
    "messages",
    "100ms の間に多くの車番を受信したため、記録せずに保留しています。クリックで確認します");
inline constexpr UiText kHeldCaption = VANTREL_TEXT("messages", "保留中の受信データ");
// %1 how many are listed.
inline constexpr UiText kHeldExplain =
    VANTREL_TEXT("messages",
                 "100ms の間に多くの車番を受信したため、次の %1 件を記録せずに保留しています。\n"
                 "記録する通過にチェックを付けてください。\n"
                 "記録しないものは破棄されます (センサーログに残ります)。");
inline constexpr UiText kHeldCarColumn = VANTREL_TEXT("messages", "車番");
inline constexpr UiText kHeldTimeColumn = VANTREL_TEXT("messages", "開始からの時間");
inline constexpr UiText kHeldBookAll = VANTREL_TEXT("messages", "すべて記録");
inline constexpr UiText kHeldBookChosen = VANTREL_TEXT("messages", "選んだものを記録");
inline constexpr UiText kHeldBookNone = VANTREL_TEXT("messages", "すべて破棄");
inline constexpr UiText kHeldClose = VANTREL_TEXT("messages", "閉じる");

// Results marked for review: why (%1 laps, %2 their median, %3 the share; %1 a window's
// limit), the review window, its two buttons and the result grid's item that opens it.
inline constexpr UiText kFlagShortLap = VANTREL_TEXT("messages", "前%1周の中央値 %2 の %3 % 未満");
inline constexpr UiText kFlagBelowWindow = VANTREL_TEXT("messages", "妥当範囲の下限 %1 未満");
inline constexpr UiText kFlagAboveWindow = VANTREL_TEXT("messages", "妥当範囲の上限 %1 超");
inline constexpr UiText kFlagReviewTitle = VANTREL_TEXT("messages", "要確認の結果");
inline constexpr UiText kFlagReviewEmpty = VANTREL_TEXT("messages", "確認の必要な結果はありません");
inline constexpr UiText kFlagAccept = VANTREL_TEXT("messages", "承認");
inline constexpr UiText kFlagUndo = VANTREL_TEXT("messages", "取消");
inline constexpr UiText kFlagReviewItem = VANTREL_TEXT("messages", "要確認の結果...");

}  // namespace vantrel::msg
