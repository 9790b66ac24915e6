<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>timing report</name>
    <message>
        <source>ティック間隔</source>
        <translation>Tick interval</translation>
    </message>
    <message>
        <source>刻時誤差</source>
        <translation>Time stamp error</translation>
    </message>
    <message>
        <source>ポート読み取り</source>
        <translation>Port read</translation>
    </message>
    <message>
        <source>最大</source>
        <translation>max</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>通過 %1/%2, 読み取り %3 回, 取りこぼし %4</source>
        <translation>Passings %1/%2, %3 port reads, %4 lost</translation>
    </message>
</context>
</TS>
