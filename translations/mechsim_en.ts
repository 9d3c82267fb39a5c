<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CommandLine</name>
    <message>
        <source>使い方:</source>
        <translation>Usage:</translation>
    </message>
    <message>
        <source>  mechsim                     メインメニューを開く</source>
        <translation>  mechsim                     open the main menu</translation>
    </message>
    <message>
        <source>既定: %1</source>
        <translation>Defaults: %1</translation>
    </message>
    <message>
        <source>--lang ja|en で表示の言語を選びます（既定はロケールから）。</source>
        <translation>--lang ja|en chooses the language of the texts (by default the locale&apos;s).</translation>
    </message>
    <message>
        <source>機構とキー（既定値）:</source>
        <translation>Mechanisms and keys (defaults):</translation>
    </message>
    <message>
        <source>機構名がありません（mechsim --help で一覧）</source>
        <translation>No mechanism given (mechsim --help lists them)</translation>
    </message>
    <message>
        <source>知らない機構です: %1（mechsim --help で一覧）</source>
        <translation>Unknown mechanism: %1 (mechsim --help lists them)</translation>
    </message>
    <message>
        <source>知らないオプションです: %1</source>
        <translation>Unknown option: %1</translation>
    </message>
    <message>
        <source>%1: 値がありません</source>
        <translation>%1: no value given</translation>
    </message>
    <message>
        <source>--profile: quintic, cubic, linear のいずれかです: %1</source>
        <translation>--profile: must be quintic, cubic or linear: %1</translation>
    </message>
    <message>
        <source>KEY=VALUE の形ではありません: %1</source>
        <translation>Not of the form KEY=VALUE: %1</translation>
    </message>
    <message>
        <source>%1: %2 にないキーです</source>
        <translation>%1: not a key of %2</translation>
    </message>
    <message>
        <source>%1: %2 行</source>
        <translation>%1: %2 lines</translation>
    </message>
    <message>
        <source>知らないコマンドです: %1（mechsim --help）</source>
        <translation>Unknown command: %1 (mechsim --help)</translation>
    </message>
    <message>
        <source>%1: フォルダーではありません</source>
        <translation>%1: not a folder</translation>
    </message>
    <message>
        <source>%1 を作れませんでした: %2</source>
        <translation>Could not create %1: %2</translation>
    </message>
    <message>
        <source>ウィンドウを開けません: 使える画面がありません（DISPLAY または WAYLAND_DISPLAY を確かめてください。画面なしでは mechsim run が使えます）</source>
        <translation>Cannot open a window: no display to use (check DISPLAY or WAYLAND_DISPLAY; without a display, mechsim run works)</translation>
    </message>
    <message>
        <source>%1 は run のオプションです（例: mechsim run 2r %1 ...、mechsim --help）</source>
        <translation>%1 is an option of run (e.g. mechsim run 2r %1 ..., mechsim --help)</translation>
    </message>
    <message>
        <source>知らない引数です: %1（mechsim --help）</source>
        <translation>Unknown argument: %1 (mechsim --help)</translation>
    </message>
    <message>
        <source>知らないオプションです: %1（mechsim --help）</source>
        <translation>Unknown option: %1 (mechsim --help)</translation>
    </message>
    <message>
        <source>角度は度で与えます。終了コード: 0 成功, 1 ファイルを書けない, 2 使い方・入力の誤り,
3 機構が組めない・特異姿勢（2 と 3 ではファイルを書きません）</source>
        <translation>Angles are given in degrees. Exit status: 0 success, 1 a file cannot be written, 2 usage or input error,
3 the mechanism cannot be assembled or is singular (after 2 and 3 no file is written)</translation>
    </message>
    <message>
        <source>--format: png, svg のいずれかです: %1</source>
        <translation>--format: must be png or svg: %1</translation>
    </message>
    <message>
        <source>--format は --pictures と一緒に使います</source>
        <translation>--format goes with --pictures</translation>
    </message>
    <message>
        <source>--output - （/dev/stdout でも）は表を標準出力へ書き、計算を終えてから書きます。
そのとき行数などほかの行は標準エラーへ出ます。</source>
        <translation>--output - (or /dev/stdout) writes the table to standard output once the whole run is computed;
the line with the number of rows and the other lines then go to standard error.</translation>
    </message>
    <message>
        <source>オプションとキーはそれぞれ一度だけ指定します。--report の名前は .pdf、
--animation の名前は .gif で終わるか、拡張子なしにします。</source>
        <translation>Give each option and each key once. The name for --report ends in .pdf, the name for
--animation in .gif, or has no extension.</translation>
    </message>
    <message>
        <source>%1: %2: 拡張子は %3 にしてください（拡張子なしでもかまいません）</source>
        <translation>%1: %2: use the extension %3 (or none)</translation>
    </message>
    <message>
        <source>%1: 二度指定されています</source>
        <translation>%1: given twice</translation>
    </message>
    <message>
        <source>標準出力に書き込めませんでした: %1</source>
        <translation>could not write to standard output: %1</translation>
    </message>
    <message>
        <source>--centres FILE は動く節ごとの瞬間中心を表にします: sec のあと節ごとに
&lt;節&gt;.icx &lt;節&gt;.icy &lt;節&gt;.omega &lt;節&gt;.alpha（並進する節の中心は空欄）。</source>
        <translation>--centres FILE writes each moving link&apos;s instant centre as a table: sec, then per link
&lt;link&gt;.icx &lt;link&gt;.icy &lt;link&gt;.omega &lt;link&gt;.alpha (empty centre cells for a translating link).</translation>
    </message>
    <message>
        <source>  mechsim FILE.mechsim        ファイルを開いてウィンドウに表示する</source>
        <translation>  mechsim FILE.mechsim        open the file in its window</translation>
    </message>
    <message>
        <source>FILE.mechsim は TOML で書いた設定ファイルです。組み込みの機構なら
mechanism = &quot;four-bar&quot;、profile、divisions、cycle-time と [inputs]（キーは上と同じ）。
自作のリンク機構なら mechanism = &quot;linkage&quot;、[ground]（固定点 名前 = [x, y]）、
[drive]（kind = &quot;crank&quot; か &quot;slider&quot;）と [[joint]]（kind = &quot;dyad&quot;、&quot;point&quot;、
&quot;slider&quot;）を並べます。角度は度です。例題は share/mechsim/examples にあります。
ファイルの値は KEY=VALUE とオプションで上書きできます。</source>
        <translation>FILE.mechsim is a set-up file written in TOML. For a built-in mechanism:
mechanism = &quot;four-bar&quot;, profile, divisions, cycle-time and [inputs] (keys as above).
For a linkage of one&apos;s own: mechanism = &quot;linkage&quot;, [ground] (fixed points, name = [x, y]),
[drive] (kind = &quot;crank&quot; or &quot;slider&quot;) and [[joint]]s (kind = &quot;dyad&quot;, &quot;point&quot;,
&quot;slider&quot;). Angles are in degrees. Examples are in share/mechsim/examples.
KEY=VALUE arguments and options override the file&apos;s values.</translation>
    </message>
</context>
<context>
    <name>Language</name>
    <message>
        <source>--lang: 値がありません（ja または en）</source>
        <translation>--lang: no value given (ja or en)</translation>
    </message>
    <message>
        <source>--lang: ja または en です: %1</source>
        <translation>--lang: must be ja or en: %1</translation>
    </message>
