#pragma once

#include <array>

#include "tube_model/field.h"

#include "text_files/field_grid.h"

namespace sweep {

// Positions along the anode-cathode axis (Y = 0) whose relative values a sweep reports.
inline constexpr std::array<double, 3> kReportedPositionsCm{5, 10, 15};

// The reference values of a run (at the reference point; fluence and kerma in the unit of
// the tables, HVL in mm of aluminium) and the relative air kerma and HVL at
// kReportedPositionsCm on the anode-cathode axis (Y = 0).
struct ResultSummary {
  double energyFluence = 0;
  double airKerma = 0;
  double halfValueLayer = 0;
  std::array<double, 3> relativeAirKerma{};
  std::array<double, 3> relativeHalfValueLayer{};
  // The relative air kerma along the anode-cathode axis (Y = 0), X = 0 to 15 cm in the
  // map's 0.2 cm steps, for fitting the heel.
  std::array<double, palvane::kLastMapColumn> airKermaAlongX{};
};

// What a sweep reports of a field, each value as the engine's Result.dat states it.
ResultSummary summaryOf(const tube_model::FieldResult& field);

}  // namespace sweep
