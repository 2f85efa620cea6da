#include "palvane/physics/tube_settings.h"

#include <cmath>
#include <stdexcept>

#include "palvane/state/number_text.h"
#include "palvane/state/shared_state.h"

namespace palvane {

TubeSettings readTubeSettings(const ParameterTexts& texts) {
  TubeSettings settings;
  settings.tubeVoltage = LeadingNumber(texts.tubeVoltage());
  settings.targetAngle = LeadingNumber(texts.targetAngle());
  settings.tiltAngle = LeadingNumber(texts.tiltAngle());
  settings.beryllium = LeadingNumber(texts.beryllium()) * 0.1;
  settings.aluminium = LeadingNumber(texts.aluminium()) * 0.1;
  settings.molybdenum = LeadingNumber(texts.molybdenum()) * 0.1;
  settings.rhodium = LeadingNumber(texts.rhodium()) * 0.1;
  return settings;
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