</context>
<context>
    <name>app::LanguageMenu</name>
    <message>
        <source>言語</source>
        <translation>Language</translation>
    </message>
</context>
<context>
    <name>app::MainMenu</name>
    <message>
        <source>平面機構シミュレータ</source>
        <translation>Planar Mechanism Simulator</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
    <message>
        <source>平面機構（シリアルアーム・リンク機構・クランク＆ピストン・パラレル機構）の位置・速度・加速度を計算し、動きをアニメーションとグラフで表示します。</source>
        <translation>Computes position, velocity and acceleration of planar mechanisms (serial arms, linkages, a crank and piston, a parallel mechanism) and shows their motion as an animation and in graphs.</translation>
    </message>
    <message>
        <source>サイクルタイムと時分割数はメニューの「設定」で変えられます（初めは %1 秒と %2 分割）。</source>
        <translation>The cycle time and the number of time divisions are changed under &quot;Settings&quot; in the menu (at start %1 s and %2 divisions).</translation>
    </message>
    <message>
        <source>計算結果は実行のたびに %1 に書き出されます。</source>
        <translation>Every run writes its results to %1.</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>機構選択</source>
        <translation>Mechanisms</translation>
    </message>
    <message>
        <source>シリアル機構</source>
        <translation>Serial arms</translation>
    </message>
    <message>
        <source>関数テスト</source>
        <translation>Function tests</translation>
    </message>
    <message>
        <source>ガウスの消去法テスト</source>
        <translation>Gaussian elimination test</translation>
    </message>
    <message>
        <source>レディー関数テスト</source>
        <translation>Two-link closure test</translation>
    </message>
    <message>
        <source>二分法テスト</source>
        <translation>Bisection test</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>メニューの「機構選択」から機構を選び、寸法と駆動の始めと終わりの値を入力して、運動曲線を選んで run を押してください。</source>
        <translation>Choose a mechanism from the menu &quot;Mechanisms&quot;, type its dimensions and the start and final values of its drive, choose a motion profile and press run.</translation>
    </message>
    <message>
        <source>stop で動きを止めると軌跡と重ね書きの図が、next で別の量のグラフが見られます。</source>
        <translation>Pressing stop halts the motion and shows the traced path over superimposed poses; pressing next shows graphs of further quantities.</translation>
    </message>
    <message>
        <source>開く…</source>
        <translation>Open…</translation>
    </message>
    <message>
        <source>例題</source>
        <translation>Examples</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>機構の設定 (*.mechsim);;すべてのファイル (*)</source>
        <translation>Mechanism set-ups (*.mechsim);;All files (*)</translation>
    </message>
    <message>
        <source>新しいリンク機構</source>
        <translation>New linkage</translation>
    </message>
</context>
<context>
    <name>app::SettingsDialog</name>
    <message>
        <source>サイクルタイム(秒)＝</source>
        <translation>Cycle time (s) =</translation>
    </message>
    <message>
        <source>時分割数＝</source>
        <translation>Time divisions =</translation>
    </message>
    <message>
        <source>一回の動きにかける時間［秒］（0.000001 から 1000000 まで）</source>
        <translation>Time one motion cycle takes [seconds] (0.000001 to 1000000)</translation>
    </message>
    <message>
        <source>一回の動きを何ステップに分けて計算するか（1 から 10000000 までの整数。10000000 では結果ファイルが約 1.8 GB になります）</source>
        <translation>Number of steps one motion cycle is computed in (a whole number, 1 to 10000000; at 10000000 the result file is about 1.8 GB)</translation>
    </message>
