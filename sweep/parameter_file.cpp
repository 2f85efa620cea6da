#include "sweep/parameter_file.h"

#include "text_files/parameter_file.h"

namespace sweep {

std::string parameterFileText(const Settings& settings) {
  return palvane::parameterFileText(settings);
}

}  // namespace sweep
