#include "sweep/result_file.h"

#include <cmath>

namespace sweep {

namespace {

constexpr double kGridStepCm = tube_model::kGridStepMm / 10.0;

// The value of the map at (X, Y = 0), as Result.dat states it.
double onAxis(const tube_model::FieldMap& map, double positionCm) {
  const int column = static_cast<int>(std::lround(positionCm / kGridStepCm));
  return tube_model::writtenValue(tube_model::mapValue(map, column, 0), tube_model::kMapDigits);
}

}  // namespace

ResultSummary summaryOf(const tube_model::FieldResult& field) {
  using tube_model::kReferenceDigits;
  using tube_model::writtenValue;
  ResultSummary summary;
  summary.energyFluence = writtenValue(field.energyFluenceReference, kReferenceDigits);
  summary.airKerma = writtenValue(field.airKermaReference, kReferenceDigits);
  summary.halfValueLayer = writtenValue(field.hvlReference, kReferenceDigits);
  for (std::size_t i = 0; i < kReportedPositionsCm.size(); ++i) {
    summary.relativeAirKerma[i] = onAxis(field.airKerma, kReportedPositionsCm[i]);
    summary.relativeHalfValueLayer[i] = onAxis(field.hvl, kReportedPositionsCm[i]);
  }
  // The relative air kerma along the anode-cathode axis, as Result.dat states it.
  for (int column = 0; column < palvane::kLastMapColumn; ++column) {
    summary.airKermaAlongX[column] =
        writtenValue(tube_model::mapValue(field.airKerma, column, 0), tube_model::kMapDigits);
  }
  return summary;
}

}  // namespace sweep
