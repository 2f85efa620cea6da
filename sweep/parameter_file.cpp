#include "sweep/parameter_file.h"

#include "text_files/number_text.h"

namespace sweep {

std::string parameterFileText(const Settings& settings) {
  using palvane::PatternFormat;
  const char* const lineEnd = "\r\n";
  std::string text = settings.target == Target::kMolybdenum ? "0" : "1";
  text += lineEnd;
  for (double voltageOrAngle : {settings.tubeVoltage, settings.targetAngle, settings.tiltAngle}) {
    text += PatternFormat(voltageOrAngle, "00.0") + lineEnd;
  }
  for (double inherentFilter : {settings.beryllium, settings.aluminium}) {
    text += PatternFormat(inherentFilter, "00.00") + lineEnd;
  }
  for (double addedFilter : {settings.molybdenum, settings.rhodium}) {
    text += PatternFormat(addedFilter, "00.000") + lineEnd;
  }
  return text + "60.000" + lineEnd;
}

}  // namespace sweep
