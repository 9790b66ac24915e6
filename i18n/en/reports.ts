<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>ScoreboardPage</name>
    <message>
        <source>Split #1</source>
        <translation>Split #1</translation>
    </message>
    <message>
        <source>Split #2</source>
        <translation>Split #2</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Change FONT color...</source>
        <translation>Change text color...</translation>
    </message>
    <message>
        <source>Change background color...</source>
        <translation>Change background color...</translation>
    </message>
</context>
<context>
    <name>TRecordForm</name>
    <message>
        <source>Record</source>
        <translation>Standings</translation>
    </message>
    <message>
        <source>Rank</source>
        <translation>Rank</translation>
    </message>
    <message>
        <source>List</source>
        <translation>List</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Scoreboard</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Rebuild</source>
        <translation>Rebuild</translation>
    </message>
    <message>
        <source>Auto update</source>
        <translation>Auto update</translation>
    </message>
    <message>
        <source>CSV files (*.csv)|*.csv|All files (*.*)|*.*</source>
        <translation>CSV files (*.csv)|*.csv|All files (*.*)|*.*</translation>
    </message>
</context>
<context>
    <name>reports</name>
    <message>
        <source>&apos;%1&apos; は数値ではありません</source>
        <translation>&apos;%1&apos; is not a number</translation>
    </message>
</context>
<context>
    <name>standings heading</name>
    <message>
        <source>Car</source>
        <translation>No.</translation>
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
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Lap</source>
        <translation>Lap</translation>
    </message>
    <message>
        <source>BestLap</source>
        <translation>Best lap</translation>
    </message>
    <message>
        <source>Last</source>
        <translation>Last</translation>
    </message>
    <message>
        <source>Rank</source>
        <translation>Pos.</translation>
    </message>
    <message>
        <source>Behind</source>
        <translation>Gap</translation>
    </message>
</context>
</TS>
