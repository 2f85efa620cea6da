#include "palvane/physics/tube_settings.h"

#include <cmath>
#include <initializer_list>
#include <stdexcept>
#include <string_view>

#include "palvane/state/shared_state.h"
#include "text_files/number_text.h"

namespace palvane {

TubeSettings readTubeSettings(const ParameterTexts& texts) {
  TubeSettings settings;
  settings.tubeVoltage = SettingNumber(texts.tubeVoltage());
  settings.targetAngle = SettingNumber(texts.targetAngle());
  settings.tiltAngle = SettingNumber(texts.tiltAngle());
  settings.beryllium = SettingNumber(texts.beryllium()) * 0.1;
  settings.aluminium = SettingNumber(texts.aluminium()) * 0.1;
  settings.molybdenum = SettingNumber(texts.molybdenum()) * 0.1;
  settings.rhodium = SettingNumber(texts.rhodium()) * 0.1;
  return settings;
}

namespace {

struct SettingField {
  const char* caption;
  std::string (ParameterTexts::*text)() const;
  std::initializer_list<std::string_view> units;
  bool thickness;
};

}  // namespace

std::optional<std::string> settingTextProblem(const ParameterTexts& texts) {
  const SettingField fields[] = {
      {kTubeVoltageCaption, &ParameterTexts::tubeVoltage, {"kV"}, false},
      {kTargetAngleCaption, &ParameterTexts::targetAngle, {"deg", "°"}, false},
      {kTiltAngleCaption, &ParameterTexts::tiltAngle, {"deg", "°"}, false},
      {kBerylliumCaption, &ParameterTexts::beryllium, {"mm"}, true},
      {kAluminiumCaption, &ParameterTexts::aluminium, {"mm"}, true},
      {kMolybdenumCaption, &ParameterTexts::molybdenum, {"mm"}, true},
      {kRhodiumCaption, &ParameterTexts::rhodium, {"mm"}, true},
  };
  for (const SettingField& field : fields) {
    const std::string text = (texts.*field.text)();
    const char* problem = nullptr;
    if (!IsSettingNumber(text, field.units)) {
      problem = kSettingNotANumberMessage;
    } else if (field.thickness && SettingNumber(text) < 0) {
      problem = kNegativeThicknessMessage;
    }
    if (problem != nullptr) return std::string(field.caption) + "「" + text + "」" + problem;
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
