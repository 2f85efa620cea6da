#include "sweep/parameter_file.h"

#include "text_files/parameter_file.h"

namespace sweep {

std::string parameterFileText(const Settings& settings) {
  palvane::RunSettings run;
  run.targetFlag = settings.target == Target::kMolybdenum ? 0 : 1;
  run.tubeVoltage = settings.tubeVoltage;
  run.targetAngle = settings.targetAngle;
  run.tiltAngle = settings.tiltAngle;
  run.beryllium = settings.beryllium;
  run.aluminium = settings.aluminium;
  run.molybdenum = settings.molybdenum;
  run.rhodium = settings.rhodium;
  return palvane::parameterFileText(run);
}

}  // namespace sweep
