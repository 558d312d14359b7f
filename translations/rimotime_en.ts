<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja_JP">
<context>
    <name>ClockPage</name>
    <message>
        <source>%1 (差 %2 秒)</source>
        <translation>%1 (off by %2 s)</translation>
    </message>
    <message>
        <source>%1 (差 %2 秒, 往復 %3 秒)</source>
        <translation>%1 (off by %2 s, round trip %3 s)</translation>
    </message>
    <message>
        <source>%1 自動時刻合わせ中: サーバーとの差 %2 秒</source>
        <translation>%1 automatic clock sync on: %2 s from the server</translation>
    </message>
    <message>
        <source>%1 自動時刻合わせ中: サーバーとの差 %2 秒 (往復 %3 秒)</source>
        <translation>%1 automatic clock sync on: %2 s from the server (round trip %3 s)</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>プログラムと同じフォルダーのファイルは使いません: %1
代わりに %2 のファイルを使います。</source>
        <translation>The files beside the program are not used: %1
The files in %2 are used instead.</translation>
    </message>
    <message>
        <source>データフォルダーを作れません: %1
スケジュールと設定は保存できません。</source>
        <translation>Cannot create the data folder: %1
The schedule and settings cannot be saved.</translation>
    </message>
    <message>
        <source>起動できません。
%1</source>
        <translation>Cannot start.
%1</translation>
    </message>
</context>
<context>
    <name>rimo::AboutPage</name>
    <message>
        <source>RimoTimeInformation のアイコン</source>
        <translation>RimoTimeInformation icon</translation>
    </message>
    <message>
        <source>everytime，everywhere and everybody.</source>
        <translation>everytime, everywhere and everybody.</translation>
    </message>
    <message>
        <source>周波数取得中</source>
        <translation>Measuring the clock speed</translation>
    </message>
    <message>
        <source>メモリー取得中</source>
        <translation>Reading the memory</translation>
    </message>
    <message>
        <source>メモリー使用率取得中</source>
        <translation>Reading the memory load</translation>
    </message>
    <message>
        <source>データの場所： </source>
        <translation>Data folder: </translation>
    </message>
    <message>
        <source>メモリーを取得できません</source>
        <translation>Cannot read the memory</translation>
    </message>
    <message>
        <source>メモリー使用率を取得できません</source>
        <translation>Cannot read the memory load</translation>
    </message>
    <message>
        <source>周波数を取得できません</source>
        <translation>Cannot measure the clock speed</translation>
    </message>
    <message>
        <source>%1 を開けません</source>
        <translation>Cannot open %1</translation>
    </message>
</context>
<context>
    <name>rimo::AboutTexts</name>
    <message>
        <source>空きﾒﾓﾘ： %1 / 全ﾒﾓﾘ： %2</source>
        <translation>Free memory: %1 / Total: %2</translation>
    </message>
    <message>
        <source>ﾒﾓﾘ使用率： %1%</source>
        <translation>Memory in use: %1%</translation>
    </message>
    <message>
        <source>CPU動作周波数： %1MHz</source>
        <translation>CPU clock: %1MHz</translation>
    </message>
</context>
<context>
    <name>rimo::AppPaths</name>
    <message>
        <source>フォルダー %1 に書き込めません</source>
        <translation>Cannot write to the folder %1</translation>
    </message>
    <message>
        <source>ホームフォルダーがわかりません ($HOME が空で、パスワードデータベースにもこのユーザーのホームがありません)。$HOME か $XDG_CONFIG_HOME を設定してください</source>
        <translation>The home folder is unknown ($HOME is empty and the password database has no home for this user). Set $HOME or $XDG_CONFIG_HOME</translation>
    </message>
    <message>
        <source>%1。他のユーザーが置いたファイルを読み込まないよう、このフォルダーは使いません。持ち主とモードを確かめてください (chmod 700 %2)</source>
        <translation>%1. This folder is not used, so that files put there by another user are not read. Check its owner and mode (chmod 700 %2)</translation>
    </message>
</context>
<context>
    <name>rimo::AwayWindow</name>
    <message>
        <source>実行されなかった予定 - RimoTimeInformation</source>
        <translation>Missed events - RimoTimeInformation</translation>
    </message>
    <message>
        <source>次の予定は、その時刻に実行されませんでした。
今実行するものにチェックを付けて「今すぐ実行」を押してください。</source>
        <translation>These events did not run at their time.
Tick the ones to run now and press “Run now”.</translation>
    </message>
    <message>
        <source>実行されなかった予定</source>
        <translation>Missed events</translation>
    </message>
    <message>
        <source>タイトル</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>動作</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>予定時刻</source>
        <translation>Due</translation>
    </message>
    <message>
        <source>理由</source>
        <translation>Why</translation>
    </message>
    <message>
        <source>今すぐ実行</source>
        <translation>Run now</translation>
    </message>
    <message>
        <source>チェックを付けた予定を今すぐ実行します</source>
        <translation>Runs the ticked events now</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>何も実行せずに閉じます</source>
        <translation>Closes without running anything</translation>
    </message>
    <message>
        <source>%1（ほか %2 回）</source>
        <translation>%1 (and %2 more times)</translation>
    </message>
</context>
<context>
    <name>rimo::CatchUp</name>
    <message>
        <source>&apos;%1&apos; は時刻ではありません</source>
        <translation>&apos;%1&apos; is not a time</translation>
    </message>
    <message>
        <source>&apos;%1&apos; は日付ではありません</source>
        <translation>&apos;%1&apos; is not a date</translation>
    </message>
</context>
<context>
    <name>rimo::CellHint</name>
    <message>
        <source>選択して左クリックで入力、右クリックで行の操作</source>
        <translation>Select and left-click to edit, right-click for the row menu</translation>
    </message>
    <message>
        <source>繰り返し（毎日、毎週等）の指定</source>
        <translation>How the row repeats (daily, weekly...)</translation>
    </message>
    <message>
        <source>指定日の入力</source>
        <translation>The date</translation>
    </message>
    <message>
        <source>指定時刻の入力</source>
        <translation>The time</translation>
    </message>
    <message>
        <source>動作の指定</source>
        <translation>What to do</translation>
    </message>
    <message>
        <source>選択して左クリックでメッセージ入力、右クリックでパス参照、D&amp;Dも可能</source>
        <translation>Select and left-click to type a message, right-click to browse for a path, or drop a file</translation>
    </message>
    <message>
        <source>実行後のスケジュール処理</source>
        <translation>What happens to the row after it runs</translation>
    </message>
    <message>
        <source>○で有効</source>
        <translation>✓ turns the row on</translation>
    </message>
</context>
<context>
    <name>rimo::ClockPage</name>
    <message>
        <source>時刻を問い合わせるプロトコルを指定</source>
        <translation>The protocol that asks for the time</translation>
    </message>
    <message>
        <source>プロトコル</source>
        <translation>Protocol</translation>
    </message>
    <message>
        <source>結果</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>サーバーの応答が %1 バイトしかありません（NTPの応答は48バイト以上です）。</source>
        <translation>The server replied with only %1 bytes (an NTP reply has at least 48).</translation>
    </message>
    <message>
        <source>送った要求への応答ではないものが届きました（発信元タイムスタンプが違います）。</source>
        <translation>A reply arrived that does not answer the request sent (its origin timestamp differs).</translation>
    </message>
    <message>
        <source>問い合わせたサーバー以外（%1）から応答が届きました。</source>
        <translation>A reply came from another host (%1) than the server asked.</translation>
    </message>
    <message>
        <source>NTPのバージョン %1 の応答です（使えるのは3と4です）。</source>
        <translation>The reply is NTP version %1 (versions 3 and 4 are supported).</translation>
    </message>
    <message>
        <source>サーバーからの応答ではありません（モード %1）。</source>
        <translation>The reply is not from a server (mode %1).</translation>
    </message>
    <message>
        <source>サーバーから問い合わせの停止を求められました（%1）。%2 分間はこのサーバーに問い合わせません。</source>
        <translation>The server asked us to stop querying it (%1). It will not be asked for %2 minutes.</translation>
    </message>
    <message>
        <source>サーバーが時刻を返しませんでした（%1）。</source>
        <translation>The server did not return the time (%1).</translation>
    </message>
    <message>
        <source>サーバーから問い合わせの停止を求められています（%1）。あと %2 分はこのサーバーに問い合わせません。</source>
        <translation>The server has asked us to stop querying it (%1). It will not be asked for another %2 minutes.</translation>
    </message>
    <message>
        <source>サーバー自身の時刻が合わせられていません（うるう秒指示子 %1、階層 %2）。</source>
        <translation>The server&apos;s own clock is not synchronised (leap indicator %1, stratum %2).</translation>
    </message>
    <message>
        <source>サーバーの応答に送信時刻がありません。</source>
        <translation>The server&apos;s reply has no transmit time.</translation>
    </message>
    <message>
        <source>往復時間 %1 秒がタイムアウト %2 ミリ秒より長くかかりました。</source>
        <translation>The round trip of %1 s took longer than the time-out of %2 ms.</translation>
    </message>
    <message>
        <source>サーバーの時刻が往復時間と矛盾しています（往復 %1 秒）。</source>
        <translation>The server&apos;s times contradict the round trip (%1 s).</translation>
    </message>
    <message>
        <source>自動時刻合わせが有効なため、時計は変更していません。
