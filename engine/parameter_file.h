#pragma once

#include <filesystem>
#include <string_view>

#include "engine/beam_parameters.h"

namespace engine {

inline constexpr int kParameterCount = 9;
inline constexpr std::string_view kTargetCodeNotInteger =
    "the target code must be an integer without a decimal point";
inline constexpr std::string_view kBeyondIntegerRange = " is beyond the integer range";
inline constexpr std::string_view kNoValueBeforeComma = "no value before the comma";

// Reads the nine values of B2F.dat in the free form: each value is the first one of the
// next line that holds one, and the rest of that line is ignored. Thicknesses are
// multiplied by 0.1f right after each read (mm -> cm). Throws InputError naming the file
// and line.
BeamParameters readParameterFile(const std::filesystem::path& file);

// The same for the text of a B2F.dat, named `fileName` in the messages.
BeamParameters readParameterText(std::string_view text, std::string fileName);

}  // namespace engine
