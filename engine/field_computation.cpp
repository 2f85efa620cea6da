#include "engine/field_computation.h"

#include <cmath>
#include <cstddef>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "engine/input_error.h"
#include "engine/message_number.h"
#include "engine/path_geometry.h"
#include "engine/undefined_reference.h"

namespace engine {

namespace {

bool usableReference(const Spectrum& spectrum, const PointQuantities& quantities) {
  for (float value : spectrum) {
    if (!std::isfinite(value)) return false;
  }
  const auto positive = [](float value) { return std::isfinite(value) && value > 0.0f; };
  return quantities.defined && positive(quantities.peak) &&
         std::isfinite(quantities.photonFluence) && positive(quantities.energyFluence) &&
         positive(quantities.airKerma) && positive(quantities.hvl);
}

// "B2F.dat, lines 3 and 4: target angle 10 and tilt angle -10 degrees leave ..."
std::string anglesError(const BeamParameters& parameters) {
  return "B2F.dat, lines 3 and 4: target angle " + messageNumber(parameters.targetAngle) +
         " and tilt angle " + messageNumber(parameters.tiltAngle) + " degrees " +
         std::string(kReferenceWithoutPath);
}

// Stores a point's quantities relative to the reference values into the maps; a point
// without defined quantities stays 0 and is counted.
class MapWriter {
 public:
  explicit MapWriter(RelativeMaps& maps) : maps_(maps) {}

  void store(int column, int row, const PointQuantities& point) {
    const float fluence = point.energyFluence / maps_.fluenceReference;
    const float kerma = point.airKerma / maps_.kermaReference;
    const float hvl = point.hvl / maps_.hvlReference;
    if (!point.defined || !std::isfinite(fluence) || !std::isfinite(kerma) || !std::isfinite(hvl)) {
      ++undefinedPoints_;
      return;
    }
    const int index = mapIndex(column, row);
    maps_.fluence[index] = fluence;
    maps_.kerma[index] = kerma;
    maps_.hvl[index] = hvl;
  }
  int undefinedPoints() const { return undefinedPoints_; }

 private:
  RelativeMaps& maps_;
  int undefinedPoints_ = 0;
};

// Point spectra of several columns waiting for their quantities. The calculator follows
// kPointsPerBatch points at a time; a column of 51 points would leave a batch mostly
// empty, so the points of consecutive columns share batches.
class PendingPoints {
 public:
  PendingPoints(const PointQuantityCalculator& calculator, MapWriter& writer)
      : calculator_(calculator), writer_(writer) {}

  // Room for the 51 point spectra of the column, to be filled by the caller.
  std::span<Spectrum> addColumn(int column) {
    const std::size_t first = places_.size();
    for (int row = 1; row <= kRowCount; ++row) places_.push_back({column, row});
    spectra_.resize(places_.size());
    return std::span<Spectrum>(spectra_).subspan(first, kRowCount);
  }

  // Computes the full batches (all points when `everything`) and keeps the rest.
  void compute(bool everything) {
    const std::size_t count =
        everything ? places_.size() : places_.size() / kPointsPerBatch * kPointsPerBatch;
    if (count == 0) return;
    quantities_.resize(count);
    calculator_.compute(std::span<const Spectrum>(spectra_).first(count), quantities_);
    for (std::size_t point = 0; point < count; ++point) {
      writer_.store(places_[point].column, places_[point].row, quantities_[point]);
    }
    spectra_.erase(spectra_.begin(), spectra_.begin() + static_cast<std::ptrdiff_t>(count));
    places_.erase(places_.begin(), places_.begin() + static_cast<std::ptrdiff_t>(count));
  }

 private:
  struct Place {
    int column;
    int row;
  };
  const PointQuantityCalculator& calculator_;
  MapWriter& writer_;
  std::vector<Spectrum> spectra_;
  std::vector<Place> places_;
  std::vector<PointQuantities> quantities_;
};

}  // namespace

RelativeMaps computeField(TargetRun& run, const BeamParameters& parameters,
                          const CoefficientTable& table, const ReferenceHandler& onReference,
                          std::ostream& warnings) {
  RelativeMaps maps;
  const float cutOff = heelCutOff(parameters);
  const PointQuantityCalculator calculator(table, highestBin(parameters.tubeVoltage));
  MapWriter writer(maps);
  PendingPoints pending(calculator, writer);
  Spectrum column{};

  for (int j = 1; j <= kColumnCount; ++j) {
    const float x = gridX(j);
    if (!(x <= cutOff)) continue;
    const std::optional<float> factor = pathFactor(parameters, x);
    if (!factor) {
      if (j == 1) throw InputError(anglesError(parameters));
      warnings << "X = " << x << " cm: " << kColumnWithoutPath << '\n';
      continue;
    }
    run.columnSpectrum(*factor, column);
    if (j > 1) {
      run.pointSpectra(column, x, pending.addColumn(j));
      pending.compute(false);
      continue;
    }
    // The reference column: Beam_Axis.dat is written before any other column is computed,
    // and every other point is divided by the reference values.
    std::vector<Spectrum> spectra(kRowCount);
    std::vector<PointQuantities> quantities(kRowCount);
    run.pointSpectra(column, x, spectra);
    calculator.compute(spectra, quantities);
    if (!usableReference(spectra[0], quantities[0])) {
      throw InputError(undefinedReferenceError(parameters, table));
    }
    maps.fluenceReference = quantities[0].energyFluence;
    maps.kermaReference = quantities[0].airKerma;
    maps.hvlReference = quantities[0].hvl;
    onReference(spectra[0], quantities[0]);
    for (int k = 1; k <= kRowCount; ++k) writer.store(j, k, quantities[k - 1]);
  }
  pending.compute(true);
  if (writer.undefinedPoints() > 0) {
    warnings << writer.undefinedPoints() << ' ' << kPointsUndefined << '\n';
  }
  return maps;
}

}  // namespace engine