サーバーとの差 %1 秒</source>
        <translation>Automatic clock synchronisation is on, so the clock was not changed.
Offset from the server: %1 s</translation>
    </message>
    <message>
        <source>時刻設定</source>
        <translation>Clock sync</translation>
    </message>
    <message>
        <source>時刻取得のための設定をします</source>
        <translation>Settings for getting the time</translation>
    </message>
    <message>
        <source>タイムサーバーを指定</source>
        <translation>The time server</translation>
    </message>
    <message>
        <source>サーバー：</source>
        <translation>Server:</translation>
    </message>
    <message>
        <source>タイムアウト：</source>
        <translation>Time-out:</translation>
    </message>
    <message>
        <source>タイムアウトを指定</source>
        <translation>The time-out</translation>
    </message>
    <message>
        <source>ﾐﾘ秒</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>起動時からの時刻合わせログを表示</source>
        <translation>The clock syncs since the program started</translation>
    </message>
    <message>
        <source>今すぐ実行</source>
        <translation>Sync now</translation>
    </message>
    <message>
        <source>時刻合わせを実行します</source>
        <translation>Synchronises the clock now</translation>
    </message>
    <message>
        <source>ﾒｯｾｰｼﾞ表示(&amp;M)</source>
        <translation>&amp;Message</translation>
    </message>
    <message>
        <source>チェックを入れると時刻合わせ完了後メッセージを表示</source>
        <translation>When ticked, a message is shown after each sync</translation>
    </message>
    <message>
        <source>ﾛｸﾞを見る</source>
        <translation>View log</translation>
    </message>
    <message>
        <source>ログ・ファイルを開きます</source>
        <translation>Opens the log file</translation>
    </message>
    <message>
        <source>ﾛｸﾞを残す(&amp;R)</source>
        <translation>Keep a &amp;log</translation>
    </message>
    <message>
        <source>チェックを入れるとログを残します</source>
        <translation>When ticked, each sync is written to the log</translation>
    </message>
    <message>
        <source>時刻合わせ失敗しました。</source>
        <translation>The clock sync failed.</translation>
    </message>
    <message>
        <source>ホスト名を入力して下さい。</source>
        <translation>Please enter a host name.</translation>
    </message>
    <message>
        <source>タイムアウトを入力して下さい。</source>
        <translation>Please enter a time-out.</translation>
    </message>
    <message>
        <source>インターネットに接続されていません。接続後もう一度お試しください。</source>
        <translation>Not connected to the Internet. Please connect and try again.</translation>
    </message>
    <message>
        <source>時刻合わせが出来ません。インターネット又はネットワークに接続して下さい。</source>
        <translation>Cannot sync the clock. Please connect to the Internet or a network.</translation>
    </message>
    <message>
        <source>ホスト名の再指定</source>
        <translation>Host name</translation>
    </message>
    <message>
        <source>無効なホスト名です。ホスト名を再指定して下さい。</source>
        <translation>The host name is not valid. Please enter another one.</translation>
    </message>
    <message>
        <source>時刻合わせ完了しました。</source>
        <translation>The clock was synchronised.</translation>
    </message>
</context>
<context>
    <name>rimo::DayTimeReply</name>
    <message>
        <source>&apos;%1&apos; は日付または時刻ではありません</source>
        <translation>&apos;%1&apos; is not a date or time</translation>
    </message>
</context>
<context>
    <name>rimo::DesktopApplications</name>
    <message>
        <source>起動できるアプリケーションエントリではありません: %1</source>
        <translation>Not an application entry that can be started: %1</translation>
    </message>
</context>
<context>
    <name>rimo::DesktopExec</name>
    <message>
        <source>アプリケーションエントリの Exec が読めません: %1 (%2)</source>
        <translation>Cannot read the Exec line of the application entry: %1 (%2)</translation>
    </message>
</context>
<context>
    <name>rimo::DesktopProgramStarter</name>
    <message>
        <source>ファイルが見つかりません: %1</source>
        <translation>File not found: %1</translation>
    </message>
    <message>
        <source>開くアプリケーションがありません: %1</source>
        <translation>No application opens %1</translation>
    </message>
    <message>
        <source>端末の中で動くアプリケーションですが、端末が見つかりません: %1</source>
        <translation>The application runs in a terminal, but no terminal was found: %1</translation>
    </message>
    <message>
        <source>作業フォルダがありません: %1</source>
        <translation>The working folder does not exist: %1</translation>
    </message>
    <message>
        <source>プログラムが見つかりません: %1</source>
        <translation>Program not found: %1</translation>
    </message>
    <message>
        <source>プログラムを起動できません: %1</source>
        <translation>Cannot start the program: %1</translation>
    </message>
    <message>
        <source>起動するものが指定されていません</source>
        <translation>Nothing to start was given</translation>
    </message>
</context>
<context>
    <name>rimo::DesktopWallpaper</name>
    <message>
        <source>壁紙を変更できませんでした: %1</source>
        <translation>Could not change the wallpaper: %1</translation>
    </message>
    <message>
        <source>KDE の壁紙は外せません</source>
        <translation>The KDE wallpaper cannot be removed</translation>
    </message>
    <message>
        <source>sway の壁紙は外せません</source>
        <translation>The sway wallpaper cannot be removed</translation>
    </message>
    <message>
        <source>%1: sway が扱えない文字を含むパスです</source>
        <translation>%1: the path has characters sway cannot take</translation>
    </message>
    <message>
        <source>このデスクトップでは壁紙を外せません</source>
        <translation>This desktop cannot remove the wallpaper</translation>
    </message>
    <message>
        <source>このデスクトップには壁紙を変える手段（xdg-desktop-portal の Wallpaper）がありません</source>
        <translation>This desktop has no way to change the wallpaper (the Wallpaper portal of xdg-desktop-portal)</translation>
    </message>
    <message>
        <source>xfconf-query を起動できません</source>
        <translation>Cannot start xfconf-query</translation>
    </message>
    <message>
        <source>%1 がありません</source>
        <translation>%1 is missing</translation>
    </message>
    <message>
        <source>%1 (終了コード %2)%3</source>
        <translation>%1 (exit code %2)%3</translation>
    </message>
    <message>
        <source>%1 を起動できません</source>
        <translation>Cannot start %1</translation>
    </message>
</context>
<context>
    <name>rimo::FileIo</name>
    <message>
        <source>ファイル %1 を読み込めません: %2</source>
        <translation>Cannot read the file %1: %2</translation>
    </message>
    <message>
        <source>ファイル %1 に書き込めません: %2</source>
        <translation>Cannot write the file %1: %2</translation>
    </message>
    <message>
        <source>ファイル %1 を退避できません: %2</source>
        <translation>Cannot move the file %1 aside: %2</translation>
    </message>
    <message>
        <source>通常のファイルではありません</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>大きすぎます (上限 %1 バイト)</source>
        <translation>too large (the limit is %1 bytes)</translation>
    </message>
    <message>
        <source>このフォルダーのリンクはたどりません</source>
        <translation>links in this folder are not followed</translation>
    </message>
