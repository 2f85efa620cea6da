#include "text_files/tube_setup.h"

#include <cmath>
#include <stdexcept>

#include "text_files/number_text.h"

namespace palvane {

const SetupField& setupField(double TubeSetup::*member) {
  for (const SetupField& field : kSetupFields) {
    if (field.member == member) return field;
  }
  throw std::logic_error("a TubeSetup member without a field");
}

std::string_view targetName(Target target) { return target == Target::kMolybdenum ? "mo" : "w"; }

int targetFlag(Target target) { return target == Target::kMolybdenum ? 0 : 1; }

Target targetOfFlag(double flag) {
  return std::nearbyint(flag) == 0.0 ? Target::kMolybdenum : Target::kTungsten;
}

std::optional<std::string> setupProblem(const TubeSetup& setup) {
  for (const SetupField& field : kSetupFields) {
    const double value = setup.*field.member;
    if (std::isfinite(value) && value >= field.lowest && value <= field.highest) continue;
    const std::string unit(field.unit);
    std::string problem = std::string(field.name) + " " + ShortestText(value) + " " + unit + ": ";
    if (field.highest == kUnbounded) {
      return problem + "must be " + ShortestText(field.lowest) + " " + unit + " or more";
    }
    return problem + "must lie from " + ShortestText(field.lowest) + " to " +
           ShortestText(field.highest) + " " + unit;
  }
  return std::nullopt;
}

}  // namespace palvane
