#pragma once

#include <optional>
#include <string>

#include "palvane/state/form_ports.h"

namespace palvane {

// The captions of the spectrum form's setting fields, shown on the form and named in
// its messages.
inline constexpr char kTubeVoltageCaption[] = "Ｘ線管電圧";
inline constexpr char kTargetAngleCaption[] = "ターゲット角度(θ)";
inline constexpr char kTiltAngleCaption[] = "管球傾斜角度(φ)";
inline constexpr char kBerylliumCaption[] = "ベリリウム";
inline constexpr char kAluminiumCaption[] = "アルミ (当量)";
inline constexpr char kMolybdenumCaption[] = "モリブデン";
inline constexpr char kRhodiumCaption[] = "ロジウム";

// The tube and filter settings as the spectrum form holds them, read as numbers.
struct TubeSettings {
  double tubeVoltage = 0.0;  // kV
  double targetAngle = 0.0;  // theta, degrees
  double tiltAngle = 0.0;    // phi, degrees
  double beryllium = 0.0;    // thicknesses in cm (the form holds mm)
  double aluminium = 0.0;
  double molybdenum = 0.0;
  double rhodium = 0.0;
  friend bool operator==(const TubeSettings&, const TubeSettings&) = default;
};

// The settings read with SettingNumber (a decimal comma counts as a point).
TubeSettings readTubeSettings(const ParameterTexts& texts);

// Ends of the messages about a setting's text; the message starts with the field's caption
// and the text in quotes: ベリリウム「abc」は数値ではありません.
inline constexpr char kSettingNotANumberMessage[] = "は数値ではありません";
inline constexpr char kNegativeThicknessMessage[] = "は負の値です。厚さは 0 以上を入力してください";

// The message about the first setting whose text is not a number followed only by blanks
// and the field's unit (kV, deg or °, mm), or whose thickness is below zero; nullopt when
// every setting can be computed with.
std::optional<std::string> settingTextProblem(const ParameterTexts& texts);

// The highest spectrum bin N for a tube voltage in kV: 5 * V rounded down (below 2 no bin
// carries radiation). nullopt when N would pass the last bin, 250.
std::optional<int> lastSpectrumBin(double tubeVoltage);

// The parameter texts of the spectrum form; throws std::logic_error before the forms have
// connected them.
ParameterTexts& parameterTexts();

}  // namespace palvane
