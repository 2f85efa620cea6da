#include "measured_spectra/model_beams.h"

#include <cmath>
#include <span>
#include <stdexcept>

#include "engine/bins.h"
#include "engine/path_geometry.h"
#include "engine/point_quantities.h"
#include "engine/table_files.h"

namespace measured {

namespace {

// The engines hold thicknesses in cm, read in mm and multiplied by 0.1 in single precision.
float heldThickness(double millimetres) { return static_cast<float>(millimetres) * 0.1f; }

}  // namespace

const CatalogueTube& catalogueTube(Anode anode) {
  static constexpr CatalogueTube kMolybdenum{"Mo", 26.0, 1.0, 100.0};
  static constexpr CatalogueTube kTungsten{"W", 30.0, 4.0, 100.0};
  return anode == Anode::kMolybdenum ? kMolybdenum : kTungsten;
}

ModelBeams::ModelBeams(const std::filesystem::path& tables)
    : table_(engine::readCoefficientTable(tables / "MUs3.dat")),
      materials_(engine::readMaterialTable(tables / engine::kMaterialTableFile)) {
  molybdenum_.readTables(tables);
  for (int i = 1; i <= palvane::kLastBin; ++i) {
    aluminium_[i] = table_.muAl[i];
    airEnergyAbsorption_[i] = table_.muEnAir[i];
  }
}

ModelBeams::Axis ModelBeams::beamAxis(const Beam& beam, double aluminium) const {
  const CatalogueTube& tube = catalogueTube(beam.anode);
  engine::BeamParameters parameters;
  parameters.targetCode = beam.anode == Anode::kMolybdenum ? 0 : 1;
  parameters.tubeVoltage = static_cast<float>(beam.tubeVoltage);
  parameters.targetAngle = static_cast<float>(tube.anodeAngle);
  parameters.tiltAngle = 0.0f;
  parameters.beryllium = heldThickness(tube.beryllium);
  parameters.aluminium = heldThickness(aluminium);
  parameters.molybdenum = heldThickness(beam.molybdenum);
  parameters.rhodium = heldThickness(beam.rhodium);
  parameters.airLayer = static_cast<float>(tube.air);
  if (beam.addedFilter) {
    parameters.addedFilters.push_back({beam.addedFilter->material,
                                       heldThickness(beam.addedFilter->thickness), 10,
                                       materials_.at(beam.addedFilter->material)});
  }

  const engine::TargetModel& model = beam.anode == Anode::kMolybdenum
                                         ? static_cast<const engine::TargetModel&>(molybdenum_)
                                         : tungsten_;
  const auto run = model.beginRun(parameters, table_);
  const std::optional<float> pathFactor = engine::pathFactor(parameters, 0.0f);
  if (!pathFactor) throw std::runtime_error("the beam axis lies beyond the heel cut-off");
  engine::Spectrum column{};
  run->columnSpectrum(*pathFactor, column);
  engine::Spectrum point{};
  run->pointSpectra(column, 0.0f, std::span(&point, 1));
  const engine::PointQuantities quantities = engine::computePlainPointQuantities(
      point, engine::highestBin(parameters.tubeVoltage), table_);
  if (!quantities.defined) throw std::runtime_error("the engine has no HVL for this beam");

  Axis axis;
  for (int i = 1; i <= palvane::kLastBin; ++i) axis.photons[i] = point[i];
  axis.engineHvl = quantities.hvl;
  return axis;
}

palvane::BinArray ModelBeams::throughAddedFilter(palvane::BinArray photons,
                                                 const Beam& beam) const {
  const double molybdenum = 0.1 * beam.molybdenum;  // cm
  const double rhodium = 0.1 * beam.rhodium;
  for (int i = 1; i <= palvane::kLastBin; ++i) {
    photons[i] *= std::exp(-double{table_.muMo[i]} * molybdenum) *
                  std::exp(-double{table_.muRh[i]} * rhodium);
  }
  if (beam.addedFilter) {
    const engine::BinColumn& mu = materials_.at(beam.addedFilter->material);
    const double thickness = 0.1 * beam.addedFilter->thickness;  // cm
    for (int i = 1; i <= palvane::kLastBin; ++i) photons[i] *= std::exp(-double{mu[i]} * thickness);
  }
  return photons;
}

std::optional<palvane::BeamQuality> ModelBeams::quality(const palvane::BinArray& photons) const {
  return palvane::computeBeamQuality(photons, aluminium_, airEnergyAbsorption_);
}

}  // namespace measured
