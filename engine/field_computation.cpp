#include "engine/field_computation.h"

#include <array>
#include <cmath>
#include <ostream>
#include <string>

#include "engine/input_error.h"
#include "engine/path_geometry.h"

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

std::string parameterError(std::string_view what) {
  return describeInputError("B2F.dat", 0, 0, std::string(what));
}

}  // namespace

RelativeMaps computeField(TargetRun& run, const BeamParameters& parameters,
                          const CoefficientTable& table, const ReferenceHandler& onReference,
                          std::ostream& warnings) {
  RelativeMaps maps;
  const float cutOff = heelCutOff(parameters);
  const PointQuantityCalculator calculator(table, highestBin(parameters.tubeVoltage));
  Spectrum column{};
  std::array<Spectrum, kRowCount> spectra{};
  std::array<PointQuantities, kRowCount> quantities{};
  int undefinedPoints = 0;

  for (int j = 1; j <= kColumnCount; ++j) {
    const float x = gridX(j);
    if (!(x <= cutOff)) continue;
    const std::optional<float> factor = pathFactor(parameters, x);
    if (!factor) {
      if (j == 1) throw InputError(parameterError(kReferenceWithoutPath));
      warnings << "X = " << x << " cm: " << kColumnWithoutPath << '\n';
      continue;
    }
    run.columnSpectrum(*factor, column);
    run.pointSpectra(column, x, spectra);
    calculator.compute(spectra, quantities);

    if (j == 1) {
      if (!usableReference(spectra[0], quantities[0])) {
        throw InputError(parameterError(kReferenceUndefined));
      }
      maps.fluenceReference = quantities[0].energyFluence;
      maps.kermaReference = quantities[0].airKerma;
      maps.hvlReference = quantities[0].hvl;
      onReference(spectra[0], quantities[0]);
    }
    for (int k = 1; k <= kRowCount; ++k) {
      const PointQuantities& point = quantities[k - 1];
      const float fluence = point.energyFluence / maps.fluenceReference;
      const float kerma = point.airKerma / maps.kermaReference;
      const float hvl = point.hvl / maps.hvlReference;
      if (!point.defined || !std::isfinite(fluence) || !std::isfinite(kerma) ||
          !std::isfinite(hvl)) {
        ++undefinedPoints;
        continue;
      }
      const int index = mapIndex(j, k);
      maps.fluence[index] = fluence;
      maps.kerma[index] = kerma;
      maps.hvl[index] = hvl;
    }
  }
  if (undefinedPoints > 0) warnings << undefinedPoints << ' ' << kPointsUndefined << '\n';
  return maps;
}

}  // namespace engine