</context>
<context>
    <name>rimo::FormSettings</name>
    <message>
        <source>設定 %1: コントロール %2 に値を入れられません</source>
        <translation>Setting %1: cannot put the value into the control %2</translation>
    </message>
</context>
<context>
    <name>rimo::HelpPage</name>
    <message>
        <source>ヘルプのページを置く、このユーザー専用のフォルダーがありません</source>
        <translation>There is no private folder of this user to put the help page in</translation>
    </message>
</context>
<context>
    <name>rimo::HistoryDatabase</name>
    <message>
        <source>SQLite のドライバーがありません（Debian のパッケージ libqt6sql6-sqlite）。</source>
        <translation>The SQLite driver is missing (Debian package libqt6sql6-sqlite).</translation>
    </message>
    <message>
        <source>開けません</source>
        <translation>cannot be opened</translation>
    </message>
    <message>
        <source>読めません</source>
        <translation>cannot be read</translation>
    </message>
    <message>
        <source>壊れています</source>
        <translation>is damaged</translation>
    </message>
    <message>
        <source>このプログラムの実行履歴ではありません</source>
        <translation>is not this program’s run history</translation>
    </message>
    <message>
        <source>WAL モードにできません</source>
        <translation>cannot be put in WAL mode</translation>
    </message>
    <message>
        <source>作れません</source>
        <translation>cannot be created</translation>
    </message>
    <message>
        <source>普通のファイルではありません</source>
        <translation>is not a regular file</translation>
    </message>
    <message>
        <source>実行履歴 %1 を作れません。履歴は記録されません。</source>
        <translation>The run history %1 cannot be created. Runs will not be recorded.</translation>
    </message>
    <message>
        <source>実行履歴 %1 が使えません（%2）。%3
履歴は記録されません。</source>
        <translation>The run history %1 cannot be used (%2). %3
Runs will not be recorded.</translation>
    </message>
    <message>
        <source>実行履歴 %1 が使えません（%2）。
%3 に移して、新しい履歴を始めます。</source>
        <translation>The run history %1 cannot be used (%2).
It was moved to %3 and a new history begins.</translation>
    </message>
    <message>
        <source>実行履歴 %1 がありません</source>
        <translation>There is no run history %1</translation>
    </message>
    <message>
        <source>書き込めません</source>
        <translation>cannot be written</translation>
    </message>
</context>
<context>
    <name>rimo::HistoryModel</name>
    <message>
        <source>予定時刻</source>
        <translation>Due</translation>
    </message>
    <message>
        <source>実行時刻</source>
        <translation>Started</translation>
    </message>
    <message>
        <source>遅れ</source>
        <translation>Late by</translation>
    </message>
    <message>
        <source>タイトル</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>動作</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>引数</source>
        <translation>Argument</translation>
    </message>
    <message>
        <source>結果</source>
        <translation>Outcome</translation>
    </message>
    <message>
        <source>詳細</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>RIMOタイマー</source>
        <translation>RIMO Timer</translation>
    </message>
    <message>
        <source>完了</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>失敗</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>見逃し</source>
        <translation>Missed</translation>
    </message>
    <message>
        <source>スリープ中（または停止中）でした</source>
        <translation>The computer was asleep (or stopped)</translation>
    </message>
    <message>
        <source>時計が進められました</source>
        <translation>The clock was set forward</translation>
    </message>
    <message>
        <source>プログラムが起動していませんでした</source>
        <translation>The program was not running</translation>
    </message>
    <message>
        <source>動作または引数が使えません</source>
        <translation>The action or its argument cannot be used</translation>
    </message>
    <message>
        <source>テスト</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>今すぐ実行</source>
        <translation>Run now</translation>
    </message>
    <message>
        <source>タイマー</source>
        <translation>Timer</translation>
    </message>
    <message>
        <source>終了コード %1</source>
        <translation>Exit code %1</translation>
    </message>
    <message>
        <source>シグナル %1 で終了</source>
        <translation>Ended by signal %1</translation>
    </message>
    <message>
        <source>差 %1 秒（時計を合わせました）</source>
        <translation>Off by %1 s (clock set)</translation>
    </message>
    <message>
        <source>差 %1 秒（計測のみ）</source>
        <translation>Off by %1 s (measured only)</translation>
    </message>
    <message>
        <source>%1 回（最後は %2）</source>
        <translation>%1 times (last at %2)</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>%1 ミリ秒</source>
        <translation>%1 ms</translation>
    </message>
    <message>
        <source>%1 秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1:%2:%3</source>
        <translation>%1:%2:%3</translation>
    </message>