</context>
<context>
    <name>core</name>
    <message>
        <source>リンク機構が閉じません</source>
        <translation>The linkage does not close</translation>
    </message>
    <message>
        <source>４リンク機構</source>
        <translation>Four-bar linkage</translation>
    </message>
    <message>
        <source>中間節の上の点（軌跡を描く点）の位置：中間節に沿った座標、揺動節との関節からクランクとの関節へ向かう向きが正（長さと同じ単位）</source>
        <translation>Coupler point (the point whose path is traced): offset along the coupler, positive from its joint with the rocker towards its joint with the crank (same unit as the lengths)</translation>
    </message>
    <message>
        <source>中間節の上の点（軌跡を描く点）の位置：中間節に垂直な座標、左回りの側が正（長さと同じ単位）</source>
        <translation>Coupler point (the point whose path is traced): offset perpendicular to the coupler, positive on the counter-clockwise side (same unit as the lengths)</translation>
    </message>
    <message>
        <source>クランク（駆動する節）の長さ（単位は任意）</source>
        <translation>Length of the crank, the driven link (any length unit)</translation>
    </message>
    <message>
        <source>中間節の長さ：クランクと揺動節をつなぐ（単位は任意）</source>
        <translation>Length of the coupler, which joins crank and rocker (any length unit)</translation>
    </message>
    <message>
        <source>揺動節の長さ：原点の固定関節から（単位は任意）</source>
        <translation>Length of the rocker, from its fixed pivot at the origin (any length unit)</translation>
    </message>
    <message>
        <source>固定節の長さ：原点からクランクの回転中心まで、x軸の上（単位は任意）</source>
        <translation>Length of the ground link: from the origin to the crank&apos;s pivot, along the x axis (any length unit)</translation>
    </message>
    <message>
        <source>ｙ：ｔｈｅ,  dthe  ,ddthe &#x3000;ｘ：ｔｉｍｅ</source>
        <translation>y: the, dthe, ddthe   x: time</translation>
    </message>
    <message>
        <source>ｙ：phi,  dphi , ddphi&#x3000;ｘ：ｔｉｍｅ</source>
        <translation>y: phi, dphi, ddphi   x: time</translation>
    </message>
    <message>
        <source>脚1のリンクが閉じません</source>
        <translation>The links of leg 1 do not close</translation>
    </message>
    <message>
        <source>脚2のリンクが閉じません</source>
        <translation>The links of leg 2 do not close</translation>
    </message>
    <message>
        <source>脚3のリンクが閉じません</source>
        <translation>The links of leg 3 do not close</translation>
    </message>
    <message>
        <source>パラレル機構</source>
        <translation>Parallel mechanism</translation>
    </message>
    <message>
        <source>各脚の基台側のリンクの長さ（単位は任意）</source>
        <translation>Length of each leg&apos;s link at the base (any length unit)</translation>
    </message>
    <message>
        <source>各脚の台側のリンクの長さ（単位は任意）</source>
        <translation>Length of each leg&apos;s link at the platform (any length unit)</translation>
    </message>
    <message>
        <source>中心位置ｘc</source>
        <translation>Centre xc</translation>
    </message>
    <message>
        <source>台の中心が描く円の中心のx座標（長さと同じ単位）</source>
        <translation>x of the centre of the circle the platform&apos;s centre follows (same unit as the lengths)</translation>
    </message>
    <message>
        <source>中心位置ｙc</source>
        <translation>Centre yc</translation>
    </message>
    <message>
        <source>台の中心が描く円の中心のy座標（長さと同じ単位）</source>
        <translation>y of the centre of the circle the platform&apos;s centre follows (same unit as the lengths)</translation>
    </message>
    <message>
        <source>円半径 rc</source>
        <translation>Radius rc</translation>
    </message>
    <message>
        <source>台の中心が描く円の半径（長さと同じ単位）</source>
        <translation>Radius of the circle the platform&apos;s centre follows (same unit as the lengths)</translation>
    </message>
    <message>
        <source>傾き角phi</source>
        <translation>Tilt phi</translation>
    </message>
    <message>
        <source>台の傾き角［度］</source>
        <translation>Tilt of the platform [degrees]</translation>
    </message>
    <message>
        <source>台の半径：中心から台側の関節まで（単位は任意）</source>
        <translation>Platform radius: from its centre to the platform joints (any length unit)</translation>
    </message>
    <message>
        <source>基台の半径：原点から基台側の関節まで（単位は任意）</source>
        <translation>Base radius: from the origin to the base joints (any length unit)</translation>
    </message>
    <message>
        <source>ｙ：ｔｈｅ1, dthe1 ,ddthe1&#x3000;ｘ：ｔｉｍｅ</source>
        <translation>y: the1, dthe1, ddthe1   x: time</translation>
    </message>
    <message>
        <source>ｙ：ｔｈｅ2,dthe2,ddthe2&#x3000;ｘ：ｔｉｍｅ</source>
        <translation>y: the2, dthe2, ddthe2   x: time</translation>
    </message>
    <message>
        <source>直列２R順運動学</source>
        <translation>Serial 2R forward kinematics</translation>
    </message>
    <message>
        <source>リンク1の長さ（単位は任意）</source>
        <translation>Length of link 1 (any length unit)</translation>
    </message>
    <message>
        <source>リンク2の長さ（単位は任意）</source>
        <translation>Length of link 2 (any length unit)</translation>
    </message>
    <message>
        <source>関節1の始めの角度［度］</source>
        <translation>Joint 1 start angle [degrees]</translation>
    </message>
    <message>
        <source>関節1の終わりの角度［度］</source>
        <translation>Joint 1 final angle [degrees]</translation>
    </message>
    <message>
        <source>関節2の始めの角度、リンク1から測る［度］</source>
        <translation>Joint 2 start angle, measured from link 1 [degrees]</translation>
    </message>
    <message>
        <source>関節2の終わりの角度、リンク1から測る［度］</source>
        <translation>Joint 2 final angle, measured from link 1 [degrees]</translation>
    </message>
    <message>
        <source>ｙ：ｔｈｅ2, dthe2 ,ddthe2&#x3000;ｘ：ｔｉｍｅ</source>
        <translation>y: the2, dthe2, ddthe2   x: time</translation>
    </message>
    <message>
        <source>直列３R順運動学</source>
        <translation>Serial 3R forward kinematics</translation>
    </message>
    <message>
        <source>リンク3の長さ（単位は任意）</source>
        <translation>Length of link 3 (any length unit)</translation>
    </message>
    <message>
        <source>関節3の始めの角度、リンク2から測る［度］</source>
        <translation>Joint 3 start angle, measured from link 2 [degrees]</translation>
    </message>
    <message>
        <source>関節3の終わりの角度、リンク2から測る［度］</source>
        <translation>Joint 3 final angle, measured from link 2 [degrees]</translation>
    </message>
    <message>
        <source>リンクの長さが0で向きが定まりません</source>
        <translation>A link of length 0 has no direction</translation>
    </message>
    <message>
        <source>0より大きい長さを入力してください</source>
        <translation>Please enter a length greater than 0</translation>
    </message>
    <message>
        <source>直列３R直線補間</source>
        <translation>Serial 3R straight-line interpolation</translation>
    </message>
    <message>
        <source>手先のx座標、始め（長さと同じ単位）</source>
        <translation>Hand point x at the start (same unit as the lengths)</translation>
    </message>
    <message>
        <source>手先のx座標、終わり（長さと同じ単位）</source>
        <translation>Hand point x at the end (same unit as the lengths)</translation>
    </message>
    <message>
        <source>手先のy座標、始め（長さと同じ単位）</source>
        <translation>Hand point y at the start (same unit as the lengths)</translation>
    </message>
    <message>
        <source>手先のy座標、終わり（長さと同じ単位）</source>
        <translation>Hand point y at the end (same unit as the lengths)</translation>
    </message>
    <message>
        <source>手先の向き（リンク3の方向）、始め［度］</source>
        <translation>Hand direction (direction of link 3) at the start [degrees]</translation>
    </message>
    <message>
        <source>手先の向き（リンク3の方向）、終わり［度］</source>
        <translation>Hand direction (direction of link 3) at the end [degrees]</translation>
    </message>
    <message>
        <source>直列３R円弧補間</source>
        <translation>Serial 3R circular-arc interpolation</translation>
    </message>
    <message>
        <source>手先が描く円の中心のx座標（長さと同じ単位）</source>
        <translation>x of the centre of the hand point&apos;s circle (same unit as the lengths)</translation>
    </message>
    <message>
        <source>手先が描く円の中心のy座標（長さと同じ単位）</source>
        <translation>y of the centre of the hand point&apos;s circle (same unit as the lengths)</translation>
    </message>
    <message>
        <source>手先が描く円の半径（長さと同じ単位）</source>
        <translation>Radius of the hand point&apos;s circle (same unit as the lengths)</translation>
    </message>
    <message>
        <source>手首角phi</source>
        <translation>Wrist phi</translation>
    </message>
    <message>
        <source>手先の向き（リンク3の方向）、動く間は一定［度］</source>
        <translation>Hand direction (direction of link 3), constant during the motion [degrees]</translation>
    </message>
    <message>
        <source>円の上の手先の始めの位置、中心から見た角度［度］</source>
        <translation>Start position of the hand point on the circle, as an angle about its centre [degrees]</translation>
    </message>
    <message>
        <source>円の上の手先の終わりの位置、中心から見た角度［度］</source>
        <translation>Final position of the hand point on the circle, as an angle about its centre [degrees]</translation>
    </message>
    <message>
        <source>ガイドが垂直（±90°）では計算できません</source>
        <translation>A vertical guide (±90°) cannot be computed</translation>
    </message>
    <message>
        <source>クランク＆ピストン機構</source>
        <translation>Crank and piston</translation>
    </message>
    <message>
        <source>回転中心X</source>
        <translation>Centre X</translation>
    </message>
    <message>
        <source>クランクの回転中心のx座標（長さと同じ単位）</source>
        <translation>x of the crank&apos;s centre of rotation (same unit as the lengths)</translation>
    </message>
    <message>
        <source>回転中心Y</source>
        <translation>Centre Y</translation>
    </message>
    <message>
        <source>クランクの回転中心のy座標（長さと同じ単位）</source>
        <translation>y of the crank&apos;s centre of rotation (same unit as the lengths)</translation>
    </message>
    <message>
        <source>半径</source>
        <translation>Radius</translation>
    </message>
    <message>
        <source>クランクの半径（単位は任意）</source>
        <translation>Crank radius (any length unit)</translation>
    </message>
    <message>
        <source>リンク長さ</source>
        <translation>Rod length</translation>
    </message>
    <message>
        <source>連接棒の長さ：クランクピンからピストンまで（単位は任意）</source>
        <translation>Length of the connecting rod, from the crank pin to the piston (any length unit)</translation>
    </message>
    <message>
        <source>ピストンのガイドが通る点のx座標（長さと同じ単位）</source>
        <translation>x of a point the piston&apos;s guide passes through (same unit as the lengths)</translation>
    </message>
    <message>
        <source>ピストンのガイドが通る点のy座標（長さと同じ単位）</source>
        <translation>y of a point the piston&apos;s guide passes through (same unit as the lengths)</translation>
    </message>
    <message>
        <source>傾き角</source>
        <translation>Tilt</translation>
    </message>
    <message>
        <source>ガイドの傾き角、x軸から測る［度］</source>
        <translation>Tilt of the guide, measured from the x axis [degrees]</translation>
    </message>
    <message>
        <source>ｙ：x3,  dx3 , ddx3&#x3000;ｘ：ｔｉｍｅ</source>
        <translation>y: x3, dx3, ddx3   x: time</translation>
    </message>
    <message>
        <source>設定のサイクルタイムまたは時分割数が正しくありません。</source>
        <translation>The cycle time or the number of time divisions in the settings is not valid.</translation>
    </message>
    <message>
        <source>この機構にない入力です</source>
        <translation>not an input of this mechanism</translation>
    </message>
    <message>
        <source>数値ではありません: &quot;%1&quot;</source>
        <translation>not a number: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>サイクルタイムは 0.000001 から 1000000 までの数値を入力してください</source>
        <translation>Please enter a cycle time from 0.000001 to 1000000</translation>
    </message>
    <message>
        <source>時分割数は 1 から 10000000 までの整数を入力してください（10000000 では結果ファイルが約 1.8 GB になります）</source>
        <translation>Please enter a whole number of time divisions from 1 to 10000000 (at 10000000 the result file is about 1.8 GB)</translation>
    </message>
    <message>
        <source>計算結果が有限の数になりません</source>
        <translation>The results are not finite numbers</translation>
    </message>
    <message>
        <source>「%1」に数値を入力してください。</source>
        <translation>Please enter a number in &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>「%1」: %2</source>
        <translation>&quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>ステップ %1（時刻 %2 秒）: %3</source>
        <translation>Step %1 (time %2 s): %3</translation>
    </message>
    <message>
        <source>%1 を書き込めませんでした: %2</source>
        <translation>Could not write %1: %2</translation>
    </message>
    <message>
        <source>標準出力</source>
        <translation>standard output</translation>
    </message>
    <message>
        <source>名前が「/」で終わっていて、ファイル名がありません</source>
        <translation>the name ends in &quot;/&quot; and has no file name</translation>
    </message>
    <message>
        <source>ソケットです（ファイルではありません）</source>
        <translation>it is a socket (not a file)</translation>
    </message>
    <message>
        <source>ブロックデバイスです（ファイルではありません）</source>
        <translation>it is a block device (not a file)</translation>
    </message>
    <message>
        <source>書き込む権限がありません</source>
        <translation>no permission to write</translation>
    </message>
    <message>
        <source>フォルダーがありません</source>
        <translation>the folder does not exist</translation>
    </message>
    <message>
        <source>ディスクがいっぱいです</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>読み取り専用のファイルシステムです</source>
        <translation>the file system is read-only</translation>
    </message>
    <message>
        <source>名前が長すぎます</source>
        <translation>the name is too long</translation>
    </message>
    <message>
        <source>フォルダーです</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>途中の名前がフォルダーではありません</source>
        <translation>a name on the way is not a folder</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます</source>
        <translation>the file is too large</translation>
    </message>
    <message>
        <source>読み手が閉じました</source>
        <translation>the reader has closed</translation>
    </message>
    <message>
        <source>シンボリックリンクが多すぎます</source>
        <translation>too many symbolic links</translation>
    </message>
    <message>
        <source>入出力エラーです</source>
        <translation>input/output error</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1 が 0 でリンクになりません</source>
        <translation>%1 is 0, so there is no link</translation>
    </message>
    <message>
        <source>%1が 0 でリンクの向きが定まりません</source>
        <translation>The %1 is 0, so the links have no direction</translation>
    </message>
    <message>
        <source>%1 %2 が %3 = %4 を超えます</source>
        <translation>The %1, %2, exceeds %3 = %4</translation>
    </message>
    <message>
        <source>%1 %2 が %3 = %4 より短くなります</source>
        <translation>The %1, %2, is shorter than %3 = %4</translation>
    </message>
    <message>
        <source>%1 %2 が %3 = %4 に等しく、伸び切った特異姿勢です</source>
        <translation>The %1, %2, equals %3 = %4: a fully stretched, singular pose</translation>
    </message>
    <message>
        <source>%1 %2 が %3 = %4 に等しく、折り畳まれた特異姿勢です</source>
        <translation>The %1, %2, equals %3 = %4: a fully folded, singular pose</translation>
    </message>
    <message>
        <source>ロッカー支点からクランク先端までの距離</source>
        <translation>distance from the rocker pivot to the crank tip</translation>
    </message>
    <message>
        <source>グラスホフの分類: %1</source>
        <translation>Grashof class: %1</translation>
    </message>
    <message>
        <source>伝達角: 最小 %1（ステップ %2）, 最大 %3（ステップ %4）</source>
        <translation>Transmission angle: minimum %1 (step %2), maximum %3 (step %4)</translation>
    </message>
    <message>
        <source>てこクランク機構</source>
        <translation>crank-rocker</translation>
    </message>
    <message>
        <source>両クランク機構</source>
        <translation>double crank</translation>
    </message>
    <message>
        <source>両てこ機構</source>
        <translation>double rocker</translation>
    </message>
    <message>
        <source>変点機構</source>
        <translation>change point</translation>
    </message>
    <message>
        <source>脚1: 根元の関節から台の関節までの距離</source>
        <translation>distance from the base joint to the platform joint of leg 1</translation>
    </message>
    <message>
        <source>脚2: 根元の関節から台の関節までの距離</source>
        <translation>distance from the base joint to the platform joint of leg 2</translation>
    </message>
    <message>
        <source>脚3: 根元の関節から台の関節までの距離</source>
        <translation>distance from the base joint to the platform joint of leg 3</translation>
    </message>
    <message>
        <source>チェックすると、この脚の肘をもう一方の側にして組みます（同じ寸法のもう一方の組み方）</source>
        <translation>When ticked, this leg is assembled with its elbow on the other side (the other assembly of the same dimensions)</translation>
    </message>
    <message>
        <source>脚1を逆に</source>
        <translation>Flip leg 1</translation>
    </message>
    <message>
        <source>脚2を逆に</source>
        <translation>Flip leg 2</translation>
    </message>
    <message>
        <source>脚3を逆に</source>
        <translation>Flip leg 3</translation>
    </message>
    <message>
        <source>手首点までの距離</source>
        <translation>distance to the wrist point</translation>
    </message>
    <message>
        <source>クランクピンからガイドまでの距離 %1 が L = %2 を超え、リンクがガイドに届きません</source>
        <translation>The distance from the crank pin to the guide, %1, exceeds L = %2: the rod does not reach the guide</translation>
    </message>
    <message>
        <source>クランクピンからガイドまでの距離 %1 が L = %2 に等しく、リンクがガイドに接するだけです</source>
        <translation>The distance from the crank pin to the guide, %1, equals L = %2: the rod only touches the guide</translation>
    </message>
    <message>
        <source>1（通常の組み方）か -1（もう一方の組み方）を指定してください: &quot;%1&quot;</source>
        <translation>Please give 1 (the usual assembly) or -1 (the other assembly): &quot;%1&quot;</translation>
    </message>
    <message>
        <source>もう一方の組み方</source>
        <translation>Other assembly</translation>
    </message>
    <message>
        <source>チェックすると、同じ寸法で閉じるもう一方の組み方（鏡に映した形）で動かします</source>
        <translation>When ticked, the mechanism moves in the other assembly that closes with the same dimensions (its mirror image)</translation>
    </message>
    <message>
        <source>補助線</source>
        <translation>Guide lines</translation>
    </message>
    <message>
        <source>届く範囲やガイド、クランクの円などの補助線を機構の下に描きます</source>
        <translation>Draws guide lines (reach, guide, crank circle) under the mechanism</translation>
    </message>
    <message>
        <source>ステップ %1 / %2&#x3000;時刻 %3 秒</source>
        <translation>Step %1 / %2   time %3 s</translation>
    </message>
    <message>
        <source>計算を中止しました。</source>
        <translation>The computation was cancelled.</translation>
    </message>
    <message>
        <source>値が大きすぎます（範囲外です）</source>
        <translation>the value is too large (out of range)</translation>
    </message>
    <message>
        <source>５次曲線</source>
        <translation>Quintic</translation>
    </message>
    <message>
        <source>３次曲線</source>
        <translation>Cubic</translation>
    </message>
    <message>
        <source>等速曲線</source>
        <translation>Linear</translation>
    </message>
    <message>
        <source>中身を作れませんでした</source>
        <translation>its contents could not be made</translation>
    </message>
    <message>
        <source>メモリが足りません。時分割数を減らしてください。</source>
        <translation>Not enough memory. Reduce the number of time divisions.</translation>
    </message>
    <message>
        <source>読み取り専用のファイルです</source>
        <translation>the file is read-only</translation>
    </message>
    <message>
        <source>速度ベクトル</source>
        <translation>Velocities</translation>
    </message>
    <message>
        <source>動く関節と軌跡を描く点の速度を緑青の矢印で描きます（縮尺は図の左上）</source>
        <translation>Draws the velocity of each moving joint and of the traced point as a blue-green arrow (scale at the top left of the picture)</translation>
    </message>
    <message>
        <source>加速度ベクトル</source>
        <translation>Accelerations</translation>
    </message>
    <message>
        <source>動く関節と軌跡を描く点の加速度を赤茶の矢印で描きます（縮尺は図の左上）</source>
        <translation>Draws the acceleration of each moving joint and of the traced point as a red-brown arrow (scale at the top left of the picture)</translation>
    </message>
    <message>
        <source>速度 1 目盛 = %1 /s</source>
        <translation>Velocity: 1 grid step = %1 /s</translation>
    </message>
    <message>
        <source>加速度 1 目盛 = %1 /s²</source>
        <translation>Acceleration: 1 grid step = %1 /s²</translation>
    </message>
    <message>
        <source>瞬間中心</source>
        <translation>Instant centres</translation>
    </message>
    <message>
        <source>動く各リンクの瞬間中心を桃色の×印とリンク名で描き、そこからリンクの関節へ点線を引きます（点線は関節の速度に垂直。並進するリンクは無限遠で描きません）</source>
        <translation>Draws each moving link&apos;s instant centre as a pink cross with the link&apos;s name, and dotted lines from it to the link&apos;s joints (square to the joints&apos; velocities; a link that only translates has its centre at infinity and is not drawn)</translation>
    </message>
    <message>
        <source>クランク</source>
        <translation>crank</translation>
    </message>
    <message>
        <source>中間節</source>
        <translation>coupler</translation>
    </message>
    <message>
        <source>揺動節</source>
        <translation>rocker</translation>
    </message>
    <message>
        <source>脚1基台側</source>
        <translation>leg 1 base side</translation>
    </message>
    <message>
        <source>脚2基台側</source>
        <translation>leg 2 base side</translation>
    </message>
    <message>
        <source>脚3基台側</source>
        <translation>leg 3 base side</translation>
    </message>
    <message>
        <source>脚1台側</source>
        <translation>leg 1 platform side</translation>
    </message>
    <message>
        <source>脚2台側</source>
        <translation>leg 2 platform side</translation>
    </message>
    <message>
        <source>脚3台側</source>
        <translation>leg 3 platform side</translation>
    </message>
    <message>
        <source>台</source>
        <translation>platform</translation>
    </message>
    <message>
        <source>リンク1</source>
        <translation>link 1</translation>
    </message>
    <message>
        <source>リンク2</source>
        <translation>link 2</translation>
    </message>
    <message>
        <source>リンク3</source>
        <translation>link 3</translation>
    </message>
    <message>
        <source>連接棒</source>
        <translation>rod</translation>
    </message>
    <message>
        <source>ピストン</source>
        <translation>piston</translation>
    </message>
    <message>
        <source>無限遠</source>
        <translation>at infinity</translation>
    </message>
    <message>
        <source>%1 からガイドまでの距離 %2 が length = %3 を超え、届きません</source>
        <translation>the distance %2 from %1 to the guide exceeds length = %3: the rod cannot reach it</translation>
    </message>
    <message>
        <source>%1 からガイドまでの距離 %2 が length = %3 に等しく、ガイドに接するだけです</source>
        <translation>the distance %2 from %1 to the guide equals length = %3: the rod only touches it</translation>
    </message>
    <message>
        <source>from の 2 点の距離</source>
        <translation>distance between the two from points</translation>
    </message>
    <message>
        <source>on の 2 点が重なり、リンクの向きが定まりません</source>
        <translation>the two on points coincide, so the link has no direction</translation>
    </message>
    <message>
        <source>ｙ：点の x,  dx , ddx&#x3000;ｘ：ｔｉｍｅ</source>
        <translation>y: x, dx, ddx of the point   x: time</translation>
    </message>
    <message>
        <source>ｙ：s,  ds , dds&#x3000;ｘ：ｔｉｍｅ</source>
        <translation>y: s, ds, dds   x: time</translation>
    </message>
    <message>
        <source>リンク機構</source>
        <translation>Linkage</translation>
    </message>
    <message>
        <source>名前になりません: &quot;%1&quot;（英字か _ で始まる英数字と _ の並びです）</source>
        <translation>not a name: &quot;%1&quot; (letters, digits and _, starting with a letter or _)</translation>
    </message>
    <message>
        <source>名前 &quot;%1&quot; が二度使われています</source>
        <translation>the name &quot;%1&quot; is used twice</translation>
    </message>
    <message>
        <source>有限の数ではありません</source>
        <translation>not a finite number</translation>
    </message>
    <message>
        <source>長さは正の数です: %1</source>
        <translation>a length must be positive: %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; という点はありません</source>
        <translation>there is no point &quot;%1&quot;</translation>
    </message>
    <message>
        <source>クランクの回転中心 &quot;%1&quot; が固定点ではありません</source>
        <translation>the crank pivot &quot;%1&quot; is not a ground point</translation>
    </message>
    <message>
        <source>同じ点 &quot;%1&quot; を二度指しています</source>
        <translation>names the point &quot;%1&quot; twice</translation>
    </message>
    <message>
        <source>&quot;%1&quot; は固定点で、軌跡を描きません</source>
        <translation>&quot;%1&quot; is a ground point and traces no path</translation>
    </message>
    <message>
        <source>関節が互いを参照し合い、順に解けません</source>
        <translation>these joints refer to each other in a cycle and cannot be solved in turn</translation>
    </message>
    <message>
        <source>ステップ %1（時刻 %2 秒）: 関節 %3: %4</source>
        <translation>Step %1 (time %2 s): joint %3: %4</translation>
    </message>
    <message>
        <source>知らないキーです</source>
        <translation>unknown key</translation>
    </message>
    <message>
        <source>キーがありません</source>
        <translation>missing key</translation>
    </message>
    <message>
        <source>2 つの名前の配列 [&quot;A&quot;, &quot;B&quot;] です</source>
        <translation>must be an array of two names [&quot;A&quot;, &quot;B&quot;]</translation>
    </message>
    <message>
        <source>数ではありません</source>
        <translation>not a number</translation>
    </message>
    <message>
        <source>文字列ではありません</source>
        <translation>not a string</translation>
    </message>
    <message>
        <source>2 つの数の配列 [x, y] です</source>
        <translation>must be an array of two numbers [x, y]</translation>
    </message>
    <message>
        <source>1 か -1 です</source>
        <translation>must be 1 or -1</translation>
    </message>
    <message>
        <source>表ではありません</source>
        <translation>not a table</translation>
    </message>
    <message>
        <source>crank か slider です: &quot;%1&quot;</source>
        <translation>must be crank or slider: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>2 つの長さの配列です</source>
        <translation>must be an array of two lengths</translation>
    </message>
    <message>
        <source>dyad, point, slider のいずれかです: &quot;%1&quot;</source>
        <translation>must be dyad, point or slider: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>名前の配列 [&quot;P&quot;, ...] です</source>
        <translation>must be an array of names [&quot;P&quot;, ...]</translation>
    </message>
    <message>
        <source>[[joint]] の表の並びではありません</source>
        <translation>not a list of [[joint]] tables</translation>
    </message>
    <message>
        <source>%1 にこの入力はありません</source>
        <translation>%1 has no such input</translation>
    </message>
    <message>
        <source>quintic, cubic, linear のいずれかです: &quot;%1&quot;</source>
        <translation>must be quintic, cubic or linear: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>整数ではありません</source>
        <translation>not a whole number</translation>
    </message>
    <message>
        <source>知らない機構です: &quot;%1&quot;（%2 のいずれかです）</source>
        <translation>unknown mechanism: &quot;%1&quot; (one of %2)</translation>
    </message>
    <message>
        <source>%1 行 %2 列: TOML として読めません（%3）</source>
        <translation>line %1, column %2: not readable as TOML (%3)</translation>
    </message>
    <message>
        <source>ファイルがありません</source>
        <translation>no such file</translation>
    </message>
    <message>
        <source>開けません（%1）</source>
        <translation>cannot be opened (%1)</translation>
    </message>
    <message>
        <source>普通のファイルではありません</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>大きすぎます（1 MB まで）</source>
        <translation>too large (1 MB at most)</translation>
    </message>
    <message>
        <source>読めません（%1）</source>
        <translation>cannot be read (%1)</translation>
    </message>
