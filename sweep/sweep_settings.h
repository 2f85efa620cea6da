#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text_files/spectrum_form_defaults.h"
#include "text_files/tube_setup.h"

namespace sweep {

using palvane::kAirLayerCm;
using palvane::SetupField;
using palvane::Target;
using palvane::targetName;

// One combination: the settings of one engine run (the air layer stays at 60 cm); by
// default those the spectrum form starts with.
using Settings = palvane::TubeSetup;

// The values asked for each setting. A number given no list takes the value the target
// starts with, as the spectrum form does when a target is chosen (each target has its own
// molybdenum and rhodium filters).
struct SweepRequest {
  std::vector<Target> targets{Target::kMolybdenum};
  // The lists of the numbers, in the order of kSetupFields; empty: not given.
  std::array<std::vector<double>, palvane::kSetupFields.size()> lists;
  // --filter and --plate: without them no added layer (a single "none").
  std::vector<std::vector<palvane::AddedLayer>> addedFilters{{}};
  std::vector<std::optional<palvane::AddedLayer>> plates{std::nullopt};

  std::vector<double>& listOf(const SetupField& field);
  const std::vector<double>& listOf(const SetupField& field) const;
};

// The values a number takes for a target: its list, or the one the target starts with.
std::vector<double> valuesFor(const SweepRequest& request, const SetupField& field, Target target);

// Whether any combination of the request has an added layer: its table then shows them.
bool hasAddedLayers(const SweepRequest& request);

// The added filter each target starts with, in mm.
double defaultMolybdenumFilter(Target target);
double defaultRhodiumFilter(Target target);

// The settings the spectrum form starts with for a target.
Settings startingSettings(Target target);

// How many combinations the request holds (a double, so that no product overflows).
double combinationCount(const SweepRequest& request);

// Every combination of the request, the target varying slowest and the plate fastest
// (target, the numbers in the order of kSetupFields, added filters, plate).
std::vector<Settings> expandCombinations(const SweepRequest& request);

}  // namespace sweep
