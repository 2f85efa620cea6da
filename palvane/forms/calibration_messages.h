#pragma once

#include <QtGlobal>

// The messages and reasons of the calibration strip (the panel and its heel dialog), each
// an id with its Japanese text (the source) and its English one
// (forms/translations/palvane_en.ts), shown through translated().
namespace palvane {

// A bad entry; %1 names it (kRowVoltageName, ...), %2 is its text or value.
inline constexpr char kCalibrationNotANumberMessage[] =
    QT_TRANSLATE_NOOP("palvane", "校正、%1:「%2」は数値ではありません。何も変更していません。");
inline constexpr char kCalibrationEmptyEntryMessage[] =
    QT_TRANSLATE_NOOP("palvane",
                      "校正、%1: 対になる欄は入力されていますが、この欄が空です。何も変更して"
                      "いません。");
inline constexpr char kCalibrationVoltageOutOfRangeMessage[] = QT_TRANSLATE_NOOP(
    "palvane", "校正、%1: %2 kV は 20 ～ 50 kV の範囲外です。何も変更していません。");
inline constexpr char kCalibrationNotPositiveMessage[] = QT_TRANSLATE_NOOP(
    "palvane", "校正、%1: %2 は 0 より大きくなければなりません。何も変更していません。");
inline constexpr char kCalibrationDistanceOutOfRangeMessage[] = QT_TRANSLATE_NOOP(
    "palvane", "校正、%1: %2 cm は 10 ～ 200 cm の範囲外です。何も変更していません。");
inline constexpr char kCalibrationFormVoltageMessage[] =
    QT_TRANSLATE_NOOP("palvane",
                      "校正: 出力はフォームの管電圧 %1 kV とともに保存されますが、これは 20 ～ "
                      "50 kV の範囲外です。何も変更していません。");
inline constexpr char kCalibrationOutputTooLargeMessage[] =
    QT_TRANSLATE_NOOP("palvane",
                      "校正: %2 cm で %1 µGy/mAs の出力は大きすぎて計算できません。何も変更して"
                      "いません。");
inline constexpr char kCalibrationNoPairMessage[] =
    QT_TRANSLATE_NOOP("palvane",
                      "校正: 管電圧と実測 HVL の行を少なくとも 1 行入力してください。何も変更"
                      "していません。");
// %1 the measured HVL, %2 its tube voltage, %3 the model's HVL at the end of the range.
inline constexpr char kCalibrationHvlBelowModelMessage[] =
    QT_TRANSLATE_NOOP("palvane",
                      "校正: %2 kV の実測 HVL %1 mm はアルミニウムなしのモデルの %3 mm より低く、"
                      "0 ～ 5 mm のどのアルミ当量厚でも届きません。何も変更していません。");
inline constexpr char kCalibrationHvlAboveModelMessage[] =
    QT_TRANSLATE_NOOP("palvane",
                      "校正: %2 kV の実測 HVL %1 mm はアルミニウム 5 mm のモデルの %3 mm より"
                      "高く、0 ～ 5 mm のどのアルミ当量厚でも届きません。何も変更していません。");
inline constexpr char kCalibrationFitImpossibleMessage[] = QT_TRANSLATE_NOOP(
    "palvane", "校正: この設定ではモデルが HVL を与えません (%1)。何も変更していません。");
// %1 the file, %2 and %3 the targets of the file and of the form (kMolybdenumTargetName, ...).
inline constexpr char kCalibrationOtherTargetMessage[] =
    QT_TRANSLATE_NOOP("palvane",
                      "%1: この校正は%2用ですが、フォームは%3に設定されています。何も変更して"
                      "いません。");
inline constexpr char kCalibrationFileProblemMessage[] =
    QT_TRANSLATE_NOOP("palvane", "%1。何も変更していません。");

// The entries the messages name; %1 the row.
inline constexpr char kRowVoltageName[] = QT_TRANSLATE_NOOP("palvane", "%1 行目、管電圧 (kV)");
inline constexpr char kRowHvlName[] = QT_TRANSLATE_NOOP("palvane", "%1 行目、実測 HVL (mm Al)");
inline constexpr char kOutputKermaName[] = QT_TRANSLATE_NOOP("palvane", "実測出力 (µGy/mAs)");
inline constexpr char kOutputDistanceName[] = QT_TRANSLATE_NOOP("palvane", "焦点からの距離 (cm)");
inline constexpr char kMolybdenumTargetName[] =
    QT_TRANSLATE_NOOP("palvane", "モリブデンターゲット");
inline constexpr char kTungstenTargetName[] =
    QT_TRANSLATE_NOOP("palvane", "タングステンターゲット");

// Why a profile does not serve the form's settings, in the strip's state line.
inline constexpr char kOtherTargetReason[] = QT_TRANSLATE_NOOP("palvane", "プロファイルは%1用です");
inline constexpr char kNoFitReason[] =
    QT_TRANSLATE_NOOP("palvane", "%1 は未校正です (このフィルタの当てはめがありません)");
// %1 the settings that differ, each as kDifferingAngleReason ... names it, joined by
// kReasonSeparator.
inline constexpr char kOneSettingDiffersReason[] =
    QT_TRANSLATE_NOOP("palvane", "%1 がプロファイルの値と異なります");
inline constexpr char kSettingsDifferReason[] =
    QT_TRANSLATE_NOOP("palvane", "%1 がいずれもプロファイルの値と異なります");
inline constexpr char kReasonSeparator[] = QT_TRANSLATE_NOOP("palvane", "、");
inline constexpr char kDifferingBerylliumReason[] =
    QT_TRANSLATE_NOOP("palvane", "ベリリウム (%1 mm)");
inline constexpr char kDifferingFilterReason[] = QT_TRANSLATE_NOOP("palvane", "フィルタ厚 (%1)");
inline constexpr char kOtherAluminiumReason[] =
    QT_TRANSLATE_NOOP("palvane", "アルミ当量 %1 mm が当てはめた %2 mm ではありません");
inline constexpr char kSettingNotANumberReason[] =
    QT_TRANSLATE_NOOP("palvane", "数値でない設定があります");

// The heel dialog's messages; %1 names the entry (kHeelXName, ...).
inline constexpr char kHeelNotANumberMessage[] =
    QT_TRANSLATE_NOOP("palvane", "ヒール、%1:「%2」は数値ではありません。何も変更していません。");
// %3 the range, "(0, 150] mm".
inline constexpr char kHeelOutOfRangeMessage[] =
    QT_TRANSLATE_NOOP("palvane", "ヒール、%1: %2 は %3 の範囲外です。何も変更していません。");
inline constexpr char kHeelBeyondCutOffMessage[] =
    QT_TRANSLATE_NOOP("palvane",
                      "ヒール、%1: X = %2 mm はフォームの角度でのヒールカットオフより先にあり"
                      "ます。何も変更していません。");
inline constexpr char kHeelNoPointMessage[] =
    QT_TRANSLATE_NOOP("palvane",
                      "ヒール: X と相対空気カーマの行を少なくとも 1 行入力してください。何も"
                      "変更していません。");
// %1 the nearest angle, %2 the model's values there, each as kHeelNearestValue gives it.
inline constexpr char kHeelUnreachableMessage[] =
    QT_TRANSLATE_NOOP("palvane",
                      "ヒール: 5 ～ 30 度のどのターゲット角も実測に届きません。最も近い %1° "
                      "では %2 です。何も変更していません。");
// %1 the model's value at X = %2 mm, measured %3.
inline constexpr char kHeelNearestValue[] =
    QT_TRANSLATE_NOOP("palvane", "X = %2 mm で %1 (実測 %3)");
inline constexpr char kHeelXName[] = QT_TRANSLATE_NOOP("palvane", "%1 行目、X (mm)");
inline constexpr char kHeelKermaName[] = QT_TRANSLATE_NOOP("palvane", "%1 行目、相対空気カーマ");

// Every message and reason above, for the test that each has its two texts.
inline constexpr const char* kCalibrationMessages[] = {
    kCalibrationNotANumberMessage,
    kCalibrationEmptyEntryMessage,
    kCalibrationVoltageOutOfRangeMessage,
    kCalibrationNotPositiveMessage,
    kCalibrationDistanceOutOfRangeMessage,
    kCalibrationFormVoltageMessage,
    kCalibrationOutputTooLargeMessage,
    kCalibrationNoPairMessage,
    kCalibrationHvlBelowModelMessage,
    kCalibrationHvlAboveModelMessage,
    kCalibrationFitImpossibleMessage,
    kCalibrationOtherTargetMessage,
    kCalibrationFileProblemMessage,
    kRowVoltageName,
    kRowHvlName,
    kOutputKermaName,
    kOutputDistanceName,
    kMolybdenumTargetName,
    kTungstenTargetName,
    kOtherTargetReason,
    kNoFitReason,
    kOneSettingDiffersReason,
    kSettingsDifferReason,
    kReasonSeparator,
    kDifferingBerylliumReason,
    kDifferingFilterReason,
    kOtherAluminiumReason,
    kSettingNotANumberReason,
    kHeelNotANumberMessage,
    kHeelOutOfRangeMessage,
    kHeelBeyondCutOffMessage,
    kHeelNoPointMessage,
    kHeelUnreachableMessage,
    kHeelNearestValue,
    kHeelXName,
    kHeelKermaName,
};

}  // namespace palvane
