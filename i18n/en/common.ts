<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>messages</name>
    <message>
        <source>エントリーリストは変更されていますがこのままクリアしますか？</source>
        <translation>The entry list has changed. Clear it anyway?</translation>
    </message>
    <message>
        <source>新規エントリーリスト</source>
        <translation>New entry list</translation>
    </message>
    <message>
        <source>エントリーリストは変更されていますがこのままロードしますか？</source>
        <translation>The entry list has changed. Load another anyway?</translation>
    </message>
    <message>
        <source>ロードエントリーリスト</source>
        <translation>Load entry list</translation>
    </message>
    <message>
        <source>エントリーリストが変更されていますがこのままプログラムを終了しますか？</source>
        <translation>The entry list has changed. Exit anyway?</translation>
    </message>
    <message>
        <source>プログラムの終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>リザルトリストが変更されていますがこのままプログラムを終了しますか？</source>
        <translation>The result list has changed. Exit anyway?</translation>
    </message>
    <message>
        <source>半角数字を入力して下さい</source>
        <translation>Enter a number (digits only)</translation>
    </message>
    <message>
        <source>入力文字種エラー</source>
        <translation>Invalid input</translation>
    </message>
    <message>
        <source>リザルトリストをクリアしますか？</source>
        <translation>Clear the result list?</translation>
    </message>
    <message>
        <source>リザルトリストのクリア</source>
        <translation>Clear result list</translation>
    </message>
    <message>
        <source>計測中です、計測をストップしてモードを切り替えますか？</source>
        <translation>Timing is on. Stop timing and change mode?</translation>
    </message>
    <message>
        <source>モード変更</source>
        <translation>Change mode</translation>
    </message>
    <message>
        <source>開始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>計測中</source>
        <translation>Timing</translation>
    </message>
    <message>
        <source>リザルトリストが更新されていますがクリアしてモードを切り替えますか？</source>
        <translation>The result list has changed. Clear it and change mode?</translation>
    </message>
    <message>
        <source> 計測準備完了</source>
        <translation> Ready to time</translation>
    </message>
    <message>
        <source>すでにコース上に４台いますので計測を開始出来ませんでした</source>
        <translation>Four cars are already on course: this start was not timed</translation>
    </message>
    <message>
        <source>開始ﾎﾞﾀﾝを押せば計測をｽﾀｰﾄ出来ます</source>
        <translation>Press Start to begin timing</translation>
    </message>
    <message>
        <source>計測中の車両がコース内にいますが、計測を中止しますか？</source>
        <translation>Cars are still on course. Stop timing anyway?</translation>
    </message>
    <message>
        <source>パラレルポートドライバー ppdev (%1) のオープンに失敗しました。</source>
        <translation>Cannot open the parallel port driver ppdev (%1). </translation>
    </message>
    <message>
        <source>通信ポートのオープンに失敗しました、設定を確かめてください</source>
        <translation>Cannot open the serial port. Check the settings.</translation>
    </message>
    <message>
        <source>通信ポート</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>表計算ソフトを起動出来ませんでした</source>
        <translation>Cannot start the spreadsheet program</translation>
    </message>
    <message>
        <source>新規WorkBookを作成出来ませんでした</source>
        <translation>Cannot create a new workbook</translation>
    </message>
    <message>
        <source>Sheet1 が見つかりませんでした</source>
        <translation>Sheet1 not found</translation>
    </message>
    <message>
        <source>MS Excelは既に終了しているか、&quot;E列&quot;が見つかりません</source>
        <translation>MS Excel has been closed, or column &quot;E&quot; is missing</translation>
    </message>
    <message>
        <source>Vantrel 2000 は既に起動されています</source>
        <translation>Vantrel 2000 is already running</translation>
    </message>
    <message>
        <source>レコードウインドウの順位表示欄にデータがありません</source>
        <translation>The record window&apos;s standings are empty</translation>
    </message>
    <message>
        <source>サウンド再生デバイスが見つかりませんでした</source>
        <translation>No sound output device found</translation>
    </message>
    <message>
        <source>USBエラー</source>
        <translation>USB error</translation>
    </message>
    <message>
        <source>USBデバイス情報ﾘｽﾄの作成に失敗しました</source>
        <translation>Cannot build the USB device list</translation>
    </message>
    <message>
        <source>USBデバイスが見つかりませんでした</source>
        <translation>No USB device found</translation>
    </message>
    <message>
        <source>USBデバイス情報ﾘｽﾄの取得に失敗しました</source>
        <translation>Cannot read the USB device list</translation>
    </message>
    <message>
        <source>USB Vantrel I/Oデバイスが見つかりませんでした</source>
        <translation>USB Vantrel I/O device not found</translation>
    </message>
    <message>
        <source>USB Vantrel I/Oデバイスのオープンに失敗しました</source>
        <translation>Cannot open the USB Vantrel I/O device</translation>
    </message>
    <message>
        <source>USB Vantrel I/Oデバイスからのデータ転送に失敗しました</source>
        <translation>Reading from the USB Vantrel I/O device failed</translation>
    </message>
    <message>
        <source>Vantrel 2000</source>
        <translation>Vantrel 2000</translation>
    </message>
    <message>
        <source>パラレルポート %1 からの読み込みに失敗しました。センサー入力は止まっています。%2</source>
        <translation>Cannot read parallel port %1. Sensor input has stopped. %2</translation>
    </message>
    <message>
        <source>センサー未接続</source>
        <translation>No sensors</translation>
    </message>
    <message>
        <source>センサー停止</source>
        <translation>Sensors stopped</translation>
    </message>
    <message>
        <source>取りこぼし %1 件</source>
        <translation>%1 missed</translation>
    </message>
    <message>
        <source>受信機切断</source>
        <translation>Receiver lost</translation>
    </message>
    <message>
        <source>受信機切断 %1〜%2</source>
        <translation>Receiver lost %1–%2</translation>
    </message>
    <message>
        <source>受信機切断 %3 回 (最後 %1〜%2)</source>
        <translation>Receiver lost %3 times (last %1–%2)</translation>
    </message>
    <message>
        <source>%1〜%2 の通過は受信されていません</source>
        <translation>Passings from %1 to %2 were not received</translation>
    </message>
    <message>
        <source>受信取りこぼし %1 バイト</source>
        <translation>Receiver: %1 bytes lost</translation>
    </message>
    <message>
        <source>サウンド出力停止</source>
        <translation>Sound stopped</translation>
    </message>
    <message>
        <source>ポートが閉じているため送信していません。チェックし直すと再開します</source>
        <translation>Not sending: the port is closed. Tick the box again to resume.</translation>
    </message>
    <message>
        <source>送信に失敗しました (%1)</source>
        <translation>Sending failed (%1)</translation>
    </message>
    <message>
        <source>シミュレーションスクリプトを使えないため、スクリプトなしで起動します。