</context>
<context>
    <name>linkage_editor::LinkageEditor</name>
    <message>
        <source>選択</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>固定点</source>
        <translation>Ground pivot</translation>
    </message>
    <message>
        <source>クランク</source>
        <translation>Crank</translation>
    </message>
    <message>
        <source>2節の関節</source>
        <translation>Dyad joint</translation>
    </message>
    <message>
        <source>スライダ</source>
        <translation>Slider</translation>
    </message>
    <message>
        <source>リンク上の点</source>
        <translation>Point on link</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>やり直す</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>名前を付けて保存</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>実行</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>拡大</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>縮小</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>全体を表示</source>
        <translation>Fit all</translation>
    </message>
    <message>
        <source>追加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>題名</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>追加する点の種類</source>
        <translation>Kind of point to add</translation>
    </message>
    <message>
        <source>駆動</source>
        <translation>Drive</translation>
    </message>
    <message>
        <source>駆動の値</source>
        <translation>Drive value</translation>
    </message>
    <message>
        <source>グリッドに合わせる</source>
        <translation>Snap to grid</translation>
    </message>
    <message>
        <source>グリッドの間隔</source>
        <translation>Grid step</translation>
    </message>
    <message>
        <source>リンク機構の図</source>
        <translation>Linkage picture</translation>
    </message>
    <message>
        <source>新しいリンク機構</source>
        <translation>New linkage</translation>
    </message>
    <message>
        <source>駆動角 %1°</source>
        <translation>drive angle %1°</translation>
    </message>
    <message>
        <source>駆動 s = %1</source>
        <translation>drive s = %1</translation>
    </message>
    <message>
        <source>%1 で関節 %2 が閉じません: %3</source>
        <translation>At %1 joint %2 cannot close: %3</translation>
    </message>
    <message>
        <source>点をドラッグすると動かせます。点をクリックするとその値が右に出ます</source>
        <translation>Drag a point to move it. Click a point to show its values on the right</translation>
    </message>
    <message>
        <source>固定点を置く場所をクリックしてください</source>
        <translation>Click where the ground pivot goes</translation>
    </message>
    <message>
        <source>クランクの回転中心（固定点か新しい場所）をクリックしてください</source>
        <translation>Click the crank&apos;s centre (a ground pivot or a new place)</translation>
    </message>
    <message>
        <source>関節をつなぐ 1 つ目の点をクリックしてください</source>
        <translation>Click the first point the joint connects to</translation>
    </message>
    <message>
        <source>点を載せるリンクをクリックしてください</source>
        <translation>Click the link the point is fixed on</translation>
    </message>
    <message>
        <source>削除する点をクリックしてください</source>
        <translation>Click the point to delete</translation>
    </message>
    <message>
        <source>リンク上の点の場所をクリックしてください</source>
        <translation>Click where the point on the link goes</translation>
    </message>
    <message>
        <source>リンクの上をクリックしてください</source>
        <translation>Click on a link</translation>
    </message>
    <message>
        <source>ドラッグ</source>
        <translation>Drag</translation>
    </message>
    <message>
        <source>固定点を置く</source>
        <translation>Place ground pivot</translation>
    </message>
    <message>
        <source>駆動はもうあります。クランクは一つだけです</source>
        <translation>There is already a drive; a linkage has one crank</translation>
    </message>
    <message>
        <source>クランクの回転中心は固定点です</source>
        <translation>The crank&apos;s centre is a ground pivot</translation>
    </message>
    <message>
        <source>クランクの先端をクリックしてください</source>
        <translation>Click the crank&apos;s tip</translation>
    </message>
    <message>
        <source>クランクを置く</source>
        <translation>Place crank</translation>
    </message>
    <message>
        <source>クランクを置きました</source>
        <translation>Crank placed</translation>
    </message>
    <message>
        <source>先にクランクを置いてください</source>
        <translation>Place the crank first</translation>
    </message>
    <message>
        <source>既にある点をクリックしてください</source>
        <translation>Click a point that is already there</translation>
    </message>
    <message>
        <source>関節をつなぐ 2 つ目の点をクリックしてください</source>
        <translation>Click the second point the joint connects to</translation>
    </message>
    <message>
        <source>ガイドの通る点をクリックしてください</source>
        <translation>Click a point the guide passes through</translation>
    </message>
    <message>
        <source>既にある別の点をクリックしてください</source>
        <translation>Click another point that is already there</translation>
    </message>
    <message>
        <source>関節の場所をクリックしてください</source>
        <translation>Click where the joint goes</translation>
    </message>
    <message>
        <source>スライダの場所（ガイドの向き）をクリックしてください</source>
        <translation>Click where the slider goes (this sets the guide&apos;s direction)</translation>
    </message>
    <message>
        <source>2節の関節を置く</source>
        <translation>Place dyad joint</translation>
    </message>
    <message>
        <source>スライダを置く</source>
        <translation>Place slider</translation>
    </message>
    <message>
        <source>関節 %1 を置きました</source>
        <translation>Joint %1 placed</translation>
    </message>
    <message>
        <source>リンク上の点を置く</source>
        <translation>Place point on link</translation>
    </message>
    <message>
        <source>%1 を削除すると、それにつながる %2 も削除されます。削除しますか？</source>
        <translation>Deleting %1 also deletes %2, which depend on it. Delete?</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>%1 を削除</source>
        <translation>Delete %1</translation>
    </message>
    <message>
        <source>点を選ぶとその値がここに出ます</source>
        <translation>Select a point to see its values here</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>軌跡を描く</source>
        <translation>Trace its path</translation>
    </message>
    <message>
        <source>クランク（駆動）</source>
        <translation>Crank (drive)</translation>
    </message>
    <message>
        <source>回転中心</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>長さ</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>始めの角度 [°]</source>
        <translation>Start angle [°]</translation>
    </message>
    <message>
        <source>終わりの角度 [°]</source>
        <translation>End angle [°]</translation>
    </message>
    <message>
        <source>スライダ（駆動）</source>
        <translation>Slider (drive)</translation>
    </message>
    <message>
        <source>ガイドの点 x</source>
        <translation>Guide point x</translation>
    </message>
    <message>
        <source>ガイドの点 y</source>
        <translation>Guide point y</translation>
    </message>
    <message>
        <source>ガイドの角度 [°]</source>
        <translation>Guide angle [°]</translation>
    </message>
    <message>
        <source>始めの位置</source>
        <translation>Start position</translation>
    </message>
    <message>
        <source>終わりの位置</source>
        <translation>End position</translation>
    </message>
    <message>
        <source>もう一方の組み方</source>
        <translation>Other assembly</translation>
    </message>
    <message>
        <source>点 1</source>
        <translation>Point 1</translation>
    </message>
    <message>
        <source>点 2</source>
        <translation>Point 2</translation>
    </message>
    <message>
        <source>点 1 からの長さ</source>
        <translation>Length from point 1</translation>
    </message>
    <message>
        <source>点 2 からの長さ</source>
        <translation>Length from point 2</translation>
    </message>
    <message>
        <source>リンクの始点</source>
        <translation>Link start</translation>
    </message>
    <message>
        <source>リンクの終点</source>
        <translation>Link end</translation>
    </message>
    <message>
        <source>リンクに沿って</source>
        <translation>Along the link</translation>
    </message>
    <message>
        <source>リンクの左へ</source>
        <translation>Left of the link</translation>
    </message>
    <message>
        <source>点</source>
        <translation>Point</translation>
    </message>
    <message>
        <source>先に固定点を置いてください</source>
        <translation>Place a ground pivot first</translation>
    </message>
    <message>
        <source>%1 を追加</source>
        <translation>Add %1</translation>
    </message>
    <message>
        <source>クランクを置くまで保存できません</source>
        <translation>A linkage can be saved once its crank is placed</translation>
    </message>
    <message>
        <source>%1 に保存しました</source>
        <translation>Saved to %1</translation>
    </message>
    <message>
        <source>機構の設定 (*.mechsim)</source>
        <translation>Mechanism set-ups (*.mechsim)</translation>
    </message>
    <message>
        <source>保存していない変更があります。保存しますか？</source>
        <translation>There are unsaved changes. Save them?</translation>
    </message>
    <message>
        <source>グリッドの間隔は正の数です</source>
        <translation>The grid step is a positive number</translation>
    </message>
    <message>
        <source>スライダをつなぐ点（駆動がまだなければ、駆動のスライダの始まり）をクリックしてください</source>
        <translation>Click the point the slider&apos;s rod connects to (without a drive yet: where the driving slider&apos;s guide starts)</translation>
    </message>
    <message>
        <source>駆動のスライダの行き先をクリックしてください</source>
        <translation>Click where the driving slider&apos;s stroke ends</translation>
    </message>
