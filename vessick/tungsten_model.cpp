#include "vessick/tungsten_model.h"

#include <algorithm>

#include "engine/float_rules.h"
#include "engine/lane_arithmetic.h"
#include "engine/layer_attenuation.h"
#include "engine/path_geometry.h"
#include "engine/single_exp.h"

namespace vessick {

namespace {

using engine::BinColumn;
using engine::LayerStack;
using engine::Spectrum;

// Below this, one factor of a point spectrum might take the filtered product into the
// subnormal range: (2^-35)^3 / 50 * 0.96 is still a normal float.
constexpr float kSmallestSafeFactor = 0x1p-35f;

// P(i) = t(i) * Be(i) * B(i) / E_i * w for bins 2..lastBin, in that order of operations.
// Bins below lowEnd may hold tiny factors and take the double path of lane_arithmetic.h
// (the same floats without subnormal operations); the others the plain float loop.
ENGINE_VECTOR_CLONES void filterPointSpectrum(const BinColumn& transmission,
                                              const BinColumn& beryllium, const Spectrum& column,
                                              float inverseSquare, int lowEnd, int lastBin,
                                              Spectrum& point) {
  using engine::kLanes;
  using engine::Lanes;
  for (int bin = 2; bin < lowEnd; bin += kLanes) {
    const int count = std::min(kLanes, lowEnd - bin);
    Lanes energy;
    for (int lane = 0; lane < kLanes; ++lane) energy[lane] = engine::binEnergy(bin + lane);
    const Lanes filtered =
        engine::roundedProduct(engine::roundedProduct(engine::loadLanes(&transmission[bin], count),
                                                      engine::loadLanes(&beryllium[bin], count)),
                               engine::loadLanes(&column[bin], count));
    engine::storeLanes(
        engine::roundedProduct(engine::roundedQuotient(filtered, energy), inverseSquare),
        &point[bin], count);
  }
  for (int bin = lowEnd; bin <= lastBin; ++bin) {
    point[bin] =
        transmission[bin] * beryllium[bin] * column[bin] / engine::binEnergy(bin) * inverseSquare;
  }
}

bool isTiny(float factor) { return factor != 0.0f && factor < kSmallestSafeFactor; }

class TungstenRun : public engine::TargetRun {
 public:
  TungstenRun(const engine::BeamParameters& parameters, const engine::CoefficientTable& table)
      : highestBin_(engine::highestBin(parameters.tubeVoltage)),
        bremsstrahlung_(TungstenTarget(), table, parameters.tubeVoltage),
        beryllium_(
            engine::perpendicularTransmission(table.muBe, parameters.beryllium, highestBin_)),
        obliqueLayers_(highestBin_) {
    // Rh, Mo and Al as exp((-mu * t) * r), air as exp((-mu * r) * t).
    obliqueLayers_.add(table.muRh, parameters.rhodium, LayerStack::Order::kThicknessFirst);
    obliqueLayers_.add(table.muMo, parameters.molybdenum, LayerStack::Order::kThicknessFirst);
    obliqueLayers_.add(table.muAir, parameters.airLayer, LayerStack::Order::kPathFirst);
    obliqueLayers_.add(table.muAl, parameters.aluminium, LayerStack::Order::kThicknessFirst);
    // Added filters as Rh and Mo, then the compression plate: every one along r * t.
    for (const engine::AddedLayer& filter : parameters.addedFilters) {
      obliqueLayers_.add(filter.mu, filter.thickness, LayerStack::Order::kThicknessFirst);
    }
    if (parameters.plate) {
      obliqueLayers_.add(parameters.plate->mu, parameters.plate->thickness,
                         LayerStack::Order::kThicknessFirst);
    }
    longestPathTransmission_ = obliqueLayers_.transmission(
        engine::pointGeometry(engine::gridX(engine::kColumnCount), engine::gridY(engine::kRowCount))
            .obliquity);
  }

  // The bremsstrahlung leaving the target, before any filter.
  void columnSpectrum(float pathFactor, Spectrum& out) override {
    bremsstrahlung_.compute(pathFactor, out);
  }

  // P(i) = oblique transmission * Be transmission * B(i) / E_i * inverse square.
  void pointSpectra(const Spectrum& column, float x, std::span<Spectrum> out) override {
    const int lowEnd = tinyBinsEnd(column);
    for (std::size_t row = 0; row < out.size(); ++row) {
      filterPoint(column, engine::pointGeometry(x, engine::gridY(static_cast<int>(row) + 1)),
                  lowEnd, out[row]);
    }
  }

  void pointSpectrum(const Spectrum& column, float x, float y, Spectrum& point) override {
    filterPoint(column, engine::pointGeometry(x, y), tinyBinsEnd(column), point);
  }

 private:
  void filterPoint(const Spectrum& column, const engine::PointGeometry& geometry, int lowEnd,
                   Spectrum& point) {
    point[0] = 0.0f;
    point[1] = 0.0f;
    filterPointSpectrum(obliqueLayers_.transmission(geometry.obliquity), beryllium_, column,
                        geometry.inverseSquare, lowEnd, highestBin_, point);
    std::fill(point.begin() + highestBin_ + 1, point.end(), 0.0f);
  }

  // One past the highest bin in which the column spectrum or the beryllium is tiny, or the
  // oblique transmission along the longest path of the grid is tiny or 0 (shorter paths
  // transmit more): every row of the column has factors at least as large from there up.
  int tinyBinsEnd(const Spectrum& column) const {
    for (int bin = highestBin_; bin >= 2; --bin) {
      if (isTiny(column[bin]) || isTiny(beryllium_[bin]) ||
          longestPathTransmission_[bin] < kSmallestSafeFactor) {
        return bin + 1;
      }
    }
    return 2;
  }

  int highestBin_;
  engine::BremsstrahlungSpectrum bremsstrahlung_;
  BinColumn beryllium_;
  LayerStack obliqueLayers_;
  BinColumn longestPathTransmission_;
};

}  // namespace

float TungstenTarget::stoppingPower(float electronEnergy) const {
  return 202.41f + 1036.1f * engine::expSingle(-0.04695f * electronEnergy);
}

std::unique_ptr<engine::TargetRun> TungstenModel::beginRun(
    const engine::BeamParameters& parameters, const engine::CoefficientTable& table) const {
  return std::make_unique<TungstenRun>(parameters, table);
}

}  // namespace vessick