%1
%2</source>
        <translation>The simulation script cannot be used; starting without it.
%1
%2</translation>
    </message>
    <message>
        <source>%1 の %2 行目</source>
        <translation>%1, line %2</translation>
    </message>
    <message>
        <source>用紙に順位表が1行も入りません。[Printer] の余白か印刷フォントを小さくしてください</source>
        <translation>Not one line of the standings fits on the paper. Make the [Printer] margins or the print font smaller.</translation>
    </message>
    <message>
        <source>順位表の印刷に失敗しました (%1)</source>
        <translation>Printing the standings failed (%1)</translation>
    </message>
    <message>
        <source>順位表が用紙の幅に入らないため、用紙を横向きにして印刷します</source>
        <translation>The standings are too wide for the paper: printing in landscape</translation>
    </message>
    <message>
        <source>順位表が用紙の幅に入らないため、%1% に縮小して印刷します</source>
        <translation>The standings are too wide for the paper: printing at %1%</translation>
    </message>
    <message>
        <source>順位表をクラス別に印刷しますか？ (いいえ: 全体)</source>
        <translation>Print the standings class by class? (No: all cars together)</translation>
    </message>
    <message>
        <source>全体</source>
        <translation>All</translation>
    </message>
    <message>
        <source>ブック: %1</source>
        <translation>Workbook: %1</translation>
    </message>
    <message>
        <source>開始(&amp;S)</source>
        <translation>&amp;Start</translation>
    </message>
    <message>
        <source>タイミング診断</source>
        <translation>Timing self-test</translation>
    </message>
    <message>
        <source>セッション中はタイミング診断を実行できません。セッションを停止してから実行してください</source>
        <translation>The timing self-test cannot run during a session. Stop the session first.</translation>
    </message>
    <message>
        <source>このPCは %1 ms の計時を保てます: はい、理由: %2</source>
        <translation>This PC can time to %1 ms: yes, because: %2</translation>
    </message>
    <message>
        <source>このPCは %1 ms の計時を保てます: いいえ、理由: %2</source>
        <translation>This PC can time to %1 ms: no, because: %2</translation>
    </message>
    <message>
        <source>診断は中止されました</source>
        <translation>Self-test cancelled</translation>
    </message>
    <message>
        <source>検出できなかった通過 %1 件 (全 %2 件)</source>
        <translation>%1 of %2 passings not detected</translation>
    </message>
    <message>
        <source>全 %1 件の通過を検出</source>
        <translation>all %1 passings detected</translation>
    </message>
    <message>
        <source>取りこぼしたイベント %1 件</source>
        <translation>%1 events lost</translation>
    </message>
    <message>
        <source>刻時誤差 (99.9%) %1 ms が上限 %2 ms を超えています</source>
        <translation>time stamp error (99.9%) %1 ms is over the %2 ms limit</translation>
    </message>
    <message>
        <source>刻時誤差 (99.9%) %1 ms は上限 %2 ms 以内</source>
        <translation>time stamp error (99.9%) %1 ms is within the %2 ms limit</translation>
    </message>
    <message>
        <source>ティック間隔 (99.9%) %1 ms が上限 %2 ms を超えています</source>
        <translation>tick interval (99.9%) %1 ms is over the %2 ms limit</translation>
    </message>
    <message>
        <source>ティック間隔 (99.9%) %1 ms は上限 %2 ms 以内</source>
        <translation>tick interval (99.9%) %1 ms is within the %2 ms limit</translation>
    </message>
    <message>
        <source>ポート読み取り (99%) %1 ms が上限 %2 ms を超えています</source>
        <translation>port read (99%) %1 ms is over the %2 ms limit</translation>
    </message>
    <message>
        <source>ポート読み取り (99%) %1 ms は上限 %2 ms 以内</source>
        <translation>port read (99%) %1 ms is within the %2 ms limit</translation>
    </message>
    <message>
        <source>ポート読み取りの失敗 %1 回</source>
        <translation>%1 failed port reads</translation>
    </message>
    <message>
        <source>リアルタイム優先度: 許可</source>
        <translation>Real-time priority: granted</translation>
    </message>
    <message>
        <source>リアルタイム優先度: 拒否 (通常クラスで計時)</source>
        <translation>Real-time priority: refused (timing at normal priority)</translation>
    </message>
    <message>
        <source>診断結果を保存できません (%1)</source>
        <translation>Cannot save the self-test results (%1)</translation>
    </message>
    <message>
        <source>機器の状態</source>
        <translation>Device status</translation>
    </message>
    <message>
        <source>パラレルポート</source>
        <translation>Parallel port</translation>
    </message>
    <message>
        <source>USBアダプター</source>
        <translation>USB adapter</translation>
    </message>
    <message>
        <source>受信機</source>
        <translation>Receiver</translation>
    </message>
    <message>
        <source>サウンドデバイス</source>
        <translation>Sound device</translation>
    </message>
    <message>
        <source>ジャーナル</source>
        <translation>Journal</translation>
    </message>
    <message>
        <source>Webサーバー</source>
        <translation>Web server</translation>
    </message>
    <message>
        <source>受信異常の疑い: %1 件を保留中</source>
        <translation>Receiver flood? %1 held</translation>
    </message>
    <message>
        <source>100ms の間に多くの車番を受信したため、記録せずに保留しています。クリックで確認します</source>
        <translation>Many car numbers arrived within 100 ms, so they are held, not recorded. Click to check them.</translation>
    </message>
    <message>
        <source>保留中の受信データ</source>
        <translation>Held receiver data</translation>
    </message>
    <message>
        <source>100ms の間に多くの車番を受信したため、次の %1 件を記録せずに保留しています。
