<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>journal</name>
    <message>
        <source>ジャーナルが途中で切れています (%1 バイト目)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ジャーナルの記録が壊れています (%1 バイト目、チェックサム不一致)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ジャーナルの記録の順番が欠けているか重複しています (%1 バイト目)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>新しいバージョンのプログラムが書いたジャーナルのため読めません (%1 バイト目)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ジャーナルファイルではありません (%1 バイト目)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ジャーナルの記録の長さが異常です (%1 バイト目)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ジャーナルを読み込めません: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ジャーナルを保存できません (%1)。記録はメモリに保持し、書き込みを再試行しています</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ジャーナルの保存が回復しました。保留していた記録はすべて書き込まれました</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ディスクの空きがありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>書き込み禁止のドライブです</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ディスクの入出力エラー</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルサイズの上限を超えました</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ディスク使用量の上限を超えました</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>結果リストが大きすぎるため読み込みませんでした（ジャーナルに記録できる大きさ %1 MB を超えます）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>今の結果リストと合わせるとジャーナルに記録できる大きさ %1 MB を超えるため読み込みませんでした。先に結果リストをクリアしてから読み込んでください</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>リストが大きすぎてジャーナルに記録できないため、ジャーナルを止めました。記録は保存するまでメモリ上だけにあります</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ジャーナルの最後の %1 バイトを保存できませんでした</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
