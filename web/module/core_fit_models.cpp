#include "web/module/core_fit_models.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "tube_model/field.h"
#include "tube_model/point.h"
#include "web/module/module_setup.h"

namespace web {

namespace {

constexpr double kStepsPerMillimetre = 100.0;

}  // namespace

double writtenAluminium(double aluminium) {
  return std::round(aluminium * kStepsPerMillimetre) / kStepsPerMillimetre;
}

std::optional<double> CoreHvl::operator()(double tubeVoltage, double aluminium) {
  const double steps = aluminium * kStepsPerMillimetre;
  const double lower = std::floor(steps);
  const std::optional<double> low = atStep(tubeVoltage, lower);
  if (!low || steps == lower) return low;
  const std::optional<double> high = atStep(tubeVoltage, lower + 1.0);
  if (!high) return high;
  return *low + (steps - lower) * (*high - *low);
}

std::optional<double> CoreHvl::atStep(double tubeVoltage, double step) {
  const auto key = std::make_pair(tubeVoltage, step);
  if (const auto known = done_.find(key); known != done_.end()) return known->second;
  palvane::TubeSetup at = setup_;
  at.tubeVoltage = tubeVoltage;
  at.aluminium = step / kStepsPerMillimetre;
  std::optional<double> hvl;
  try {
    // The beam-axis spectrum alone: its HVL is the field's reference HVL.
    const float axis = tube_model::pointSpectrum(at, tables(), 0, 0).sums.hvl;
    hvl = tube_model::writtenValue(axis, tube_model::kReferenceDigits);
    if (!(*hvl > 0)) {
      hvl.reset();
      failure_ = "the model gives no HVL on the beam axis";
    }
  } catch (const std::exception& error) {
    failure_ = error.what();
  }
  done_.emplace(key, hvl);
  return hvl;
}

std::optional<std::vector<double>> coreHeel(const palvane::TubeSetup& setup,
                                            const std::vector<calibration::HeelPoint>& points) {
  tube_model::FieldResult field;
  try {
    field = tube_model::computeField(setup, tables());
  } catch (const std::exception&) {
    return std::nullopt;
  }
  if (!field.beamAxis) return std::nullopt;
  const auto along = [&field](int column) {
    return tube_model::writtenValue(tube_model::mapValue(field.airKerma, column, 0),
                                    tube_model::kMapDigits);
  };
  std::vector<double> values;
  for (const calibration::HeelPoint& point : points) {
    const double steps = point.position / tube_model::kGridStepMm;
    const int lower = std::min(static_cast<int>(std::floor(steps)), tube_model::kColumns - 1);
    const int upper = std::min(lower + 1, tube_model::kColumns - 1);
    values.push_back(along(lower) + (steps - lower) * (along(upper) - along(lower)));
  }
  return values;
}

}  // namespace web