記録する通過にチェックを付けてください。
記録しないものは破棄されます (センサーログに残ります)。</source>
        <translation>Many car numbers arrived within 100 ms, so these %1 are held, not recorded.
Tick the passings to record.
The others are discarded (they stay in the sensor log).</translation>
    </message>
    <message>
        <source>車番</source>
        <translation>Car #</translation>
    </message>
    <message>
        <source>開始からの時間</source>
        <translation>Time from start</translation>
    </message>
    <message>
        <source>すべて記録</source>
        <translation>Record all</translation>
    </message>
    <message>
        <source>選んだものを記録</source>
        <translation>Record ticked</translation>
    </message>
    <message>
        <source>すべて破棄</source>
        <translation>Discard all</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>前%1周の中央値 %2 の %3 % 未満</source>
        <translation>under %3 % of %2, the median of the last %1 laps</translation>
    </message>
    <message>
        <source>妥当範囲の下限 %1 未満</source>
        <translation>under the plausible minimum %1</translation>
    </message>
    <message>
        <source>妥当範囲の上限 %1 超</source>
        <translation>over the plausible maximum %1</translation>
    </message>
    <message>
        <source>要確認の結果</source>
        <translation>Results to check</translation>
    </message>
    <message>
        <source>確認の必要な結果はありません</source>
        <translation>No results to check</translation>
    </message>
    <message>
        <source>承認</source>
        <translation>Accept</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>要確認の結果...</source>
        <translation>Results to check...</translation>
    </message>
</context>
<context>
    <name>numbers</name>
    <message>
        <source>&apos;%1&apos; は数値ではありません</source>
        <translation>&apos;%1&apos; is not a number</translation>
    </message>
</context>
<context>
    <name>text file</name>
    <message>
        <source>%1 の %2 行目</source>
        <translation>%1, line %2</translation>
    </message>
    <message>
        <source>%1に文字として読めないバイトがあります。その文字は � と表示され、保存すると &quot;?&quot; になります。</source>
        <translation>%1 holds bytes that are not characters. They show as � and are saved as &quot;?&quot;.</translation>
    </message>
</context>
</TS>