</context>
<context>
    <name>rimo::HistoryWindow</name>
    <message>
        <source>実行履歴 - RimoTimeInformation</source>
        <translation>Run history - RimoTimeInformation</translation>
    </message>
    <message>
        <source>タイトル(&amp;T):</source>
        <translation>&amp;Title:</translation>
    </message>
    <message>
        <source>タイトルにこの文字を含む行だけを表示します</source>
        <translation>Shows only the rows whose title contains this text</translation>
    </message>
    <message>
        <source>結果(&amp;O):</source>
        <translation>&amp;Outcome:</translation>
    </message>
    <message>
        <source>すべて</source>
        <translation>All</translation>
    </message>
    <message>
        <source>読み込み中…</source>
        <translation>Loading…</translation>
    </message>
    <message>
        <source>実行履歴</source>
        <translation>Run history</translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>選んだ行（選んでいなければ表示中のすべて）をクリップボードにコピーします</source>
        <translation>Copies the selected rows (or all shown rows when none is selected) to the clipboard</translation>
    </message>
    <message>
        <source>CSVで保存</source>
        <translation>Save as CSV</translation>
    </message>
    <message>
        <source>表示中の行をCSVファイルに保存します</source>
        <translation>Saves the shown rows to a CSV file</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>%1 件（全 %2 件）</source>
        <translation>%1 of %2 entries</translation>
    </message>
    <message>
        <source>CSV ファイル (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
</context>
<context>
    <name>rimo::LanguageComboBox</name>
    <message>
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
</context>
<context>
    <name>rimo::LaunchButtonDialog</name>
    <message>
        <source>表示ｱｲｺﾝ</source>
        <translation>Icon</translation>
    </message>
    <message>
        <source>表示ｱｲｺﾝの選択</source>
        <translation>Choose the icon</translation>
    </message>
    <message>
        <source>アプリケーションの設定</source>
        <translation>Application settings</translation>
    </message>
    <message>
        <source>タイトル：</source>
        <translation>Title:</translation>
    </message>
    <message>
        <source>パス名：</source>
        <translation>Path:</translation>
    </message>
    <message>
        <source>初期ﾃﾞｨﾚｸﾄﾘ：</source>
        <translation>Start in:</translation>
    </message>
    <message>
        <source>起動時の状態：</source>
        <translation>Run:</translation>
    </message>
    <message>
        <source>起動時ｵﾌﾟｼｮﾝ：</source>
        <translation>Options:</translation>
    </message>
    <message>
        <source>←表示ｱｲｺﾝの設定</source>
        <translation>← Set the icon</translation>
    </message>
    <message>
        <source>通常の大きさ</source>
        <translation>Normal window</translation>
    </message>
    <message>
        <source>最小化で起動</source>
        <translation>Minimised</translation>
    </message>
    <message>
        <source>最大化で起動</source>
        <translation>Maximised</translation>
    </message>
    <message>
        <source>参照</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>登録するプログラムを検索します</source>
        <translation>Finds the program to add</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>このアイコンの情報を削除します</source>
        <translation>Deletes this button&apos;s settings</translation>
    </message>
    <message>
        <source>アイコンを別の場所から設定します</source>
        <translation>Takes the icon from another file</translation>
    </message>
    <message>
        <source>アイコンを選択します</source>
        <translation>Chooses the icon</translation>
    </message>
    <message>
        <source>標準</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>デフォルトのアイコンに戻します</source>
        <translation>Goes back to the default icon</translation>
    </message>
    <message>
        <source>変更点を適用します</source>
        <translation>Applies the changes</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>変更をすべて破棄して終了します</source>
        <translation>Discards all changes and closes</translation>
    </message>
    <message>
        <source>このファイルにはアイコンがありません！！</source>
        <translation>This file has no icon.</translation>
    </message>
    <message>
        <source>このアイコンを削除してよろしいですか？</source>
        <translation>Delete this button?</translation>
    </message>
    <message>
        <source>パス名は必ず必要です！！</source>
        <translation>A path is required.</translation>
    </message>
    <message>
        <source>ファイル（ディレクトリ）が存在しません！！</source>
        <translation>The file (folder) does not exist.</translation>
    </message>
</context>
<context>
    <name>rimo::LaunchClipboard</name>
    <message>
        <source>%1 のｱｲｺﾝを %2 に上書きして宜しいですか?</source>
        <translation>Replace the button %1 with %2?</translation>
    </message>
    <message>
        <source>%1 のｱｲｺﾝを削除します。<byte value="xd"/>
<byte value="xd"/>
復旧は出来ませんが宜しいですか?</source>
        <translation>The button %1 will be deleted.

This cannot be undone. Continue?</translation>
    </message>
</context>
<context>
    <name>rimo::LauncherFile</name>
    <message>
        <source>ランチャーファイル %1 に文字として読めないバイトがあります。読めた内容を使います</source>
        <translation>The launcher file %1 has bytes that are not text. What could be read is used</translation>
    </message>
    <message>
        <source>%1 (空のページとして扱います)</source>
        <translation>%1 (taken as an empty page)</translation>
    </message>
    <message>
        <source>%1。%2。このファイルには書き込みません</source>
        <translation>%1. %2. This file is not written</translation>
    </message>
    <message>
        <source>%1。元のファイルは %2 に残しました</source>
        <translation>%1. The file as it was is kept as %2</translation>
    </message>
    <message>
        <source>ランチャーファイル %1 は読めないため書き込みません</source>
        <translation>The launcher file %1 cannot be read, so it is not written</translation>
    </message>
</context>
<context>
    <name>rimo::LauncherMessages</name>
    <message>
        <source>確認</source>
        <translation>Confirm</translation>
    </message>
</context>
<context>
    <name>rimo::LauncherPage</name>
    <message>
        <source>ランチャー・タイトル</source>
        <translation>Launcher title</translation>
    </message>
    <message>
        <source>%1 行目</source>
        <translation>Row %1</translation>
    </message>
    <message>
        <source>%1 行目 %2</source>
        <translation>Row %1 %2</translation>
    </message>
    <message>
        <source>ランチャー・ページを選択します</source>
        <translation>Chooses the launcher page</translation>
    </message>
    <message>
        <source>確認要(&amp;C)</source>
        <translation>&amp;Confirm</translation>
    </message>
    <message>
        <source>削除時の確認をします</source>
        <translation>Asks before deleting</translation>
    </message>
    <message>
        <source>ﾎﾞﾀﾝ数：</source>
        <translation>Count:</translation>
    </message>
    <message>
        <source>ランチ・ボタンの数を指定</source>
        <translation>The number of launch buttons</translation>
    </message>
    <message>
        <source>選択して削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>選択したボタンを削除します</source>
        <translation>Deletes the ticked buttons</translation>
    </message>
    <message>
        <source>選択して起動</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>選択したボタンを起動します</source>
        <translation>Starts the ticked buttons</translation>
    </message>
    <message>
        <source>全て選択</source>
        <translation>Tick all</translation>
    </message>
    <message>
        <source>反転</source>
        <translation>Invert</translation>
    </message>
    <message>
        <source>ﾁｪｯｸを反転します</source>
        <translation>Inverts the ticks</translation>
    </message>
    <message>
        <source>ランチャー・タイトルを入力</source>
        <translation>Type the launcher title</translation>
    </message>
    <message>
        <source>ﾁｪｯｸして選択</source>
        <translation>Tick to select</translation>
    </message>
    <message>
        <source>ﾀﾞﾌﾞﾙｸﾘｯｸで起動</source>
        <translation>Double-click to start</translation>
    </message>
    <message>
        <source>選択したﾗﾝﾁﾎﾞﾀﾝを起動します</source>
        <translation>Starts the ticked buttons</translation>
    </message>
    <message>
        <source>選択したﾗﾝﾁﾎﾞﾀﾝのｱｲｺﾝを削除します</source>
        <translation>Deletes the ticked buttons</translation>
    </message>
    <message>
        <source>全て解除</source>
        <translation>Untick all</translation>
    </message>
    <message>
        <source>全てのﾗﾝﾁﾎﾞﾀﾝを解除します</source>
        <translation>Unticks all buttons</translation>
    </message>
    <message>
        <source>全てのﾗﾝﾁﾎﾞﾀﾝを選択します</source>
        <translation>Ticks all buttons</translation>
    </message>
    <message>
        <source>選択した全てのｱｲｺﾝを削除します。<byte value="xd"/>
<byte value="xd"/>
復旧は出来ませんが宜しいですか?</source>
        <translation>All ticked buttons will be deleted.

This cannot be undone. Continue?</translation>
    </message>
    <message>
        <source>情報</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>削除するｱｲｺﾝはありません。</source>
        <translation>No buttons to delete.</translation>
    </message>
    <message>
        <source>切り取り(&amp;T)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
</context>
<context>
    <name>rimo::OpenDialog1</name>
    <message>
        <source>ファイル名の指定</source>
        <translation>Choose a file</translation>
    </message>
</context>
<context>
    <name>rimo::OwnFolder</name>
    <message>
        <source>フォルダー %1 を作れません: %2</source>
        <translation>Cannot create the folder %1: %2</translation>
    </message>
    <message>
        <source>フォルダーではありません</source>
        <translation>is not a folder</translation>
    </message>
    <message>
        <source>このユーザーではなく uid %1 のものです</source>
        <translation>belongs to uid %1, not to this user</translation>
    </message>
    <message>
        <source>他のユーザーも書き込めます (モード %1)</source>
        <translation>can be written by other users (mode %1)</translation>
    </message>
    <message>
        <source>フォルダー %1 を調べられません: %2</source>
        <translation>Cannot check the folder %1: %2</translation>
    </message>
    <message>
        <source>フォルダー %1 は%2</source>
        <translation>The folder %1 %2</translation>
    </message>
</context>
<context>
    <name>rimo::PageControl</name>
    <message>
        <source>ページ</source>
        <translation>Pages</translation>
    </message>
</context>
<context>
    <name>rimo::PortalRequest</name>
    <message>
        <source>取り消されました</source>
        <translation>cancelled</translation>
    </message>
    <message>
        <source>ポータルが失敗を返しました</source>
        <translation>the portal reported a failure</translation>
    </message>
</context>
<context>
    <name>rimo::ProgramOptions</name>
    <message>
        <source>思いがけない引数 &apos;%1&apos;</source>
        <translation>unexpected argument &apos;%1&apos;</translation>
    </message>
    <message>
        <source>オプション &apos;%1&apos; の値は次の引数に書きます: -%2 %3</source>
        <translation>option &apos;%1&apos; takes its value as the next argument: -%2 %3</translation>
    </message>
    <message>
        <source>知らないオプション &apos;%1&apos;</source>
        <translation>unknown option &apos;%1&apos;</translation>
    </message>
    <message>
        <source>オプション &apos;%1&apos; には値が要ります</source>
        <translation>option &apos;%1&apos; needs a value</translation>
    </message>
    <message>
        <source>RimoTimeInformation %1: 決めた日時にいろいろなことをする常駐タイマー
(スケジュール、時刻合わせ、カウントダウン・タイマー、ランチャー)。</source>
        <translation>RimoTimeInformation %1: a tray timer that does things at chosen dates and times
(schedule, clock synchronisation, countdown timer, launcher).</translation>
    </message>
    <message>
        <source>  %1 (最初の起動で作ります)</source>
        <translation>  %1 (made at the first start)</translation>
    </message>
    <message>
        <source>  プログラムと同じフォルダー %1 のファイルは使いません: %2</source>
        <translation>  Files beside the program in %1 are not used: %2</translation>
    </message>
    <message>
        <source>%1.ini か %1.dat のあるフォルダーに置いたプログラムは、そのフォルダーにファイルを置きます (持ち運び用)。</source>
        <translation>A copy of the program whose folder holds %1.ini or %1.dat keeps its files there (portable use).</translation>
    </message>
    <message>
        <source>オプション &apos;--since&apos; には日付 (YYYY-MM-DD) が要ります</source>
        <translation>option &apos;--since&apos; needs a day (YYYY-MM-DD)</translation>
    </message>
    <message>
        <source>&apos;%1&apos; は YYYY-MM-DD の形の日付ではありません</source>
        <translation>&apos;%1&apos; is not a day of the form YYYY-MM-DD</translation>
    </message>
    <message>
        <source>オプション &apos;--since&apos; と &apos;--csv&apos; は &apos;--history&apos; と一緒に使います</source>
        <translation>options &apos;--since&apos; and &apos;--csv&apos; go with &apos;--history&apos;</translation>
    </message>
    <message>
        <source>使い方: rimotime [--help] [--version] [--history [--since YYYY-MM-DD] [--csv]]</source>
        <translation>Usage: rimotime [--help] [--version] [--history [--since YYYY-MM-DD] [--csv]]</translation>
    </message>
    <message>
        <source>  -h, --help     このヘルプを表示して終わります
      --version  バージョンを表示して終わります
      --history  実行履歴を古い順に 1 行ずつ表示して終わります
                 (プログラムの実行中でも使えます)
      --since YYYY-MM-DD
                 その日からの記録だけ
      --csv      CSV (RFC 4180) で。見出しは
                 due,started,lateness_ms,title,action,argument,outcome,detail、
                 outcome は done、failed か missed
Qt 自身のオプション (-platform, -style, -session など) は Qt に渡します。</source>
        <translation>  -h, --help     show this help and end
      --version  show the version and end
      --history  print the run history, oldest first, one entry a line,
                 and end (also while the program runs)
      --since YYYY-MM-DD
                 only the entries from that day on
      --csv      as CSV (RFC 4180) with the header
                 due,started,lateness_ms,title,action,argument,outcome,detail;
                 outcome is done, failed or missed
Qt&apos;s own options (-platform, -style, -session, ...) are passed on to Qt.</translation>
    </message>
    <message>
        <source>ファイル (設定、スケジュール、ログ、ランチャー・ページ、実行履歴):</source>
        <translation>Files (settings, schedule, log, launcher pages, run history):</translation>
    </message>
</context>
<context>
    <name>rimo::ProtocolComboBox</name>
    <message>
        <source>NTP</source>
        <translation>NTP</translation>
    </message>
    <message>
        <source>daytime</source>
        <translation>daytime</translation>
    </message>
</context>
<context>
    <name>rimo::RunHistory</name>
    <message>
        <source>実行履歴 %1 に書き込めません。
%2</source>
        <translation>The run history %1 cannot be written.
%2</translation>
    </message>
</context>
<context>
    <name>rimo::RuntimeFolder</name>
    <message>
        <source>%1 はこのユーザーのフォルダーではありません</source>
        <translation>%1 is not a folder of this user</translation>
    </message>
</context>
<context>
    <name>rimo::ScheduleCellEditors</name>
    <message>
        <source>繰り返さない</source>
        <translation>No repeat</translation>
    </message>
    <message>
        <source>クリックで日付入力、ドロップダウンで日付クリック</source>
        <translation>Type the date, or pick it from the drop-down calendar</translation>
    </message>
</context>
<context>
    <name>rimo::ScheduleEditRules</name>
    <message>
        <source>日付が指定されていません。</source>
        <translation>No date is given.</translation>
    </message>
    <message>
        <source>時刻が指定されていません。</source>
        <translation>No time is given.</translation>
    </message>
    <message>
        <source>動作が指定されていません。</source>
        <translation>No action is given.</translation>
    </message>
    <message>
        <source>メッセージが指定されていません。</source>
        <translation>No message is given.</translation>
    </message>
    <message>
        <source>起動パスが指定されていません。</source>
        <translation>No path to start is given.</translation>
    </message>
</context>
<context>
    <name>rimo::ScheduleFile</name>
    <message>
        <source>文字コードとして読めないバイトがあります (その文字は %1 に置き換えました)</source>
        <translation>There are bytes that are not text (each was replaced by %1)</translation>
    </message>
    <message>
        <source>1 行目の列数 %1 は整数ではありません</source>
        <translation>The column count %1 on line 1 is not an integer</translation>
    </message>
    <message>
        <source>2 行目の行数 %1 は整数ではありません</source>
        <translation>The row count %1 on line 2 is not an integer</translation>
    </message>
    <message>
        <source>列数が %1 です (%2 列のはずです)</source>
        <translation>There are %1 columns (there should be %2)</translation>
    </message>
    <message>
        <source>行数 %1 は 1 から %2 の範囲にありません</source>
        <translation>The row count %1 is not between 1 and %2</translation>
    </message>
    <message>
        <source>ファイルの終わりに余分な行が %1 行あります</source>
        <translation>There are %1 extra lines at the end of the file</translation>
    </message>
    <message>
        <source>行が多すぎます。最初の %1 行だけを読みました</source>
        <translation>Too many rows. Only the first %1 were read</translation>
    </message>
    <message>
        <source>元のファイルは %1 に残しました</source>
        <translation>The file as it was is kept as %1</translation>
    </message>
    <message>
        <source>元のファイルはそのまま残し、スケジュールは %1 に保存します</source>
        <translation>The file is left untouched; the schedule is saved to %1</translation>
    </message>
</context>
<context>
    <name>rimo::ScheduleFileInput</name>
    <message>
        <source>画像ファイル (*.png *.jpg *.jpeg *.bmp *.webp *.svg)</source>
        <translation>Images (*.png *.jpg *.jpeg *.bmp *.webp *.svg)</translation>
    </message>
    <message>
        <source>すべてのファイル (*)</source>
        <translation>All files (*)</translation>
    </message>
</context>
<context>
    <name>rimo::ScheduleGrid</name>
    <message>
        <source>スケジュール</source>
        <translation>Schedule</translation>
    </message>
    <message>
        <source>Tab と Shift+Tab でセルを移動、Enter・F2・F4・Alt+下矢印でセルを編集、Menu キーか Shift+F10 で行のメニュー、Ctrl+Tab・Ctrl+Shift+Tab・Esc で表の外へ移ります。</source>
        <translation>Tab and Shift+Tab move between cells; Enter, F2, F4 or Alt+Down edits a cell; the Menu key or Shift+F10 opens the row menu; Ctrl+Tab, Ctrl+Shift+Tab or Esc leaves the table.</translation>
    </message>
</context>
<context>
    <name>rimo::SchedulePopupMenu</name>
    <message>
        <source>挿入(&amp;I)</source>
        <translation>&amp;Insert</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>追加(&amp;A)</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>テスト(&amp;T)</source>
        <translation>&amp;Test</translation>
    </message>
    <message>
        <source>参照(&amp;R)</source>
        <translation>&amp;Browse...</translation>
    </message>
    <message>
        <source>実行履歴(&amp;R)...</source>
        <translation>Run &amp;history...</translation>
    </message>
</context>
<context>
    <name>rimo::ScheduleWords</name>
    <message>
        <source>30分毎</source>
        <translation>Half-hourly</translation>
    </message>
    <message>
        <source>毎時</source>
        <translation>Hourly</translation>
    </message>
    <message>
        <source>毎日</source>
        <translation>Daily</translation>
    </message>
    <message>
        <source>月～金</source>
        <translation>Weekdays</translation>
    </message>
    <message>
        <source>土日</source>
        <translation>Weekends</translation>
    </message>
    <message>
        <source>毎週</source>
        <translation>Weekly</translation>
    </message>
    <message>
        <source>毎月</source>
        <translation>Monthly</translation>
    </message>
    <message>
        <source>毎年</source>
        <translation>Yearly</translation>
    </message>
    <message>
        <source>隔時</source>
        <translation>Every 2 hours</translation>
    </message>
    <message>
        <source>隔日</source>
        <translation>Every 2 days</translation>
    </message>
    <message>
        <source>隔週</source>
        <translation>Every 2 weeks</translation>
    </message>
    <message>
        <source>隔月</source>
        <translation>Every 2 months</translation>
    </message>
    <message>
        <source>隔年</source>
        <translation>Every 2 years</translation>
    </message>
    <message>
        <source>警告音</source>
        <translation>Beep</translation>
    </message>
    <message>
        <source>時刻合わせ</source>
        <translation>Sync clock</translation>
    </message>
    <message>
        <source>ｼｬｯﾄﾀﾞｳﾝ</source>
        <translation>Shut down</translation>
    </message>
    <message>
        <source>ログオフ</source>
        <translation>Log off</translation>
    </message>
    <message>
        <source>リブート</source>
        <translation>Restart</translation>
    </message>
    <message>
        <source>スタンバイ</source>
        <translation>Suspend</translation>
    </message>
    <message>
        <source>ﾊｲﾊﾞﾈｰｼｮﾝ</source>
        <translation>Hibernate</translation>
    </message>
    <message>
        <source>しない</source>
        <translation>No</translation>
    </message>
    <message>
        <source>する</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>○</source>
        <translation>✓</translation>
    </message>
    <message>
        <source>×</source>
        <translation>✗</translation>
    </message>
    <message>
        <source>メッセージ</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>起動</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>ランチャー</source>
        <translation>Launcher</translation>
    </message>
    <message>
        <source>ScreenSave</source>
        <translation>Screen saver</translation>
    </message>
    <message>
        <source>壁紙変更</source>
        <translation>Wallpaper</translation>
    </message>
    <message>
        <source>サウンド</source>
        <translation>Sound</translation>
    </message>
    <message>
        <source>タイトル</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>繰り返し</source>
        <translation>Repeat</translation>
    </message>
    <message>
        <source>日付指定</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>時刻指定</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>動作指定</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>メッセージ(起動パス)</source>
        <translation>Message (path)</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>有効</source>
        <translation>On</translation>
    </message>
    <message>
        <source>%1/%2</source>
        <translation>%1 %2</translation>
    </message>
</context>
<context>
    <name>rimo::SessionScreenSaver</name>
    <message>
        <source>スクリーンセーバーを起動できません: このセッションには起動する手段（org.gnome.ScreenSaver、org.freedesktop.ScreenSaver）がありません。</source>
        <translation>Cannot start the screen saver: this session has no way to start it (org.gnome.ScreenSaver, org.freedesktop.ScreenSaver).</translation>
    </message>
</context>
<context>
    <name>rimo::SettingsFile</name>
    <message>
        <source>文字として読めないバイトがあります (読めた設定は使います)</source>
        <translation>There are bytes that are not text (the settings that could be read are used)</translation>
    </message>
    <message>
        <source>元のファイルは %1 に残しました</source>
        <translation>The file as it was is kept as %1</translation>
    </message>
    <message>
        <source>[%1] %2 が %3 回あります。最初の値を使い、残りは次の保存で除きます</source>
        <translation>[%1] %2 appears %3 times. The first value is used; the others are dropped at the next save</translation>
    </message>
</context>
<context>
    <name>rimo::SettingsPage</name>
    <message>
        <source>ウィンドウ</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>ウィンドウの設定</source>
        <translation>Window settings</translation>
    </message>
    <message>
        <source>常に手前に表示する</source>
        <translation>Always on top</translation>
    </message>
    <message>
        <source>ウィンドウを常に手前に表示します</source>
        <translation>Keeps the window above the others</translation>
    </message>
    <message>
        <source>固定する</source>
        <translation>Fixed</translation>
    </message>
    <message>
        <source>ウィンドウを固定します</source>
        <translation>Keeps the window from being moved</translation>
    </message>
    <message>
        <source>タイトルバー</source>
        <translation>Title bar</translation>
    </message>
    <message>
        <source>タイトルバーの設定</source>
        <translation>Title bar settings</translation>
    </message>
    <message>
        <source>スクロールさせる</source>
        <translation>Scroll</translation>
    </message>
    <message>
        <source>タイトルバーをスクロールします</source>
        <translation>Scrolls the title bar</translation>
    </message>
    <message>
        <source>次のイベントを表示</source>
        <translation>Show next event</translation>
    </message>
    <message>
        <source>次のイベントを表示します</source>
        <translation>Shows the next event in the title bar</translation>
    </message>
    <message>
        <source>スクリーンセーバー</source>
        <translation>Screen saver</translation>
    </message>
    <message>
        <source>スクリーンセーバーの設定</source>
        <translation>Screen saver settings</translation>
    </message>
    <message>
        <source>変更後起動</source>
        <translation>Start after change</translation>
    </message>
    <message>
        <source>スクリーンセーバーを変更後起動します</source>
        <translation>Starts the screen saver after changing it</translation>
    </message>
    <message>
        <source>起動処理</source>
        <translation>At start</translation>
    </message>
    <message>
        <source>起動の設定</source>
        <translation>Start-up settings</translation>
    </message>
    <message>
        <source>最小化・非表示する</source>
        <translation>Minimise or hide</translation>
    </message>
    <message>
        <source>起動後最小化・非表示します</source>
        <translation>Minimises or hides the window after start</translation>
    </message>
    <message>
        <source>スタートアップ登録</source>
        <translation>Start at log-in</translation>
    </message>
    <message>
        <source>スタートアップに登録します</source>
        <translation>Starts the program when you log in</translation>
    </message>
    <message>
        <source>タスクバー</source>
        <translation>Taskbar</translation>
    </message>
    <message>
        <source>タスクバーの設定</source>
        <translation>Taskbar settings</translation>
    </message>
    <message>
        <source>トレイアイコンをアニメーションさせる</source>
        <translation>Animate the tray icon</translation>
    </message>
    <message>
        <source>トレイアイコンをアニメーションさせます</source>
        <translation>Animates the tray icon</translation>
    </message>
    <message>
        <source>アイコン表示</source>
        <translation>Taskbar icon</translation>
    </message>
    <message>
        <source>タスクバーにアイコン表示（ウィンドウ最小化モード）</source>
        <translation>Show on the taskbar (minimise the window)</translation>
    </message>
    <message>
        <source>タスクバーにアイコン非表示（ウィンドウ非表示モード）</source>
        <translation>Hide from the taskbar (hide the window)</translation>
    </message>
    <message>
        <source>言語</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>画面に使う言語</source>
        <translation>The language of the interface</translation>
    </message>
    <message>
        <source>画面に使う言語。自動はデスクトップの言語に従います</source>
        <translation>The language of the interface. Automatic follows the desktop</translation>
    </message>
    <message>
        <source>再起動後に有効になります</source>
        <translation>Takes effect after a restart</translation>
    </message>
    <message>
        <source>言語：</source>
        <translation>Language:</translation>
    </message>
    <message>
        <source>見逃した予定を知らせる</source>
        <translation>Tell me about missed events</translation>
    </message>
    <message>
        <source>スリープ中や終了中に実行されなかった予定を知らせ、今実行するかを選べるようにします</source>
        <translation>Lists the events that did not run while the computer slept or the program was closed, and lets you run them now</translation>
    </message>
</context>
<context>
    <name>rimo::SettingsSchema</name>
    <message>
        <source>%1 は使えない値です。%2 を使います</source>
        <translation>%1 is not a usable value. %2 is used</translation>
    </message>
    <message>
        <source>%1 は時刻ではありません。既定値 %2 を使います</source>
        <translation>%1 is not a time. The default %2 is used</translation>
    </message>
    <message>
        <source>%1 は整数ではありません。既定値 %2 を使います</source>
        <translation>%1 is not an integer. The default %2 is used</translation>
    </message>
</context>
<context>
    <name>rimo::SingleInstance</name>
    <message>
        <source>%1: 書き込めません</source>
        <translation>%1: cannot write</translation>
    </message>
    <message>
        <source>%1: 作れません</source>
        <translation>%1: cannot create</translation>
    </message>
    <message>
        <source>二重起動を防ぐロックファイルを作れません。このまま動きますが、二つ目の起動は防げません。
%1</source>
        <translation>Cannot create the lock file that keeps a second copy from starting. The program runs, but cannot keep a second copy from starting.
%1</translation>
    </message>
</context>
<context>
    <name>rimo::SyncDecision</name>
    <message>
        <source>サーバーの時刻 %1 は、このプログラムの作成日 %2 より前です。</source>
        <translation>The server&apos;s time %1 is before this program was built (%2).</translation>
    </message>
    <message>
        <source>サーバーの時刻 %1 は %2 年より後です。</source>
        <translation>The server&apos;s time %1 is after the year %2.</translation>
    </message>
    <message>
        <source>%1分</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1時間%2分</source>
        <translation>%1 h %2 min</translation>
    </message>
    <message>
        <source>%1日%2時間%3分</source>
        <translation>%1 d %2 h %3 min</translation>
    </message>
    <message>
        <source>サーバーの応答に時刻がありません（日付だけです）。</source>
        <translation>The server&apos;s reply has no time (only a date).</translation>
    </message>
    <message>
        <source>サーバー自身の時刻に5秒を超える誤差のおそれがあると応答されました（状態 %1）。</source>
        <translation>The server says its own clock may be off by more than 5 seconds (health %1).</translation>
    </message>
    <message>
        <source>サーバーの応答にタイムゾーンがなく、このPCの時計と%1ずれています。</source>
        <translation>The server&apos;s reply has no time zone, and it is %1 away from this PC&apos;s clock.</translation>
    </message>
</context>
<context>
    <name>rimo::TForm1</name>
    <message>
        <source>RimoTimeInformation %1</source>
        <translation>RimoTimeInformation %1</translation>
    </message>
    <message>
        <source>追加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>最終行に行を追加します</source>
        <translation>Adds a row at the end</translation>
    </message>
    <message>
        <source>挿入</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>選択した場所に新しく行を挿入します</source>
        <translation>Inserts a new row at the selection</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>選択した行を削除します</source>
        <translation>Deletes the selected row</translation>
    </message>
    <message>
        <source>ソート</source>
        <translation>Sort</translation>
    </message>
    <message>
        <source>スケジュールをソートします</source>
        <translation>Sorts the schedule</translation>
    </message>
    <message>
        <source>テスト</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>選択した行をテストします</source>
        <translation>Tests the selected row</translation>
    </message>
    <message>
        <source>入力を記憶してウィンドウを最小化又は非表示にします</source>
        <translation>Keeps the input and minimises or hides the window</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>スケジュール入力をキャンセルします</source>
        <translation>Cancels the schedule input</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>終了します</source>
        <translation>Exits the program</translation>
    </message>
    <message>
        <source>スケジュール %1 行目: %2 (この行は動かしていません)</source>
        <translation>Schedule row %1: %2 (this row was not moved)</translation>
    </message>
    <message>
        <source>スケジュールファイル %1 に問題があります:</source>
        <translation>The schedule file %1 has problems:</translation>
    </message>
    <message>
        <source>
・%1</source>
        <translation>
• %1</translation>
    </message>
    <message>
        <source>RimoTimeInformation 起動！１秒後に最小化します</source>
        <translation>RimoTimeInformation started! Minimising in 1 second</translation>
    </message>
    <message>
        <source>RimoTimeInformation 起動！１秒後に非表示になります</source>
        <translation>RimoTimeInformation started! Hiding in 1 second</translation>
    </message>
    <message>
        <source>

スケジュールと設定は保存しました。</source>
        <translation>

The schedule and settings were saved.</translation>
    </message>
    <message>
        <source>

保存せずに終了しますか？</source>
        <translation>

Exit without saving?</translation>
    </message>
    <message>
        <source>時刻合わせ(&amp;H)</source>
        <translation>&amp;Sync clock</translation>
    </message>
    <message>
        <source>RIMOタイマー(&amp;T)</source>
        <translation>RIMO &amp;Timer</translation>
    </message>
    <message>
        <source>RIMOランチャー(&amp;L)</source>
        <translation>RIMO &amp;Launcher</translation>
    </message>
    <message>
        <source>設定(&amp;C)...</source>
        <translation>Se&amp;ttings...</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>設定ファイル %1 について:</source>
        <translation>About the settings file %1:</translation>
    </message>
    <message>
        <source>通知領域（トレイ）が見つかりません。ウィンドウから操作できます。通知領域が現れるとアイコンを表示します。</source>
        <translation>No notification area (tray) was found. Use the window instead; the icon appears when a notification area does.</translation>
    </message>
</context>
<context>
    <name>rimo::TLaunchButton</name>
    <message>
        <source>未登録</source>
        <translation>Empty</translation>
    </message>
    <message>
        <source>同時に２個以上のファイルのドラッグ＆ドロップはサポートしていません。</source>
        <translation>Drop one file at a time.</translation>
    </message>
</context>
<context>
    <name>rimo::TimerPage</name>
    <message>
        <source>ｸｨｯｸ設定</source>
        <translation>Quick</translation>
    </message>
    <message>
        <source>タイム設定</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>タイムの設定</source>
        <translation>Sets the time</translation>
    </message>
    <message>
        <source>ｸｨｯｸ設定 ：</source>
        <translation>Quick:</translation>
    </message>
    <message>
        <source>ラーメン・タイマーに最適です</source>
        <translation>Just right for instant noodles</translation>
    </message>
    <message>
        <source>任意・１分・２分・３分・４分・５分・１０分から選択</source>
        <translation>Custom, 1, 2, 3, 4, 5 or 10 minutes</translation>
    </message>
    <message>
        <source>任意</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>１分</source>
        <translation>1 min</translation>
    </message>
    <message>
        <source>２分</source>
        <translation>2 min</translation>
    </message>
    <message>
        <source>３分</source>
        <translation>3 min</translation>
    </message>
    <message>
        <source>４分</source>
        <translation>4 min</translation>
    </message>
    <message>
        <source>５分</source>
        <translation>5 min</translation>
    </message>
    <message>
        <source>１０分</source>
        <translation>10 min</translation>
    </message>
    <message>
        <source>任意設定 ：</source>
        <translation>Custom:</translation>
    </message>
    <message>
        <source>23:59:59まで任意に設定</source>
        <translation>Any time up to 23:59:59</translation>
    </message>
    <message>
        <source>選択してアップダウン</source>
        <translation>Select a part and step it up or down</translation>
    </message>
    <message>
        <source>カウント設定</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>カウントを指定</source>
        <translation>How the time is counted</translation>
    </message>
    <message>
        <source>カウントダウン(&amp;D)</source>
        <translation>Count &amp;down</translation>
    </message>
    <message>
        <source>カウントアップ(&amp;U)</source>
        <translation>Count &amp;up</translation>
    </message>
    <message>
        <source>Loopさせる(&amp;O)</source>
        <translation>L&amp;oop</translation>
    </message>
    <message>
        <source>タイマーをループさせます</source>
        <translation>Starts the timer again each time it ends</translation>
    </message>
    <message>
        <source>経過後動作</source>
        <translation>When time is up</translation>
    </message>
    <message>
        <source>時間経過後の動作を設定</source>
        <translation>What happens when the time is up</translation>
    </message>
    <message>
        <source>警告音を鳴らす(&amp;B)</source>
        <translation>&amp;Beep</translation>
    </message>
    <message>
        <source>警告音を鳴らします</source>
        <translation>Beeps</translation>
    </message>
    <message>
        <source>サウンドを鳴らす(&amp;S)</source>
        <translation>Play a &amp;sound</translation>
    </message>
    <message>
        <source>WAVEファイルを鳴らします</source>
        <translation>Plays a WAVE file</translation>
    </message>
    <message>
        <source>繰り返す(&amp;R)</source>
        <translation>&amp;Repeat</translation>
    </message>
    <message>
        <source>ループさせます</source>
        <translation>Repeats the sound</translation>
    </message>
    <message>
        <source>WAVEパス ： </source>
        <translation>WAVE file: </translation>
    </message>
    <message>
        <source>WAVEファイルのパスを入力</source>
        <translation>The path of the WAVE file</translation>
    </message>
    <message>
        <source>参照</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>参照します</source>
        <translation>Browses for a file</translation>
    </message>
    <message>
        <source>アプリ起動(&amp;C)</source>
        <translation>Start a &amp;program</translation>
    </message>
    <message>
        <source>アプリを起動します</source>
        <translation>Starts a program</translation>
    </message>
    <message>
        <source>起動パス ： </source>
        <translation>Program: </translation>
    </message>
    <message>
        <source>起動パスを入力</source>
        <translation>The path of the program to start</translation>
    </message>
    <message>
        <source>テスト</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>動作テストします</source>
        <translation>Tries the actions</translation>
    </message>
    <message>
        <source>開始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>タイマーを開始します</source>
        <translation>Starts the timer</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>タイマー動作を停止します</source>
        <translation>Stops the timer</translation>
    </message>
    <message>
        <source>タイマーの時間が決まっていません。ｸｨｯｸ設定か任意設定で時間を選んで下さい。</source>
        <translation>The timer has no time set. Please choose a time under Quick or Custom.</translation>
    </message>
    <message>
        <source>すべてのファイル (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>起動パスが空のため、何も起動しませんでした</source>
        <translation>The program path is empty, so nothing was started</translation>
    </message>
    <message>
        <source>タイマーの「アプリ起動」: %1</source>
        <translation>Timer &quot;Start a program&quot;: %1</translation>
    </message>
    <message>
        <source>(%1 回続けて失敗しました)</source>
        <translation>(failed %1 times in a row)</translation>
    </message>
</context>
<context>
    <name>rimo::TimerTexts</name>
    <message>
        <source>%1秒 </source>
        <translation>%1 s </translation>
    </message>
    <message>
        <source>%1分 </source>
        <translation>%1 min </translation>
    </message>
    <message>
        <source>%1分 %2秒 </source>
        <translation>%1 min %2 s </translation>
    </message>
    <message>
        <source>%1時間 </source>
        <translation>%1 h </translation>
    </message>
    <message>
        <source>%1時間 %2秒 </source>
        <translation>%1 h %2 s </translation>
    </message>
    <message>
        <source>%1時間 %2分 </source>
        <translation>%1 h %2 min </translation>
    </message>
    <message>
        <source>%1時間 %2分 %3秒 </source>
        <translation>%1 h %2 min %3 s </translation>
    </message>
    <message>
        <source>残り%1</source>
        <translation>%1 left</translation>
    </message>
    <message>
        <source>経過%1</source>
        <translation>%1 passed</translation>
    </message>
    <message>
        <source>ご指定の %1が経過しました</source>
        <translation>Your %1has passed</translation>
    </message>
    <message>
        <source>RimoTimeInformation タイマー終了</source>
        <translation>RimoTimeInformation timer finished</translation>
    </message>
    <message>
        <source>ご指定の %1毎にLoopします</source>
        <translation>Repeating every %1</translation>
    </message>
    <message>
        <source>RimoTimeInformation タイマーLoopモード</source>
        <translation>RimoTimeInformation timer loop</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>只今より %1経過したらお知らせします</source>
        <translation>You will be told when %1has passed</translation>
    </message>
    <message>
        <source>RimoTimeInformation タイマー起動</source>
        <translation>RimoTimeInformation timer started</translation>
    </message>
</context>
<context>
    <name>rimo::TrayMenu</name>
    <message>
        <source>トレイメニュー: %1 はまだ使えません</source>
        <translation>Tray menu: %1 is not available yet</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;S)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>終了します</source>
        <translation>Exits the program</translation>
    </message>
    <message>
        <source>アラーム・テスト(&amp;Q)</source>
        <translation>Alarm &amp;test</translation>
    </message>
    <message>
        <source>時刻合わせ(&amp;H)</source>
        <translation>&amp;Sync clock</translation>
    </message>
    <message>
        <source>RIMOランチャー(&amp;L)</source>
        <translation>RIMO &amp;Launcher</translation>
    </message>
    <message>
        <source>RIMOタイマー(&amp;T)</source>
        <translation>RIMO &amp;Timer</translation>
    </message>
    <message>
        <source>Loopさせる(&amp;O)</source>
        <translation>L&amp;oop</translation>
    </message>
    <message>
        <source>任意</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>10分(&amp;0)</source>
        <translation>1&amp;0 min</translation>
    </message>
    <message>
        <source>5分(&amp;5)</source>
        <translation>&amp;5 min</translation>
    </message>
    <message>
        <source>4分(&amp;4)</source>
        <translation>&amp;4 min</translation>
    </message>
    <message>
        <source>3分(&amp;3)</source>
        <translation>&amp;3 min</translation>
    </message>
    <message>
        <source>2分(&amp;2)</source>
        <translation>&amp;2 min</translation>
    </message>
    <message>
        <source>1分(&amp;1)</source>
        <translation>&amp;1 min</translation>
    </message>
    <message>
        <source>停止(&amp;S)</source>
        <translation>&amp;Stop</translation>
    </message>
    <message>
        <source>ヘルプ %1 を開けません</source>
        <translation>Cannot open the help %1</translation>
    </message>
    <message>
        <source>アラーム・テスト</source>
        <translation>Alarm test</translation>
    </message>
    <message>
        <source>時刻合わせ</source>
        <translation>Sync clock</translation>
    </message>
    <message>
        <source>RIMOランチャー</source>
        <translation>RIMO Launcher</translation>
    </message>
    <message>
        <source>実行履歴(&amp;R)</source>
        <translation>Run &amp;history</translation>
    </message>
    <message>
        <source>実行履歴</source>
        <translation>Run history</translation>
    </message>
</context>
<context>
    <name>rimo::TrayTexts</name>
    <message>
        <source>次は %1 %2%3</source>
        <translation>Next: %1 %2 %3</translation>
    </message>
    <message>
        <source>%1(&amp;V)</source>
        <translation>%1(&amp;V)</translation>
    </message>
</context>
<context>
    <name>rimo::Weekday</name>
    <message>
        <source>日</source>
        <translation>Sun</translation>
    </message>
    <message>
        <source>月</source>
        <translation>Mon</translation>
    </message>
    <message>
        <source>火</source>
        <translation>Tue</translation>
    </message>
    <message>
        <source>水</source>
        <translation>Wed</translation>
    </message>
    <message>
        <source>木</source>
        <translation>Thu</translation>
    </message>
    <message>
        <source>金</source>
        <translation>Fri</translation>
    </message>
    <message>
        <source>土</source>
        <translation>Sat</translation>
    </message>
</context>
<context>
    <name>rimo::WindowSession</name>
    <message>
        <source>このデスクトップ（Wayland）ではウィンドウの位置と重なり順をコンポジターが決めるため、この設定は働きません。設定値はそのまま保存されます。</source>
        <translation>On this desktop (Wayland) the compositor decides where windows stand and which is on top, so this setting has no effect. Its value is kept.</translation>
    </message>
</context>
<context>
    <name>rimo::XdgAutostart</name>
    <message>
        <source>ホームフォルダが分からないため、自動起動の項目を置く場所がありません</source>
        <translation>The home folder is unknown, so there is no place for the autostart entry</translation>
    </message>
    <message>
        <source>フォルダ %1 を読めません: %2</source>
        <translation>Cannot read the folder %1: %2</translation>
    </message>
    <message>
        <source>プログラムのパス %1 は UTF-8 ではないため、自動起動の項目に書けません</source>
        <translation>The program path %1 is not UTF-8, so it cannot be written into the autostart entry</translation>
    </message>
    <message>
        <source>フォルダ %1 を作れません: %2</source>
        <translation>Cannot create the folder %1: %2</translation>
    </message>
    <message>
        <source>ファイル %1 を削除できません: %2</source>
        <translation>Cannot delete the file %1: %2</translation>
    </message>
</context>
<context>
    <name>shutdown</name>
    <message>
        <source>シャットダウン</source>
        <translation>shut down</translation>
    </message>
    <message>
        <source>再起動</source>
        <translation>restart</translation>
    </message>
    <message>
        <source>スタンバイ</source>
        <translation>suspend</translation>
    </message>
    <message>
        <source>休止状態</source>
        <translation>hibernate</translation>
    </message>
    <message>
        <source>ログオフ</source>
        <translation>log off</translation>
    </message>
    <message>
        <source>%1できません</source>
        <translation>Cannot %1</translation>
    </message>
    <message>
        <source>システムバスに接続できません</source>
        <translation>Cannot connect to the system bus</translation>
    </message>
    <message>
        <source>許可されていません (%1: %2)</source>
        <translation>Not allowed (%1: %2)</translation>
    </message>
    <message>
        <source>xfce4-session-logout がありません</source>
        <translation>xfce4-session-logout is missing</translation>
    </message>
    <message>
        <source>xfce4-session-logout が失敗しました</source>
        <translation>xfce4-session-logout failed</translation>
    </message>
</context>
</TS>
