#pragma once

#include <QString>
#include <QtGlobal>

#include "text_files/tube_setup.h"

namespace palvane {

// The texts with which the forms report an engine run, the state of what they show and
// where a set was saved (Japanese sources, translated like every text of the forms).
inline constexpr char kRunStartedText[] =
    QT_TRANSLATE_NOOP("palvane", "照射野内分布を計算中です（%1）…");
inline constexpr char kRunFinishedText[] = QT_TRANSLATE_NOOP(
    "palvane", "照射野内分布の計算が終わりました（%1、%2 秒）。「計算結果の表示」へ");
inline constexpr char kRunFailedText[] = QT_TRANSLATE_NOOP(
    "palvane", "計算プログラムが結果を書かずに終了しました（%1）。そのウィンドウをご覧ください");
inline constexpr char kResultsNotWrittenYetMessage[] = QT_TRANSLATE_NOOP(
    "palvane",
    "照射野内分布はまだ計算中です（%1）。この画面に「計算が終わりました」と出てから"
    "「計算結果の表示」を押してください。");
inline constexpr char kNoResultsYetMessage[] = QT_TRANSLATE_NOOP(
    "palvane",
    "計算結果がまだありません（%1 がありません）。スペクトルを描画して「照射野内分布の計算」を"
    "押し、計算が終わってから「計算結果の表示」を押してください。");
inline constexpr char kResultsOlderThanSettingsMessage[] = QT_TRANSLATE_NOOP(
    "palvane",
    "%1 は %2 より古く、最後に渡した設定の計算結果ではありません（計算が終わらなかったか、"
    "失敗しました）。「照射野内分布の計算」をもう一度押してください。");
inline constexpr char kSettingsReplacedText[] =
    QT_TRANSLATE_NOOP("palvane", "設定を表示した計算結果のものに置き換えました: %1");
inline constexpr char kSpectrumStaleText[] =
    QT_TRANSLATE_NOOP("palvane", "設定が変わりました。「スペクトル描画」で描き直してください");
inline constexpr char kSavedToText[] = QT_TRANSLATE_NOOP("palvane", "保存しました: %1");

// The settings of a run in a few words: "28 kV, Mo/Rh" (the target, then each added
// filter that is thicker than nothing).
QString runDescription(const TubeSetup& settings);

}  // namespace palvane
