<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>TAboutForm</name>
    <message>
        <source>About Vantrel</source>
        <translation>About Vantrel</translation>
    </message>
</context>
<context>
    <name>TSetupForm</name>
    <message>
        <source>タイムの下限が上限より大きくなっています。</source>
        <translation>The minimum time is above the maximum time.</translation>
    </message>
    <message>
        <source>結果の確認</source>
        <translation>Result checks</translation>
    </message>
    <message>
        <source>短すぎる周回(中央値の%)</source>
        <translation>Short lap (% of median)</translation>
    </message>
    <message>
        <source>直近5周の中央値のこの割合に満たない周回に「?」を付けます。0 で判定しません</source>
        <translation>Marks a lap shorter than this share of the median of the last 5 laps with &quot;?&quot;. 0: no check</translation>
    </message>
    <message>
        <source>ジムカーナとドラッグで、この範囲の外のタイムに「?」を付けます。0 で制限しません</source>
        <translation>Marks gymkhana and drag times outside this range with &quot;?&quot;. 0: no limit</translation>
    </message>
    <message>
        <source>タイムの下限(秒)</source>
        <translation>Min. time (s)</translation>
    </message>
    <message>
        <source>タイムの上限(秒)</source>
        <translation>Max. time (s)</translation>
    </message>
    <message>
        <source>設定を保存できませんでした。</source>
        <translation>The settings could not be saved.</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Never</translation>
    </message>
    <message>
        <source>言語の変更は次回の起動から有効になります。
The language changes when the program starts next.</source>
        <translation>言語の変更は次回の起動から有効になります。
The language changes when the program starts next.</translation>
    </message>
    <message>
        <source>オプション設定</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>入力ポート</source>
        <translation>Input port</translation>
    </message>
    <message>
        <source>ポート選択</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>ポーリング間隔(ms)</source>
        <translation>Polling interval (ms)</translation>
    </message>
    <message>
        <source>OFF ディレイ(ms)</source>
        <translation>OFF delay (ms)</translation>
    </message>
    <message>
        <source>シリアルポート</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>ポート番号</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>ボーレート</source>
        <translation>Baud rate</translation>
    </message>
    <message>
        <source>同時受信の上限(台/100ms)</source>
        <translation>Flood limit (cars/100ms)</translation>
    </message>
    <message>
        <source>100ms の間にこれより多くの車番を受信したときは、記録せずに保留します</source>
        <translation>Passings of more cars than this within 100 ms are held, not booked</translation>
    </message>
    <message>
        <source>Soound</source>
        <translation>Sound</translation>
    </message>
    <message>
        <source>読み上げウェイト(秒)</source>
        <translation>Announce delay (s)</translation>
    </message>
    <message>
        <source>センサー感知時ビープ音</source>
        <translation>Beep on sensor</translation>
    </message>
    <message>
        <source>速度計測</source>
        <translation>Speed trap</translation>
    </message>
    <message>
        <source>センサー間距離 (m)</source>
        <translation>Sensor distance (m)</translation>
    </message>
    <message>
        <source>詳細設定</source>
        <translation>Advanced</translation>
    </message>
    <message>
        <source>START入力ピン</source>
        <translation>START input pin</translation>
    </message>
    <message>
        <source>FINISH入力ピン</source>
        <translation>FINISH input pin</translation>
    </message>
    <message>
        <source>中間センサー#1</source>
        <translation>Split sensor #1</translation>
    </message>
    <message>
        <source>中間センサー#2</source>
        <translation>Split sensor #2</translation>
    </message>
    <message>
        <source>センサー入力反転</source>
        <translation>Invert sensor inputs</translation>
    </message>
    <message>
        <source>タイム出力形式</source>
        <translation>Time format</translation>
    </message>
    <message>
        <source>時間 (mm:ss.000)</source>
        <translation>Time (mm:ss.000)</translation>
    </message>
    <message>
        <source>ミリ秒 (ms.)</source>
        <translation>Milliseconds (ms.)</translation>
    </message>
    <message>
        <source>タイムアウト</source>
        <translation>Time-out</translation>
    </message>
    <message>
        <source>分</source>
        <translation>min</translation>
    </message>
    <message>
        <source>SensorLog.txt を書き出す</source>
        <translation>Write SensorLog.txt</translation>
    </message>
    <message>
        <source>Web公開</source>
        <translation>Web results</translation>
    </message>
    <message>
        <source>ブラウザに結果を公開する</source>
        <translation>Publish results to browsers</translation>
    </message>
    <message>
        <source>言語 / Language</source>
        <translation>言語 / Language</translation>
    </message>
    <message>
        <source>日本語</source>
        <translation>日本語</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>システムに従う / Follow the system</source>
        <translation>システムに従う / Follow the system</translation>
    </message>
</context>
<context>
    <name>about</name>
    <message>
        <source>Unknown OS</source>
        <translation>Unknown OS</translation>
    </message>
    <message>
        <source>Total Physical Memory: %1 Kbytes</source>
        <translation>Total Physical Memory: %1 Kbytes</translation>
    </message>
    <message>
        <source>Total Physical Memory: unknown</source>
        <translation>Total Physical Memory: unknown</translation>
    </message>
    <message>
        <source>Parallel port: %1</source>
        <translation>Parallel port: %1</translation>
    </message>
    <message>
        <source>Parallel port: none</source>
        <translation>Parallel port: none</translation>
    </message>
</context>
</TS>
