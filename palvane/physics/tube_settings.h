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

// The model's settings of a set-up: thicknesses from mm to cm (times 0.1).
TubeSettings tubeSettingsOf(const TubeSetup& setup);

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
