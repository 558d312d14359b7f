<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja_JP">
<context>
    <name>ClockPage</name>
    <message>
        <source>%1 (差 %2 秒)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (差 %2 秒, 往復 %3 秒)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 自動時刻合わせ中: サーバーとの差 %2 秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 自動時刻合わせ中: サーバーとの差 %2 秒 (往復 %3 秒)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>rimo::AboutPage</name>
    <message>
        <source>RimoTimeInformation のアイコン</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>rimo::ClockPage</name>
    <message>
        <source>時刻を問い合わせるプロトコルを指定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プロトコル</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>結果</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サーバーの応答が %1 バイトしかありません（NTPの応答は48バイト以上です）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>送った要求への応答ではないものが届きました（発信元タイムスタンプが違います）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>問い合わせたサーバー以外（%1）から応答が届きました。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NTPのバージョン %1 の応答です（使えるのは3と4です）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サーバーからの応答ではありません（モード %1）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サーバーから問い合わせの停止を求められました（%1）。%2 分間はこのサーバーに問い合わせません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サーバーが時刻を返しませんでした（%1）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サーバーから問い合わせの停止を求められています（%1）。あと %2 分はこのサーバーに問い合わせません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サーバー自身の時刻が合わせられていません（うるう秒指示子 %1、階層 %2）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サーバーの応答に送信時刻がありません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>往復時間 %1 秒がタイムアウト %2 ミリ秒より長くかかりました。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サーバーの時刻が往復時間と矛盾しています（往復 %1 秒）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>自動時刻合わせが有効なため、時計は変更していません。
サーバーとの差 %1 秒</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>rimo::LaunchButtonDialog</name>
    <message>
        <source>表示ｱｲｺﾝ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表示ｱｲｺﾝの選択</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>rimo::LauncherPage</name>
    <message>
        <source>ランチャー・タイトル</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 行目</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 行目 %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>rimo::PageControl</name>
    <message>
        <source>ページ</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>rimo::ProtocolComboBox</name>
    <message>
        <source>NTP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>daytime</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>rimo::ScheduleCellEditors</name>
    <message>
        <source>繰り返さない</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>rimo::ScheduleGrid</name>
    <message>
        <source>スケジュール</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tab と Shift+Tab でセルを移動、Enter・F2・F4・Alt+下矢印でセルを編集、Menu キーか Shift+F10 で行のメニュー、Ctrl+Tab・Ctrl+Shift+Tab・Esc で表の外へ移ります。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>rimo::TForm1</name>
    <message>
        <source>RimoTimeInformation %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>rimo::TLaunchButton</name>
    <message>
        <source>未登録</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>rimo::TimerPage</name>
    <message>
        <source>ｸｨｯｸ設定</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
