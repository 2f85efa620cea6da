#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "calibration/tube_profile.h"
#include "text_files/tube_setup.h"

namespace web {

// The models the calibration fits in the page: the model core's values as the engines
// write them, as sweep's fits take them.

// The aluminium as B2F.dat carries it: rounded to 0.01 mm.
double writtenAluminium(double aluminium);

// The model core's beam-axis HVL in mm, as the engines write it, for the set-up at a tube
// voltage and aluminium thickness. The engines read the thickness in steps of 0.01 mm:
// between two steps the HVL is interpolated linearly, so that the fit sees a continuous,
// rising function. Each step is computed once.
class CoreHvl {
 public:
  explicit CoreHvl(palvane::TubeSetup setup) : setup_(std::move(setup)) {}

  std::optional<double> operator()(double tubeVoltage, double aluminium);

  // Why the last step without an HVL had none.
  const std::string& failure() const { return failure_; }

 private:
  std::optional<double> atStep(double tubeVoltage, double step);

  palvane::TubeSetup setup_;
  std::map<std::pair<double, double>, std::optional<double>> done_;
  std::string failure_;
};

// The model core's air kerma relative to the beam axis at the points (X mm, Y = 0) as the
// engines write the map, linear between its 2 mm steps; nullopt when the set-up has none.
std::optional<std::vector<double>> coreHeel(const palvane::TubeSetup& setup,
                                            const std::vector<calibration::HeelPoint>& points);

}  // namespace web
