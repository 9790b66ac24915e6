<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>EntryPanel</name>
    <message>
        <source>エントリーリスト</source>
        <translation>Entry list</translation>
    </message>
    <message>
        <source>編集</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>挿入</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>クラス列を表示</source>
        <translation>Show class column</translation>
    </message>
</context>
<context>
    <name>FlagReviewWindow</name>
    <message>
        <source>Car</source>
        <translation>Car</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
</context>
<context>
    <name>ResultPanel</name>
    <message>
        <source>リザルトリスト</source>
        <translation>Result list</translation>
    </message>
    <message>
        <source>ｸﾘｱ</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>ﾐｽｺｰｽ</source>
        <translation>MC</translation>
    </message>
    <message>
        <source>ﾚｸﾁｬｰ</source>
        <translation>Lect.</translation>
    </message>
    <message>
        <source>RS232C</source>
        <translation>RS232C</translation>
    </message>
    <message>
        <source>編集</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>元に戻す	Ctrl+Z</source>
        <translation>Undo	Ctrl+Z</translation>
    </message>
    <message>
        <source>やり直し	Ctrl+Y</source>
        <translation>Redo	Ctrl+Y</translation>
    </message>
    <message>
        <source>ﾘｻﾞﾙﾄﾃﾞｰﾀを MS Excel に送る</source>
        <translation>Send results to MS Excel</translation>
    </message>
</context>
<context>
    <name>heading</name>
    <message>
        <source>Car</source>
        <translation>Car</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>Lap</source>
        <translation>Lap</translation>
    </message>
    <message>
        <source>Class</source>
        <translation>Class</translation>
    </message>
    <message>
        <source>Pen</source>
        <translation>Pen</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>Split1</source>
        <translation>Split1</translation>
    </message>
    <message>
        <source>Split2</source>
        <translation>Split2</translation>
    </message>
    <message>
        <source>Fly</source>
        <translation>Fly</translation>
    </message>
    <message>
        <source>E.T</source>
        <translation>E.T</translation>
    </message>
    <message>
        <source>R/T</source>
        <translation>R/T</translation>
    </message>
    <message>
        <source>E.T+R/T</source>
        <translation>E.T+R/T</translation>
    </message>
    <message>
        <source>0-18</source>
        <translation>0-18</translation>
    </message>
    <message>
        <source>0-100</source>
        <translation>0-100</translation>
    </message>
    <message>
        <source>0-200</source>
        <translation>0-200</translation>
    </message>
    <message>
        <source>0-300</source>
        <translation>0-300</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Try</source>
        <translation>Try</translation>
    </message>
    <message>
        <source>Lap time</source>
        <translation>Lap time</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
</context>
<context>
    <name>lists</name>
    <message>
        <source>ﾃｷｽﾄ &amp; CSVﾌｧｲﾙ (*.txt *.csv)|*.txt;*.csv|全てのﾌｧｲﾙ (*.*)|*.*</source>
        <translation>Text &amp; CSV files (*.txt *.csv)|*.txt;*.csv|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>CSV ｶﾝﾏ区切りﾌｧｲﾙ (*.csv)|*.csv|ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|全てのﾌｧｲﾙ (*.*)|*.*</source>
        <translation>CSV comma-separated files (*.csv)|*.csv|Text files (*.txt)|*.txt|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>リザルトリストは変更されていますがこのままロードしますか？</source>
        <translation>The result list has changed. Load another list anyway?</translation>
    </message>
    <message>
        <source>ロードリザルトリスト</source>
        <translation>Load result list</translation>
    </message>
    <message>
        <source>リザルトリストは空です。&quot;%1&quot; を空のリストで上書きしますか？</source>
        <translation>The result list is empty. Overwrite &quot;%1&quot; with an empty list?</translation>
    </message>
    <message>
        <source>リザルトリストの保存</source>
        <translation>Save result list</translation>
    </message>
    <message>
        <source>「%1」はファイルに保存できない文字のため入力できません</source>
        <translation>&quot;%1&quot; cannot be saved in a list file, so it cannot be typed.</translation>
    </message>
    <message>
        <source>%1にクラスの欄がないため、クラスは読み込みませんでした。クラスを使うときは全ての行を「名前,車種,クラス」にしてください (クラスのない車は「名前,車種,」)。</source>
        <translation>%1 has no class field, so no classes were read. To use classes, write every line as &quot;name,model,class&quot; (&quot;name,model,&quot; for a car without a class).</translation>
    </message>
    <message>
        <source>%1のクラスは %2 文字を超えるか、ファイルに保存できない文字を含むため、短くして読み込みました。</source>
        <translation>The class on %1 was longer than %2 characters or held characters a file cannot keep, so it was shortened.</translation>
    </message>
</context>
</TS>
