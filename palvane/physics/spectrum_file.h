#pragma once

#include <string>

#include "palvane/state/shared_state.h"

namespace palvane {

inline constexpr const char* kSpectrumFile = "B_SPCTL.dat";

// B_SPCTL.dat: for bins 1..250 the energy ("0000.0"), two blanks and spectrum / peak
// ("0.00000"); then the peak ("0.0000E+00"); every line ends with CR LF. The values must
// be finite and the peak positive.
std::string spectrumFileText(const BinArray& spectrum, double peak);

}  // namespace palvane
