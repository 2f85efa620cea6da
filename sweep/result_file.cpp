#include "sweep/result_file.h"

#include <cmath>
#include <utility>
#include <vector>

#include "palvane/state/number_text.h"

namespace sweep {

namespace {

constexpr int kColumns = 76;  // X = 0.0 to 15.0 cm in steps of 0.2 cm
constexpr int kRows = 51;     // Y = 0.0 to 10.0 cm
// A reference value and its map.
constexpr std::size_t kBlockSize = 1 + kColumns * kRows;
constexpr double kGridStepCm = 0.2;

// Index of the relative value at (X, Y = 0) in the map that follows the block's reference.
std::size_t axisField(std::size_t block, double positionCm) {
  const auto column = static_cast<std::size_t>(std::lround(positionCm / kGridStepCm));
  return block * kBlockSize + 1 + column;
}

ResultSummary readSummary(palvane::FieldReader& reader) {
  std::vector<double> fields(3 * kBlockSize);
  for (double& field : fields) field = reader.next();
  ResultSummary summary;
  summary.energyFluence = fields[0];
  summary.airKerma = fields[kBlockSize];
  summary.halfValueLayer = fields[2 * kBlockSize];
  for (std::size_t i = 0; i < kReportedPositionsCm.size(); ++i) {
    summary.relativeAirKerma[i] = fields[axisField(1, kReportedPositionsCm[i])];
    summary.relativeHalfValueLayer[i] = fields[axisField(2, kReportedPositionsCm[i])];
  }
  return summary;
}

}  // namespace

ResultSummary readResultText(std::string text) {
  palvane::FieldReader reader("Result.dat", std::move(text));
  return readSummary(reader);
}

}  // namespace sweep