</context>
<context>
    <name>sim::MechanismWindow</name>
    <message>
        <source>動画</source>
        <translation>Animation</translation>
    </message>
    <message>
        <source>計算結果を %1 に書き出しました。</source>
        <translation>The results were written to %1.</translation>
    </message>
    <message>
        <source>&#x3000;</source>
        <comment>between two findings</comment>
        <translation>   </translation>
    </message>
    <message>
        <source>機構の図</source>
        <translation>Picture of the mechanism</translation>
    </message>
    <message>
        <source>表示中のステップ</source>
        <translation>Step shown</translation>
    </message>
    <message>
        <source>設定を保存</source>
        <translation>Save set-up</translation>
    </message>
    <message>
        <source>機構の設定 (*.mechsim)</source>
        <translation>Mechanism set-ups (*.mechsim)</translation>
    </message>
    <message>
        <source>編集</source>
        <translation>Edit</translation>
    </message>
</context>
<context>
    <name>sim::RunExport</name>
    <message>
        <source>はい</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>いいえ</source>
        <translation>no</translation>
    </message>
    <message>
        <source>プロファイル</source>
        <translation>Profile</translation>
    </message>
    <message>
        <source>時分割数 N</source>
        <translation>Time divisions N</translation>
    </message>
    <message>
        <source>サイクルタイム T</source>
        <translation>Cycle time T</translation>
    </message>
    <message>
        <source>%1 秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>stop の図</source>
        <translation>The stop picture</translation>
    </message>
    <message>
        <source>ステップ %1 の姿勢</source>
        <translation>Pose at step %1</translation>
    </message>
