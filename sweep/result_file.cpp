#include "sweep/result_file.h"

#include <cmath>
#include <utility>

#include "text_files/result_file.h"

namespace sweep {

namespace {

// The value of the map at (X, Y = 0): row 1, the column of X.
double onAxis(const palvane::FieldMap& map, double positionCm) {
  return map[std::lround(positionCm / palvane::kGridStepCm) + 1][1];
}

}  // namespace

ResultSummary readResultText(std::string text) {
  const palvane::ResultMaps maps = palvane::readResultMaps("Result.dat", std::move(text));
  ResultSummary summary;
  summary.energyFluence = maps.referenceEnergyFluence;
  summary.airKerma = maps.referenceAirKerma;
  summary.halfValueLayer = maps.axisHvl;
  for (std::size_t i = 0; i < kReportedPositionsCm.size(); ++i) {
    summary.relativeAirKerma[i] = onAxis(maps.kermaMap, kReportedPositionsCm[i]);
    summary.relativeHalfValueLayer[i] = onAxis(maps.hvlMap, kReportedPositionsCm[i]);
  }
  for (int i = 1; i <= palvane::kLastMapColumn; ++i) {
    summary.airKermaAlongX[i - 1] = maps.kermaMap[i][1];
  }
  return summary;
}

}  // namespace sweep
