<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>web column</name>
    <message>
        <source>順位</source>
        <translation>Rank</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>氏名</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>車両</source>
        <translation>Car</translation>
    </message>
    <message>
        <source>ベスト</source>
        <translation>Best</translation>
    </message>
    <message>
        <source>周回</source>
        <translation>Laps</translation>
    </message>
    <message>
        <source>合計</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>差</source>
        <translation>Gap</translation>
    </message>
    <message>
        <source>ペナルティ</source>
        <translation>Penalty</translation>
    </message>
    <message>
        <source>タイム</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>コメント</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>スプリット1</source>
        <translation>Split 1</translation>
    </message>
    <message>
        <source>スプリット2</source>
        <translation>Split 2</translation>
    </message>
    <message>
        <source>ラップ</source>
        <translation>Lap</translation>
    </message>
    <message>
        <source>フライング</source>
        <translation>False start</translation>
    </message>
    <message>
        <source>速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>回</source>
        <translation>Try</translation>
    </message>
    <message>
        <source>クラス</source>
        <translation>Class</translation>
    </message>
</context>
<context>
    <name>web page</name>
    <message>
        <source>ライブリザルト</source>
        <translation>Live results</translation>
    </message>
    <message>
        <source>スコアボード</source>
        <translation>Scoreboard</translation>
    </message>
    <message>
        <source>接続中…</source>
        <translation>Connecting…</translation>
    </message>
    <message>
        <source>ライブ</source>
        <translation>Live</translation>
    </message>
    <message>
        <source>再接続中…</source>
        <translation>Reconnecting…</translation>
    </message>
    <message>
        <source>最新リザルト</source>
        <translation>Latest result</translation>
    </message>
    <message>
        <source>まだ結果はありません</source>
        <translation>No results yet</translation>
    </message>
    <message>
        <source>コース上</source>
        <translation>On course</translation>
    </message>
    <message>
        <source>走行中の車両はありません</source>
        <translation>No cars on course</translation>
    </message>
    <message>
        <source>順位</source>
        <translation>Standings</translation>
    </message>
    <message>
        <source>クラス</source>
        <translation>Class</translation>
    </message>
    <message>
        <source>全体</source>
        <translation>All</translation>
    </message>
    <message>
        <source>リザルト一覧</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>(%1 件)</source>
        <translation>(%1 in all)</translation>
    </message>
    <message>
        <source>%1 周目</source>
        <translation>Lap %1</translation>
    </message>
    <message>
        <source>%1 本目</source>
        <translation>Run %1</translation>
    </message>
    <message>
        <source>スコアボード表示</source>
        <translation>Show scoreboard</translation>
    </message>
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
        <source>No.%1</source>
        <translation>No.%1</translation>
    </message>
    <message>
        <source>ジムカーナ</source>
        <translation>Gymkhana</translation>
    </message>
    <message>
        <source>ドラッグ</source>
        <translation>Drag</translation>
    </message>
    <message>
        <source>サーキット</source>
        <translation>Circuit</translation>
    </message>
    <message>
        <source>ja</source>
        <comment>the pages&apos; language code (html lang)</comment>
        <translation>en</translation>
    </message>
</context>
</TS>