</context>
<context>
    <name>sim::TransportStrip</name>
    <message>
        <source>一時停止</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>1ステップ戻る</source>
        <translation>One step back</translation>
    </message>
    <message>
        <source>1ステップ進む</source>
        <translation>One step forward</translation>
    </message>
    <message>
        <source>時刻スライダー</source>
        <translation>Time slider</translation>
    </message>
    <message>
        <source>表示するステップ（0 から N まで）</source>
        <translation>The step shown (0 to N)</translation>
    </message>
    <message>
        <source>速さ</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>アニメーションの速さ：50 ms ごとに進むステップ数の倍率</source>
        <translation>Animation speed: how many steps each 50 ms tick moves, as a multiple</translation>
    </message>
    <message>
        <source>現在の値</source>
        <translation>Current values</translation>
    </message>
    <message>
        <source>表示中のステップの result.dat の行（列の名前の下に値）</source>
        <translation>The row of result.dat for the step shown (values under their column names)</translation>
    </message>
    <message>
        <source>進行状況</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>再開</source>
        <translation>Resume</translation>
    </message>
    <message>
        <source>書き出し中</source>
        <translation>Writing</translation>
    </message>
    <message>
        <source>表をコピー</source>
        <translation>Copy table</translation>
    </message>
    <message>
        <source>全ステップの表（result.dat と同じ列）をクリップボードにコピーします</source>
        <translation>Copies the table of every step (the columns of result.dat) to the clipboard</translation>
    </message>
