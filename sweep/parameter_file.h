#pragma once

#include <string>

#include "sweep/sweep_settings.h"

namespace sweep {

// The nine lines of B2F.dat exactly as the spectrum form writes them: the target code, the
// voltage and the angles as "00.0", Be and Al as "00.00", the filters as "00.000", the air
// layer "60.000"; each line ended by CR LF.
std::string parameterFileText(const Settings& settings);

}  // namespace sweep
