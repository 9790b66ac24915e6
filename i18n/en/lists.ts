<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>lists</name>
    <message>
        <source>ﾃｷｽﾄ &amp; CSVﾌｧｲﾙ (*.txt *.csv)|*.txt;*.csv|全てのﾌｧｲﾙ (*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV ｶﾝﾏ区切りﾌｧｲﾙ (*.csv)|*.csv|ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|全てのﾌｧｲﾙ (*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>リザルトリストは変更されていますがこのままロードしますか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ロードリザルトリスト</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>リザルトリストは空です。&quot;%1&quot; を空のリストで上書きしますか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>リザルトリストの保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>「%1」はファイルに保存できない文字のため入力できません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>にクラスの欄がないため、クラスは読み込みませんでした。クラスを使うときは全ての行を「名前,車種,クラス」にしてください (クラスのない車は「名前,車種,」)。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>のクラスは %1 文字を超えるか、ファイルに保存できない文字を含むため、短くして読み込みました。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
