#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text_files/spectrum_form_defaults.h"
#include "text_files/tube_setup.h"

namespace sweep {

using palvane::kAirLayerCm;
using palvane::Target;
using palvane::targetName;

// One combination: the settings of one engine run (the air layer stays at 60 cm); by
// default those the spectrum form starts with.
using Settings = palvane::TubeSetup;

// The values asked for each setting. Without a list of its own the added filters take the
// default of each target, as the spectrum form does when a target is chosen.
struct SweepRequest {
  std::vector<Target> targets{Target::kMolybdenum};
  std::vector<double> tubeVoltages{palvane::kDefaultTubeVoltage};
  std::vector<double> targetAngles{palvane::kDefaultTargetAngle};
  std::vector<double> tiltAngles{palvane::kDefaultTiltAngle};
  std::vector<double> berylliums{palvane::kDefaultBeryllium};
  std::vector<double> aluminiums{palvane::kDefaultAluminium};
  std::optional<std::vector<double>> molybdenums;
  std::optional<std::vector<double>> rhodiums;
  // --filter and --plate: without them no added layer (a single "none").
  std::vector<std::vector<palvane::AddedLayer>> addedFilters{{}};
  std::vector<std::optional<palvane::AddedLayer>> plates{std::nullopt};
};

// Whether any combination of the request has an added layer: its table then shows them.
bool hasAddedLayers(const SweepRequest& request);

// The added filter each target starts with, in mm.
double defaultMolybdenumFilter(Target target);
double defaultRhodiumFilter(Target target);

// How many combinations the request holds (a double, so that no product overflows).
double combinationCount(const SweepRequest& request);

// Every combination of the request, the target varying slowest and the plate fastest
// (target, kV, theta, phi, Be, Al, Mo, Rh, added filters, plate).
std::vector<Settings> expandCombinations(const SweepRequest& request);

}  // namespace sweep
