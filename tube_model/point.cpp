#include "tube_model/point.h"

#include <cmath>
#include <optional>
#include <string>

#include "engine/path_geometry.h"
#include "engine/point_quantities.h"
#include "text_files/number_text.h"
#include "tube_model/engine_settings.h"

namespace tube_model {

namespace {

constexpr float kQuarterTransmission = 25.0f;  // percent: first plus second HVL
constexpr double kMillimetresPerCentimetre = 10.0;

std::string pointText(double xMm, double yMm) {
  return "the point (" + palvane::ShortestText(xMm) + ", " + palvane::ShortestText(yMm) + ") mm";
}

// The point spectrum at (x, y) in cm through the run's column spectrum of x.
engine::Spectrum spectrumAt(engine::TargetRun& run, const engine::BeamParameters& parameters,
                            float x, float y) {
  const std::optional<float> factor = engine::pathFactor(parameters, x);
  engine::Spectrum column{};
  run.columnSpectrum(*factor, column);
  engine::Spectrum point{};
  run.pointSpectrum(column, x, y, point);
  return point;
}

}  // namespace

PointResult pointSpectrum(const palvane::TubeSetup& setup, const Tables& tables, double xMm,
                          double yMm) {
  const engine::BeamParameters parameters = engineParameters(setup, tables);
  const float x = static_cast<float>(xMm / kMillimetresPerCentimetre);
  const float y = static_cast<float>(yMm / kMillimetresPerCentimetre);
  if (!std::isfinite(x) || !std::isfinite(y) || !(x <= engine::heelCutOff(parameters)) ||
      !engine::pathFactor(parameters, x) || !engine::pathFactor(parameters, 0.0f)) {
    throw ModelError(pointText(xMm, yMm) + " lies at or beyond the heel cut-off of these settings");
  }
  const std::unique_ptr<engine::TargetRun> run = beginRun(parameters, setup.target, tables);
  const engine::CoefficientTable& table = tables.coefficients();
  const int highestBin = engine::highestBin(parameters.tubeVoltage);

  PointResult result;
  result.x = xMm;
  result.y = yMm;
  result.highestBin = highestBin;
  result.spectrum = spectrumAt(*run, parameters, x, y);
  const engine::PointQuantities point =
      engine::computePlainPointQuantities(result.spectrum, highestBin, table);
  const engine::PointQuantities axis = engine::computePlainPointQuantities(
      spectrumAt(*run, parameters, 0.0f, 0.0f), highestBin, table);
  const std::optional<float> quarter =
      engine::computePlainAluminiumLayer(result.spectrum, highestBin, table, kQuarterTransmission);
  if (!point.defined || !quarter || !axis.defined) {
    throw ModelError(pointText(xMm, yMm) + " has no defined air kerma or half-value layer");
  }
  result.sums = point;

  double photons = 0;
  double energy = 0;
  for (int bin = 2; bin <= highestBin; ++bin) {
    photons += result.spectrum[bin];
    energy += binEnergyKeV(bin) * result.spectrum[bin];
  }
  BeamQuality& quality = result.quality;
  quality.meanEnergy = energy / photons;
  quality.firstHvl = point.hvl;
  quality.secondHvl = static_cast<double>(*quarter) - point.hvl;
  quality.homogeneity = quality.firstHvl / quality.secondHvl;
  quality.relativeAirKerma = point.airKerma / axis.airKerma;
  return result;
}

}  // namespace tube_model
