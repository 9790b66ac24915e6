<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>CircuitPage</name>
    <message>
        <source>計測方式</source>
        <translation>Timing</translation>
    </message>
    <message>
        <source>ﾗｯﾌﾟ計測</source>
        <translation>Rolling</translation>
    </message>
    <message>
        <source>同時ｽﾀｰﾄ</source>
        <translation>Mass start</translation>
    </message>
    <message>
        <source>入力ﾎﾟｰﾄ</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>ｼﾘｱﾙﾎﾟｰﾄ</source>
        <translation>Serial</translation>
    </message>
    <message>
        <source>ﾌﾟﾘﾝﾀﾎﾟｰﾄ</source>
        <translation>Printer</translation>
    </message>
    <message>
        <source>受信機設定</source>
        <translation>Receiver</translation>
    </message>
    <message>
        <source>ﾏｽｸ時間(秒)</source>
        <translation>Mask (s)</translation>
    </message>
    <message>
        <source>1 to 30 (sec.)</source>
        <translation>1 to 30 (sec.)</translation>
    </message>
    <message>
        <source>受信ﾃﾞｰﾀ</source>
        <translation>Cars</translation>
    </message>
</context>
<context>
    <name>DragPage</name>
    <message>
        <source>ｽﾀｰﾄ方式</source>
        <translation>Tree</translation>
    </message>
    <message>
        <source>Pro</source>
        <translation>Pro</translation>
    </message>
    <message>
        <source>Stock</source>
        <translation>Stock</translation>
    </message>
    <message>
        <source>Car#</source>
        <translation>Car#</translation>
    </message>
    <message>
        <source>R/T</source>
        <translation>R/T</translation>
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
        <source>ﾘｻﾞﾙﾄ</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Amber</source>
        <translation>Amber</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>18m</source>
        <translation>18m</translation>
    </message>
    <message>
        <source>100m</source>
        <translation>100m</translation>
    </message>
    <message>
        <source>200m</source>
        <translation>200m</translation>
    </message>
    <message>
        <source>300m</source>
        <translation>300m</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Finish</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Abort</translation>
    </message>
    <message>
        <source>Amber ON</source>
        <translation>Amber ON</translation>
    </message>
</context>
<context>
    <name>GymkhanaPage</name>
    <message>
        <source>スタートリスト</source>
        <translation>Start list</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>アタック中</source>
        <translation>On course</translation>
    </message>
    <message>
        <source>ﾊﾟｲﾛﾝﾀｯﾁ +1</source>
        <translation>Pylon +1</translation>
    </message>
    <message>
        <source>ﾊﾟｲﾛﾝﾀｯﾁ -1</source>
        <translation>Pylon -1</translation>
    </message>
    <message>
        <source>ﾐｽｺｰｽ</source>
        <translation>Miss course (MC)</translation>
    </message>
    <message>
        <source>ﾍﾟﾅﾙﾃｨのｸﾘｱ</source>
        <translation>Clear penalties</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Finish</translation>
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
        <source>リザルト</source>
        <translation>Result</translation>
    </message>
</context>
<context>
    <name>gymkhana</name>
    <message>
        <source>編集中にスタートリストが進んだため、この修正は取り消しました。</source>
        <translation>The start list moved on while you were editing, so this correction was cancelled.</translation>
    </message>
    <message>
        <source>編集中に車両 %1 がこの位置を離れたため、車両番号の修正は取り消しました。</source>
        <translation>Car %1 left this position while you were editing, so the car number correction was cancelled.</translation>
    </message>
    <message>
        <source>修正の取り消し</source>
        <translation>Correction cancelled</translation>
    </message>
    <message>
        <source>Car #%1</source>
        <translation>Car #%1</translation>
    </message>
    <message>
        <source>PT%1</source>
        <translation>Pylons: %1</translation>
    </message>
</context>
</TS>
