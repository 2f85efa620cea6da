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
        <translation>(Compression plate attenuation ignored)</translation>
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
        <source>基準点 (65 cm): %1 µGy/mAs</source>
        <translation>Reference point (65 cm): %1 µGy/mAs</translation>
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
        <source>µGy/mAs</source>
        <translation>µGy/mAs</translation>
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
</context>
</TS>
