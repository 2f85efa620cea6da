#pragma once

#include <string>

#include "sweep/sweep_settings.h"

namespace sweep {

// The nine lines of B2F.dat for the combination, written as palvane writes them
// (palvane::parameterFileText).
std::string parameterFileText(const Settings& settings);

}  // namespace sweep