</context>
<context>
    <name>testbench</name>
    <message>
        <source>「%1」の値が大きすぎます（範囲外です）。</source>
        <translation>The value of &quot;%1&quot; is too large (out of range).</translation>
    </message>
    <message>
        <source>「%1」は数値ではありません。</source>
        <translation>&quot;%1&quot; is not a number.</translation>
    </message>
</context>
<context>
    <name>testbench::BisectionTest</name>
    <message>
        <source>精度１／２＾ｎ</source>
        <translation>Accuracy 1/2^n</translation>
    </message>
    <message>
        <source>二分法テスト</source>
        <translation>Bisection test</translation>
    </message>
    <message>
        <source>計算精度を設定してボタンを押して下さい</source>
        <translation>Set the accuracy, then press this button</translation>
    </message>
    <message>
        <source>精度：区間を半分にする回数 n、幅が 1/2^n になるまで</source>
        <translation>Accuracy: the number n of halvings, until the interval is 1/2^n wide</translation>
    </message>
    <message>
        <source>x*x - 2 = 0 の 0 から 2 の間の根</source>
        <translation>Root of x*x - 2 = 0 between 0 and 2</translation>
    </message>
</context>
<context>
    <name>testbench::ClosureTest</name>
    <message>
        <source>点Bのx座標（点Aは原点）</source>
        <translation>x of point B (point A is the origin)</translation>
    </message>
    <message>
        <source>点Bのy座標（点Aは原点）</source>
        <translation>y of point B (point A is the origin)</translation>
    </message>
    <message>
        <source>点Aから関節Cまでのリンクの長さ（単位は任意）</source>
        <translation>Length of the link from A to joint C (any length unit)</translation>
    </message>
    <message>
        <source>関節Cから点Bまでのリンクの長さ（単位は任意）</source>
        <translation>Length of the link from joint C to B (any length unit)</translation>
    </message>
    <message>
        <source>求めた関節Cのx座標</source>
        <translation>x of joint C, as computed</translation>
    </message>
    <message>
        <source>求めた関節Cのy座標</source>
        <translation>y of joint C, as computed</translation>
    </message>
    <message>
        <source>レディー関数テスト</source>
        <translation>Two-link closure test</translation>
    </message>
    <message>
        <source>B に届きません。長さ 0 の腕（a1 または a2）では鎖が作れないためです。</source>
        <translation>B cannot be reached: an arm of length 0 (a1 or a2) makes no chain.</translation>
    </message>
    <message>
        <source>B に届く関節 C が決まりません。B が A と重なっているためです。</source>
        <translation>No single joint C reaches B: B lies on A.</translation>
    </message>
    <message>
        <source>B に届きません。A から B までの距離 %1 が a1 + a2 = %2 より長いためです。</source>
        <translation>B cannot be reached: the distance from A to B, %1, is longer than a1 + a2 = %2.</translation>
    </message>
    <message>
        <source>B に届きません。A から B までの距離 %1 が |a1 − a2| = %2 より短いためです。</source>
        <translation>B cannot be reached: the distance from A to B, %1, is shorter than |a1 − a2| = %2.</translation>
    </message>
    <message>
        <source>B に届く関節 C が求まりません。</source>
        <translation>No joint C reaching B was found.</translation>
    </message>
    <message>
        <source>消去</source>
        <translation>Clear</translation>
    </message>
