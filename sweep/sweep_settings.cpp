#include "sweep/sweep_settings.h"

namespace sweep {

double defaultMolybdenumFilter(Target target) {
  return target == Target::kMolybdenum ? palvane::kMolybdenumTargetMolybdenumFilter
                                       : palvane::kTungstenTargetMolybdenumFilter;
}

double defaultRhodiumFilter(Target target) {
  return target == Target::kMolybdenum ? palvane::kMolybdenumTargetRhodiumFilter
                                       : palvane::kTungstenTargetRhodiumFilter;
}

double combinationCount(const SweepRequest& request) {
  double perTarget = static_cast<double>(request.tubeVoltages.size()) *
                     static_cast<double>(request.targetAngles.size()) *
                     static_cast<double>(request.tiltAngles.size()) *
                     static_cast<double>(request.berylliums.size()) *
                     static_cast<double>(request.aluminiums.size());
  if (request.molybdenums) perTarget *= static_cast<double>(request.molybdenums->size());
  if (request.rhodiums) perTarget *= static_cast<double>(request.rhodiums->size());
  perTarget *=
      static_cast<double>(request.addedFilters.size()) * static_cast<double>(request.plates.size());
  return perTarget * static_cast<double>(request.targets.size());
}

std::vector<Settings> expandCombinations(const SweepRequest& request) {
  std::vector<Settings> combinations;
  for (Target target : request.targets) {
    const std::vector<double> molybdenums =
        request.molybdenums.value_or(std::vector<double>{defaultMolybdenumFilter(target)});
    const std::vector<double> rhodiums =
        request.rhodiums.value_or(std::vector<double>{defaultRhodiumFilter(target)});
    for (double tubeVoltage : request.tubeVoltages)
      for (double targetAngle : request.targetAngles)
        for (double tiltAngle : request.tiltAngles)
          for (double beryllium : request.berylliums)
            for (double aluminium : request.aluminiums)
              for (double molybdenum : molybdenums)
                for (double rhodium : rhodiums)
                  for (const auto& filters : request.addedFilters)
                    for (const auto& plate : request.plates) {
                      combinations.push_back({target, tubeVoltage, targetAngle, tiltAngle,
                                              beryllium, aluminium, molybdenum, rhodium,
                                              kAirLayerCm, filters, plate});
                    }
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
