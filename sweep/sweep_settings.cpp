#include "sweep/sweep_settings.h"

namespace sweep {

std::vector<double>& SweepRequest::listOf(const SetupField& field) {
  return lists[static_cast<std::size_t>(&field - palvane::kSetupFields.data())];
}

const std::vector<double>& SweepRequest::listOf(const SetupField& field) const {
  return lists[static_cast<std::size_t>(&field - palvane::kSetupFields.data())];
}

double defaultMolybdenumFilter(Target target) {
  return target == Target::kMolybdenum ? palvane::kMolybdenumTargetMolybdenumFilter
                                       : palvane::kTungstenTargetMolybdenumFilter;
}

double defaultRhodiumFilter(Target target) {
  return target == Target::kMolybdenum ? palvane::kMolybdenumTargetRhodiumFilter
                                       : palvane::kTungstenTargetRhodiumFilter;
}

Settings startingSettings(Target target) {
  Settings settings;
  settings.target = target;
  settings.molybdenum = defaultMolybdenumFilter(target);
  settings.rhodium = defaultRhodiumFilter(target);
  return settings;
}

std::vector<double> valuesFor(const SweepRequest& request, const SetupField& field, Target target) {
  const std::vector<double>& list = request.listOf(field);
  if (!list.empty()) return list;
  return {startingSettings(target).*field.member};
}

double combinationCount(const SweepRequest& request) {
  double count = static_cast<double>(request.targets.size()) *
                 static_cast<double>(request.addedFilters.size()) *
                 static_cast<double>(request.plates.size());
  for (const std::vector<double>& list : request.lists) {
    if (!list.empty()) count *= static_cast<double>(list.size());
  }
  return count;
}

namespace {

// Every combination of `partial` with each value, the values varying fastest.
template <typename Value, typename Set>
std::vector<Settings> combined(const std::vector<Settings>& partial,
                               const std::vector<Value>& values, Set set) {
  std::vector<Settings> combinations;
  combinations.reserve(partial.size() * values.size());
  for (const Settings& settings : partial) {
    for (const Value& value : values) {
      combinations.push_back(settings);
      set(combinations.back(), value);
    }
  }
  return combinations;
}

}  // namespace

std::vector<Settings> expandCombinations(const SweepRequest& request) {
  std::vector<Settings> combinations;
  for (Target target : request.targets) {
    std::vector<Settings> ofTarget{startingSettings(target)};
    for (const SetupField& field : palvane::kSetupFields) {
      ofTarget =
          combined(ofTarget, valuesFor(request, field, target),
                   [&](Settings& settings, double value) { settings.*field.member = value; });
    }
    ofTarget =
        combined(ofTarget, request.addedFilters,
                 [](Settings& settings, const auto& filters) { settings.addedFilters = filters; });
    ofTarget = combined(ofTarget, request.plates,
                        [](Settings& settings, const auto& plate) { settings.plate = plate; });
    combinations.insert(combinations.end(), ofTarget.begin(), ofTarget.end());
  }
  return combinations;
}

bool hasAddedLayers(const SweepRequest& request) {
  for (const auto& filters : request.addedFilters) {
    if (!filters.empty()) return true;
  }
  for (const auto& plate : request.plates) {
    if (plate) return true;
  }
  return false;
}

}  // namespace sweep
