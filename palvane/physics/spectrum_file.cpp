#include "palvane/physics/spectrum_file.h"

#include "text_files/number_text.h"

namespace palvane {

std::string spectrumFileText(const BinArray& spectrum, double peak) {
  std::string text;
  for (int i = 1; i <= kLastBin; ++i) {
    text += PatternFormat(0.2 * i, "0000.0") + "  " + PatternFormat(spectrum[i] / peak, "0.00000");
    text += "\r\n";
  }
  return text + PatternFormat(peak, "0.0000E+00") + "\r\n";
}

}  // namespace palvane