</context>
<context>
    <name>testbench::GaussEliminationTest</name>
    <message>
        <source>行列ｍの1行1列の要素</source>
        <translation>Matrix m, row 1, column 1</translation>
    </message>
    <message>
        <source>行列ｍの1行2列の要素</source>
        <translation>Matrix m, row 1, column 2</translation>
    </message>
    <message>
        <source>行列ｍの2行1列の要素</source>
        <translation>Matrix m, row 2, column 1</translation>
    </message>
    <message>
        <source>行列ｍの2行2列の要素</source>
        <translation>Matrix m, row 2, column 2</translation>
    </message>
    <message>
        <source>右辺のベクトルVの1番目の要素</source>
        <translation>Right-hand side vector V, element 1</translation>
    </message>
    <message>
        <source>右辺のベクトルVの2番目の要素</source>
        <translation>Right-hand side vector V, element 2</translation>
    </message>
    <message>
        <source>ガウスの消去法テスト</source>
        <translation>Gaussian elimination test</translation>
    </message>
    <message>
        <source>行列ｍとベクトルVを設定してRUNを押して下さい</source>
        <translation>Set the matrix m and the vector V, then press here to RUN</translation>
    </message>
    <message>
        <source>＝</source>
        <translation>=</translation>
    </message>
    <message>
        <source>解：Xの値</source>
        <translation>Solution: the value of X</translation>
    </message>
    <message>
        <source>解：Yの値</source>
        <translation>Solution: the value of Y</translation>
    </message>
    <message>
        <source>下段は結果です</source>
        <translation>The lower rows are the result</translation>
    </message>
    <message>
        <source>行列ｍは不正です</source>
        <translation>The matrix m is singular</translation>
    </message>
    <message>
        <source>未知数 X</source>
        <translation>Unknown X</translation>
    </message>
    <message>
        <source>未知数 Y</source>
        <translation>Unknown Y</translation>
    </message>
    <message>
        <source>解の未知数 X</source>
        <translation>Unknown X of the solution</translation>
    </message>
    <message>
        <source>解の未知数 Y</source>
        <translation>Unknown Y of the solution</translation>
    </message>
</context>
<context>
    <name>web</name>
    <message>
        <source>平面機構シミュレータ</source>
        <translation>Planar Mechanism Simulator</translation>
    </message>
    <message>
        <source>機構と入力</source>
        <translation>Mechanism and inputs</translation>
    </message>
    <message>
        <source>結果</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>機構</source>
        <translation>Mechanism</translation>
    </message>
    <message>
        <source>例題</source>
        <translation>Examples</translation>
    </message>
    <message>
        <source>（例題を選ぶ）</source>
        <translation>(choose an example)</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>設定を保存</source>
        <translation>Save set-up</translation>
    </message>
    <message>
        <source>寸法と動き</source>
        <translation>Dimensions and motion</translation>
    </message>
    <message>
        <source>動作曲線</source>
        <translation>Motion profile</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>result.dat をダウンロード</source>
        <translation>Download result.dat</translation>
    </message>
    <message>
        <source>計算しました。result.dat をダウンロードできます。</source>
        <translation>Computed. result.dat can be downloaded.</translation>
    </message>
    <message>
        <source>%1 を開きました。</source>
        <translation>Opened %1.</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>%1 は大きすぎて開けません（1 MB まで）。</source>
        <translation>%1 is too large to open (1 MB at most).</translation>
    </message>
</context>
<context>
    <name>widgets::MessageLine</name>
    <message>
        <source>メッセージ</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>。</source>
        <translation>.</translation>
    </message>
</context>
<context>
    <name>widgets::PictureMenu</name>
    <message>
        <source>表をコピー</source>
        <translation>Copy table</translation>
    </message>
    <message>
        <source>レポートを保存</source>
        <translation>Save report</translation>
    </message>
    <message>
        <source>アニメーションを保存</source>
        <translation>Save animation</translation>
    </message>
    <message>
        <source>GIF アニメーション (*.gif)</source>
        <translation>GIF animation (*.gif)</translation>
    </message>
    <message>
        <source>画像を保存</source>
        <translation>Save picture</translation>
    </message>
    <message>
        <source>PNG 画像 (*.png);;SVG 画像 (*.svg)</source>
        <translation>PNG image (*.png);;SVG image (*.svg)</translation>
    </message>
    <message>
        <source>クリップボードにコピー</source>
        <translation>Copy to clipboard</translation>
    </message>
    <message>
        <source>設定を保存…</source>
        <translation>Save set-up…</translation>
    </message>
    <message>
        <source>表は %1 MB を超え、クリップボードには大きすぎます。%2 を開いてください。</source>
        <translation>The table is over %1 MB, too large for the clipboard. Please open %2 instead.</translation>
    </message>
</context>
</TS>
