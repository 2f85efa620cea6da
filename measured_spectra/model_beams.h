#pragma once

#include <filesystem>
#include <optional>

#include "dornic/molybdenum_model.h"
#include "engine/added_layers.h"
#include "engine/coefficient_table.h"
#include "palvane/physics/beam_quality.h"
#include "palvane/state/shared_state.h"
#include "text_files/added_layers.h"
#include "vessick/tungsten_model.h"

namespace measured {

enum class Anode { kMolybdenum, kTungsten };

// The tube of the measured catalogue for each anode: the spectra were taken on the
// central ray, in air, at a distance from the focus.
struct CatalogueTube {
  const char* symbol;  // "Mo", "W": the catalogue's folder and file prefix
  double anodeAngle;   // degrees, the model's target angle theta (tilt 0)
  double beryllium;    // mm, the tube's window
  double air;          // cm between focus and detector
};
const CatalogueTube& catalogueTube(Anode anode);

// One beam: the catalogue's tube at a tube voltage with an added filter.
struct Beam {
  Anode anode = Anode::kMolybdenum;
  double tubeVoltage = 0.0;                        // kV
  double molybdenum = 0.0;                         // mm
  double rhodium = 0.0;                            // mm
  std::optional<palvane::AddedLayer> addedFilter;  // of a material of Materials.dat
};

// The engines' model of the catalogue's tubes and the one beam-quality routine every
// spectrum of the comparison goes through: palvane's read-out, on the 0.2-keV bins with
// the aluminium and air columns of MUs3.dat.
class ModelBeams {
 public:
  // Reads MUs3.dat, Mo-STP.dat and Materials.dat from the folder with the engines' own
  // readers.
  explicit ModelBeams(const std::filesystem::path& tables);

  // The engine's beam-axis spectrum, photons per bin, and the engine's own HVL in mm
  // for the beam with `aluminium` mm of aluminium-equivalent filtration.
  struct Axis {
    palvane::BinArray photons{};
    double engineHvl = 0.0;
  };
  Axis beamAxis(const Beam& beam, double aluminium) const;

  // A measured spectrum (photons per bin, taken through the tube's own window and air)
  // behind the beam's added filter.
  palvane::BinArray throughAddedFilter(palvane::BinArray photons, const Beam& beam) const;

  // Mean energy, HVL1 and HVL2 of a spectrum; nullopt where it has none.
  std::optional<palvane::BeamQuality> quality(const palvane::BinArray& photons) const;

 private:
  engine::CoefficientTable table_;
  engine::MaterialTable materials_;
  dornic::MolybdenumModel molybdenum_;
  vessick::TungstenModel tungsten_;
  palvane::BinArray aluminium_{};
  palvane::BinArray airEnergyAbsorption_{};
};

}  // namespace measured
