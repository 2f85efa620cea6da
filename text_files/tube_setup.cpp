#include "text_files/tube_setup.h"

#include <algorithm>
#include <cmath>
#include <iterator>
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
  for (const AddedLayer& filter : setup.addedFilters) {
    if (auto problem = addedLayerProblem(kFilterKeyword, filter, kThickestAddedFilter)) {
      return problem;
    }
  }
  if (setup.plate) {
    if (auto problem = addedLayerProblem(kPlateKeyword, *setup.plate, kThickestPlate)) {
      return problem;
    }
    if (std::find(std::begin(kPlateMaterials), std::end(kPlateMaterials), setup.plate->material) ==
        std::end(kPlateMaterials)) {
      return "plate " + setup.plate->material +
             ": a compression plate is of PMMA (pmma) or polycarbonate (pc)";
    }
  }
  return std::nullopt;
}

AddedLayers addedLayersOf(const TubeSetup& setup) { return {setup.addedFilters, setup.plate}; }

bool hasAddedLayers(const TubeSetup& setup) {
  for (const AddedLayer& filter : setup.addedFilters) {
    if (filter.thickness != 0) return true;
  }
  return setup.plate && setup.plate->thickness != 0;
}

}  // namespace palvane
