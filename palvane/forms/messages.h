#pragma once

#include <QtGlobal>

// The messages the forms show in their message boxes that no single form owns, each an id
// with its Japanese text (the source) and its English one (forms/translations/palvane_en.ts),
// shown through translated().
namespace palvane {

// A point-spectrum run that drew nothing (PointSpectrumOutcome).
inline constexpr char kNoNormaliserMessage[] = QT_TRANSLATE_NOOP(
    "palvane", "スペクトルに基準となるピークがありません。何も描画していません。");
inline constexpr char kOutsideModelMessage[] =
    QT_TRANSLATE_NOOP("palvane", "この設定ではスペクトルを計算できません。何も描画していません。");

// A save with nothing to save.
inline constexpr char kNoSpectrumToSaveMessage[] = QT_TRANSLATE_NOOP(
    "palvane",
    "スペクトルが描かれていません。先にスペクトルを描画してください。何も保存していません。");
inline constexpr char kNoResultsToSaveMessage[] = QT_TRANSLATE_NOOP(
    "palvane",
    "計算結果が表示されていません。先に計算結果を表示してください。何も保存していません。");

// A typed point of the display form: %1 the box ("X" or "Y"), %2 its text; %1 X and %2 Y
// in mm.
inline constexpr char kPointNotANumberMessage[] =
    QT_TRANSLATE_NOOP("palvane", "点の %1「%2」は mm の数値ではありません。何も描画していません。");
inline constexpr char kPointOutsideMapMessage[] =
    QT_TRANSLATE_NOOP("palvane",
                      "点 X = %1 mm, Y = %2 mm は分布図の外です (X 0 ～ 150 mm, Y -100 ～ 100 "
                      "mm)。何も描画していません。");
inline constexpr char kPointBeyondCutOffMessage[] =
    QT_TRANSLATE_NOOP("palvane",
                      "点 X = %1 mm はこの設定のヒールカットオフより先にあり、ターゲットから"
                      "放射線が届きません。何も描画していません。");

// The engine could not be started; %1 is the engine's name, %2 the system's reason.
inline constexpr char kEngineNotFoundMessage[] = QT_TRANSLATE_NOOP(
    "palvane", "プログラム「%1」が palvane と同じフォルダにも検索パスにも見つかりません。");
inline constexpr char kEngineNotStartedMessage[] =
    QT_TRANSLATE_NOOP("palvane", "プログラム「%1」を起動できませんでした: %2");

// Every message above, for the test that each has its two texts.
inline constexpr const char* kSharedMessages[] = {
    kNoNormaliserMessage,      kOutsideModelMessage,    kNoSpectrumToSaveMessage,
    kNoResultsToSaveMessage,   kPointNotANumberMessage, kPointOutsideMapMessage,
    kPointBeyondCutOffMessage, kEngineNotFoundMessage,  kEngineNotStartedMessage,
};

}  // namespace palvane
