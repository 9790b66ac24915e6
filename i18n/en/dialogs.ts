<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>TSetupForm</name>
    <message>
        <source>タイムの下限が上限より大きくなっています。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>結果の確認</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>短すぎる周回(中央値の%)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>直近5周の中央値のこの割合に満たない周回に「?」を付けます。0 で判定しません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ジムカーナとドラッグで、この範囲の外のタイムに「?」を付けます。0 で制限しません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>タイムの下限(秒)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>タイムの上限(秒)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
