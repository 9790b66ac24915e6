<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>messages</name>
    <message>
        <source>エントリーリストは変更されていますがこのままクリアしますか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>新規エントリーリスト</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>エントリーリストは変更されていますがこのままロードしますか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ロードエントリーリスト</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>エントリーリストが変更されていますがこのままプログラムを終了しますか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プログラムの終了</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>リザルトリストが変更されていますがこのままプログラムを終了しますか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>半角数字を入力して下さい</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>入力文字種エラー</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>リザルトリストをクリアしますか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>リザルトリストのクリア</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>計測中です、計測をストップしてモードを切り替えますか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>モード変更</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>開始</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>計測中</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>リザルトリストが更新されていますがクリアしてモードを切り替えますか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 計測準備完了</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>すでにコース上に４台いますので計測を開始出来ませんでした</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>開始ﾎﾞﾀﾝを押せば計測をｽﾀｰﾄ出来ます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>計測中の車両がコース内にいますが、計測を中止しますか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>パラレルポートドライバー ppdev (%1) のオープンに失敗しました。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>通信ポートのオープンに失敗しました、設定を確かめてください</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>通信ポート</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表計算ソフトを起動出来ませんでした</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>新規WorkBookを作成出来ませんでした</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sheet1 が見つかりませんでした</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MS Excelは既に終了しているか、&quot;E列&quot;が見つかりません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vantrel 2000 は既に起動されています</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>レコードウインドウの順位表示欄にデータがありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サウンド再生デバイスが見つかりませんでした</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USBエラー</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USBデバイス情報ﾘｽﾄの作成に失敗しました</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USBデバイスが見つかりませんでした</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USBデバイス情報ﾘｽﾄの取得に失敗しました</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB Vantrel I/Oデバイスが見つかりませんでした</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB Vantrel I/Oデバイスのオープンに失敗しました</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB Vantrel I/Oデバイスからのデータ転送に失敗しました</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vantrel 2000</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>パラレルポート %1 からの読み込みに失敗しました。センサー入力は止まっています。%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>センサー未接続</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>センサー停止</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取りこぼし %1 件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>受信機切断</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>受信機切断 %1〜%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>受信機切断 %3 回 (最後 %1〜%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1〜%2 の通過は受信されていません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>受信取りこぼし %1 バイト</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サウンド出力停止</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ポートが閉じているため送信していません。チェックし直すと再開します</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>送信に失敗しました (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>シミュレーションスクリプトを使えないため、スクリプトなしで起動します。
%1
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 の %2 行目</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用紙に順位表が1行も入りません。[Printer] の余白か印刷フォントを小さくしてください</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>順位表の印刷に失敗しました (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>順位表が用紙の幅に入らないため、用紙を横向きにして印刷します</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>順位表が用紙の幅に入らないため、%1% に縮小して印刷します</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>順位表をクラス別に印刷しますか？ (いいえ: 全体)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>全体</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ブック: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>開始(&amp;S)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>タイミング診断</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>セッション中はタイミング診断を実行できません。セッションを停止してから実行してください</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>このPCは %1 ms の計時を保てます: はい、理由: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>このPCは %1 ms の計時を保てます: いいえ、理由: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>診断は中止されました</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>検出できなかった通過 %1 件 (全 %2 件)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>全 %1 件の通過を検出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取りこぼしたイベント %1 件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>刻時誤差 (99.9%) %1 ms が上限 %2 ms を超えています</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>刻時誤差 (99.9%) %1 ms は上限 %2 ms 以内</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ティック間隔 (99.9%) %1 ms が上限 %2 ms を超えています</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ティック間隔 (99.9%) %1 ms は上限 %2 ms 以内</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ポート読み取り (99%) %1 ms が上限 %2 ms を超えています</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ポート読み取り (99%) %1 ms は上限 %2 ms 以内</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ポート読み取りの失敗 %1 回</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>リアルタイム優先度: 許可</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>リアルタイム優先度: 拒否 (通常クラスで計時)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>診断結果を保存できません (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>機器の状態</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>パラレルポート</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USBアダプター</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>受信機</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サウンドデバイス</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ジャーナル</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Webサーバー</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>受信異常の疑い: %1 件を保留中</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>100ms の間に多くの車番を受信したため、記録せずに保留しています。クリックで確認します</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保留中の受信データ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>100ms の間に多くの車番を受信したため、次の %1 件を記録せずに保留しています。
記録する通過にチェックを付けてください。
記録しないものは破棄されます (センサーログに残ります)。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>車番</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>開始からの時間</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>すべて記録</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>選んだものを記録</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>すべて破棄</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>前%1周の中央値 %2 の %3 % 未満</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>妥当範囲の下限 %1 未満</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>妥当範囲の上限 %1 超</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要確認の結果</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>確認の必要な結果はありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>承認</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要確認の結果...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
