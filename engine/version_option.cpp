#include "engine/version_option.h"

namespace engine {

std::string versionLine(std::string_view program) {
  return std::string(program) + " " PALVANE_VERSION "\n";
}

bool versionRequested(int argc, const char* const argv[]) {
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--version") return true;
  }
  return false;
}

}  // namespace engine
