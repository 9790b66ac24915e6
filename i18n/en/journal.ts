<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>journal</name>
    <message>
        <source>ジャーナルが途中で切れています (%1 バイト目)</source>
        <translation>The journal breaks off (byte %1)</translation>
    </message>
    <message>
        <source>ジャーナルの記録が壊れています (%1 バイト目、チェックサム不一致)</source>
        <translation>A journal record is damaged (byte %1, checksum mismatch)</translation>
    </message>
    <message>
        <source>ジャーナルの記録の順番が欠けているか重複しています (%1 バイト目)</source>
        <translation>Journal records are missing or repeated (byte %1)</translation>
    </message>
    <message>
        <source>新しいバージョンのプログラムが書いたジャーナルのため読めません (%1 バイト目)</source>
        <translation>The journal was written by a newer version of the program and cannot be read (byte %1)</translation>
    </message>
    <message>
        <source>ジャーナルファイルではありません (%1 バイト目)</source>
        <translation>Not a journal file (byte %1)</translation>
    </message>
    <message>
        <source>ジャーナルの記録の長さが異常です (%1 バイト目)</source>
        <translation>A journal record has an impossible length (byte %1)</translation>
    </message>
    <message>
        <source>ジャーナルを読み込めません: %1</source>
        <translation>Cannot read the journal: %1</translation>
    </message>
    <message>
        <source>ジャーナルを保存できません (%1)。記録はメモリに保持し、書き込みを再試行しています</source>
        <translation>Cannot save the journal (%1). The records are kept in memory and the write is retried</translation>
    </message>
    <message>
        <source>ジャーナルの保存が回復しました。保留していた記録はすべて書き込まれました</source>
        <translation>The journal is saving again. Every held record has been written</translation>
    </message>
    <message>
        <source>ディスクの空きがありません</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>書き込み禁止のドライブです</source>
        <translation>the drive is write-protected</translation>
    </message>
    <message>
        <source>ディスクの入出力エラー</source>
        <translation>disk I/O error</translation>
    </message>
    <message>
        <source>ファイルサイズの上限を超えました</source>
        <translation>file size limit reached</translation>
    </message>
    <message>
        <source>ディスク使用量の上限を超えました</source>
        <translation>disk quota reached</translation>
    </message>
    <message>
        <source>結果リストが大きすぎるため読み込みませんでした（ジャーナルに記録できる大きさ %1 MB を超えます）</source>
        <translation>The result list was not loaded: it is too large for the journal (over %1 MB)</translation>
    </message>
    <message>
        <source>今の結果リストと合わせるとジャーナルに記録できる大きさ %1 MB を超えるため読み込みませんでした。先に結果リストをクリアしてから読み込んでください</source>
        <translation>Not loaded: with the current result list it would be too large for the journal (over %1 MB). Clear the result list first, then load again</translation>
    </message>
    <message>
        <source>リストが大きすぎてジャーナルに記録できないため、ジャーナルを止めました。記録は保存するまでメモリ上だけにあります</source>
        <translation>The journal has stopped: the list is too large for it. Until you save, the records are only in memory</translation>
    </message>
    <message>
        <source>ジャーナルの最後の %1 バイトを保存できませんでした</source>
        <translation>The last %1 bytes of the journal could not be saved</translation>
    </message>
</context>
</TS>
