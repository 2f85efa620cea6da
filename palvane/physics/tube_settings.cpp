#include "palvane/physics/tube_settings.h"

#include <cmath>
#include <initializer_list>
#include <stdexcept>
#include <string_view>

#include "palvane/state/parameter_file_writer.h"
#include "palvane/state/shared_state.h"
#include "text_files/number_text.h"

namespace palvane {

static_assert(static_cast<std::size_t>(SettingField::kRhodium) + 1 == kSettingBoxes.size());

namespace {

// The problem of one box's text: not a number in its unit, or a thickness below its lowest
// value, which has its own message; the other ranges are checked elsewhere.
std::optional<SettingTextProblem> boxProblem(SettingField field, std::string text,
                                             std::string_view unit, double lowest) {
  const bool degrees = unit == "deg";
  if (!IsSettingNumber(text, {unit, degrees ? std::string_view("°") : unit})) {
    return SettingTextProblem{field, std::move(text), false};
  }
  if (unit == "mm" && SettingNumber(text) < lowest) {
    return SettingTextProblem{field, std::move(text), true};
  }
  return std::nullopt;
}

}  // namespace

std::optional<SettingTextProblem> settingTextProblem(const ParameterTexts& texts) {
  for (std::size_t n = 0; n < kSettingBoxes.size(); ++n) {
    const SetupField& setupField = kSetupFields[n];
    if (auto problem = boxProblem(static_cast<SettingField>(n), (texts.*kSettingBoxes[n])(),
                                  setupField.unit, setupField.lowest)) {
      return problem;
    }
  }
  // The added filter's and the plate's boxes are read only when a material is chosen.
  if (!texts.addedFilterMaterial().empty()) {
    if (auto problem = boxProblem(SettingField::kAddedFilter, texts.addedFilter(), "mm", 0)) {
      return problem;
    }
  }
  if (!texts.plateMaterial().empty()) {
    return boxProblem(SettingField::kPlate, texts.plate(), "mm", 0);
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
