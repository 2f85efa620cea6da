#include "palvane/state/parameter_file_writer.h"

#include "text_files/atomic_file.h"
#include "text_files/number_text.h"

namespace palvane {

TubeSetup tubeSetupOf(int targetType, const ParameterTexts& texts) {
  TubeSetup settings;
  settings.target = targetOfFlag(targetType);
  for (std::size_t n = 0; n < kSettingBoxes.size(); ++n) {
    settings.*kSetupFields[n].member = SettingNumber((texts.*kSettingBoxes[n])());
  }
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
