<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="ja_JP">
<context>
    <name>palvane</name>
    <message>
        <source>ターゲット</source>
        <translation>Target</translation>
    </message>
    <message>
        <source>(陽極)</source>
        <translation>(anode)</translation>
    </message>
    <message>
        <source>陰極</source>
        <translation>Cathode</translation>
    </message>
    <message>
        <source>電子線</source>
        <translation>Electrons</translation>
    </message>
    <message>
        <source>中心線</source>
        <translation>Central ray</translation>
    </message>
    <message>
        <source>焦点</source>
        <translation>Focus</translation>
    </message>
    <message>
        <source>θ : ターゲット角度</source>
        <translation>θ : target angle</translation>
    </message>
    <message>
        <source>陽極</source>
        <translation>Anode</translation>
    </message>
    <message>
        <source>X (陽極側)</source>
        <translation>X (anode side)</translation>
    </message>
    <message>
        <source>受像面</source>
        <translation>Image plane</translation>
    </message>
    <message>
        <source>基準点</source>
        <translation>Reference point</translation>
    </message>
    <message>
        <source>φ : 管球傾斜角度</source>
        <translation>φ : tube tilt angle</translation>
    </message>
    <message>
        <source>← 陰極側</source>
        <translation>← cathode side</translation>
    </message>
    <message>
        <source>陽極側 →</source>
        <translation>anode side →</translation>
    </message>
    <message>
        <source>受像面の</source>
        <translation>Field in the</translation>
    </message>
    <message>
        <source>照射野</source>
        <translation>image plane</translation>
    </message>
    <message>
        <source>(2 mm 間隔)</source>
        <translation>(2 mm steps)</translation>
    </message>
    <message>
        <source>計算を開始しました</source>
        <translation>Computation started</translation>
    </message>
    <message>
        <source>しばらくお待ちください</source>
        <translation>Please wait</translation>
    </message>
    <message>
        <source>計算が終了しました</source>
        <translation>Computation finished</translation>
    </message>
    <message>
        <source>Enter を押して下さい</source>
        <translation>Press Enter</translation>
    </message>
    <message>
        <source>照射条件</source>
        <translation>Irradiation conditions</translation>
    </message>
    <message>
        <source> 分布表示項目を選択</source>
        <translation> Quantity shown</translation>
    </message>
    <message>
        <source>エネルギーフルエンス</source>
        <translation>Energy fluence</translation>
    </message>
    <message>
        <source>空気カーマ</source>
        <translation>Air kerma</translation>
    </message>
    <message>
        <source>アルミ半価層</source>
        <translation>Al half-value layer</translation>
    </message>
    <message>
        <source>描 画</source>
        <translation>Draw</translation>
    </message>
    <message>
        <source>備 考</source>
        <translation>Remarks</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>作業フォルダ: %1</source>
        <translation>Working folder: %1</translation>
    </message>
    <message>
        <source>Ｘ線管電圧</source>
        <translation>Tube voltage</translation>
    </message>
    <message>
        <source>ターゲット角度(θ)</source>
        <translation>Target angle (θ)</translation>
    </message>
    <message>
        <source>管球傾斜角度(φ)</source>
        <translation>Tube tilt angle (φ)</translation>
    </message>
    <message>
        <source>ベリリウム</source>
        <translation>Beryllium</translation>
    </message>
    <message>
        <source>アルミ (当量)</source>
        <translation>Al (equivalent)</translation>
    </message>
    <message>
        <source>モリブデン</source>
        <translation>Molybdenum</translation>
    </message>
    <message>
        <source>ロジウム</source>
        <translation>Rhodium</translation>
    </message>
    <message>
        <source>%1「%2」は数値ではありません</source>
        <translation>%1 &quot;%2&quot; is not a number.</translation>
    </message>
    <message>
        <source>%1「%2」は負の値です。厚さは 0 以上を入力してください</source>
        <translation>%1 &quot;%2&quot; is negative. Enter a thickness of 0 or more.</translation>
    </message>
    <message>
        <source>管電圧が設定可能範囲を逸脱しています</source>
        <translation>The tube voltage is outside the range that can be set (20 to 50 kV).</translation>
    </message>
    <message>
        <source>タングステン</source>
        <translation>Tungsten</translation>
    </message>
    <message>
        <source>角度 θ, φ の関係図</source>
        <translation>Angles θ and φ</translation>
    </message>
    <message>
        <source>固有ろ過</source>
        <translation>Inherent</translation>
    </message>
    <message>
        <source>付加</source>
        <translation>Added</translation>
    </message>
    <message>
        <source>フィルタ</source>
        <translation>filter</translation>
    </message>
    <message>
        <source>（空気層 = </source>
        <translation>(Air layer = </translation>
    </message>
    <message>
        <source>一定とする）</source>
        <translation>held constant)</translation>
    </message>
    <message>
        <source>（圧迫板による減弱は考慮しない）</source>
        <translation>(Compression plate ignored)</translation>
    </message>
    <message>
        <source>（圧迫板 %1 を考慮）</source>
        <translation>(Plate of %1 included)</translation>
    </message>
    <message>
        <source>その他のフィルタ</source>
        <translation>Other filter</translation>
    </message>
    <message>
        <source>圧迫板</source>
        <translation>Compression plate</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>none</translation>
    </message>
    <message>
        <source>リセット</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>スペクトル描画</source>
        <translation>Draw spectrum</translation>
    </message>
    <message>
        <source>照射野内分布の計算</source>
        <translation>Compute field</translation>
    </message>
    <message>
        <source>計算結果の表示</source>
        <translation>Show results</translation>
    </message>
    <message>
        <source>マンモグラフィの照射野内における</source>
        <translation>Studies how uniform dose and beam quality</translation>
    </message>
    <message>
        <source>線量，線質の均一性の調査，</source>
        <translation>are over the mammography field,</translation>
    </message>
    <message>
        <source>および，ヒール効果を検証します．</source>
        <translation>and verifies the heel effect.</translation>
    </message>
    <message>
        <source>線量：</source>
        <translation>Dose:</translation>
    </message>
    <message>
        <source>空気カーマ（照射線量）</source>
        <translation>Air kerma (exposure)</translation>
    </message>
    <message>
        <source>線質：</source>
        <translation>Quality:</translation>
    </message>
    <message>
        <source>Ｘ線スペクトル</source>
        <translation>X-ray spectrum</translation>
    </message>
    <message>
        <source>アルミニウム半価層</source>
        <translation>Aluminium half-value layer</translation>
    </message>
    <message>
        <source>幾何学的配置は右模式図に</source>
        <translation>The geometry is shown in the</translation>
    </message>
    <message>
        <source>示すとおりです．</source>
        <translation>schematics on the right.</translation>
    </message>
    <message>
        <source>備考</source>
        <translation>Remarks</translation>
    </message>
    <message>
        <source>ここに示されたＸ線照射野内の線量・線質分布は、あくまで</source>
        <translation>The distributions of dose and beam quality in the X-ray field shown here</translation>
    </message>
    <message>
        <source>近似Ｘ線スペクトルを用いた理論計算によるものです。</source>
        <translation>are theoretical results, computed from approximate X-ray spectra.</translation>
    </message>
    <message>
        <source>実際には、絞り機構からの散乱線、光反射ミラーの材質・厚さ</source>
        <translation>In practice they also depend on radiation scattered by the collimator</translation>
    </message>
    <message>
        <source>・方向などにより、分布は変わってきます。</source>
        <translation>and on the material, thickness and orientation of the light-field mirror.</translation>
    </message>
    <message>
        <source>保存先のフォルダ</source>
        <translation>Folder to save into</translation>
    </message>
    <message>
        <source>校正ファイルを開く</source>
        <translation>Open a calibration file</translation>
    </message>
    <message>
        <source>校正ファイル (%1)</source>
        <translation>Calibration files (%1)</translation>
    </message>
    <message>
        <source>校正ファイルの保存</source>
        <translation>Save the calibration file</translation>
    </message>
    <message>
        <source>管球の校正</source>
        <translation>Tube calibration</translation>
    </message>
    <message>
        <source>管電圧</source>
        <translation>Voltage</translation>
    </message>
    <message>
        <source>実測 HVL</source>
        <translation>Measured HVL</translation>
    </message>
    <message>
        <source>計算 HVL</source>
        <translation>Model HVL</translation>
    </message>
    <message>
        <source>差</source>
        <translation>Difference</translation>
    </message>
    <message>
        <source>アルミ当量を求める</source>
        <translation>Fit Al equivalent</translation>
    </message>
    <message>
        <source>出力の実測値 (ビーム軸上)</source>
        <translation>Measured output (on the beam axis)</translation>
    </message>
    <message>
        <source>焦点からの距離</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>出力を設定</source>
        <translation>Set output</translation>
    </message>
    <message>
        <source>校正の読込</source>
        <translation>Load calibration</translation>
    </message>
    <message>
        <source>校正の保存</source>
        <translation>Save calibration</translation>
    </message>
    <message>
        <source>モデルの限界：Ｍｏ特性線の強さはフィルタにより変わり、</source>
        <translation>Limits of the model: the Mo line strength changes with the filter,</translation>
    </message>
    <message>
        <source>ＷのＬ線はなく、線量の単位はＭｏとＷで比較できません。</source>
        <translation>W has no L lines, and dose units cannot be compared between Mo and W.</translation>
    </message>
    <message>
        <source>詳しくは README を参照してください。</source>
        <translation>See the README for details.</translation>
    </message>
    <message>
        <source>スペクトルに基準となるピークがありません。何も描画していません。</source>
        <translation>The spectrum has no peak to scale by: nothing was drawn.</translation>
    </message>
    <message>
        <source>この設定ではスペクトルを計算できません。何も描画していません。</source>
        <translation>The spectrum cannot be computed for these settings: nothing was drawn.</translation>
    </message>
    <message>
        <source>スペクトルが描かれていません。先にスペクトルを描画してください。何も保存していません。</source>
        <translation>No spectrum is drawn: draw the spectrum first. Nothing was saved.</translation>
    </message>
    <message>
        <source>計算結果が表示されていません。先に計算結果を表示してください。何も保存していません。</source>
        <translation>No results are shown: show the results of an engine run first. Nothing was saved.</translation>
    </message>
    <message>
        <source>点の %1「%2」は mm の数値ではありません。何も描画していません。</source>
        <translation>The point&apos;s %1 &quot;%2&quot; is not a number in mm: nothing was drawn.</translation>
    </message>
    <message>
        <source>点 X = %1 mm, Y = %2 mm は分布図の外です (X 0 ～ 150 mm, Y -100 ～ 100 mm)。何も描画していません。</source>
        <translation>The point X = %1 mm, Y = %2 mm lies outside the map (X 0 to 150 mm, Y -100 to 100 mm): nothing was drawn.</translation>
    </message>
    <message>
        <source>点 X = %1 mm はこの設定のヒールカットオフより先にあり、ターゲットから放射線が届きません。何も描画していません。</source>
        <translation>The point X = %1 mm lies beyond the heel cut-off of these settings, where the target sends no radiation: nothing was drawn.</translation>
    </message>
    <message>
        <source>プログラム「%1」が palvane と同じフォルダにも検索パスにも見つかりません。</source>
        <translation>The program &quot;%1&quot; was not found beside palvane or on the search path.</translation>
    </message>
    <message>
        <source>プログラム「%1」を起動できませんでした: %2</source>
        <translation>The program &quot;%1&quot; could not be started: %2</translation>
    </message>
    <message>
        <source>数値で見る</source>
        <translation>Map view</translation>
    </message>
    <message>
        <source>点の線質</source>
        <translation>Beam quality at the points</translation>
    </message>
    <message>
        <source>比較用に残す</source>
        <translation>Keep curve</translation>
    </message>
    <message>
        <source>残した曲線を消去</source>
        <translation>Clear kept curves</translation>
    </message>
    <message>
        <source>分布の数値表示</source>
        <translation>Map view</translation>
    </message>
    <message>
        <source>照射野内分布を計算中です（%1）…</source>
        <translation>Computing the field at %1 …</translation>
    </message>
    <message>
        <source>照射野内分布の計算が終わりました（%1、%2 秒）。「計算結果の表示」へ</source>
        <translation>Field computed at %1 in %2 s — Show results</translation>
    </message>
    <message>
        <source>計算プログラムが結果を書かずに終了しました（%1）。そのウィンドウをご覧ください</source>
        <translation>The engine ended without writing its results (%1): see its window.</translation>
    </message>
    <message>
        <source>照射野内分布はまだ計算中です（%1）。この画面に「計算が終わりました」と出てから「計算結果の表示」を押してください。</source>
        <translation>The field at %1 is still being computed. Wait until this form says “Field computed”, then press Show results.</translation>
    </message>
    <message>
        <source>計算結果がまだありません（%1 がありません）。スペクトルを描画して「照射野内分布の計算」を押し、計算が終わってから「計算結果の表示」を押してください。</source>
        <translation>There are no results yet (%1 is missing). Draw the spectrum, press Compute field, and once this form says the field is computed, press Show results.</translation>
    </message>
    <message>
        <source>設定を表示した計算結果のものに置き換えました: %1</source>
        <translation>The settings were replaced by those of the results shown: %1</translation>
    </message>
    <message>
        <source>設定が変わりました。「スペクトル描画」で描き直してください</source>
        <translation>Settings changed since this spectrum was drawn: press Draw spectrum</translation>
    </message>
    <message>
        <source>保存しました: %1</source>
        <translation>Saved to %1</translation>
    </message>
    <message>
        <source> bye bye </source>
        <comment>to the title form</comment>
        <translation>Back to the title form</translation>
    </message>
    <message>
        <source> bye bye </source>
        <comment>to the spectrum form</comment>
        <translation>Back to the spectrum form</translation>
    </message>
    <message>
        <source> bye bye </source>
        <comment>quit</comment>
        <translation>Quit</translation>
    </message>
    <message>
        <source>%1 は %2 より古く、最後に渡した設定の計算結果ではありません（計算が終わらなかったか、失敗しました）。「照射野内分布の計算」をもう一度押してください。</source>
        <translation>%1 is older than %2: it does not hold the results of the settings last handed to the engine (that run did not finish or failed). Press Compute field again.</translation>
    </message>
    <message>
        <source>残差 %1 % (3 % 超)</source>
        <translation>residual %1 % (beyond 3 %)</translation>
    </message>
    <message>
        <source>65 cm: %1 µGy/mAs、%2 %3 kV</source>
        <translation>65 cm: %1 µGy/mAs, %2 %3 kV</translation>
    </message>
    <message>
        <source>すべてのファイル (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>プロファイル名</source>
        <translation>Profile name</translation>
    </message>
    <message>
        <source>(名前なし)</source>
        <translation>(unnamed)</translation>
    </message>
    <message>
        <source>未校正のモデル: HVL は実測より低めになりがちで、空気カーマはモデルの単位です</source>
        <translation>Uncalibrated model: HVL typically below measurement; air kerma in model units</translation>
    </message>
    <message>
        <source>校正済み: %1、%2 用</source>
        <translation>Calibrated: %1, for %2</translation>
    </message>
    <message>
        <source>この設定では未校正: %1 (%2)</source>
        <translation>Not calibrated for these settings: %1 (%2)</translation>
    </message>
    <message>
        <source>ヒール…</source>
        <translation>Heel…</translation>
    </message>
    <message>
        <source>ヒールの当てはめ</source>
        <translation>Fitting the heel</translation>
    </message>
    <message>
        <source>X (mm)</source>
        <translation>X (mm)</translation>
    </message>
    <message>
        <source>相対空気カーマ</source>
        <translation>Relative air kerma</translation>
    </message>
    <message>
        <source>計算値</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>差 (%)</source>
        <translation>Difference (%)</translation>
    </message>
    <message>
        <source>θ を求める</source>
        <translation>Fit θ</translation>
    </message>
    <message>
        <source>X は陽極側へ (Y = 0)、値はビーム軸に対する比。求めた θ は実効的な角度で、モデルのヒールを実測に合わせるものであり、陽極の実際の角度ではありません（焦点の大きさ、焦点外 X 線、陽極の荒れはモデルにありません）。θ のあと、実測 HVL に合うようアルミ当量を求め直します。</source>
        <translation>X towards the anode side (Y = 0), values relative to the beam axis. The fitted θ is an effective angle: it makes the model&apos;s heel match the measurement and is not the anode&apos;s real angle (focal-spot size, off-focus radiation and anode roughness are not in the model). After θ, the aluminium equivalent is fitted again to the measured HVLs.</translation>
    </message>
    <message>
        <source>校正、%1:「%2」は数値ではありません。何も変更していません。</source>
        <translation>Calibration, %1: &quot;%2&quot; is not a number. Nothing was changed.</translation>
    </message>
    <message>
        <source>校正、%1: 対になる欄は入力されていますが、この欄が空です。何も変更していません。</source>
        <translation>Calibration, %1: the entry is empty while its partner is filled in. Nothing was changed.</translation>
    </message>
    <message>
        <source>校正、%1: %2 kV は 20 ～ 50 kV の範囲外です。何も変更していません。</source>
        <translation>Calibration, %1: %2 kV is outside 20 to 50 kV. Nothing was changed.</translation>
    </message>
    <message>
        <source>校正、%1: %2 は 0 より大きくなければなりません。何も変更していません。</source>
        <translation>Calibration, %1: %2 must be above 0. Nothing was changed.</translation>
    </message>
    <message>
        <source>校正、%1: %2 cm は 10 ～ 200 cm の範囲外です。何も変更していません。</source>
        <translation>Calibration, %1: %2 cm is outside 10 to 200 cm. Nothing was changed.</translation>
    </message>
    <message>
        <source>校正: 出力はフォームの管電圧 %1 kV とともに保存されますが、これは 20 ～ 50 kV の範囲外です。何も変更していません。</source>
        <translation>Calibration: the output is stored with the form&apos;s tube voltage, %1 kV, which is outside 20 to 50 kV. Nothing was changed.</translation>
    </message>
    <message>
        <source>校正: %2 cm で %1 µGy/mAs の出力は大きすぎて計算できません。何も変更していません。</source>
        <translation>Calibration: an output of %1 µGy/mAs at %2 cm is too large to compute with. Nothing was changed.</translation>
    </message>
    <message>
        <source>校正: 管電圧と実測 HVL の行を少なくとも 1 行入力してください。何も変更していません。</source>
        <translation>Calibration: enter at least one row of tube voltage and measured HVL. Nothing was changed.</translation>
    </message>
    <message>
        <source>校正: %2 kV の実測 HVL %1 mm はアルミニウムなしのモデルの %3 mm より低く、0 ～ 5 mm のどのアルミ当量厚でも届きません。何も変更していません。</source>
        <translation>Calibration: the measured HVL %1 mm at %2 kV is below the model&apos;s %3 mm with no aluminium, so no aluminium-equivalent thickness from 0 to 5 mm reaches it. Nothing was changed.</translation>
    </message>
    <message>
        <source>校正: %2 kV の実測 HVL %1 mm はアルミニウム 5 mm のモデルの %3 mm より高く、0 ～ 5 mm のどのアルミ当量厚でも届きません。何も変更していません。</source>
        <translation>Calibration: the measured HVL %1 mm at %2 kV is above the model&apos;s %3 mm with 5 mm of aluminium, so no aluminium-equivalent thickness from 0 to 5 mm reaches it. Nothing was changed.</translation>
    </message>
    <message>
        <source>校正: この設定ではモデルが HVL を与えません (%1)。何も変更していません。</source>
        <translation>Calibration: the model gives no HVL for these settings (%1). Nothing was changed.</translation>
    </message>
    <message>
        <source>%1: この校正は%2用ですが、フォームは%3に設定されています。何も変更していません。</source>
        <translation>%1: this calibration is for the %2, but the form is set for the %3. Nothing was changed.</translation>
    </message>
    <message>
        <source>%1。何も変更していません。</source>
        <translation>%1. Nothing was changed.</translation>
    </message>
    <message>
        <source>%1 行目、管電圧 (kV)</source>
        <translation>row %1, tube voltage (kV)</translation>
    </message>
    <message>
        <source>%1 行目、実測 HVL (mm Al)</source>
        <translation>row %1, measured HVL (mm Al)</translation>
    </message>
    <message>
        <source>実測出力 (µGy/mAs)</source>
        <translation>measured output (µGy/mAs)</translation>
    </message>
    <message>
        <source>焦点からの距離 (cm)</source>
        <translation>distance from the focal spot (cm)</translation>
    </message>
    <message>
        <source>モリブデンターゲット</source>
        <translation>molybdenum target</translation>
    </message>
    <message>
        <source>タングステンターゲット</source>
        <translation>tungsten target</translation>
    </message>
    <message>
        <source>プロファイルは%1用です</source>
        <translation>the profile is for the %1</translation>
    </message>
    <message>
        <source>%1 は未校正です (このフィルタの当てはめがありません)</source>
        <translation>%1 is not calibrated (no fit for this filter)</translation>
    </message>
    <message>
        <source>%1 がプロファイルの値と異なります</source>
        <translation>%1 differs from the profile&apos;s</translation>
    </message>
    <message>
        <source>%1 がいずれもプロファイルの値と異なります</source>
        <translation>%1 differ from the profile&apos;s</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>ベリリウム (%1 mm)</source>
        <translation>beryllium (%1 mm)</translation>
    </message>
    <message>
        <source>フィルタ厚 (%1)</source>
        <translation>the filter thickness (%1)</translation>
    </message>
    <message>
        <source>アルミ当量 %1 mm が当てはめた %2 mm ではありません</source>
        <translation>aluminium %1 mm is not the fitted %2 mm</translation>
    </message>
    <message>
        <source>数値でない設定があります</source>
        <translation>a setting is not a number</translation>
    </message>
    <message>
        <source>ヒール、%1:「%2」は数値ではありません。何も変更していません。</source>
        <translation>Heel, %1: &quot;%2&quot; is not a number. Nothing was changed.</translation>
    </message>
    <message>
        <source>ヒール、%1: %2 は %3 の範囲外です。何も変更していません。</source>
        <translation>Heel, %1: %2 is outside %3. Nothing was changed.</translation>
    </message>
    <message>
        <source>ヒール、%1: X = %2 mm はフォームの角度でのヒールカットオフより先にあります。何も変更していません。</source>
        <translation>Heel, %1: X = %2 mm lies beyond the heel cut-off of the form&apos;s angles. Nothing was changed.</translation>
    </message>
    <message>
        <source>ヒール: X と相対空気カーマの行を少なくとも 1 行入力してください。何も変更していません。</source>
        <translation>Heel: enter at least one row of X and relative air kerma. Nothing was changed.</translation>
    </message>
    <message>
        <source>ヒール: 5 ～ 30 度のどのターゲット角も実測に届きません。最も近い %1° では %2 です。何も変更していません。</source>
        <translation>Heel: no target angle from 5 to 30 degrees reaches the measurement; the nearest, %1°, gives %2. Nothing was changed.</translation>
    </message>
    <message>
        <source>X = %2 mm で %1 (実測 %3)</source>
        <translation>%1 at X = %2 mm (measured %3)</translation>
    </message>
    <message>
        <source>%1 行目、X (mm)</source>
        <translation>row %1, X (mm)</translation>
    </message>
    <message>
        <source>%1 行目、相対空気カーマ</source>
        <translation>row %1, relative air kerma</translation>
    </message>
    <message>
        <source>--- %1 が終了しました。Enter を押すとこのウィンドウを閉じます。 ---</source>
        <translation>--- %1 has ended. Press Enter to close this window. ---</translation>
    </message>
    <message>
        <source>--- %1 が終了状態 %2 で停止しました。Enter を押すとこのウィンドウを閉じます。 ---</source>
        <translation>--- %1 stopped with exit status %2. Press Enter to close this window. ---</translation>
    </message>
    <message>
        <source>--- %1 が異常終了しました。Enter を押すとこのウィンドウを閉じます。 ---</source>
        <translation>--- %1 stopped abnormally. Press Enter to close this window. ---</translation>
    </message>
    <message>
        <source>ヒールカットオフより先</source>
        <translation>Beyond the heel cut-off</translation>
    </message>
    <message>
        <source>線質は定義されません</source>
        <translation>Beam quality not defined</translation>
    </message>
</context>
</TS>
