<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>gymkhana</name>
    <message>
        <source>編集中にスタートリストが進んだため、この修正は取り消しました。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>編集中に車両 %1 がこの位置を離れたため、車両番号の修正は取り消しました。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>修正の取り消し</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
