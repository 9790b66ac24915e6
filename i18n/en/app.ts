<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>restore</name>
    <message>
        <source>記録の復元</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>前回は記録を保存しないまま終了しました。
走行・周回 %1 件（最後の記録 %2）が残っています。

復元しますか？
（「いいえ」でも記録は捨てずに別名で残します）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

コース上にいた車（パソコンが再起動したため計時を続けられません）: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

復元できない記録が %1 件あります:
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>記録 %1（%2）: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ほか %1 件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>リスト全体の控え</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>リストの変更</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>やり直し</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイル名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>計時開始</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>計時終了</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>コース上の車</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>終了</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>走行・周回</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>スタートリスト</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>元に戻す履歴</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ドラッグの車番</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>モード</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不明な種類</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>内容が読めません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>このプログラムの知らない種類です</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>元に戻す変更がありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>やり直す変更がありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>リストに合わないため、合う部分だけを復元します</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ジャーナルの一部を読めませんでした: %1
その前までの記録を使います。ファイルは %2 として残してあります。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ジャーナル</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ジャーナルを作れません。記録は保存するまでメモリ上だけにあります</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>車番 %1 の記録を取り消しますか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>コースに空きがないため、車番 %1 の走行をコースに戻せません。
先にゴールした車がいれば、その後で取り消してください。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
