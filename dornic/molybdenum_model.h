#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "dornic/stopping_power.h"
#include "engine/bremsstrahlung.h"
#include "engine/target_model.h"

namespace dornic {

// The molybdenum target's part of the bremsstrahlung term.
class MolybdenumTarget : public engine::BremsstrahlungTarget {
 public:
  explicit MolybdenumTarget(const StoppingPowerInterpolation& stoppingPower)
      : stoppingPower_(stoppingPower) {}

  float density() const override { return 10.22f; }
  engine::ShapePolynomial shape() const override { return {4.238f, 7.799f, 6.739f, 2.313f}; }
  // 0.03058 - 7.494e-05 V, the same for every photon energy.
  float crossSectionPrefactor(float tubeVoltage, float) const override {
    return 0.03058f - 7.494e-05f * tubeVoltage;
  }
  float stoppingPower(float electronEnergy) const override {
    return stoppingPower_.at(electronEnergy);
  }
  const engine::BinColumn& selfAbsorption(const engine::CoefficientTable& table) const override {
    return table.muMo;
  }

 private:
  const StoppingPowerInterpolation& stoppingPower_;
};

// Molybdenum target: stopping powers from Mo-STP.dat, filtration along the perpendicular
// path once per column with the K lines added after it, and the extra oblique path per point.
class MolybdenumModel : public engine::TargetModel {
 public:
  // Reads Mo-STP.dat and checks it (engine::InputError naming the file).
  void readTables(const std::filesystem::path& directory) override;
  // Uses a stopping-power table already in memory instead; checks it the same way.
  void useStoppingPowerTable(const engine::StoppingPowerTable& table);

  std::unique_ptr<engine::TargetRun> beginRun(const engine::BeamParameters& parameters,
                                              const engine::CoefficientTable& table) const override;

 private:
  std::optional<StoppingPowerInterpolation> stoppingPower_;
};

}  // namespace dornic
