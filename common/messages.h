#pragma once
// The program's message texts, numbered as the operator knows them from the manual.
// Thread rule: any thread.

namespace vantrel::msg {

inline constexpr const char* k101 = "エントリーリストは変更されていますがこのままクリアしますか？";
inline constexpr const char* k102 = "新規エントリーリスト";
inline constexpr const char* k103 = "エントリーリストは変更されていますがこのままロードしますか？";
inline constexpr const char* k104 = "ロードエントリーリスト";
inline constexpr const char* k105 =
    "エントリーリストが変更されていますがこのままプログラムを終了しますか？";
inline constexpr const char* k106 = "プログラムの終了";
inline constexpr const char* k107 =
    "リザルトリストが変更されていますがこのままプログラムを終了しますか？";
inline constexpr const char* k108 = "プログラムの終了";
inline constexpr const char* k109 = "半角数字を入力して下さい";
inline constexpr const char* k110 = "入力文字種エラー";
inline constexpr const char* k111 = "リザルトリストをクリアしますか？";
inline constexpr const char* k112 = "リザルトリストのクリア";
inline constexpr const char* k113 = "計測中です、計測をストップしてモードを切り替えますか？";
inline constexpr const char* k114 = "モード変更";
inline constexpr const char* k115 = "(ﾚｸﾁｬｰ)";
inline constexpr const char* k116 = "開始";
inline constexpr const char* k117 = "計測中";
inline constexpr const char* k118 =
    "リザルトリストが更新されていますがクリアしてモードを切り替えますか？";
inline constexpr const char* k119 = " 計測準備完了";
inline constexpr const char* k120 = "すでにコース上に４台いますので計測を開始出来ませんでした";
inline constexpr const char* k121 = "開始ﾎﾞﾀﾝを押せば計測をｽﾀｰﾄ出来ます";
inline constexpr const char* k122 = "計測中の車両がコース内にいますが、計測を中止しますか？";
// %1: the device the parallel-port driver tried; the reason follows directly.
inline constexpr const char* k123 =
    "パラレルポートドライバー ppdev (%1) のオープンに失敗しました。";
inline constexpr const char* k124 = "通信ポートのオープンに失敗しました、設定を確かめてください";
inline constexpr const char* k125 = "通信ポート";
// The workbook is opened with the desktop's spreadsheet application instead of started in it.
inline constexpr const char* k126 = "表計算ソフトを起動出来ませんでした";
inline constexpr const char* k127 = "新規WorkBookを作成出来ませんでした";
inline constexpr const char* k128 = "Sheet1 が見つかりませんでした";
inline constexpr const char* k129 = "MS Excelは既に終了しているか、\"E列\"が見つかりません";
inline constexpr const char* k130 = "Vantrel 2000 は既に起動されています";
inline constexpr const char* k131 = "レコードウインドウの順位表示欄にデータがありません";
inline constexpr const char* k132 = "サウンド再生デバイスが見つかりませんでした";
inline constexpr const char* k135 = "USBエラー";
inline constexpr const char* k136 = "USBデバイス情報ﾘｽﾄの作成に失敗しました";
inline constexpr const char* k137 = "USBデバイスが見つかりませんでした";
inline constexpr const char* k138 = "USBデバイス情報ﾘｽﾄの取得に失敗しました";
inline constexpr const char* k139 = "USB Vantrel I/Oデバイスが見つかりませんでした";
inline constexpr const char* k140 = "USB Vantrel I/Oデバイスのオープンに失敗しました";
inline constexpr const char* k141 = "USB Vantrel I/Oデバイスからのデータ転送に失敗しました";

// The application title and main window caption.
inline constexpr const char* kTitle = "Vantrel 2000";
// The parallel port stopped answering during a session (%1 the device, %2 the reason).
inline constexpr const char* kPortReadFailed =
    "パラレルポート %1 からの読み込みに失敗しました。センサー入力は止まっています。%2";
// Status bar warnings that stay until the next session start with live sensors.
// Short enough for the narrowest window; the tooltip gives the reason.
inline constexpr const char* kWarnSensorsNotLive = "センサー未接続";
inline constexpr const char* kWarnSensorReadStopped = "センサー停止";
inline constexpr const char* kWarnEventsLost = "取りこぼし %1 件";
inline constexpr const char* kWarnReceiverLost = "受信機切断";
// The receiver's port gone from %1 and back at %2 (times of day), %3 times in the session.
inline constexpr const char* kWarnReceiverGap = "受信機切断 %1〜%2";
inline constexpr const char* kWarnReceiverGaps = "受信機切断 %3 回 (最後 %1〜%2)";
inline constexpr const char* kReceiverGapDetail = "%1〜%2 の通過は受信されていません";
inline constexpr const char* kWarnReceiverBytesLost = "受信取りこぼし %1 バイト";
// The sound device stopped taking sound and is no longer used (the tooltip gives the device).
inline constexpr const char* kWarnSoundDropped = "サウンド出力停止";
// "RS232C" ticked but not sending: the port was closed (a session stop), or a write failed
// (%1 the reason).
inline constexpr const char* kSerialPortClosed =
    "ポートが閉じているため送信していません。チェックし直すと再開します";
inline constexpr const char* kSerialWriteFailed = "送信に失敗しました (%1)";

// A --simulate or --replay script that cannot be used (%1 the file and line, %2 the fault).
inline constexpr const char* kScriptUnusable =
    "シミュレーションスクリプトを使えないため、スクリプトなしで起動します。\n%1\n%2";
inline constexpr const char* kScriptLine = "%1 の %2 行目";

// The printed standings: a page that holds no data line, a job that failed (%1 the printer or
// file), and a table too wide for the paper, turned or scaled (%1 the percentage).
inline constexpr const char* kPageTooSmall =
    "用紙に順位表が1行も入りません。[Printer] の余白か印刷フォントを小さくしてください";
inline constexpr const char* kPrintFailed = "順位表の印刷に失敗しました (%1)";
inline constexpr const char* kPrintLandscape =
    "順位表が用紙の幅に入らないため、用紙を横向きにして印刷します";
inline constexpr const char* kPrintScaled =
    "順位表が用紙の幅に入らないため、%1% に縮小して印刷します";
// Asked before printing when cars have classes: "Yes" prints each class on pages of its own.
inline constexpr const char* kPrintByClass = "順位表をクラス別に印刷しますか？ (いいえ: 全体)";
// The first choice of a class selector: every car, whatever its class.
inline constexpr const char* kAllClasses = "全体";
// The spreadsheet export: where the workbook was written (%1), under messages 126 and 127.
inline constexpr const char* kWorkbookAt = "ブック: %1";

// The start button's caption before the first session.
inline constexpr const char* kStartCaption = "開始(&S)";

// --- The timing self-test and the device health window ---
inline constexpr const char* kSelfTestCaption = "タイミング診断";
inline constexpr const char* kSelfTestRefused =
    "セッション中はタイミング診断を実行できません。セッションを停止してから実行してください";
// The verdict against the resolution (%1 ms) with its reasons (%2).
inline constexpr const char* kVerdictYes = "このPCは %1 ms の計時を保てます: はい、理由: %2";
inline constexpr const char* kVerdictNo = "このPCは %1 ms の計時を保てます: いいえ、理由: %2";
inline constexpr const char* kVerdictCancelled = "診断は中止されました";
inline constexpr const char* kReasonEdgesMissed = "検出できなかった通過 %1 件 (全 %2 件)";
inline constexpr const char* kReasonAllSeen = "全 %1 件の通過を検出";
inline constexpr const char* kReasonEventsLost = "取りこぼしたイベント %1 件";
inline constexpr const char* kReasonStampLate =
    "刻時誤差 (99.9%) %1 ms が上限 %2 ms を超えています";
inline constexpr const char* kReasonStampOk = "刻時誤差 (99.9%) %1 ms は上限 %2 ms 以内";
inline constexpr const char* kReasonIntervalLong =
    "ティック間隔 (99.9%) %1 ms が上限 %2 ms を超えています";
inline constexpr const char* kReasonIntervalOk = "ティック間隔 (99.9%) %1 ms は上限 %2 ms 以内";
inline constexpr const char* kReasonReadSlow =
    "ポート読み取り (99%) %1 ms が上限 %2 ms を超えています";
inline constexpr const char* kReasonReadOk = "ポート読み取り (99%) %1 ms は上限 %2 ms 以内";
inline constexpr const char* kReasonPortFailed = "ポート読み取りの失敗 %1 回";
inline constexpr const char* kRealtimeGranted = "リアルタイム優先度: 許可";
inline constexpr const char* kRealtimeRefused = "リアルタイム優先度: 拒否 (通常クラスで計時)";
// The saved figures could not be written (%1 the reason).
inline constexpr const char* kSelfTestSaveFailed = "診断結果を保存できません (%1)";
// The health window's device rows, in their order.
inline constexpr const char* kHealthCaption = "機器の状態";
inline constexpr const char* kHealthParallel = "パラレルポート";
inline constexpr const char* kHealthUsb = "USBアダプター";
inline constexpr const char* kHealthReceiver = "受信機";
inline constexpr const char* kHealthSound = "サウンドデバイス";
inline constexpr const char* kHealthJournal = "ジャーナル";
inline constexpr const char* kHealthWeb = "Webサーバー";

// --- Receiver floods held ---
// The status bar while received passings are held (%1 how many); a click lists them.
inline constexpr const char* kHeldPassings = "受信異常の疑い: %1 件を保留中";
inline constexpr const char* kHeldPassingsTip =
    "100ms の間に多くの車番を受信したため、記録せずに保留しています。クリックで確認します";
inline constexpr const char* kHeldCaption = "保留中の受信データ";
// %1 how many are listed.
inline constexpr const char* kHeldExplain =
    "100ms の間に多くの車番を受信したため、次の %1 件を記録せずに保留しています。\n"
    "記録する通過にチェックを付けてください。\n"
    "記録しないものは破棄されます (センサーログに残ります)。";
inline constexpr const char* kHeldCarColumn = "車番";
inline constexpr const char* kHeldTimeColumn = "開始からの時間";
inline constexpr const char* kHeldBookAll = "すべて記録";
inline constexpr const char* kHeldBookChosen = "選んだものを記録";
inline constexpr const char* kHeldBookNone = "すべて破棄";
inline constexpr const char* kHeldClose = "閉じる";

// Results marked for review: why (%1 laps, %2 their median, %3 the share; %1 a window's
// limit), the review window, its two buttons and the result grid's item that opens it.
inline constexpr const char* kFlagShortLap = "前%1周の中央値 %2 の %3 % 未満";
inline constexpr const char* kFlagBelowWindow = "妥当範囲の下限 %1 未満";
inline constexpr const char* kFlagAboveWindow = "妥当範囲の上限 %1 超";
inline constexpr const char* kFlagReviewTitle = "要確認の結果";
inline constexpr const char* kFlagReviewEmpty = "確認の必要な結果はありません";
inline constexpr const char* kFlagAccept = "承認";
inline constexpr const char* kFlagUndo = "取消";
inline constexpr const char* kFlagReviewItem = "要確認の結果...";

}  // namespace vantrel::msg
