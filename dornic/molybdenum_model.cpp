#include "dornic/molybdenum_model.h"

#include <vector>

#include "dornic/characteristic_lines.h"
#include "engine/layer_attenuation.h"
#include "engine/path_geometry.h"
#include "engine/table_files.h"

namespace dornic {

namespace {

using engine::BinColumn;
using engine::LayerStack;
using engine::Spectrum;

class MolybdenumRun : public engine::TargetRun {
 public:
  MolybdenumRun(const StoppingPowerInterpolation& stoppingPower,
                const engine::BeamParameters& parameters, const engine::CoefficientTable& table)
      : tubeVoltage_(parameters.tubeVoltage),
        highestBin_(engine::highestBin(parameters.tubeVoltage)),
        target_(stoppingPower),
        bremsstrahlung_(target_, table, parameters.tubeVoltage),
        lines_(chooseLineSet(parameters)),
        obliqueLayers_(highestBin_),
        plate_(highestBin_) {
    // Perpendicular path, in the order the factors multiply: air, Rh, Be, Mo, Al.
    const std::pair<const BinColumn&, float> perpendicular[] = {{table.muAir, parameters.airLayer},
                                                                {table.muRh, parameters.rhodium},
                                                                {table.muBe, parameters.beryllium},
                                                                {table.muMo, parameters.molybdenum},
                                                                {table.muAl, parameters.aluminium}};
    for (const auto& [mu, thickness] : perpendicular) addPerpendicular(mu, thickness);
    // Added filters sit with the tube's filters: the same two steps, after aluminium.
    for (const engine::AddedLayer& filter : parameters.addedFilters) {
      addPerpendicular(filter.mu, filter.thickness);
    }
    // Extra oblique path per point: Rh, Mo, air, Al, each exp((-mu * L) * t); no Be.
    obliqueLayers_.add(table.muRh, parameters.rhodium, LayerStack::Order::kPathFirst);
    obliqueLayers_.add(table.muMo, parameters.molybdenum, LayerStack::Order::kPathFirst);
    obliqueLayers_.add(table.muAir, parameters.airLayer, LayerStack::Order::kPathFirst);
    obliqueLayers_.add(table.muAl, parameters.aluminium, LayerStack::Order::kPathFirst);
    for (const engine::AddedLayer& filter : parameters.addedFilters) {
      obliqueLayers_.add(filter.mu, filter.thickness, LayerStack::Order::kPathFirst);
    }
    // The compression plate lies outside the tube, below the characteristic lines' origin:
    // it is crossed by the whole point spectrum, lines included, along its oblique path.
    if (parameters.plate) {
      hasPlate_ = parameters.plate->thickness != 0.0f;
      plate_.add(parameters.plate->mu, parameters.plate->thickness,
                 LayerStack::Order::kThicknessFirst);
    }
  }

  // The emission spectrum: bremsstrahlung, perpendicular filtration, division by E_i, lines.
  void columnSpectrum(float pathFactor, Spectrum& out) override {
    bremsstrahlung_.compute(pathFactor, out);
    for (const BinColumn& transmission : perpendicularLayers_) {
      for (int bin = 2; bin <= highestBin_; ++bin) out[bin] = out[bin] * transmission[bin];
    }
    for (int bin = 2; bin <= highestBin_; ++bin) out[bin] = out[bin] / engine::binEnergy(bin);
    float filteredSum = 0.0f;
    for (int bin = 2; bin <= highestBin_; ++bin) filteredSum = filteredSum + out[bin];
    addCharacteristicLines(lines_, tubeVoltage_, filteredSum, out);
  }

  // P(i) = extra oblique transmission * emission * inverse square, bins 2..N only (lines
  // in bins above N stay behind).
  void pointSpectra(const Spectrum& column, float x, std::span<Spectrum> out) override {
    for (std::size_t row = 0; row < out.size(); ++row) {
      pointSpectrum(column, x, engine::gridY(static_cast<int>(row) + 1), out[row]);
    }
  }

  void pointSpectrum(const Spectrum& column, float x, float y, Spectrum& point) override {
    const engine::PointGeometry geometry = engine::pointGeometry(x, y);
    const float extraPath = geometry.obliquity - 1.0f;
    const BinColumn& transmission = obliqueLayers_.transmission(extraPath);
    point.fill(0.0f);
    if (hasPlate_) {
      const BinColumn& plate = plate_.transmission(geometry.obliquity);
      for (int bin = 2; bin <= highestBin_; ++bin) {
        point[bin] = transmission[bin] * plate[bin] * column[bin] * geometry.inverseSquare;
      }
      return;
    }
    for (int bin = 2; bin <= highestBin_; ++bin) {
      point[bin] = transmission[bin] * column[bin] * geometry.inverseSquare;
    }
  }

 private:
  // A layer of zero thickness would multiply by exactly 1 and is left out.
  void addPerpendicular(const BinColumn& mu, float thickness) {
    if (thickness != 0.0f) {
      perpendicularLayers_.push_back(engine::perpendicularTransmission(mu, thickness, highestBin_));
    }
  }

  float tubeVoltage_;
  int highestBin_;
  MolybdenumTarget target_;
  engine::BremsstrahlungSpectrum bremsstrahlung_;
  const LineSet& lines_;
  std::vector<BinColumn> perpendicularLayers_;
  LayerStack obliqueLayers_;
  LayerStack plate_;
  bool hasPlate_ = false;
};

}  // namespace

void MolybdenumModel::readTables(const std::filesystem::path& directory) {
  useStoppingPowerTable(engine::readStoppingPowerTable(directory / "Mo-STP.dat"));
}

void MolybdenumModel::useStoppingPowerTable(const engine::StoppingPowerTable& table) {
  stoppingPower_.emplace(table);
}

std::unique_ptr<engine::TargetRun> MolybdenumModel::beginRun(
    const engine::BeamParameters& parameters, const engine::CoefficientTable& table) const {
  stoppingPower_.value().checkCovers(parameters.tubeVoltage);
  return std::make_unique<MolybdenumRun>(*stoppingPower_, parameters, table);
}

}  // namespace dornic
