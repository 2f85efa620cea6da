#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "palvane/state/form_ports.h"
#include "text_files/parameter_file.h"

namespace palvane {

// The spectrum form's box of each number of a set-up, in the order of kSetupFields; the
// air layer, the last field, has none.
inline constexpr std::array<std::string (ParameterTexts::*)() const, kSetupFields.size() - 1>
    kSettingBoxes{&ParameterTexts::tubeVoltage, &ParameterTexts::targetAngle,
                  &ParameterTexts::tiltAngle,   &ParameterTexts::beryllium,
                  &ParameterTexts::aluminium,   &ParameterTexts::molybdenum,
                  &ParameterTexts::rhodium};

// The settings of the spectrum form's boxes: each box as its leading number (a comma
// between digits read as a decimal point), so a text that is not a number gives 0; the
// added filter and the plate when a material is chosen for them.
TubeSetup tubeSetupOf(int targetType, const ParameterTexts& texts);

// The nine lines of B2F.dat for the form's settings (see parameterFileText(TubeSetup)).
std::string parameterFileText(int targetType, const ParameterTexts& texts);

// Writes B2F.dat into the directory (the working directory when empty) by the
// write-then-rename rule. Throws FileError naming the file when it cannot be written;
// an existing B2F.dat is then unchanged.
void WriteParameterFile(int targetType, const ParameterTexts& texts,
                        const std::filesystem::path& directory = {});

}  // namespace palvane
