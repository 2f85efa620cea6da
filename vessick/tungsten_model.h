#pragma once

#include <filesystem>
#include <memory>

#include "engine/bremsstrahlung.h"
#include "engine/target_model.h"

namespace vessick {

// The tungsten target's part of the bremsstrahlung term.
class TungstenTarget : public engine::BremsstrahlungTarget {
 public:
  float density() const override { return 19.3f; }
  engine::ShapePolynomial shape() const override { return {5.049f, 10.847f, 10.516f, 3.842f}; }
  // 0.03658 + 2.9e-05 E, E the photon energy of the bin (keV).
  float crossSectionPrefactor(float, float photonEnergy) const override {
    return 0.03658f + 2.9e-05f * photonEnergy;
  }
  // S(T) = 202.41 + 1036.1 exp(-0.04695 T), T in keV; defined for every T.
  float stoppingPower(float electronEnergy) const override;
  const engine::BinColumn& selfAbsorption(const engine::CoefficientTable& table) const override {
    return table.muW;
  }
};

// Tungsten target: no table of its own, no characteristic lines, and all filters applied
// at once at each point.
class TungstenModel : public engine::TargetModel {
 public:
  void readTables(const std::filesystem::path&) override {}
  std::unique_ptr<engine::TargetRun> beginRun(const engine::BeamParameters& parameters,
                                              const engine::CoefficientTable& table) const override;
};

}  // namespace vessick
