#include "engine/input_error.h"

namespace engine {

std::string describeInputError(const std::string& file, int line, int field,
                               const std::string& what) {
  std::string text = file;
  if (line > 0) text += ", line " + std::to_string(line);
  if (field > 0) text += ", field " + std::to_string(field);
  return text + ": " + what;
}

}  // namespace engine
