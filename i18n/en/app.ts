<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>ClockPanel</name>
    <message>
        <source>経過時間</source>
        <translation>Elapsed</translation>
    </message>
    <message>
        <source>中間タイム</source>
        <translation>Split</translation>
    </message>
    <message>
        <source>読み上げ</source>
        <translation>Voice</translation>
    </message>
</context>
<context>
    <name>DeviceHealth</name>
    <message>
        <source>使用中 %1</source>
        <translation>In use %1</translation>
    </message>
    <message>
        <source>開いています (未選択) %1</source>
        <translation>Open (not chosen) %1</translation>
    </message>
    <message>
        <source>開けません %1: %2</source>
        <translation>Cannot open %1: %2</translation>
    </message>
    <message>
        <source>未接続</source>
        <translation>Not connected</translation>
    </message>
    <message>
        <source>未使用</source>
        <translation>Not used</translation>
    </message>
    <message>
        <source>使用中</source>
        <translation>In use</translation>
    </message>
    <message>
        <source>開けません: %1</source>
        <translation>Cannot open: %1</translation>
    </message>
    <message>
        <source>閉じています (開始時に開きます)</source>
        <translation>Closed (opens at session start)</translation>
    </message>
    <message>
        <source>閉じています</source>
        <translation>Closed</translation>
    </message>
    <message>
        <source>切断 (再接続待ち)</source>
        <translation>Unplugged (waiting to reconnect)</translation>
    </message>
    <message>
        <source>スクリプト再生中</source>
        <translation>Playing script</translation>
    </message>
    <message>
        <source>受信中</source>
        <translation>Receiving</translation>
    </message>
    <message>
        <source>デバイスなし (ビープ)</source>
        <translation>No device (beep)</translation>
    </message>
    <message>
        <source>サウンド出力停止</source>
        <translation>Sound output stopped</translation>
    </message>
    <message>
        <source>使用中 (読み上げ)</source>
        <translation>In use (voice)</translation>
    </message>
    <message>
        <source>使用可能</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stopped</translation>
    </message>
    <message>
        <source>書き込み失敗 %1</source>
        <translation>Write failed %1</translation>
    </message>
    <message>
        <source>記録中 %1</source>
        <translation>Recording %1</translation>
    </message>
    <message>
        <source>公開中 ポート %1, 接続 %2</source>
        <translation>Serving on port %1, %2 connections</translation>
    </message>
</context>
<context>
    <name>DeviceHealthWindow</name>
    <message>
        <source>機器</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>状態</source>
        <translation>State</translation>
    </message>
    <message>
        <source>最終変化</source>
        <translation>Changed</translation>
    </message>
    <message>
        <source>イベント</source>
        <translation>Events</translation>
    </message>
    <message>
        <source>バイト</source>
        <translation>Bytes</translation>
    </message>
    <message>
        <source>欠落</source>
        <translation>Lost</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Vantrel 2000 ヘルプ</source>
        <translation>Vantrel 2000 Help</translation>
    </message>
    <message>
        <source>qrc:/help/help.html</source>
        <translation>qrc:/help/help_en.html</translation>
    </message>
</context>
<context>
    <name>MainMenu</name>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>エントリーリストの新規作成(&amp;N)</source>
        <translation>&amp;New Entry List</translation>
    </message>
    <message>
        <source>エントリーリストを開く(&amp;O)...</source>
        <translation>&amp;Open Entry List...</translation>
    </message>
    <message>
        <source>エントリーリストに名前を付けて保存(&amp;S)...</source>
        <translation>&amp;Save Entry List As...</translation>
    </message>
    <message>
        <source>リザルトリストを開く...</source>
        <translation>Open Result List...</translation>
    </message>
    <message>
        <source>リザルトリストを保存(&amp;R)</source>
        <translation>Save &amp;Result List</translation>
    </message>
    <message>
        <source>リザルトリストに名前を付けて保存(&amp;A)...</source>
        <translation>Save Result List &amp;As...</translation>
    </message>
    <message>
        <source>ページ設定...</source>
        <translation>Page Setup...</translation>
    </message>
    <message>
        <source>印刷(&amp;P)...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>ツール(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>フォント(&amp;F)...</source>
        <translation>&amp;Font...</translation>
    </message>
    <message>
        <source>レコード(&amp;R)...</source>
        <translation>&amp;Records...</translation>
    </message>
    <message>
        <source>オプション(&amp;O)...</source>
        <translation>&amp;Options...</translation>
    </message>
    <message>
        <source>タイミング診断(&amp;D)...</source>
        <translation>Timing &amp;Diagnosis...</translation>
    </message>
    <message>
        <source>機器の状態(&amp;H)...</source>
        <translation>Device &amp;Health...</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>トピックの検索(&amp;C)</source>
        <translation>&amp;Contents</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)...</source>
        <translation>&amp;About...</translation>
    </message>
