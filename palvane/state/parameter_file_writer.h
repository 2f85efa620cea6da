#pragma once

#include <filesystem>
#include <string>

#include "palvane/state/form_ports.h"

namespace palvane {

inline constexpr const char* kParameterFile = "B2F.dat";
// The air layer in cm that B2F.dat always carries, so that every engine run uses it.
inline constexpr double kEngineAirLayer = 60.0;

// The nine lines of B2F.dat, each ended by CR LF: the target flag ("0"), the tube
// voltage, target angle and tilt angle ("00.0"), beryllium and aluminium ("00.00"),
// molybdenum and rhodium ("00.000"), all in kV, degrees and mm, and the constant air
// layer "60.000" cm. Each box is written as its leading number, so a text that is not a
// number is written as 0.
std::string parameterFileText(int targetType, const ParameterTexts& texts);

// Writes B2F.dat into the directory (the working directory when empty) by the
// write-then-rename rule. Throws FileError naming the file when it cannot be written;
// an existing B2F.dat is then unchanged.
void WriteParameterFile(int targetType, const ParameterTexts& texts,
                        const std::filesystem::path& directory = {});

}  // namespace palvane
