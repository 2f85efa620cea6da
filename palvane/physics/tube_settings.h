#pragma once

#include <optional>
#include <string>

#include "palvane/state/form_ports.h"
#include "text_files/tube_setup.h"

namespace palvane {

// The setting fields of the spectrum form, in the order their texts are checked: that of
// kSetupFields.
enum class SettingField {
  kTubeVoltage,
  kTargetAngle,
  kTiltAngle,
  kBeryllium,
  kAluminium,
  kMolybdenum,
  kRhodium,
  kAddedFilter,  // checked only when a material is chosen for it
  kPlate,
};

// A setting whose text cannot be computed with.
struct SettingTextProblem {
  SettingField field;
  std::string text;  // as typed
  // A thickness below zero; otherwise the text is not a number followed only by blanks
  // and the field's unit (kV, deg or °, mm).
  bool negativeThickness = false;
  friend bool operator==(const SettingTextProblem&, const SettingTextProblem&) = default;
};

// The first setting whose text cannot be computed with; nullopt when every one can.
std::optional<SettingTextProblem> settingTextProblem(const ParameterTexts& texts);

// The highest spectrum bin N for a tube voltage in kV: 5 * V rounded down (below 2 no bin
// carries radiation). nullopt when N would pass the last bin, 250.
std::optional<int> lastSpectrumBin(double tubeVoltage);

// The parameter texts of the spectrum form; throws std::logic_error before the forms have
// connected them.
ParameterTexts& parameterTexts();

}  // namespace palvane