</context>
<context>
    <name>RestoreQuestion</name>
    <message>
        <source> ほか %1 台</source>
        <translation> and %1 more</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>GYMKHANA</source>
        <translation>GYMKHANA</translation>
    </message>
    <message>
        <source>DRAG</source>
        <translation>DRAG</translation>
    </message>
    <message>
        <source>CIRCUIT</source>
        <translation>CIRCUIT</translation>
    </message>
    <message>
        <source>%1msec.</source>
        <translation>%1 ms</translation>
    </message>
    <message>
        <source>Default voice</source>
        <translation>Default voice</translation>
    </message>
    <message>
        <source>ポート %1 で Web公開を開始できません: %2</source>
        <translation>Cannot serve the web page on port %1: %2</translation>
    </message>
</context>
<context>
    <name>TimingSelfTestDialog</name>
    <message>
        <source>模擬入力 (ポートなし)</source>
        <translation>Simulated input (no port)</translation>
    </message>
    <message>
        <source>開始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>保存...</source>
        <translation>Save...</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>%1, %2 ms</source>
        <translation>%1, %2 ms</translation>
    </message>
    <message>
        <source>テキストファイル (*.txt)|*.txt</source>
        <translation>Text files (*.txt)|*.txt</translation>
    </message>
</context>
<context>
    <name>restore</name>
    <message>
        <source>記録の復元</source>
        <translation>Restore records</translation>
    </message>
    <message>
        <source>前回は記録を保存しないまま終了しました。
走行・周回 %1 件（最後の記録 %2）が残っています。

復元しますか？
（「いいえ」でも記録は捨てずに別名で残します）</source>
        <translation>The program ended last time without saving its records.
%1 runs and laps are left (last one written %2).

Restore them?
(With &quot;No&quot; the records are kept under another name.)</translation>
    </message>
    <message>
        <source>

コース上にいた車（パソコンが再起動したため計時を続けられません）: %1</source>
        <translation>

Cars that were on course (the PC has restarted, so their timing cannot go on): %1</translation>
    </message>
    <message>
        <source>

復元できない記録が %1 件あります:
%2</source>
        <translation>

%1 records cannot be restored:
%2</translation>
    </message>
    <message>
        <source>記録 %1（%2）: %3</source>
        <translation>Record %1 (%2): %3</translation>
    </message>
    <message>
        <source>ほか %1 件</source>
        <translation>and %1 more</translation>
    </message>
    <message>
        <source>リスト全体の控え</source>
        <translation>copy of a whole list</translation>
    </message>
    <message>
        <source>リストの変更</source>
        <translation>list change</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>undo</translation>
    </message>
    <message>
        <source>やり直し</source>
        <translation>redo</translation>
    </message>
    <message>
        <source>ファイル名</source>
        <translation>file name</translation>
    </message>
    <message>
        <source>計時開始</source>
        <translation>session start</translation>
    </message>
    <message>
        <source>計時終了</source>
        <translation>session stop</translation>
    </message>
    <message>
        <source>コース上の車</source>
        <translation>cars on course</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>end</translation>
    </message>
    <message>
        <source>走行・周回</source>
        <translation>run or lap</translation>
    </message>
    <message>
        <source>スタートリスト</source>
        <translation>start list</translation>
    </message>
    <message>
        <source>元に戻す履歴</source>
        <translation>undo history</translation>
    </message>
    <message>
        <source>ドラッグの車番</source>
        <translation>drag car number</translation>
    </message>
    <message>
        <source>モード</source>
        <translation>mode</translation>
    </message>
    <message>
        <source>不明な種類</source>
        <translation>unknown kind</translation>
    </message>
    <message>
        <source>内容が読めません</source>
        <translation>cannot be read</translation>
    </message>
    <message>
        <source>このプログラムの知らない種類です</source>
        <translation>a kind this program does not know</translation>
    </message>
    <message>
        <source>元に戻す変更がありません</source>
        <translation>nothing to undo</translation>
    </message>
    <message>
        <source>やり直す変更がありません</source>
        <translation>nothing to redo</translation>
    </message>
    <message>
        <source>リストに合わないため、合う部分だけを復元します</source>
        <translation>does not match the list; only the matching part is restored</translation>
    </message>
    <message>
        <source>ジャーナルの一部を読めませんでした: %1
その前までの記録を使います。ファイルは %2 として残してあります。</source>
        <translation>Part of the journal could not be read: %1
The records before it are used. The file is kept as %2.</translation>
    </message>
    <message>
        <source>ジャーナル</source>
        <translation>Journal</translation>
    </message>
    <message>
        <source>ジャーナルを作れません。記録は保存するまでメモリ上だけにあります</source>
        <translation>Cannot create the journal. Records are only in memory until you save</translation>
    </message>
    <message>
        <source>車番 %1 の記録を取り消しますか？</source>
        <translation>Undo the record of car #%1?</translation>
    </message>
    <message>
        <source>コースに空きがないため、車番 %1 の走行をコースに戻せません。
先にゴールした車がいれば、その後で取り消してください。</source>
        <translation>The course is full, so the run of car #%1 cannot go back on course.
If a car finishes first, undo after that.</translation>
    </message>
</context>
</TS>
