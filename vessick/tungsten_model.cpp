#include "vessick/tungsten_model.h"

#include "engine/layer_attenuation.h"
#include "engine/path_geometry.h"
#include "engine/single_exp.h"

namespace vessick {

namespace {

using engine::BinColumn;
using engine::LayerStack;
using engine::Spectrum;

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
  }

  // The bremsstrahlung leaving the target, before any filter.
  void columnSpectrum(float pathFactor, Spectrum& out) override {
    bremsstrahlung_.compute(pathFactor, out);
  }

  // P(i) = oblique transmission * Be transmission * B(i) / E_i * inverse square.
  void pointSpectra(const Spectrum& column, float x, std::span<Spectrum> out) override {
    for (std::size_t row = 0; row < out.size(); ++row) {
      const engine::PointGeometry geometry =
          engine::pointGeometry(x, engine::gridY(static_cast<int>(row) + 1));
      const BinColumn& transmission = obliqueLayers_.transmission(geometry.obliquity);
      Spectrum& point = out[row];
      point.fill(0.0f);
      for (int bin = 2; bin <= highestBin_; ++bin) {
        point[bin] = transmission[bin] * beryllium_[bin] * column[bin] / engine::binEnergy(bin) *
                     geometry.inverseSquare;
      }
    }
  }

 private:
  int highestBin_;
  engine::BremsstrahlungSpectrum bremsstrahlung_;
  BinColumn beryllium_;
  LayerStack obliqueLayers_;
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
