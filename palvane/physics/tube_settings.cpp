#include "palvane/physics/tube_settings.h"

#include <cmath>
#include <initializer_list>
#include <stdexcept>
#include <string_view>

#include "palvane/state/parameter_file_writer.h"
#include "palvane/state/shared_state.h"
#include "text_files/number_text.h"

namespace palvane {

TubeSettings readTubeSettings(const ParameterTexts& texts) {
  return tubeSettingsOf(tubeSetupOf(0, texts));
}

TubeSettings tubeSettingsOf(const TubeSetup& setup) {
  constexpr double kCentimetresPerMillimetre = 0.1;
  TubeSettings settings;
  settings.tubeVoltage = setup.tubeVoltage;
  settings.targetAngle = setup.targetAngle;
  settings.tiltAngle = setup.tiltAngle;
  settings.beryllium = setup.beryllium * kCentimetresPerMillimetre;
  settings.aluminium = setup.aluminium * kCentimetresPerMillimetre;
  settings.molybdenum = setup.molybdenum * kCentimetresPerMillimetre;
  settings.rhodium = setup.rhodium * kCentimetresPerMillimetre;
  return settings;
}

namespace {

struct SettingText {
  SettingField field;
  std::string (ParameterTexts::*text)() const;
  std::initializer_list<std::string_view> units;
  bool thickness;
};

}  // namespace

std::optional<SettingTextProblem> settingTextProblem(const ParameterTexts& texts) {
  const SettingText fields[] = {
      {SettingField::kTubeVoltage, &ParameterTexts::tubeVoltage, {"kV"}, false},
      {SettingField::kTargetAngle, &ParameterTexts::targetAngle, {"deg", "°"}, false},
      {SettingField::kTiltAngle, &ParameterTexts::tiltAngle, {"deg", "°"}, false},
      {SettingField::kBeryllium, &ParameterTexts::beryllium, {"mm"}, true},
      {SettingField::kAluminium, &ParameterTexts::aluminium, {"mm"}, true},
      {SettingField::kMolybdenum, &ParameterTexts::molybdenum, {"mm"}, true},
      {SettingField::kRhodium, &ParameterTexts::rhodium, {"mm"}, true},
      {SettingField::kAddedFilter, &ParameterTexts::addedFilter, {"mm"}, true},
      {SettingField::kPlate, &ParameterTexts::plate, {"mm"}, true},
  };
  for (const SettingText& field : fields) {
    if ((field.field == SettingField::kAddedFilter && texts.addedFilterMaterial().empty()) ||
        (field.field == SettingField::kPlate && texts.plateMaterial().empty())) {
      continue;
    }
    std::string text = (texts.*field.text)();
    if (!IsSettingNumber(text, field.units)) {
      return SettingTextProblem{field.field, std::move(text), false};
    }
    if (field.thickness && SettingNumber(text) < 0) {
      return SettingTextProblem{field.field, std::move(text), true};
    }
  }
  return std::nullopt;
}

std::optional<int> lastSpectrumBin(double tubeVoltage) {
  const double binLimit = 5.0 * tubeVoltage;
  if (!(binLimit < kLastBin + 1)) return std::nullopt;
  if (binLimit < 2.0) return 1;
  return static_cast<int>(std::floor(binLimit));
}

ParameterTexts& parameterTexts() {
  ParameterTexts* texts = state().ports.parameters;
  if (texts == nullptr) throw std::logic_error("the spectrum form's parameters are not connected");
  return *texts;
}

}  // namespace palvane
