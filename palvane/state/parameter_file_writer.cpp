#include "palvane/state/parameter_file_writer.h"

#include "text_files/atomic_file.h"
#include "text_files/number_text.h"

namespace palvane {

TubeSetup tubeSetupOf(int targetType, const ParameterTexts& texts) {
  TubeSetup settings;
  settings.target = targetOfFlag(targetType);
  settings.tubeVoltage = SettingNumber(texts.tubeVoltage());
  settings.targetAngle = SettingNumber(texts.targetAngle());
  settings.tiltAngle = SettingNumber(texts.tiltAngle());
  settings.beryllium = SettingNumber(texts.beryllium());
  settings.aluminium = SettingNumber(texts.aluminium());
  settings.molybdenum = SettingNumber(texts.molybdenum());
  settings.rhodium = SettingNumber(texts.rhodium());
  if (!texts.addedFilterMaterial().empty()) {
    settings.addedFilters.push_back(
        {texts.addedFilterMaterial(), SettingNumber(texts.addedFilter())});
  }
  if (!texts.plateMaterial().empty()) {
    settings.plate = AddedLayer{texts.plateMaterial(), SettingNumber(texts.plate())};
  }
  return settings;
}

std::string parameterFileText(int targetType, const ParameterTexts& texts) {
  return parameterFileText(tubeSetupOf(targetType, texts));
}

void WriteParameterFile(int targetType, const ParameterTexts& texts,
                        const std::filesystem::path& directory) {
  replaceFileContents(directory / kParameterFile, parameterFileText(targetType, texts));
}

}  // namespace palvane
